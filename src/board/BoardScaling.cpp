#include "board/BoardScaling.h"

#include "board/Kubord2.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrane {

namespace {

constexpr double kFloatMax = std::numeric_limits<float>::max();

double saturate(double v)
{
    if (std::isnan(v))
        return 0;
    return std::clamp(v, -kFloatMax, kFloatMax);
}

void scaleLeft(Element& e, double f)
{
    e.setLeft(BoardScaling::scaled(e.left(), f));
}

void scaleTop(Element& e, double f)
{
    e.setTop(BoardScaling::scaled(e.top(), f));
}

void scaleBox(Element& e, double h, double v)
{
    e.setLeft(BoardScaling::scaled(e.left(), h));
    e.setTop(BoardScaling::scaled(e.top(), v));
    e.setWidth(BoardScaling::scaled(e.width(), h));
    e.setHeight(BoardScaling::scaled(e.height(), v));
}

// Labels size themselves to their text: only place and font change.
void scaleLabel(Element& e, double h, double v, double font)
{
    e.setLeft(BoardScaling::scaled(e.left(), h));
    e.setTop(BoardScaling::scaled(e.top(), v));
    e.setFontSize(BoardScaling::scaledFont(e.fontSize(), font));
}

} // namespace

BoardScaling::Factors BoardScaling::factors(double W, double H, double hsch, double vsch,
                                            double fsch)
{
    Factors f;
    f.ratio = W / H;
    f.horizontal = saturate(W / (hsch * Kubord2::kDesignWidth));
    f.font = saturate(W / (fsch * Kubord2::kDesignWidth));
    f.vertical = saturate(H / (vsch * Kubord2::kDesignHeight));
    f.across = saturate(W / Kubord2::kDesignWidth);
    f.down = saturate(H / Kubord2::kDesignHeight);
    return f;
}

float BoardScaling::scaled(double value, double factor)
{
    return static_cast<float>(saturate(value * factor));
}

float BoardScaling::scaledFont(double points, double factor)
{
    const double size = saturate(static_cast<double>(scaled(points, factor)));
    return static_cast<float>(std::clamp(size, kMinFontSize, kMaxFontSize));
}

void BoardScaling::apply(Kubord2& b, const Factors& f)
{
    const double h = f.horizontal;
    const double v = f.vertical;
    const bool narrow = f.ratio < kNarrowRatio;
    // The labels' own places and fonts are scaled; fitted anew at the end.
    b.setFitting(false);

    // 1. The half backgrounds fill the board whatever the corrections.
    for (Element* e : {&b.Shape1, &b.Shape2}) {
        scaleLeft(*e, f.across);
        e->setWidth(scaled(e->width(), f.across));
        e->setHeight(scaled(e->height(), f.down));
    }
    // 2. The line around the clock.
    scaleBox(b.Shape3, h, v);
    // 3. The clock digits, 4. the scores.
    for (Element* e : {&b.Label5, &b.Label6, &b.Label8, &b.Label7})
        scaleLabel(*e, h, v, f.font);
    for (Element* e : {&b.scww, &b.scwi, &b.scrw, &b.scri})
        scaleLabel(*e, h, v, f.font);
    // The names' fonts follow the width, like the numbers: on a narrow
    // screen their line keeps room for a name.
    for (Element* e : {&b.akaName(), &b.shiroName()})
        scaleLabel(*e, h, v, f.font);
    // 5. The clock frame and the two penalty frames, 6. the field-number box.
    for (Element* e : {&b.Frame1, &b.Frame5, &b.Frame6})
        scaleBox(*e, h, v);
    scaleBox(b.Shape5, h, v);
    // 7. The field number sits lower on a narrow screen, clear of "Tatami".
    scaleLeft(b.Label4, h);
    scaleTop(b.Label4, narrow ? v * 2 : v);
    b.Label4.setFontSize(scaledFont(b.Label4.fontSize(), f.font));
    // 8. The Label1 items follow the vertical factor for their fonts too.
    for (int i = 0; i < Kubord2::kLabelCount; ++i)
        scaleLabel(b.label1(i), h, v, v);
    // 9. The KO frame keeps its Top below the canvas until the KO count
    // places it.
    scaleLeft(b.Frame4, h);
    b.Frame4.setWidth(scaled(b.Frame4.width(), h));
    b.Frame4.setHeight(scaled(b.Frame4.height(), v));
    // 10. Narrow screens: the names and the KO digits move in, the clock
    // digits come down into their frame, the scores a little lower.
    if (narrow) {
        scaleLeft(b.label1(13), 0.96);
        scaleLeft(b.label1(12), 0.9);
        for (Element* e : {&b.Label5, &b.Label6, &b.Label7, &b.Label8})
            scaleTop(*e, -0.5);
        scaleLeft(b.label1(14), 0.1);
        for (Element* e : {&b.scri, &b.scrw, &b.scwi, &b.scww})
            scaleTop(*e, 1.1);
    }
    // 11. Every lamp, bar and circle.
    for (int i = 0; i < Kubord2::kShapeCount; ++i)
        scaleBox(b.shape4(i), h, v);
    // 12. The KO background gets its own place whatever its design Top.
    b.shape4(21).setTop(scaled(4560, v));
    b.setFitting(true);
}

} // namespace kestrane
