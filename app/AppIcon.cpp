#include "AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kestrane {

// A dark scoreboard with Aka's red and Shiro's grey score plates, a dot for
// a score on each and the clock bar above them; plain shapes so that it
// still reads at 16 pixels.
QImage AppIcon::image(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0); // drawn on a 64 x 64 grid

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1b, 0x2a, 0x41));
    p.drawRoundedRect(QRectF(3, 3, 58, 58), 11, 11);

    p.setBrush(QColor(0xff, 0xc8, 0x1e));
    p.drawRoundedRect(QRectF(19, 9, 26, 9), 3, 3);

    p.setBrush(QColor(0xc0, 0x00, 0x00));
    p.drawRoundedRect(QRectF(8, 23, 22, 32), 4, 4);
    p.setBrush(QColor(0xe0, 0xe0, 0xe0));
    p.drawRoundedRect(QRectF(34, 23, 22, 32), 4, 4);

    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(19, 39), 6, 6);
    p.setBrush(QColor(0x00, 0x00, 0x40));
    p.drawEllipse(QPointF(45, 39), 6, 6);
    return img;
}

QIcon AppIcon::icon()
{
    QIcon icon;
    for (int size : sizes())
        icon.addPixmap(QPixmap::fromImage(image(size)));
    return icon;
}

const QList<int>& AppIcon::sizes()
{
    static const QList<int> all{16, 22, 24, 32, 48, 64, 128, 256};
    return all;
}

} // namespace kestrane
