#include "console/ConsoleLayout.h"

#include "match/MatchState.h"

namespace kestrane::ConsoleLayout {

void apply(MatchState& state)
{
    (void)state;
}

} // namespace kestrane::ConsoleLayout
