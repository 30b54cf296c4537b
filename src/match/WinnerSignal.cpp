#include "match/WinnerSignal.h"

#include "console/Kumite2.h"

namespace kestrane {

void WinnerSignal::wire()
{
}

void WinnerSignal::eindstraf()
{
}

void WinnerSignal::eindstrafbl()
{
}

void WinnerSignal::eindstrafro()
{
}

void WinnerSignal::knipperuit()
{
}

void WinnerSignal::scoreknipper()
{
}

void WinnerSignal::eindgeluid()
{
}

void WinnerSignal::waargeluid()
{
}

void WinnerSignal::Timer3_Timer()
{
}

void WinnerSignal::Timer4_Timer()
{
}

void WinnerSignal::MyButton3_Click()
{
}

void WinnerSignal::MyButton4_Click()
{
}

} // namespace kestrane
