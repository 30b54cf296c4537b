#include "penalties/PenaltyPanel.h"

#include "board/BoardHolder.h"
#include "match/MatchState.h"
#include "match/WinnerSignal.h"

#include "penalties/PenaltyBoxes.h"

namespace kestrane {

void PenaltyPanel::wire()
{
    for (const PenaltyBox& box : kPenaltyBoxes)
        m_state.check(box.box).onClick = [this, n = box.box] { checkChanged(n); };
}

void PenaltyPanel::checkChanged(int n)
{
    const PenaltyBox* entry = penaltyBox(n);
    if (!entry)
        return;
    const PenaltyBox& box = *entry;
    const Element& check = m_state.check(n);

    // Each step reads the box again, as the value is the only record.
    if (check.value() == 1) {
        m_boards.currentOrNewHidden().shape4(box.lamp).setVisible(true);
        if (box.sLabel >= 0)
            m_boards.currentOrNewHidden().label1(box.sLabel).setVisible(true);
    }
    if (check.value() == 0) {
        m_boards.currentOrNewHidden().shape4(box.lamp).setVisible(false);
        if (box.sLabel >= 0)
            m_boards.currentOrNewHidden().label1(box.sLabel).setVisible(false);
    }
    if (!box.endsMatch())
        return;

    // A match-ending penalty names the other side; taking one back stops
    // every blink, whatever started it. A greyed box (2) does neither.
    if (check.value() == 1) {
        if (box.side == PenaltyBox::Side::Shiro)
            m_signal.eindstrafbl();
        else
            m_signal.eindstrafro();
    } else if (check.value() == 0) {
        m_signal.knipperuit();
    }
}

} // namespace kestrane
