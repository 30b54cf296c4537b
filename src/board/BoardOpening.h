#pragma once

#include "board/BoardScaling.h"
#include "platform/ScreenPort.h"

#include <optional>

namespace kestrane {

class Kubord2;
class Kumite2;
class MatchState;

// Opening the board on the second screen and scaling it; closing it; the field number.
class BoardOpening {
public:
    explicit BoardOpening(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void startbord();
    // Closes the board; a board taken down with its screen then stays
    // closed when the screen comes back.
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
    Kumite2& m_k;
    // Where the open board was put, to notice when that screen goes away.
    std::optional<ScreenPort::Rect> m_boardScreen;
    bool m_reopen = false;
};

} // namespace kestrane
