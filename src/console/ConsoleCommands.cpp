#include "console/ConsoleCommands.h"

#include "console/Kumite2.h"

namespace kestrane {

void ConsoleCommands::wire()
{
}

void ConsoleCommands::sluit_Click()
{
}

void ConsoleCommands::over_Click()
{
}

void ConsoleCommands::Command14_Click()
{
}

void ConsoleCommands::consoleClosing()
{
}

} // namespace kestrane
