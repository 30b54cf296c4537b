#pragma once

#include <QByteArray>

#include <sndfile.h>

namespace kestrane {

// A sound file held in memory, read by the decoder through the callbacks of
// io() as if it came from disk. Hostile offsets from a decoder (negative,
// past the end, overflowing) never reach outside the bytes; writing is
// refused.
class SoundBytes {
public:
    explicit SoundBytes(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    // The callbacks; their user data is a SoundBytes.
    static SF_VIRTUAL_IO& io();

private:
    static sf_count_t length(void* user);
    static sf_count_t seek(sf_count_t offset, int whence, void* user);
    static sf_count_t read(void* out, sf_count_t count, void* user);
    static sf_count_t write(const void* in, sf_count_t count, void* user);
    static sf_count_t tell(void* user);

    QByteArray m_bytes;
    sf_count_t m_position = 0;
};

} // namespace kestrane
