#pragma once

#include "platform/SoundDecoder.h"

#include <sndfile.h>

namespace kestrane {

// Reads every format libsndfile knows: PCM of any width, float, mu-law,
// A-law, ADPCM, FLAC, Ogg Vorbis and more.
class SndfileDecoder final : public SoundDecoder {
public:
    SndfileDecoder() = default;
    ~SndfileDecoder() override;
    SndfileDecoder(const SndfileDecoder&) = delete;
    SndfileDecoder& operator=(const SndfileDecoder&) = delete;

    std::optional<Stream> open(SoundBytes& file, SoundPort::Problem& why) override;
    qint64 read(float* out, qint64 frames) override;

private:
    SNDFILE* m_file = nullptr;
};

} // namespace kestrane
