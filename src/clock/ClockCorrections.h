#pragma once

namespace kestrane {

class Kumite2;

// Clock corrections: one second up, one step down, the sixty-second bout and extra time.
class ClockCorrections {
public:
    explicit ClockCorrections(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void tijdu_Click();
    void tijdd_Click();
    void zsec();
    void extime();

private:
    Kumite2& m_k;
};

} // namespace kestrane
