#include "clock/MatchReset.h"

#include "console/Kumite2.h"

namespace kestrane {

void MatchReset::wire()
{
}

void MatchReset::reset()
{
}

} // namespace kestrane
