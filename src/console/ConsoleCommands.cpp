#include "console/ConsoleCommands.h"

#include "board/BoardOpening.h"
#include "match/MatchState.h"
#include "platform/WindowPort.h"
#include "tournament/TournamentDay.h"

namespace kestrane {

void ConsoleCommands::wire()
{
    MatchState& s = m_state;
    s.sluit.onClick = [this] { sluit_Click(); };
    s.over.onClick = [this] { over_Click(); };
    s.Command14.onClick = [this] { Command14_Click(); };
}

void ConsoleCommands::sluit_Click()
{
    if (beforeClose)
        beforeClose();
    // The board first, shown or not; the About window stays open.
    m_boardOpening.closeBoard();
    closeConsoleWindow();
}

void ConsoleCommands::over_Click()
{
    m_windows.showAbout();
}

void ConsoleCommands::Command14_Click()
{
    if (beforeClose)
        beforeClose();
    m_boardOpening.closeBoard();
    m_windows.closeAbout();
    closeConsoleWindow();
}

void ConsoleCommands::closeConsoleWindow()
{
    // The commands close without a question, match or not.
    m_byCommand = true;
    m_windows.closeConsole();
    m_byCommand = false;
}

void ConsoleCommands::consoleClosing()
{
    // Stop every timer before the board goes, so that no tick can write into
    // (and so recreate) a board after the console has closed.
    // The match under way is logged while its blinking still shows the end.
    m_day.consoleClosing();
    if (beforeClose)
        beforeClose();
    MatchState& s = m_state;
    for (Element* t : {&s.Timer1, &s.Timer2, &s.Timer3, &s.Timer4})
        t->setEnabled(false);
    m_boardOpening.closeBoard();
    m_closed = true;
}

} // namespace kestrane
