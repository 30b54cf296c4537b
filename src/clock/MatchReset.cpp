#include "clock/MatchReset.h"

#include "board/BoardHolder.h"
#include "clock/MatchClock.h"
#include "match/MatchState.h"
#include "match/WinnerSignal.h"

namespace kestrane {

void MatchReset::reset()
{
    MatchState& s = m_state;

    // The match time into the clock, stopped and black.
    m_clock.resett();

    // Every lamp and "S" mark out directly, so the board is clean even where
    // a lamp and its box disagree.
    {
        Kubord2& b = m_boards.currentOrNewHidden();
        for (int i = 5; i <= 20; ++i)
            b.shape4(i).setVisible(false);
        for (int i = 23; i <= 28; ++i)
            b.shape4(i).setVisible(false);
        b.label1(4).setVisible(false);
        b.label1(8).setVisible(false);
    }

    // Unticking runs a box's own handling, only for boxes that were ticked.
    for (int n = 1; n <= 22; ++n)
        s.check(n).setValue(0);

    // Each assignment runs its side's decision.
    s.scwi.setCaption(QStringLiteral("0"));
    s.scri.setCaption(QStringLiteral("0"));
    s.scww.setCaption(QStringLiteral("0"));
    s.scrw.setCaption(QStringLiteral("0"));
    {
        Kubord2& b = m_boards.currentOrNewHidden();
        b.scwi.setCaption(QStringLiteral("0"));
        b.scri.setCaption(QStringLiteral("0"));
        b.scww.setCaption(QStringLiteral("0"));
        b.scrw.setCaption(QStringLiteral("0"));
    }

    m_signal.knipperuit();
}

} // namespace kestrane
