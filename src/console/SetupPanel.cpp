#include "console/SetupPanel.h"

#include "console/Kumite2.h"

namespace kestrane {

void SetupPanel::wire()
{
}

void SetupPanel::MyButton9_Click()
{
}

void SetupPanel::setu_Click()
{
}

void SetupPanel::MyButton5_Click()
{
}

void SetupPanel::MyButton8_Click()
{
}

int SetupPanel::digitFilter(int code)
{
    return code;
}

} // namespace kestrane
