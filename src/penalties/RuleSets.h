#pragma once

namespace kestrane {

class Kubord2;
class Kumite2;

// The two rule sets that label the penalty grids.
class RuleSets {
public:
    explicit RuleSets(Kumite2& k) : m_k(k) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void wukf();
    void geenwukf();
    void Check26_Click();
    // The board's part of a rule set: the row and column "A" letters.
    static void boardLetters(Kubord2& board, bool wukfRules);

private:
    Kumite2& m_k;
};

} // namespace kestrane
