// Program, process and window commands. This build does not carry them yet: each checks its
// parameter count as the keyword table gives it and then fails with a text
// naming the command, so a script never mistakes it for success.
#include "command/macro_command.h"

int CMacroCommand::RunProgram()
{
    return FailNotAvailable();
}

int CMacroCommand::RunDOSCommand()
{
    return FailNotAvailable();
}

int CMacroCommand::WaitForProgram()
{
    return FailNotAvailable();
}

int CMacroCommand::QuitProgram()
{
    return FailNotAvailable();
}

int CMacroCommand::SetActiveWindow()
{
    return FailNotAvailable();
}

int CMacroCommand::MaximizeWindow()
{
    return FailNotAvailable();
}

int CMacroCommand::MinimizeWindow()
{
    return FailNotAvailable();
}

int CMacroCommand::RestoreWindow()
{
    return FailNotAvailable();
}

int CMacroCommand::CloseWindow()
{
    return FailNotAvailable();
}
