#pragma once

#include <functional>

namespace kestrane {

class ConsoleCommands;
class KoTimer;
class MatchState;
class MessagePort;

// Guards the close that does not come from the console's own Close
// commands (the title bar, Alt+F4, the task bar): it would take a running
// match off the board, so while one is under way the operator is asked
// first.
class CloseGuard {
public:
    CloseGuard(MatchState& state, MessagePort& messages, KoTimer& koTimer,
               ConsoleCommands& commands)
        : m_state(state), m_messages(messages), m_koTimer(koTimer), m_commands(commands)
    {
    }

    // The clock runs or shows other than what "Reset time" would load now,
    // a score or a penalty box is set, the KO count is open, or a name
    // blinks.
    bool matchUnderWay() const;
    // The window manager asks to close the console: true to close. Asks
    // only while a match is under way; a second request while the question
    // is open is refused.
    bool windowClose();

    // True while the match is kept on disk for the next start; the question
    // then says so instead of warning that the match is lost.
    std::function<bool()> matchKept;

private:
    MatchState& m_state;
    MessagePort& m_messages;
    KoTimer& m_koTimer;
    ConsoleCommands& m_commands;
    bool m_asking = false;
};

} // namespace kestrane
