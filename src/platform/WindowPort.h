#pragma once

namespace kestrane {

// The windows the console model opens and closes besides the board: the
// console itself and the About window.
class WindowPort {
public:
    virtual ~WindowPort() = default;
    virtual void closeConsole() = 0;
    virtual void showAbout() = 0;
    virtual void closeAbout() = 0;
};

} // namespace kestrane
