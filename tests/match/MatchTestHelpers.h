#pragma once

#include "support/TestConsole.h"

namespace kestrane::test {

// "A", "S", "AS" or "": whose name blinks.
inline QString blinking(TestConsole& c)
{
    return QString(c.s.Timer3.enabled() ? "A" : "") + (c.s.Timer4.enabled() ? "S" : "");
}

} // namespace kestrane::test
