#pragma once

#include "board/LabelBox.h"
#include "core/Element.h"

#include <optional>
#include <vector>

namespace kestrane {

class Kubord2;
class TextMeasure;

// The rooms of the board's numbers, and the rule that fits a number into its
// room: where the text at its own font does not fit, the font shrinks just
// enough for it to fit, the label keeping its anchor (its centre, or the
// edge it is aligned to) and its vertical centre.
//  - a score stays inside its half of the board, clear of the "IP" and "WA"
//    captions beside it;
//  - the field number stays inside its white box;
//  - the clock's four labels (minutes, ":", tens, units) shrink together,
//    towards the units' right edge, until the minutes start as far inside
//    the clock frame as the units end from its right edge (or as one-digit
//    minutes start, if that is less);
//  - a competitor's name stays in its own half, on the widest stretch of
//    its line that no other element touches, centred there. Where it does
//    not fit, it shrinks down to half its font; where that is not enough
//    the name is cut short and ends in "...", a club in brackets kept whole
//    while the name keeps a few characters.
class BoardFit {
public:
    BoardFit(Kubord2& board, const TextMeasure& measure) : m_board(board), m_measure(measure) {}

    // Where a label's anchor lies along its text: 0 left, 0.5 centre, 1
    // right, as it is aligned. The minutes, left of the ":", are anchored at
    // their right edge whatever their alignment: ten minutes and more grow
    // leftwards.
    double anchorShare(const Element& label) const;

    // The labels placed together with this one: the clock's four, or itself.
    std::vector<Element*> groupOf(Element& label) const;

    // Shrinks the boxes (the group's texts at their own fonts) that do not
    // fit their room, when the value is longer than one digit (the minutes,
    // for the clock).
    void fit(const std::vector<Element*>& group, std::vector<LabelBox>& boxes) const;

private:
    struct Room {
        double lo;
        double hi;
    };
    std::optional<Room> roomOf(const Element& label, const LabelBox& box) const;
    // The label's text at its font times s, its anchor at x.
    LabelBox shrunk(const Element& label, const LabelBox& natural, double s, double x) const;
    void fitOne(const Element& label, LabelBox& box) const;
    void fitClock(const std::vector<Element*>& group, std::vector<LabelBox>& boxes) const;
    Room nameRoom(const Element& label, const LabelBox& box) const;
    void fitName(const Element& label, LabelBox& box) const;
    QString cut(const QString& text, double font, bool bold, double width) const;

    Kubord2& m_board;
    const TextMeasure& m_measure;
};

} // namespace kestrane
