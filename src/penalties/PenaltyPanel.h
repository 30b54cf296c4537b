#pragma once

namespace kestrane {

class BoardHolder;
class MatchState;
class WinnerSignal;

// The 22 penalty boxes and the board lamps they drive.
class PenaltyPanel {
public:
    PenaltyPanel(MatchState& state, BoardHolder& boards, WinnerSignal& signal)
        : m_state(state), m_boards(boards), m_signal(signal)
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    // The click handler of the box CheckN (1 <= n <= 22): runs whenever
    // the box's value changes.
    void checkChanged(int n);

private:
    MatchState& m_state;
    BoardHolder& m_boards;
    WinnerSignal& m_signal;
};

} // namespace kestrane
