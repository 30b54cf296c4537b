#pragma once

#include <cmath>

namespace kestrane {

// Positions and sizes are kept in twips: 1440 to the inch, so 15 to a
// logical pixel at 96 dots per inch. The model and the views convert
// through this one constant.
constexpr double kTwipsPerPixel = 15.0;

// The nearest whole logical pixel.
inline int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline double toTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

} // namespace kestrane
