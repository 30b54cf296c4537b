#include "board/BoardOpening.h"

#include "console/Kumite2.h"

namespace kestrane {

void BoardOpening::wire()
{
}

void BoardOpening::startbord()
{
}

void BoardOpening::closeBoard()
{
}

void BoardOpening::Command12_Click()
{
}

void BoardOpening::screensChanged()
{
}

} // namespace kestrane
