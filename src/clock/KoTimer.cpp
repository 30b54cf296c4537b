#include "clock/KoTimer.h"

#include "console/Kumite2.h"

namespace kestrane {

void KoTimer::wire()
{
}

void KoTimer::ko()
{
}

void KoTimer::Timer2_Timer()
{
}

void KoTimer::Command15_Click()
{
}

double KoTimer::factorF() const
{
    return 0.0;
}

} // namespace kestrane
