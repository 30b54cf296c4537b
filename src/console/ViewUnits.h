#pragma once

#include "core/Element.h"

#include <QColor>
#include <QFont>
#include <QRect>

namespace kestrane::view {

// The one place where model units become screen units: 15 twips to a
// logical pixel, fonts at points x 4/3 pixels (so the layout does not
// depend on the screen's DPI setting), colours from 0x00BBGGRR.
constexpr double kTwipsPerPixel = 15.0;

int toPixels(double twips);
double toTwips(int pixels);
QColor toQColor(Colour c);
QFont fontFor(double points, bool bold);
QFont fontOf(const Element& e);
// The element's rectangle in its container, in pixels.
QRect rectOf(const Element& e);

} // namespace kestrane::view
