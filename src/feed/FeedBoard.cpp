#include "feed/FeedBoard.h"

#include "board/BoardOpening.h"
#include "board/BoardScaling.h"
#include "board/BoardSync.h"
#include "clock/KoTimer.h"
#include "core/Numbers.h"
#include "core/Twips.h"
#include "match/MatchState.h"
#include "penalties/RuleSets.h"

namespace kestrane {

double FeedBoard::usableScale(const QString& text)
{
    const double v = Numbers::val(text);
    return v == 0 ? 1.0 : v;
}

void FeedBoard::build(const MatchState& s, const Kubord2* shown, const Scales& openedWith,
                      int widthPx, int heightPx, Kubord2& out)
{
    // The opening's own steps, in its order, onto our board.
    RuleSets::boardLetters(out, s.Check26.value() == 1);
    // A change of the mirror choice closes the board, so the current choice
    // is also the one the shown board was opened with.
    if (s.Check23.value() == 1)
        BoardSync::bordspiegel(out);

    const bool design = widthPx <= 0 || heightPx <= 0;
    const Scales current{s.hsch.text(), s.vsch.text(), s.fsch.text()};
    const Scales& scales = shown ? openedWith : current;
    const double W = design ? Kubord2::kDesignWidth : widthPx * kTwipsPerPixel;
    const double H = design ? Kubord2::kDesignHeight : heightPx * kTwipsPerPixel;
    const BoardScaling::Factors factors =
        design ? BoardScaling::factors(W, H, 1, 1, 1)
               : BoardScaling::factors(W, H, usableScale(scales.hsch), usableScale(scales.vsch),
                                       usableScale(scales.fsch));
    BoardOpening::copyAndScale(s, out, factors);
    if (!shown)
        return;

    // What the console changed since the opening. Both boards hold the same
    // elements in the same order.
    const std::vector<Element*>& from = shown->elements();
    const std::vector<Element*>& to = out.elements();
    for (std::size_t i = 0; i < from.size() && i < to.size(); ++i) {
        const Element& a = *from[i];
        Element& b = *to[i];
        if (a.kind() == ElementKind::Label)
            b.setCaption(a.caption());
        b.setVisible(a.visible());
        b.setForeColor(a.foreColor());
        b.setBackColor(a.backColor());
        b.setBorderColor(a.borderColor());
    }
    // The one place the console moves board elements after an opening.
    if (shown->Frame4.visible())
        KoTimer::placeCount(out, factors.vertical);
}

} // namespace kestrane
