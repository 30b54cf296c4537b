#pragma once

#include <QAudioFormat>
#include <QByteArray>

#include <optional>

namespace kestrane {

// The samples of a WAV file and their format: integer PCM of 8, 16 or 32
// bits and 32-bit float, plain or in the extensible header. Anything else
// (compressed formats, 24-bit, a broken header) is not a playable file.
struct WavFile {
    QAudioFormat format;
    QByteArray samples; // whole frames only

    static std::optional<WavFile> parse(const QByteArray& bytes);
};

} // namespace kestrane
