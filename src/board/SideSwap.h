#pragma once

namespace kestrane {

class MatchState;

// Swapping the console's two competitor halves.
class SideSwap {
public:
    explicit SideSwap(MatchState& state) : m_state(state) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void varkospiegel();
    void varkoonspiegel();
    void Check24_Click();

private:
    MatchState& m_state;
};

} // namespace kestrane
