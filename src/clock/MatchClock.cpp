#include "clock/MatchClock.h"

#include "console/Kumite2.h"

namespace kestrane {

void MatchClock::wire()
{
}

void MatchClock::starten()
{
}

void MatchClock::stoppen()
{
}

void MatchClock::resett()
{
}

void MatchClock::Timer1_Timer()
{
}

void MatchClock::Command3_Click()
{
}

void MatchClock::Command4_Click()
{
}

void MatchClock::clockStep()
{
}

void MatchClock::Form_KeyPress(int code)
{
    (void)code;
}

} // namespace kestrane
