#pragma once

#include "board/Kubord2.h"
#include "core/Twips.h"

#include <QFont>
#include <QRect>

class QPainter;

namespace kestrane {

// Paints a board model with a QPainter: onto the board window, or into a
// QImage for tests and benchmarks. Twips become pixels at kTwipsPerPixel
// times the renderer's scale, rounded to whole pixels edge by edge, so that
// neighbouring boxes meet without gaps. Fonts are drawn at a pixel size of
// points x 4/3 times the scale, whatever the screen's DPI. The scale also
// multiplies border widths: scale 1.8 draws the design board at 1920 x 1080
// as if the whole picture were enlarged.
class BoardRenderer {
public:
    explicit BoardRenderer(double scale = 1.0) : m_scale(scale) {}
    double scale() const { return m_scale; }
    void setScale(double scale) { m_scale = scale; }

    // Paints the part `area` (pixels) of the board: the window's background,
    // then every visible element back to front, each frame's children
    // clipped to the frame.
    void paint(QPainter& painter, const Kubord2& board, const QRect& area) const;

    // An element's box in pixels, relative to the window (a frame's child is
    // offset by its frame).
    QRect box(const Element& e) const;
    // The pixels a change of the element may touch, whether it is shown or
    // not: its box plus what its text may overhang, clipped to its frame.
    QRect damage(const Element& e) const;

    // The font of a board label at this scale, and its pixel size.
    static QFont labelFont(double points, bool bold, double scale);
    static int fontPixels(double points, double scale);
    // A shape's border width in pixels at this scale (0: none), and the
    // corner radius of a rounded rectangle drawn in `outer` with it.
    static double borderPixels(const Element& e, double scale);
    static double cornerRadius(const QRectF& outer, double border);

private:
    int px(double twips) const;
    void paintShape(QPainter& painter, const Element& e, const QRect& r) const;
    void paintLabel(QPainter& painter, const Element& e, const QRect& r) const;
    QRectF textRect(const Element& e, const QRect& r) const;

    double m_scale;
};

} // namespace kestrane
