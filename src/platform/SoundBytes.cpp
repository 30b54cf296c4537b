#include "platform/SoundBytes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace kestrane {

SF_VIRTUAL_IO& SoundBytes::io()
{
    static SF_VIRTUAL_IO callbacks{&length, &seek, &read, &write, &tell};
    return callbacks;
}

sf_count_t SoundBytes::length(void* user)
{
    return static_cast<SoundBytes*>(user)->m_bytes.size();
}

sf_count_t SoundBytes::seek(sf_count_t offset, int whence, void* user)
{
    auto* self = static_cast<SoundBytes*>(user);
    sf_count_t base = 0;
    if (whence == SEEK_CUR)
        base = self->m_position;
    else if (whence == SEEK_END)
        base = self->m_bytes.size();
    else if (whence != SEEK_SET)
        return -1;
    sf_count_t to = 0;
    // Like a file: past the end is a place to stand, before the start is not.
    if (__builtin_add_overflow(base, offset, &to) || to < 0)
        return -1;
    self->m_position = to;
    return to;
}

sf_count_t SoundBytes::read(void* out, sf_count_t count, void* user)
{
    auto* self = static_cast<SoundBytes*>(user);
    const sf_count_t size = self->m_bytes.size();
    if (count <= 0 || self->m_position >= size)
        return 0;
    const sf_count_t n = std::min(count, size - self->m_position);
    std::memcpy(out, self->m_bytes.constData() + self->m_position, static_cast<std::size_t>(n));
    self->m_position += n;
    return n;
}

sf_count_t SoundBytes::write(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t SoundBytes::tell(void* user)
{
    return static_cast<SoundBytes*>(user)->m_position;
}

} // namespace kestrane
