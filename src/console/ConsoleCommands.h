#pragma once

#include <functional>

namespace kestrane {

class BoardOpening;
class MatchState;
class TournamentDay;
class WindowPort;

// The console's close paths and the About window.
class ConsoleCommands {
public:
    ConsoleCommands(MatchState& state, WindowPort& windows, BoardOpening& boardOpening,
                    TournamentDay& day)
        : m_state(state), m_windows(windows), m_boardOpening(boardOpening), m_day(day)
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    void sluit_Click();
    void over_Click();
    void Command14_Click();
    // The console is closing (title bar, Alt+F4, or one of the Close
    // commands): stop every timer and close the board.
    void consoleClosing();
    // True once the console has closed.
    bool closed() const { return m_closed; }
    // True while one of the Close commands closes the console window.
    bool closingByCommand() const { return m_byCommand; }

    // Runs first on every close path, while the match and the board are
    // still as the operator left them.
    std::function<void()> beforeClose;

private:
    void closeConsoleWindow();

    MatchState& m_state;
    WindowPort& m_windows;
    BoardOpening& m_boardOpening;
    TournamentDay& m_day;
    bool m_closed = false;
    bool m_byCommand = false;
};

} // namespace kestrane
