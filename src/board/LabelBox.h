#pragma once

#include <QString>

namespace kestrane {

// Where a board label stands, how big its text is drawn and what of it:
// twips in its container, font in points. The text is the label's own, or
// the part of it that fits its room.
struct LabelBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double font = 0;
    QString text;

    double right() const { return left + width; }
};

} // namespace kestrane
