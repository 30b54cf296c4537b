#pragma once

#include <functional>
#include <utility>

#include "board/BoardScaling.h"
#include "platform/ScreenPort.h"

#include <optional>

namespace kestrane {

class Kubord2;
class BoardHolder;
class BoardNames;
class BoardSync;
class MessagePort;
class RuleSets;
class ScreenPort;
class MatchState;

// Opening the board on the second screen and scaling it; closing it; the field number.
class BoardOpening {
public:
    BoardOpening(MatchState& state, BoardHolder& boards, ScreenPort& screens, MessagePort& messages,
                 RuleSets& ruleSets, BoardSync& boardSync, BoardNames& boardNames,
                 std::function<bool()> consoleClosed)
        : m_state(state), m_boards(boards), m_screens(screens), m_messages(messages),
          m_ruleSets(ruleSets), m_boardSync(boardSync), m_boardNames(boardNames),
          m_consoleClosed(std::move(consoleClosed))
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    void startbord();
    // Closes the board: the one way every path (the buttons, the mirror
    // choice, a new opening, the console's close) takes it down. A board
    // taken down with its screen then stays closed when the screen comes
    // back.
    void closeBoard();
    void Command12_Click();
    // The screens changed: a board whose screen went is closed, and opened
    // again when a screen that can hold it is back (unless the operator
    // opened or closed it meanwhile).
    void screensChanged();

    // Steps 10 to 13 of an opening onto any board: the clock digits, the
    // field number, lamps and scores copied from the console, then scaled
    // and the numbers centred.
    static void copyAndScale(const MatchState& s, Kubord2& board,
                             const BoardScaling::Factors& factors);

    static constexpr const char* kZeroScaleMessage = "scale can not be zero in setup file";

private:
    MatchState& m_state;
    BoardHolder& m_boards;
    ScreenPort& m_screens;
    MessagePort& m_messages;
    RuleSets& m_ruleSets;
    BoardSync& m_boardSync;
    BoardNames& m_boardNames;
    // True once the console has closed: the screens no longer reopen it.
    std::function<bool()> m_consoleClosed;
    // Where the open board was put, to notice when that screen goes away.
    std::optional<ScreenPort::Rect> m_boardScreen;
    bool m_reopen = false;
};

} // namespace kestrane
