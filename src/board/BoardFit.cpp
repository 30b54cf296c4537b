#include "board/BoardFit.h"

#include "board/BoardScaling.h"
#include "board/Kubord2.h"
#include "board/TextMeasure.h"
#include "core/Twips.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace kestrane {

namespace {

// Font sizes are drawn at whole pixels, so a share of the font is not
// exactly that share of the width: step down until the text fits.
constexpr double kStep = 0.995;
constexpr double kSmallest = 0.05;
// A name shrinks no further than this share of its font, then is cut.
constexpr double kNameSmallest = 0.5;
// The space kept between a name and its neighbours, as a share of its
// height. Below, more: a line with Japanese or Chinese in it is drawn
// lower, the fallback font reaching higher above its baseline.
constexpr double kNameGap = 0.2;
constexpr double kNameGapBelow = 0.35;
// A club stays only while the name keeps this many characters.
constexpr std::size_t kNameKept = 3;
const QString kEllipsis = QStringLiteral("...");

bool overlapsVertically(const Element& e, const LabelBox& box)
{
    return e.top() < box.top + box.height && box.top < e.top() + e.height();
}

double rightOf(const Element& e)
{
    return e.left() + e.width();
}

} // namespace

double BoardFit::anchorShare(const Element& label) const
{
    if (&label == &m_board.Label5)
        return 1.0;
    switch (label.alignment()) {
    case Alignment::Centre:
        return 0.5;
    case Alignment::Right:
        return 1.0;
    case Alignment::Left:
        break;
    }
    return 0.0;
}

std::vector<Element*> BoardFit::groupOf(Element& label) const
{
    Kubord2& b = m_board;
    if (label.container() == &b.Frame1)
        return {&b.Label5, &b.Label7, &b.Label6, &b.Label8};
    return {&label};
}

void BoardFit::fit(const std::vector<Element*>& group, std::vector<LabelBox>& boxes) const
{
    // Only a value that grew past the design (two digits, long minutes, a
    // field number over 9) is fitted; one digit stands as the scaling places
    // and sizes it, whatever the correction factors.
    if (group.front()->caption().size() <= 1)
        return;
    if (group.size() > 1)
        fitClock(group, boxes);
    else if (m_board.isName(*group.front()))
        fitName(*group.front(), boxes.front());
    else
        fitOne(*group.front(), boxes.front());
}

std::optional<BoardFit::Room> BoardFit::roomOf(const Element& label, const LabelBox& box) const
{
    Kubord2& b = m_board;
    if (&label == &b.Label4) {
        // Inside the white box's border, which is given in pixels.
        const double inset = b.Shape5.borderWidth() * kTwipsPerPixel;
        return Room{b.Shape5.left() + inset, rightOf(b.Shape5) - inset};
    }
    if (&label != &b.scri && &label != &b.scrw && &label != &b.scwi && &label != &b.scww)
        return std::nullopt;
    // The half the score stands on, narrowed by the captions on its row.
    const double centre = box.left + box.width / 2;
    const Element& half =
        centre < rightOf(b.Shape1) && centre >= b.Shape1.left() ? b.Shape1 : b.Shape2;
    Room room{half.left(), rightOf(half)};
    for (int i = 16; i <= 19; ++i) {
        const Element& caption = b.label1(i);
        if (!caption.visible() || !overlapsVertically(caption, box))
            continue;
        if (caption.left() + caption.width() / 2 < centre)
            room.lo = std::max(room.lo, rightOf(caption));
        else
            room.hi = std::min(room.hi, caption.left());
    }
    return room;
}

LabelBox BoardFit::shrunk(const Element& label, const LabelBox& natural, double s, double x) const
{
    LabelBox box;
    // Never below the smallest font a board may carry, whatever the scales.
    box.font = std::max(BoardScaling::kMinFontSize, natural.font * s);
    box.text = natural.text;
    const TextMeasure::Size size = m_measure.textSize(box.text, box.font, label.bold());
    box.width = size.width;
    box.height = size.height;
    box.left = x - anchorShare(label) * size.width;
    box.top = natural.top + (natural.height - size.height) / 2;
    return box;
}

void BoardFit::fitOne(const Element& label, LabelBox& box) const
{
    const std::optional<Room> room = roomOf(label, box);
    if (!room || (box.left >= room->lo && box.right() <= room->hi))
        return;
    const double share = anchorShare(label);
    const double x = box.left + share * box.width;
    double allowed = room->hi - x; // left-aligned: to the right of the anchor
    if (share == 1.0)
        allowed = x - room->lo;
    else if (share > 0)
        allowed = 2 * std::min(x - room->lo, room->hi - x);
    double s = std::max(kSmallest, std::min(1.0, allowed / box.width));
    LabelBox fitted = shrunk(label, box, s, x);
    while (fitted.width > allowed && s > kSmallest) {
        s *= kStep;
        fitted = shrunk(label, box, s, x);
    }
    box = fitted;
}

