#pragma once

#include <functional>
#include <vector>

namespace kestrane {

// The screens of the desktop, in logical pixels of the virtual desktop.
class ScreenPort {
public:
    struct Rect {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        bool contains(int px, int py) const
        {
            return px >= x && py >= y && px < x + width && py < y + height;
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
    // Called when a screen is added or removed.
    virtual void setScreensChanged(std::function<void()> callback) = 0;

    // Helpers over screens().
    const Screen* primary(const std::vector<Screen>& all) const;
    static int screenAt(const std::vector<Screen>& all, int px, int py);
};

} // namespace kestrane
