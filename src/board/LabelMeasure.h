#pragma once

#include "board/TextMeasure.h"

#include <QHash>

namespace kestrane {

// Measures board label texts with the font the renderer draws them in, so
// that auto-sized labels take the size of their text in the model.
class LabelMeasure final : public TextMeasure {
public:
    Size textSize(const QString& text, double points, bool bold) const override;

private:
    // Captions repeat (digits, letters): measure each text once per font.
    mutable QHash<QString, Size> m_cache;
};

} // namespace kestrane
