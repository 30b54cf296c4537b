#include "platform/ScreenPort.h"

namespace kestrane {

const ScreenPort::Screen* ScreenPort::primary(const std::vector<Screen>& all) const
{
    for (const Screen& s : all) {
        if (s.primary)
            return &s;
    }
    return all.empty() ? nullptr : &all.front();
}

int ScreenPort::screenAt(const std::vector<Screen>& all, int px, int py)
{
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].geometry.contains(px, py))
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace kestrane
