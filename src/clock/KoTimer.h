#pragma once

#include <QString>

namespace kestrane {

class Kubord2;
class BoardHolder;
class MatchClock;
class MatchState;
class WinnerSignal;

// The ten-second knock-down count.
class KoTimer {
public:
    KoTimer(MatchState& state, BoardHolder& boards, MatchClock& clock, WinnerSignal& signal)
        : m_state(state), m_boards(boards), m_clock(clock), m_signal(signal)
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    void ko();
    void Timer2_Timer();
    void Command15_Click();
    // The board's vertical factor, computed again from shtxt and vsch.
    double factorF() const;
    // The count panel stands in view: counting or finished.
    bool panelOpen() const;
    // Where the count panel and its background go on a board of vertical
    // factor f.
    static void placeCount(Kubord2& board, double f);

private:
    // The count into board Label1(14), then into Label20.
    void showCount(const QString& text);
    void repaintCount();

    MatchState& m_state;
    BoardHolder& m_boards;
    MatchClock& m_clock;
    WinnerSignal& m_signal;
};

} // namespace kestrane
