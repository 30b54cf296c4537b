#include "penalties/PenaltyPanel.h"

#include "console/Kumite2.h"

namespace kestrane {

void PenaltyPanel::wire()
{
}

void PenaltyPanel::checkChanged(int n)
{
    (void)n;
}

} // namespace kestrane
