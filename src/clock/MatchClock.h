#pragma once

namespace kestrane {

class Kumite2;

// The count-down match clock: start, stop, the one-second step, reset time and the S key.
class MatchClock {
public:
    explicit MatchClock(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void starten();
    void stoppen();
    void resett();
    void Timer1_Timer();
    void Command3_Click();
    void Command4_Click();
    // One clock step, shared by the timer tick and the manual step down.
    void clockStep();
    // The console key handler: "s" or "S" starts or stops the clock.
    void Form_KeyPress(int code);

private:
    Kumite2& m_k;
};

} // namespace kestrane
