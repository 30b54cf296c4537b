#include "board/SideSwap.h"

#include "match/MatchState.h"

namespace kestrane {

void SideSwap::wire()
{
    m_state.Check24.onClick = [this] { Check24_Click(); };
}

// Aka's controls to the left half, Shiro's to the right. Only Left changes.
void SideSwap::varkospiegel()
{
    MatchState& s = m_state;
    s.Shape1.setLeft(4020);
    s.Shape2.setLeft(120);
    s.Frame20.setLeft(5160);
    s.Frame21.setLeft(240);
    s.Label18.setLeft(6100);
    s.Label19.setLeft(480);
    s.Check2.setLeft(4320);
    s.Check11.setLeft(3480);
    s.Label13.setLeft(4320);
    s.Label9.setLeft(3480);
    s.SanbonB.setLeft(6960);
    s.MyButton1.setLeft(6960);
    s.NihonB.setLeft(6960);
    s.Command9.setLeft(6960);
    s.Command6.setLeft(240);
    s.Command10.setLeft(240);
    s.Command8.setLeft(240);
    s.MyButton2.setLeft(240);
    s.scwi.setLeft(6165);
    s.scww.setLeft(6165);
    s.scri.setLeft(1320);
    s.scrw.setLeft(1320);
}

// Back to Shiro left, Aka right. Label19, Check2 and Label13 come back to
// 6100, 3480 and 3480, not to their first places: that is how the swap has
// always put them back, and operators know it.
void SideSwap::varkoonspiegel()
{
    MatchState& s = m_state;
    s.Shape1.setLeft(120);
    s.Shape2.setLeft(4020);
    s.Frame20.setLeft(240);
    s.Frame21.setLeft(5160);
    s.Label18.setLeft(480);
    s.Label19.setLeft(6100);
    s.Check2.setLeft(3480);
    s.Check11.setLeft(4320);
    s.Label13.setLeft(3480);
    s.Label9.setLeft(4320);
    s.SanbonB.setLeft(240);
    s.MyButton1.setLeft(240);
    s.NihonB.setLeft(240);
    s.Command9.setLeft(240);
    s.Command6.setLeft(6960);
    s.Command10.setLeft(6960);
    s.Command8.setLeft(6960);
    s.MyButton2.setLeft(6960);
    s.scwi.setLeft(1320);
    s.scww.setLeft(1320);
    s.scri.setLeft(6165);
    s.scrw.setLeft(6165);
}

void SideSwap::Check24_Click()
{
    if (m_state.Check24.value() == 1)
        varkospiegel();
    if (m_state.Check24.value() == 0)
        varkoonspiegel();
}

} // namespace kestrane
