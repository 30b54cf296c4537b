#include "platform/ViewUnits.h"

#include <cmath>

namespace kestrane::view {

QColor toQColor(Colour c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

QFont fontFor(double points, bool bold)
{
    // Liberation Sans stands in for Arial through fontconfig.
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 4.0 / 3.0))));
    f.setBold(bold);
    return f;
}

QFont fontOf(const Element& e)
{
    return fontFor(e.fontSize(), e.bold());
}

QRect rectOf(const Element& e)
{
    return QRect(toPixels(e.left()), toPixels(e.top()), toPixels(e.width()), toPixels(e.height()));
}

} // namespace kestrane::view
