#include "penalties/RuleSets.h"

#include "board/BoardHolder.h"
#include "match/MatchState.h"

namespace kestrane {

void RuleSets::wire()
{
    m_state.Check26.onClick = [this] { Check26_Click(); };
}

// The row "A" captions appear and the column "A" captions go, on both
// windows. The board is reached afresh for its four captions: writing to it
// while it is closed creates the hidden board that the next opening replaces.
void RuleSets::wukf()
{
    MatchState& s = m_state;
    s.Label7.setVisible(true);
    s.Label17.setVisible(true);
    s.Label14.setVisible(false);
    s.Label12.setVisible(false);
    boardLetters(m_boards.currentOrNewHidden(), true);
}

void RuleSets::geenwukf()
{
    MatchState& s = m_state;
    s.Label7.setVisible(false);
    s.Label17.setVisible(false);
    s.Label14.setVisible(true);
    s.Label12.setVisible(true);
    boardLetters(m_boards.currentOrNewHidden(), false);
}

void RuleSets::boardLetters(Kubord2& b, bool wukfRules)
{
    b.label1(10).setVisible(!wukfRules);
    b.label1(0).setVisible(!wukfRules);
    b.label1(20).setVisible(wukfRules);
    b.label1(21).setVisible(wukfRules);
}

void RuleSets::Check26_Click()
{
    if (m_state.Check26.value() == 1)
        wukf();
    else
        geenwukf();
}

} // namespace kestrane
