#pragma once

namespace kestrane {

class MatchState;

// The console's design layout: the container, geometry (twips), captions,
// colours, fonts and visibility of every element of the console window.
namespace ConsoleLayout {
void apply(MatchState& state);
}

} // namespace kestrane
