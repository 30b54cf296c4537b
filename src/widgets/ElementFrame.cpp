#include "widgets/ElementFrame.h"

#include "platform/ViewUnits.h"
#include "widgets/AccessibleNames.h"

#include <QPainter>

namespace kestrane::view {

ElementFrame::ElementFrame(Element& element, QWidget* parent)
    : QWidget(parent), m_binding(*this, element, [this](Property) { update(); })
{
    setAccessibleName(accessibleNameFor(element));
}

void ElementFrame::paintEvent(QPaintEvent*)
{
    const Element& e = m_binding.element();
    QPainter p(this);
    if (e.opaque())
        p.fillRect(rect(), toQColor(e.backColor()));
    if (e.borderWidth() <= 0)
        return;
    const QFontMetrics fm(font());
    const int lineY = e.caption().isEmpty() ? 0 : fm.height() / 2;
    const QRect box = rect().adjusted(0, lineY, -2, -2);
    // Etched: a dark line with a light one beside it.
    p.setPen(QColor(0xA0, 0xA0, 0xA0));
    p.drawRect(box);
    p.setPen(Qt::white);
    p.drawRect(box.translated(1, 1));
    if (!e.caption().isEmpty()) {
        const int textWidth = fm.horizontalAdvance(e.caption());
        const QRect textRect(6, 0, textWidth + 4, fm.height());
        p.fillRect(textRect, toQColor(e.backColor()));
        p.setPen(toQColor(e.foreColor()));
        p.drawText(textRect, Qt::AlignCenter, e.caption());
    }
}

} // namespace kestrane::view
