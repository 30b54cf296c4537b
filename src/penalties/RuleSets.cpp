#include "penalties/RuleSets.h"

#include "console/Kumite2.h"

namespace kestrane {

void RuleSets::wire()
{
}

void RuleSets::wukf()
{
}

void RuleSets::geenwukf()
{
}

void RuleSets::Check26_Click()
{
}

} // namespace kestrane
