#pragma once

namespace kestrane {

class Kubord2;
class BoardHolder;
class MatchState;

// The two rule sets that label the penalty grids.
class RuleSets {
public:
    RuleSets(MatchState& state, BoardHolder& boards) : m_state(state), m_boards(boards) {}

    // Connects this part's handlers to the console's elements.
    void wire();

    void wukf();
    void geenwukf();
    void Check26_Click();
    // The board's part of a rule set: the row and column "A" letters.
    static void boardLetters(Kubord2& board, bool wukfRules);

private:
    MatchState& m_state;
    BoardHolder& m_boards;
};

} // namespace kestrane
