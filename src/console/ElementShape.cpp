#include "console/ElementShape.h"

#include "platform/ViewUnits.h"

#include <QPainter>

namespace kestrane::view {

ElementShape::ElementShape(Element& element, QWidget* parent)
    : QWidget(parent), m_binding(*this, element, [this](Property) { update(); })
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ElementShape::paintEvent(QPaintEvent*)
{
    const Element& e = m_binding.element();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int bw = e.borderWidth();
    const double inset = bw > 0 ? bw / 2.0 : 0.0;
    const QRectF r = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    p.setPen(bw > 0 ? QPen(toQColor(e.borderColor()), bw) : QPen(Qt::NoPen));
    p.setBrush(e.opaque() ? QBrush(toQColor(e.backColor())) : QBrush(Qt::NoBrush));
    switch (e.shape()) {
    case ShapeKind::RoundedRectangle: {
        // The corner radius of a rounded rectangle: a sixth of its short side.
        const double radius = std::min(r.width(), r.height()) / 6.0;
        p.drawRoundedRect(r, radius, radius);
        break;
    }
    case ShapeKind::Circle: {
        const double d = std::min(r.width(), r.height());
        p.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
        break;
    }
    default:
        if (bw == 0)
            p.setRenderHint(QPainter::Antialiasing, false);
        p.drawRect(r);
        break;
    }
}

} // namespace kestrane::view
