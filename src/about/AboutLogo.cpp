#include "about/AboutLogo.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace kestrane::view {

AboutLogo::AboutLogo(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    setAccessibleName(QStringLiteral("Orvane logo"));
}

QImage AboutLogo::picture()
{
    QImage img(120, 120, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(6, 6, 108, 108);
    // Left half Shiro's grey, right half Aka's red, in a navy ring.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE0, 0xE0, 0xE0));
    p.drawPie(disc, 90 * 16, 180 * 16);
    p.setBrush(QColor(0xC0, 0x00, 0x00));
    p.drawPie(disc, -90 * 16, 180 * 16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x00, 0x00, 0x40), 6));
    p.drawEllipse(disc);
    // A bold "K" standing on a belt line across the middle.
    p.setPen(QPen(QColor(0x00, 0x00, 0x40), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(22, 86), QPointF(98, 86));
    QPainterPath k;
    k.moveTo(44, 30);
    k.lineTo(44, 78);
    k.moveTo(78, 30);
    k.lineTo(48, 56);
    k.lineTo(80, 78);
    p.setPen(QPen(Qt::white, 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(k);
    p.setPen(QPen(QColor(0x00, 0x00, 0x40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(k);
    return img;
}

void AboutLogo::paintEvent(QPaintEvent*)
{
    static const QImage img = picture();
    QPainter p(this);
    p.drawImage(QPoint((width() - img.width()) / 2, (height() - img.height()) / 2), img);
}

} // namespace kestrane::view
