// Key sending commands. This build does not carry them yet: each checks its
// parameter count as the keyword table gives it and then fails with a text
// naming the command, so a script never mistakes it for success.
#include "command/macro_command.h"

int CMacroCommand::SendKeys()
{
    return FailNotAvailable();
}

int CMacroCommand::SendKeysToWindow()
{
    return FailNotAvailable();
}

int CMacroCommand::SendKeysFromFile()
{
    return FailNotAvailable();
}
