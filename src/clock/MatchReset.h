#pragma once

namespace kestrane {

class BoardHolder;
class MatchClock;
class MatchState;
class WinnerSignal;

// The reset between matches. Its two buttons belong to the tournament day,
// which logs the match being left before it resets.
class MatchReset {
public:
    MatchReset(MatchState& state, BoardHolder& boards, MatchClock& clock, WinnerSignal& signal)
        : m_state(state), m_boards(boards), m_clock(clock), m_signal(signal)
    {
    }

    void reset();

private:
    MatchState& m_state;
    BoardHolder& m_boards;
    MatchClock& m_clock;
    WinnerSignal& m_signal;
};

} // namespace kestrane
