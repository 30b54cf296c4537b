#include "board/BoardRenderer.h"

#include "platform/ViewUnits.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kestrane {

namespace {

// The corner of a rounded rectangle, as a share of its shorter side.
constexpr double kCornerShare = 1.0 / 6.0;

int alignmentFlags(Alignment a)
{
    switch (a) {
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QPen borderPen(const Element& e, double width)
{
    QPen pen(view::toQColor(e.borderColor()), width);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace

QFont BoardRenderer::labelFont(double points, bool bold, double scale)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(fontPixels(points, scale));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

int BoardRenderer::fontPixels(double points, double scale)
{
    return std::max(1, static_cast<int>(std::lround(points * 4.0 / 3.0 * scale)));
}

double BoardRenderer::borderPixels(const Element& e, double scale)
{
    return e.borderWidth() > 0 ? std::max(1.0, std::round(e.borderWidth() * scale)) : 0.0;
}

double BoardRenderer::cornerRadius(const QRectF& outer, double border)
{
    return std::max(0.0, std::min(outer.width(), outer.height()) * kCornerShare - border / 2);
}

int BoardRenderer::px(double twips) const
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel * m_scale));
}

QRect BoardRenderer::box(const Element& e) const
{
    double left = e.left();
    double top = e.top();
    if (const Element* c = e.container()) {
        left += c->left();
        top += c->top();
    }
    const int x0 = px(left);
    const int y0 = px(top);
    return QRect(x0, y0, px(left + e.width()) - x0, px(top + e.height()) - y0);
}

QRectF BoardRenderer::textRect(const Element& e, const QRect& r) const
{
    const QFontMetricsF fm(labelFont(e.fontSize(), e.bold(), m_scale));
    return fm.boundingRect(
        QRectF(r), alignmentFlags(e.alignment()) | Qt::AlignTop | Qt::TextDontClip, e.caption());
}

QRect BoardRenderer::damage(const Element& e) const
{
    QRect r = box(e);
    if (e.kind() == ElementKind::Label) {
        // Glyphs may reach a little past their advance, and an unmeasured
        // label's text past its box.
        const int margin = std::max(2, r.height() / 8);
        r = r.united(textRect(e, r).toAlignedRect()).adjusted(-margin, 0, margin, 0);
    } else {
        r.adjust(-1, -1, 1, 1); // antialiased edges
    }
    if (const Element* c = e.container())
        r &= box(*c);
    return r;
}

void BoardRenderer::paint(QPainter& painter, const Kubord2& board, const QRect& area) const
{
    painter.save();
    painter.setClipRect(area);
    painter.fillRect(area, view::toQColor(board.Form.backColor()));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    const Element* clippedTo = nullptr;
    for (const Element* e : board.paintOrder()) {
        const Element* frame = e->container();
        if (!e->visible() || (frame && !frame->visible()))
            continue;
        const QRect r = box(*e);
        if (frame != clippedTo) {
            painter.setClipRect(area);
            if (frame)
                painter.setClipRect(box(*frame), Qt::IntersectClip);
            clippedTo = frame;
        }
        // A cheap cull first: labels may overhang their box a little.
        const int slack = e->kind() == ElementKind::Label ? r.height() : 2;
        if (!r.adjusted(-slack, -2, slack, 2).intersects(area))
            continue;
        switch (e->kind()) {
        case ElementKind::Frame:
            painter.fillRect(r, view::toQColor(e->backColor()));
            break;
        case ElementKind::Shape:
            paintShape(painter, *e, r);
            break;
        case ElementKind::Label:
            paintLabel(painter, *e, r);
            break;
        default:
            break;
        }
    }
    painter.restore();
}

void BoardRenderer::paintShape(QPainter& painter, const Element& e, const QRect& r) const
{
    // Borders lie inside the box, as wide as the border width in pixels.
    const double border = borderPixels(e, m_scale);
    QRectF outer(r);
    if (e.shape() == ShapeKind::Circle) {
        // The largest circle that fits, centred in the box.
        const double d = std::min(outer.width(), outer.height());
        outer = QRectF(outer.center().x() - d / 2, outer.center().y() - d / 2, d, d);
    }
    const QRectF inner = outer.adjusted(border / 2, border / 2, -border / 2, -border / 2);
    painter.setPen(border > 0 ? borderPen(e, border) : QPen(Qt::NoPen));
    painter.setBrush(e.opaque() ? QBrush(view::toQColor(e.backColor())) : QBrush(Qt::NoBrush));
    const QRectF& shapeRect = border > 0 ? inner : outer;
    switch (e.shape()) {
    case ShapeKind::Rectangle:
        if (border > 0) {
            painter.drawRect(shapeRect);
        } else if (e.opaque()) {
            // Crisp edges: no antialiasing needed on whole pixels.
            painter.fillRect(r, view::toQColor(e.backColor()));
        }
        break;
    case ShapeKind::RoundedRectangle: {
        const double radius = cornerRadius(outer, border);
        painter.drawRoundedRect(shapeRect, radius, radius);
        break;
    }
    case ShapeKind::Circle:
        painter.drawEllipse(shapeRect);
        break;
    }
}

void BoardRenderer::paintLabel(QPainter& painter, const Element& e, const QRect& r) const
{
    // A transparent label draws only its text; its stored back colour is
    // never drawn.
    if (e.opaque())
        painter.fillRect(r, view::toQColor(e.backColor()));
    if (e.caption().isEmpty())
        return;
    painter.setFont(labelFont(e.fontSize(), e.bold(), m_scale));
    painter.setPen(view::toQColor(e.foreColor()));
    int flags = alignmentFlags(e.alignment()) | Qt::AlignTop;
    // An auto-sized label's box is its text's; draw all of the text even
    // where the measure and the stored box disagree by a pixel.
    if (e.autoSize())
        flags |= Qt::TextDontClip;
    painter.drawText(QRectF(r), flags, e.caption());
}

} // namespace kestrane
