#pragma once

#include <QtGlobal>

namespace kestrane {

// A window size as one number: the key of every per-size table of the feed.
// 0 x 0 is the design size (twips).
struct FeedSizeKey {
    static constexpr quint64 of(int w, int h) { return (quint64(quint32(w)) << 32) | quint32(h); }
    static constexpr int width(quint64 key) { return static_cast<int>(key >> 32); }
    static constexpr int height(quint64 key) { return static_cast<int>(key & 0xffffffffU); }
};

} // namespace kestrane
