// Task-control and system commands. This build does not carry them yet: each checks its
// parameter count as the keyword table gives it and then fails with a text
// naming the command, so a script never mistakes it for success.
#include "command/macro_command.h"

int CMacroCommand::SystemCommand()
{
    return FailNotAvailable();
}

int CMacroCommand::EnableTask()
{
    return FailNotAvailable();
}

int CMacroCommand::DisableTask()
{
    return FailNotAvailable();
}

int CMacroCommand::RunTask()
{
    return FailNotAvailable();
}

int CMacroCommand::ResetTaskTrigger()
{
    return FailNotAvailable();
}
