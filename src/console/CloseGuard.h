#pragma once

namespace kestrane {

class Kumite2;

// Guards the close that does not come from the console's own Close
// commands (the title bar, Alt+F4, the task bar): it would lose a running
// match, so while one is under way the operator is asked first.
class CloseGuard {
public:
    explicit CloseGuard(Kumite2& k) : m_k(k) {}

    // The clock runs or shows other than what "Reset time" would load now,
    // a score or a penalty box is set, the KO count is open, or a name
    // blinks.
    bool matchUnderWay() const;
    // The window manager asks to close the console: true to close. Asks
    // only while a match is under way; a second request while the question
    // is open is refused.
    bool windowClose();

private:
    Kumite2& m_k;
    bool m_asking = false;
};

} // namespace kestrane
