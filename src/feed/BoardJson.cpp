#include "feed/BoardJson.h"

#include "board/BoardRenderer.h"
#include "board/Kubord2.h"
#include "platform/ViewUnits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kestrane {

namespace {

QString colour(Colour c)
{
    return view::toQColor(c).name();
}

QString kindName(ElementKind k)
{
    switch (k) {
    case ElementKind::Label:
        return QStringLiteral("label");
    case ElementKind::Frame:
        return QStringLiteral("frame");
    default:
        return QStringLiteral("shape");
    }
}

QString shapeName(ShapeKind k)
{
    switch (k) {
    case ShapeKind::Circle:
        return QStringLiteral("circle");
    case ShapeKind::RoundedRectangle:
        return QStringLiteral("rounded");
    case ShapeKind::Rectangle:
        break;
    }
    return QStringLiteral("rectangle");
}

QString alignName(Alignment a)
{
    switch (a) {
    case Alignment::Centre:
        return QStringLiteral("centre");
    case Alignment::Right:
        return QStringLiteral("right");
    case Alignment::Left:
        break;
    }
    return QStringLiteral("left");
}

} // namespace

QByteArray BoardJson::toJson(const Kubord2& board, bool pixels, int widthPx, int heightPx,
                             bool boardShown)
{
    const BoardRenderer renderer(1.0);
    QJsonArray elements;
    for (const Element* e : board.paintOrder()) {
        QJsonObject o;
        o.insert(QStringLiteral("name"), e->displayName());
        o.insert(QStringLiteral("kind"), kindName(e->kind()));
        if (e->container())
            o.insert(QStringLiteral("in"), e->container()->displayName());
        o.insert(QStringLiteral("visible"), e->visible());
        if (pixels) {
            const QRect r = renderer.box(*e);
            o.insert(QStringLiteral("x"), r.x());
            o.insert(QStringLiteral("y"), r.y());
            o.insert(QStringLiteral("w"), r.width());
            o.insert(QStringLiteral("h"), r.height());
        } else {
            o.insert(QStringLiteral("x"), e->left());
            o.insert(QStringLiteral("y"), e->top());
            o.insert(QStringLiteral("w"), e->width());
            o.insert(QStringLiteral("h"), e->height());
        }
        o.insert(QStringLiteral("back"), colour(e->backColor()));
        o.insert(QStringLiteral("opaque"), e->opaque());
        if (e->kind() == ElementKind::Label) {
            o.insert(QStringLiteral("caption"), e->caption());
            o.insert(QStringLiteral("color"), colour(e->foreColor()));
            o.insert(QStringLiteral("font"),
                     pixels ? BoardRenderer::fontPixels(e->fontSize(), 1.0) : e->fontSize());
            o.insert(QStringLiteral("bold"), e->bold());
            o.insert(QStringLiteral("align"), alignName(e->alignment()));
        } else if (e->kind() == ElementKind::Shape) {
            const double border = BoardRenderer::borderPixels(*e, 1.0);
            o.insert(QStringLiteral("shape"), shapeName(e->shape()));
            o.insert(QStringLiteral("border"), colour(e->borderColor()));
            o.insert(QStringLiteral("borderWidth"), border);
            if (pixels && e->shape() == ShapeKind::RoundedRectangle)
                o.insert(QStringLiteral("radius"),
                         BoardRenderer::cornerRadius(QRectF(renderer.box(*e)), border));
        }
        elements.append(o);
    }
    QJsonObject root;
    root.insert(QStringLiteral("unit"), pixels ? QStringLiteral("px") : QStringLiteral("twip"));
    root.insert(QStringLiteral("width"), pixels ? widthPx : Kubord2::kDesignWidth);
    root.insert(QStringLiteral("height"), pixels ? heightPx : Kubord2::kDesignHeight);
    root.insert(QStringLiteral("shown"), boardShown);
    root.insert(QStringLiteral("back"), colour(board.Form.backColor()));
    root.insert(QStringLiteral("elements"), elements);
    // Always there, empty strings when nobody is named: a reader tells "no
    // names" from an older program by its presence.
    auto side = [](const Competitor& c) {
        return QJsonObject{{QStringLiteral("name"), c.name}, {QStringLiteral("club"), c.club}};
    };
    root.insert(QStringLiteral("competitors"),
                QJsonObject{{QStringLiteral("aka"), side(board.akaCompetitor())},
                            {QStringLiteral("shiro"), side(board.shiroCompetitor())}});
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

} // namespace kestrane
