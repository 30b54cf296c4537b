#pragma once

#include "board/Kubord2.h"
#include "support/TestConsole.h"

#include <QtTest>

#include <cmath>

#ifdef QT_GUI_LIB // the pixel helpers, for the tests that link the views
#include "board/BoardRenderer.h"
#include "board/LabelMeasure.h"

#include <QPainter>
#endif

namespace kestrane::test {

using Screen = ScreenPort::Screen;

// A screen of w x h pixels at (x, y) with nothing docked on it.
inline Screen screenAt(int x, int y, int w, int h, bool primary = false)
{
    return {{x, y, w, h}, {x, y, w, h}, primary};
}

// The operator screen of 1280 x 800 and an audience screen of w x h right of it.
inline void useAudienceScreen(TestConsole& c, int w, int h)
{
    c.ports.screens.all = {screenAt(0, 0, 1280, 800, true), screenAt(1280, 0, w, h)};
}

// "1920x1080" as a size.
inline QSize sizeOf(const QString& text)
{
    return {text.section(u'x', 0, 0).toInt(), text.section(u'x', 1).toInt()};
}

// Opens the board from the console on an audience screen of `size`, with the
// scales "hsch vsch fsch", plain or mirrored, its texts measured by `measure`.
inline Kubord2& openBoard(TestConsole& c, QSize size, const QString& scales = "1 1 1",
                          int mirrored = 0, const TextMeasure* measure = nullptr)
{
    if (measure)
        c.k.boards.setTextMeasure(measure);
    useAudienceScreen(c, size.width(), size.height());
    const QStringList f = scales.split(u' ');
    c.s.hsch.setText(f[0]);
    c.s.vsch.setText(f[1]);
    c.s.fsch.setText(f[2]);
    c.s.Check23.setValue(mirrored);
    c.k.boardOpening.startbord();
    return c.k.boards.currentOrNewHidden();
}

// Values are kept in single precision: a few millionths of their size.
inline bool nearly(double actual, double expected)
{
    return std::abs(actual - expected) <= 1e-3 + 1e-6 * std::abs(expected);
}

#ifdef QT_GUI_LIB
inline bool near(const QColor& a, const QColor& b, int tolerance = 40)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// The pixels of the area `r` of a board, as its window paints them.
inline QImage paint(const Kubord2& b, const QRect& r)
{
    QImage image(r.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.translate(-r.topLeft());
    BoardRenderer().paint(p, b, r);
    return image;
}

// Where a label's text shows: the bounds of the pixels that change (by more
// than `tolerance` in a channel) with its colour, and the runs of ink columns.
inline std::pair<QRect, int> inkOf(Element& e, const Kubord2& b, const QRect& screen,
                                   int tolerance = 0)
{
    const QRect area = BoardRenderer().damage(e) & screen;
    const QImage before = paint(b, area);
    const Colour was = e.foreColor();
    e.setForeColor(was == 0x00FF00 ? 0xFF00FF : 0x00FF00);
    const QImage after = paint(b, area);
    e.setForeColor(was);
    QRect bounds;
    int runs = 0;
    bool inRun = false;
    for (int x = 0; x < area.width(); ++x) {
        bool column = false;
        for (int y = 0; y < area.height(); ++y) {
            if (!near(before.pixelColor(x, y), after.pixelColor(x, y), tolerance)) {
                column = true;
                bounds |= QRect(area.x() + x, area.y() + y, 1, 1);
            }
        }
        runs += column && !inRun ? 1 : 0;
        inRun = column;
    }
    return {bounds, runs};
}
#endif

} // namespace kestrane::test
