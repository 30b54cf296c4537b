#include "penalties/PenaltyPanel.h"

#include "console/Kumite2.h"

#include "penalties/PenaltyBoxes.h"

namespace kestrane {

void PenaltyPanel::wire()
{
    for (const PenaltyBox& box : kPenaltyBoxes)
        m_k.state.check(box.box).onClick = [this, n = box.box] { checkChanged(n); };
}

void PenaltyPanel::checkChanged(int n)
{
    const PenaltyBox* entry = penaltyBox(n);
    if (!entry)
        return;
    const PenaltyBox& box = *entry;
    const Element& check = m_k.state.check(n);

    // Each step reads the box again, as the value is the only record.
    if (check.value() == 1) {
        m_k.kubord2().shape4(box.lamp).setVisible(true);
        if (box.sLabel >= 0)
            m_k.kubord2().label1(box.sLabel).setVisible(true);
    }
    if (check.value() == 0) {
        m_k.kubord2().shape4(box.lamp).setVisible(false);
        if (box.sLabel >= 0)
            m_k.kubord2().label1(box.sLabel).setVisible(false);
    }
    if (!box.endsMatch())
        return;

    // A match-ending penalty names the other side; taking one back stops
    // every blink, whatever started it. A greyed box (2) does neither.
    if (check.value() == 1) {
        if (box.side == PenaltyBox::Side::Shiro)
            m_k.signal.eindstrafbl();
        else
            m_k.signal.eindstrafro();
    } else if (check.value() == 0) {
        m_k.signal.knipperuit();
    }
}

} // namespace kestrane
