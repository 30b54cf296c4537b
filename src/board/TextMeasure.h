#pragma once

#include <QString>

namespace kestrane {

// Measures the text of a board label in its font, so that an auto-sized
// label can take the size of its text. The model cannot measure fonts
// itself; the views hand in an implementation. Sizes are twips.
class TextMeasure {
public:
    struct Size {
        double width = 0;
        double height = 0;
    };

    virtual ~TextMeasure() = default;
    virtual Size textSize(const QString& text, double points, bool bold) const = 0;
};

} // namespace kestrane
