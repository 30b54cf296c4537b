#include "clock/ClockCorrections.h"

#include "console/Kumite2.h"

namespace kestrane {

void ClockCorrections::wire()
{
}

void ClockCorrections::tijdu_Click()
{
}

void ClockCorrections::tijdd_Click()
{
}

void ClockCorrections::zsec()
{
}

void ClockCorrections::extime()
{
}

} // namespace kestrane
