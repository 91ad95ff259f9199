// Message, prompt, delay and log commands. This build does not carry them yet: each checks its
// parameter count as the keyword table gives it and then fails with a text
// naming the command, so a script never mistakes it for success.
#include "command/macro_command.h"

int CMacroCommand::DisplayMessage()
{
    return FailNotAvailable();
}

int CMacroCommand::InputBox()
{
    return FailNotAvailable();
}

int CMacroCommand::MessageBox()
{
    return FailNotAvailable();
}

int CMacroCommand::Delay()
{
    return FailNotAvailable();
}

int CMacroCommand::LogToFile()
{
    return FailNotAvailable();
}
