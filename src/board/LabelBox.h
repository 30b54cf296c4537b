#pragma once

namespace kestrane {

// Where a board label stands and how big its text is drawn: twips in its
// container, font in points.
struct LabelBox {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double font = 0;

    double right() const { return left + width; }
};

} // namespace kestrane
