#include "board/SideSwap.h"

#include "console/Kumite2.h"

namespace kestrane {

void SideSwap::wire()
{
}

void SideSwap::varkospiegel()
{
}

void SideSwap::varkoonspiegel()
{
}

void SideSwap::Check24_Click()
{
}

} // namespace kestrane
