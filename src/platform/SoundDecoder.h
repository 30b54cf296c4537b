#pragma once

#include "platform/SoundPort.h"

#include <QtGlobal>

#include <optional>

namespace kestrane {

class SoundBytes;

// What turns the bytes of a sound file into samples: the sound library in
// the program, a fake one in the fuzzer.
class SoundDecoder {
public:
    struct Stream {
        int channels = 0;
        int rate = 0;       // frames per second
        qint64 frames = -1; // as the file announces them; -1 unknown
    };

    virtual ~SoundDecoder() = default;
    // Starts reading the file, which must outlive the decoder; nothing, and
    // why, when it is not a sound this decoder can read.
    virtual std::optional<Stream> open(SoundBytes& file, SoundPort::Problem& why) = 0;
    // Up to `frames` frames of interleaved samples, full scale +-1, into out:
    // the frames read, 0 at the end, negative on a fault.
    virtual qint64 read(float* out, qint64 frames) = 0;
};

} // namespace kestrane
