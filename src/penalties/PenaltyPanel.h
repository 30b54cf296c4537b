#pragma once

namespace kestrane {

class Kumite2;

// The 22 penalty boxes and the board lamps they drive.
class PenaltyPanel {
public:
    explicit PenaltyPanel(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    // The click handler of the box CheckN (1 <= n <= 22): runs whenever
    // the box's value changes.
    void checkChanged(int n);

private:
    Kumite2& m_k;
};

} // namespace kestrane
