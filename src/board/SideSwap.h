#pragma once

namespace kestrane {

class Kumite2;

// Swapping the console's two competitor halves.
class SideSwap {
public:
    explicit SideSwap(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void varkospiegel();
    void varkoonspiegel();
    void Check24_Click();

private:
    Kumite2& m_k;
};

} // namespace kestrane
