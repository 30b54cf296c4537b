#include "board/BoardSync.h"

#include "console/Kumite2.h"

namespace kestrane {

void BoardSync::wire()
{
}

void BoardSync::laaddata()
{
}

void BoardSync::bordspiegel()
{
}

void BoardSync::Check23_Click()
{
}

} // namespace kestrane
