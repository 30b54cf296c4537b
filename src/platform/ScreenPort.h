#pragma once

#include <functional>
#include <vector>

namespace kestrane {

// The screens of the desktop, in logical pixels of the virtual desktop, and
// the one rule for where the console and the board go on them.
class ScreenPort {
public:
    struct Point {
        int x = 0;
        int y = 0;
        bool operator==(const Point&) const = default;
    };
    struct Rect {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        bool contains(int px, int py) const
        {
            return px >= x && py >= y && px < x + width && py < y + height;
        }
        bool contains(const Rect& r) const
        {
            return r.x >= x && r.y >= y && r.x + r.width <= x + width &&
                   r.y + r.height <= y + height;
        }
        bool intersects(const Rect& r) const
        {
            return r.x < x + width && x < r.x + r.width && r.y < y + height && y < r.y + r.height;
        }
        bool operator==(const Rect&) const = default;
    };
    struct Screen {
        Rect geometry;
        Rect available; // without task bars and docks
        bool primary = false;
    };

    virtual ~ScreenPort() = default;
    virtual std::vector<Screen> screens() const = 0;
    // Called when a screen is added, removed or moved, or the primary changes.
    virtual void setScreensChanged(std::function<void()> callback) = 0;

    // Positions in twips are measured from the primary screen's top-left
    // corner, whatever the desktop's own origin: that corner was the
    // desktop origin where the console's and the board's places were
    // first chosen.

    // The primary screen (the first one when none says so); -1 without screens.
    static int primaryIndex(const std::vector<Screen>& all);
    static int screenAt(const std::vector<Screen>& all, int px, int py);
    // (left, top) twips from the primary's corner, in desktop pixels.
    static Point fromPrimary(const std::vector<Screen>& all, double leftTwips, double topTwips);
    // The screen a window sent to (left, top) twips lands on: the one that
    // contains the point; when none does, the largest screen other than the
    // primary (on a tie the one nearest the primary's right edge); with no
    // other screen, the primary. -1 without screens.
    static int screenFor(const std::vector<Screen>& all, double leftTwips, double topTwips);
    // The outer top-left corner of a window of width x height pixels asked
    // for at (left, top) twips, kept on the primary screen: there, moved
    // inside the primary's available area if it sticks out; at that area's
    // top-left corner when it does not fit at all, so that its title bar
    // and menu stay reachable.
    // A window at `frame` (outer, desktop pixels) is stranded when no
    // screen's available area holds all of it, or when it overlaps the
    // screen at boardScreen (-1: no board) while that is not the primary.
    static bool stranded(const std::vector<Screen>& all, const Rect& frame, int boardScreen);
    static Point placeOnPrimary(const std::vector<Screen>& all, double leftTwips, double topTwips,
                                int width, int height);
};

} // namespace kestrane
