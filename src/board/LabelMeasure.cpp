#include "board/LabelMeasure.h"

#include "board/BoardRenderer.h"
#include "core/Twips.h"

#include <QFontMetricsF>

namespace kestrane {

TextMeasure::Size LabelMeasure::textSize(const QString& text, double points, bool bold) const
{
    const QString key = QStringLiteral("%1|%2|").arg(points, 0, 'g', 17).arg(bold ? 1 : 0) + text;
    if (const auto it = m_cache.constFind(key); it != m_cache.constEnd())
        return *it;
    // Measured at scale 1: the model's twips are 15 to a pixel there.
    const QFontMetricsF fm(BoardRenderer::labelFont(points, bold, 1.0));
    const double t = kTwipsPerPixel;
    const Size size{fm.horizontalAdvance(text) * t, fm.height() * t};
    if (m_cache.size() > 4096)
        m_cache.clear();
    m_cache.insert(key, size);
    return size;
}

} // namespace kestrane
