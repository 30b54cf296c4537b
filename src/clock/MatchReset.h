#pragma once

namespace kestrane {

class Kumite2;

// The reset between matches.
class MatchReset {
public:
    explicit MatchReset(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void reset();

private:
    Kumite2& m_k;
};

} // namespace kestrane
