#include "console/StartUp.h"

#include "console/Kumite2.h"

namespace kestrane {

void StartUp::wire()
{
}

void StartUp::Form_Load()
{
}

void StartUp::MyButton7_Click()
{
}

} // namespace kestrane