void BoardFit::fitClock(const std::vector<Element*>& group, std::vector<LabelBox>& boxes) const
{
    double first = boxes.front().left;
    double last = boxes.front().right();
    for (const LabelBox& box : boxes) {
        first = std::min(first, box.left);
        last = std::max(last, box.right());
    }
    // The frame's margin as designed: as far in as the units end from its
    // right edge, but never more than one-digit minutes start (the tens of
    // seconds show how wide one digit is).
    const LabelBox& minutes = boxes.front();
    const double oneDigit = minutes.right() - boxes[2].width;
    const double margin = std::max(0.0, std::min(m_board.Frame1.width() - last, oneDigit));
    if (first >= margin)
        return;
    // Every anchor moves towards the units' right edge by the same share.
    std::vector<double> anchors;
    for (std::size_t i = 0; i < group.size(); ++i)
        anchors.push_back(boxes[i].left + anchorShare(*group[i]) * boxes[i].width);
    double s = std::max(kSmallest, (last - margin) / (last - first));
    std::vector<LabelBox> fitted(boxes.size());
    for (;; s *= kStep) {
        double start = last;
        for (std::size_t i = 0; i < group.size(); ++i) {
            fitted[i] = shrunk(*group[i], boxes[i], s, last + (anchors[i] - last) * s);
            start = std::min(start, fitted[i].left);
        }
        if (start >= margin || s <= kSmallest)
            break;
    }
    boxes = fitted;
}

BoardFit::Room BoardFit::nameRoom(const Element& label, const LabelBox& box) const
{
    Kubord2& b = m_board;
    const Element& half = &label == &b.akaName() ? b.Shape1 : b.Shape2;
    const double gap = box.height * kNameGap;
    LabelBox line = box;
    line.top -= gap;
    line.height += gap + box.height * kNameGapBelow;
    // Everything on the window along the name's line, shown or not (an "S"
    // may light up later), widened by the gap; frames stand for all they
    // hold. Not the KO count: while it shows it covers the top of the
    // board, names and field number alike, and leaves them whole after.
    const Element* count[] = {&b.shape4(21), &b.Frame4};
    std::vector<Room> taken;
    for (const Element* e : b.paintOrder()) {
        if (e == &b.Shape1 || e == &b.Shape2 || e->container() || b.isName(*e) || e == count[0] ||
            e == count[1] || !overlapsVertically(*e, line))
            continue;
        taken.push_back({e->left() - gap, rightOf(*e) + gap});
    }
    std::sort(taken.begin(), taken.end(), [](const Room& x, const Room& y) { return x.lo < y.lo; });
    Room best{half.left() + gap, half.left() + gap};
    double from = half.left() + gap;
    const double to = rightOf(half) - gap;
    auto consider = [&](double lo, double hi) {
        hi = std::min(hi, to);
        if (hi - lo > best.hi - best.lo)
            best = {lo, hi};
    };
    for (const Room& t : taken) {
        if (t.lo > from)
            consider(from, t.lo);
        from = std::max(from, t.hi);
    }
    consider(from, to);
    return best;
}

void BoardFit::fitName(const Element& label, LabelBox& box) const
{
    if (box.text.isEmpty())
        return;
    const Room room = nameRoom(label, box);
    const double allowed = std::max(0.0, room.hi - room.lo);
    const double centre = (room.lo + room.hi) / 2;
    LabelBox fitted = box;
    if (box.width > allowed) {
        double s = std::max(kNameSmallest, allowed / box.width);
        fitted = shrunk(label, box, s, centre);
        while (fitted.width > allowed && s > kNameSmallest) {
            s = std::max(kNameSmallest, s * kStep);
            fitted = shrunk(label, box, s, centre);
        }
        if (fitted.width > allowed) {
            fitted.text = cut(box.text, fitted.font, label.bold(), allowed);
            fitted.width = m_measure.textSize(fitted.text, fitted.font, label.bold()).width;
        }
    }
    fitted.left = centre - fitted.width / 2;
    box = fitted;
}

// The longest start of the text, ending in "...", no wider than `width`;
// a club in brackets at the end stays while the name keeps a few characters.
QString BoardFit::cut(const QString& text, double font, bool bold, double width) const
{
    QString name = text;
    QString tail;
    const qsizetype open = text.lastIndexOf(QStringLiteral(" ("));
    if (open > 0 && text.endsWith(u')')) {
        name = text.left(open);
        tail = text.mid(open);
    }
    std::vector<qsizetype> ends; // character boundaries of the name
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, name);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        ends.push_back(at);
    auto candidate = [&](std::size_t n, const QString& end) {
        return name.left(ends[n - 1]).trimmed() + kEllipsis + end;
    };
    auto fits = [&](const QString& t) { return m_measure.textSize(t, font, bold).width <= width; };
    for (const QString& end : {tail, QString()}) {
        const std::size_t least = end.isEmpty() ? 1 : std::min(kNameKept, ends.size());
        if (ends.empty() || !fits(candidate(least, end)))
            continue;
        // The widths grow with the characters kept: halve towards the most.
        std::size_t lo = least;
        std::size_t hi = ends.size();
        while (lo < hi) {
            const std::size_t mid = (lo + hi + 1) / 2;
            if (fits(candidate(mid, end)))
                lo = mid;
            else
                hi = mid - 1;
        }
        return candidate(lo, end);
    }
    return fits(kEllipsis) ? kEllipsis : QString();
}

} // namespace kestrane
