#pragma once

#include "core/Element.h"
#include "core/Twips.h"

#include <QColor>
#include <QFont>
#include <QRect>

namespace kestrane::view {

// Model units as widgets need them: twips through kTwipsPerPixel (core),
// fonts at points x 4/3 pixels (so the layout does not depend on the
// screen's DPI setting), colours from 0x00BBGGRR.
using kestrane::toPixels;
using kestrane::toTwips;

QColor toQColor(Colour c);
QFont fontFor(double points, bool bold);
QFont fontOf(const Element& e);
// The element's rectangle in its container, in pixels.
QRect rectOf(const Element& e);

} // namespace kestrane::view
