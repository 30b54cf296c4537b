#include "platform/ScreenPort.h"

#include "core/Twips.h"

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

// Keeps absurd positions (from absurd settings) inside int arithmetic.
int clampedPixels(double twips)
{
    return static_cast<int>(std::lround(std::clamp(twips / kTwipsPerPixel, -1e9, 1e9)));
}

// Squared distance from a screen to the primary's right edge.
double distanceToRightEdge(const ScreenPort::Rect& s, const ScreenPort::Rect& primary)
{
    const double edge = double(primary.x) + primary.width;
    const double dx = std::max({0.0, s.x - edge, edge - (double(s.x) + s.width)});
    const double dy = std::max({0.0, double(s.y) - (double(primary.y) + primary.height),
                                double(primary.y) - (double(s.y) + s.height)});
    return dx * dx + dy * dy;
}

} // namespace

int ScreenPort::primaryIndex(const std::vector<Screen>& all)
{
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].primary)
            return static_cast<int>(i);
    }
    return all.empty() ? -1 : 0;
}

int ScreenPort::screenAt(const std::vector<Screen>& all, int px, int py)
{
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].geometry.contains(px, py))
            return static_cast<int>(i);
    }
    return -1;
}

ScreenPort::Point ScreenPort::fromPrimary(const std::vector<Screen>& all, double leftTwips,
                                          double topTwips)
{
    const int p = primaryIndex(all);
    const Rect origin = p < 0 ? Rect{} : all[static_cast<std::size_t>(p)].geometry;
    return {origin.x + clampedPixels(leftTwips), origin.y + clampedPixels(topTwips)};
}

int ScreenPort::screenFor(const std::vector<Screen>& all, double leftTwips, double topTwips)
{
    const int p = primaryIndex(all);
    if (p < 0)
        return -1;
    const Point at = fromPrimary(all, leftTwips, topTwips);
    if (const int found = screenAt(all, at.x, at.y); found >= 0)
        return found;
    // Nothing there (the second screen left of, above or below the primary):
    // never leave the window off-screen, nor on the console's screen while
    // another one is there.
    const Rect& primary = all[static_cast<std::size_t>(p)].geometry;
    int best = p;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (static_cast<int>(i) == p)
            continue;
        if (best == p) {
            best = static_cast<int>(i);
            continue;
        }
        const Rect& s = all[i].geometry;
        const Rect& b = all[static_cast<std::size_t>(best)].geometry;
        const double area = double(s.width) * s.height;
        const double bestArea = double(b.width) * b.height;
        if (area > bestArea ||
            (area == bestArea && distanceToRightEdge(s, primary) < distanceToRightEdge(b, primary)))
            best = static_cast<int>(i);
    }
    return best;
}

ScreenPort::Point ScreenPort::placeOnPrimary(const std::vector<Screen>& all, double leftTwips,
                                             double topTwips, int width, int height)
{
    const Point asked = fromPrimary(all, leftTwips, topTwips);
    const int p = primaryIndex(all);
    if (p < 0)
        return asked;
    const Rect& area = all[static_cast<std::size_t>(p)].available;
    if (width > area.width || height > area.height)
        return {area.x, area.y};
    return {std::clamp(asked.x, area.x, area.x + area.width - width),
            std::clamp(asked.y, area.y, area.y + area.height - height)};
}

bool ScreenPort::stranded(const std::vector<Screen>& all, const Rect& frame, int boardScreen)
{
    if (boardScreen >= 0 && boardScreen < static_cast<int>(all.size())) {
        const Screen& board = all[static_cast<std::size_t>(boardScreen)];
        if (!board.primary && board.geometry.intersects(frame))
            return true;
    }
    return std::none_of(all.begin(), all.end(),
                        [&frame](const Screen& s) { return s.available.contains(frame); });
}

} // namespace kestrane
