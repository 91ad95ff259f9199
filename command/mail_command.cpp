// The mail command. This build does not carry them yet: each checks its
// parameter count as the keyword table gives it and then fails with a text
// naming the command, so a script never mistakes it for success.
#include "command/macro_command.h"

int CMacroCommand::SendEMail()
{
    return FailNotAvailable();
}
