#pragma once

namespace kestrane {

class MatchClock;
class MatchReset;
class MatchState;
class WinnerSignal;

// Clock corrections: one second up, one step down, the sixty-second bout and extra time.
class ClockCorrections {
public:
    ClockCorrections(MatchState& state, MatchClock& clock, WinnerSignal& signal,
                     MatchReset& matchReset)
        : m_state(state), m_clock(clock), m_signal(signal), m_matchReset(matchReset)
    {
    }

    // Connects this part's handlers to the console's elements.
    void wire();

    void tijdu_Click();
    void tijdd_Click();
    void zsec();
    void extime();

private:
    MatchState& m_state;
    MatchClock& m_clock;
    WinnerSignal& m_signal;
    MatchReset& m_matchReset;
};

} // namespace kestrane
