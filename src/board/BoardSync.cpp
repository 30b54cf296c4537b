#include "board/BoardSync.h"

#include "board/BoardHolder.h"
#include "match/MatchState.h"

#include "penalties/PenaltyBoxes.h"

namespace kestrane {

void BoardSync::wire()
{
    m_state.Check23.onClick = [this] { Check23_Click(); };
}

void BoardSync::laaddata()
{
    laaddata(m_state, m_boards.currentOrNewHidden());
}

void BoardSync::laaddata(const MatchState& s, Kubord2& b)
{
    // The 20 grid boxes, Shiro's then Aka's. The two "S" boxes are left
    // out, so a fresh board never shows an "S" indicator.
    for (const PenaltyBox& box : kPenaltyBoxes) {
        if (box.inGrid() && s.check(box.box).value() == 1)
            b.shape4(box.lamp).setVisible(true);
    }
    b.scww.setCaption(s.scww.caption());
    b.scwi.setCaption(s.scwi.caption());
    b.scri.setCaption(s.scri.caption());
    b.scrw.setCaption(s.scrw.caption());
}

// Aka to the right half, Shiro to the left, in design twips: the scaling
// that follows multiplies these values. Within each half the order stays
// "IP", ippon, "WA", waza-ari, with the name at the outer edge.
void BoardSync::bordspiegel()
{
    bordspiegel(m_boards.currentOrNewHidden());
}

void BoardSync::bordspiegel(Kubord2& b)
{
    // The numbers are fitted to their new neighbours once all have moved.
    b.setFitting(false);
    b.Shape1.setLeft(8000);
    b.Shape2.setLeft(0);
    b.label1(11).setLeft(12800);
    b.label1(12).setLeft(800);
    b.label1(8).setLeft(5500);
    b.label1(4).setLeft(9820);
    b.Frame5.setLeft(11400);
    b.Frame6.setLeft(240);
    b.scri.setLeft(9950);
    b.scrw.setLeft(14120);
    b.scwi.setLeft(1950);
    b.scww.setLeft(6120);
    b.shape4(8).setLeft(9480);
    b.shape4(16).setLeft(5160);
    b.label1(16).setLeft(8300);
    b.label1(17).setLeft(12000);
    b.label1(18).setLeft(300);
    b.label1(19).setLeft(4000);
    b.setFitting(true);
}

// The mirror choice takes effect at the next opening; the open board goes.
void BoardSync::Check23_Click()
{
    m_closeBoard();
}

} // namespace kestrane
