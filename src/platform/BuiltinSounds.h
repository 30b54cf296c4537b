#pragma once

#include <vector>

namespace kestrane {

// The two sounds that come with the program, synthesised, so the project owns
// every sample: mono, kRate frames per second, full scale +-1. The same
// samples go into the sound files installed beside the program and into the
// program itself, which plays them when a chosen file cannot be played. Both
// end in silence: the server may cut the last ~120 ms of a sound.
namespace BuiltinSounds {

constexpr int kRate = 44100;

// A struck gong: the end of a match.
std::vector<float> gong();
// Three short, bright beeps: the warning before the end.
std::vector<float> warning();

} // namespace BuiltinSounds

} // namespace kestrane
