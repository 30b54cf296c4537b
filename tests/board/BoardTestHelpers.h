#pragma once

#include "board/Kubord2.h"
#include "support/TestConsole.h"

#include <QtTest>

#include <cmath>

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

// Values are kept in single precision: a few millionths of their size.
inline bool nearly(double actual, double expected)
{
    return std::abs(actual - expected) <= 1e-3 + 1e-6 * std::abs(expected);
}

} // namespace kestrane::test
