#include "platform/SndfileDecoder.h"

#include "platform/SoundBytes.h"

namespace kestrane {

SndfileDecoder::~SndfileDecoder()
{
    if (m_file)
        sf_close(m_file);
}

std::optional<SoundDecoder::Stream> SndfileDecoder::open(SoundBytes& file, SoundPort::Problem& why)
{
    SF_INFO info{};
    m_file = sf_open_virtual(&SoundBytes::io(), SFM_READ, &info, &file);
    if (!m_file) {
        switch (sf_error(nullptr)) {
        case SF_ERR_UNRECOGNISED_FORMAT:
            why = SoundPort::Problem::NotSound;
            break;
        case SF_ERR_UNSUPPORTED_ENCODING:
            why = SoundPort::Problem::Unsupported;
            break;
        default:
            why = SoundPort::Problem::Damaged;
        }
        return std::nullopt;
    }
    // Integer files read as floats of full scale +-1; float files as stored,
    // which the caller clamps.
    sf_command(m_file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    return Stream{info.channels, info.samplerate, info.frames};
}

qint64 SndfileDecoder::read(float* out, qint64 frames)
{
    const sf_count_t n = sf_readf_float(m_file, out, frames);
    // A short read is the end of the file or a fault in it; only the latter
    // sets the error.
    if (n < frames && sf_error(m_file) != SF_ERR_NO_ERROR)
        return -1;
    return n;
}

} // namespace kestrane
