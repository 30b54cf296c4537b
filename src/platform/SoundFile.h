#pragma once

#include "platform/SoundPort.h"

#include <QAudioFormat>
#include <QByteArray>

#include <optional>
#include <vector>

namespace kestrane {

class SoundBytes;
class SoundDecoder;
struct DecodedSound;

// A sound ready for the sound server: 32-bit float at 48 kHz, mono or
// stereo, whole frames. Whatever a file holds is brought to that: samples
// clamped to full scale (a float file may hold anything, NaN included), more
// than two channels cut to the first two (left and right in every common
// layout), other rates resampled, and a sound longer than a minute cut there
// (a signal never needs more; a tiny compressed file could otherwise unpack
// into gigabytes).
struct SoundFile {
    static constexpr int kRate = 48000;
    static constexpr int kMaxSeconds = 60;

    QAudioFormat format;
    QByteArray samples;

    // The file's bytes through the sound library.
    static DecodedSound decode(const QByteArray& bytes);
    static DecodedSound decode(SoundBytes& file, SoundDecoder& decoder);
    // Interleaved samples of the given channels and rate.
    static std::optional<SoundFile> fromSamples(std::vector<float> interleaved, int channels,
                                                int rate);
};

struct DecodedSound {
    std::optional<SoundFile> sound;
    SoundPort::Problem problem = SoundPort::Problem::None; // why there is none
};

} // namespace kestrane
