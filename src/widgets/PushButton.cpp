#include "widgets/PushButton.h"

#include "platform/ViewUnits.h"
#include "widgets/AccessibleNames.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace kestrane::view {

PushButton::PushButton(Element& element, QWidget* parent)
    : QAbstractButton(parent), m_binding(*this, element, [this](Property p) { changed(p); })
{
    setAttribute(Qt::WA_Hover);
    // Tab reaches it, a click does not: a later Space must not press it again.
    setFocusPolicy(Qt::TabFocus);
    setText(element.caption());
    setAccessibleName(accessibleNameFor(element));
    connect(this, &QAbstractButton::clicked, this, [this] { m_binding.element().click(); });
}

QSize PushButton::sizeHint() const
{
    return rectOf(m_binding.element()).size();
}

void PushButton::changed(Property p)
{
    if (p == Property::Caption) {
        setText(m_binding.element().caption());
        setAccessibleName(accessibleNameFor(m_binding.element()));
    }
    update();
}

bool PushButton::event(QEvent* e)
{
    // Hover changes the face colour: repaint on enter and leave.
    if (e->type() == QEvent::HoverEnter || e->type() == QEvent::HoverLeave)
        update();
    return QAbstractButton::event(e);
}

QColor PushButton::currentBackColour() const
{
    const Element& e = m_binding.element();
    if (isDown() && e.pressedColor() != Element::kNoColour)
        return toQColor(e.pressedColor());
    if (underMouse() && isEnabled() && e.hoverColor() != Element::kNoColour)
        return toQColor(e.hoverColor());
    return toQColor(e.backColor());
}

void PushButton::paintEvent(QPaintEvent*)
{
    const Element& e = m_binding.element();
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, currentBackColour());
    p.setPen(QPen(toQColor(e.borderColor()), 1));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1, Qt::DotLine));
        p.drawRect(r.adjusted(3, 3, -4, -4));
    }
    if (!e.picture().isEmpty())
        paintPicture(p, r.adjusted(2, 2, -2, -2));
    if (!text().isEmpty()) {
        p.setFont(font());
        p.setPen(isEnabled() ? toQColor(e.foreColor()) : QColor(0x80, 0x80, 0x80));
        // A pressed button's caption moves a pixel, as on a raised face.
        const QRect textRect = isDown() ? r.translated(1, 1) : r;
        p.drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, text());
    }
}

void PushButton::paintPicture(QPainter& p, const QRect& area) const
{
    const QString& picture = m_binding.element().picture();
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(area).center() + (isDown() ? QPointF(1, 1) : QPointF());
    if (picture == QLatin1String("arrow-up") || picture == QLatin1String("arrow-down")) {
        // An outlined arrow: a head over a shaft, drawn pointing up and
        // mirrored for down.
        const double h = std::min(area.height(), area.width() * 3 / 2) * 0.7;
        const double w = h * 0.75;
        const double dir = picture == QLatin1String("arrow-up") ? 1.0 : -1.0;
        const double top = -h / 2, head = -h / 2 + w / 2, bottom = h / 2;
        const double shaft = w * 0.2;
        QPolygonF arrow;
        arrow << QPointF(0, top) << QPointF(w / 2, head) << QPointF(shaft, head)
              << QPointF(shaft, bottom) << QPointF(-shaft, bottom) << QPointF(-shaft, head)
              << QPointF(-w / 2, head);
        for (QPointF& pt : arrow)
            pt = c + QPointF(pt.x(), pt.y() * dir);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x20, 0x20, 0x20), 1.6, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawPolygon(arrow);
    } else if (picture == QLatin1String("folder")) {
        // A small open folder: a tab, the back and a slanted front flap.
        const double w = 18, h = 13;
        const QPointF o = c - QPointF(w / 2, h / 2);
        QPainterPath back;
        back.moveTo(o + QPointF(0, 2));
        back.lineTo(o + QPointF(6, 2));
        back.lineTo(o + QPointF(7.5, 0));
        back.lineTo(o + QPointF(12, 0));
        back.lineTo(o + QPointF(13, 2));
        back.lineTo(o + QPointF(15, 2));
        back.lineTo(o + QPointF(15, h));
        back.lineTo(o + QPointF(0, h));
        back.closeSubpath();
        QPainterPath front;
        front.moveTo(o + QPointF(3, 5.5));
        front.lineTo(o + QPointF(w, 5.5));
        front.lineTo(o + QPointF(15, h));
        front.lineTo(o + QPointF(0, h));
        front.closeSubpath();
        p.setPen(QPen(QColor(0x6B, 0x4E, 0x10), 1));
        p.setBrush(QColor(0xE8, 0xB8, 0x3A));
        p.drawPath(back);
        p.setBrush(QColor(0xFA, 0xD8, 0x6C));
        p.drawPath(front);
    }
    p.restore();
}

} // namespace kestrane::view
