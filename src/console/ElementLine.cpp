#include "console/ElementLine.h"

#include "platform/ViewUnits.h"

#include <QPainter>

namespace kestrane::view {

ElementLine::ElementLine(Element& element, QWidget* parent)
    : QWidget(parent), m_binding(*this, element, [this](Property p) {
          if (p == Property::Geometry)
              place();
          update();
      })
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
}

void ElementLine::place()
{
    const Element& e = m_binding.element();
    const int x1 = toPixels(e.left()), y1 = toPixels(e.top());
    const int x2 = toPixels(e.left() + e.width()), y2 = toPixels(e.top() + e.height());
    const int pen = std::max(1, e.borderWidth());
    setGeometry(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + pen,
                std::abs(y2 - y1) + pen);
}

void ElementLine::paintEvent(QPaintEvent*)
{
    const Element& e = m_binding.element();
    QPainter p(this);
    p.setPen(QPen(toQColor(e.borderColor()), std::max(1, e.borderWidth())));
    const int w = width() - 1, h = height() - 1;
    // The line keeps its direction inside its bounding box.
    const bool falling = (e.width() >= 0) == (e.height() >= 0);
    if (falling)
        p.drawLine(0, 0, w, h);
    else
        p.drawLine(0, h, w, 0);
}

} // namespace kestrane::view
