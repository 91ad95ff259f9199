// Message, prompt, delay and log commands: run by the desktop commands with
// this object's state.
#include "command/desktop/desktop_commands.h"
#include "command/macro_command.h"

int CMacroCommand::DisplayMessage()
{
    return RunDesktopCommand(desktop::DisplayMessage);
}

int CMacroCommand::InputBox()
{
    return RunDesktopCommand(desktop::InputBox);
}

int CMacroCommand::MessageBox()
{
    return RunDesktopCommand(desktop::MessageBox);
}

int CMacroCommand::Delay()
{
    return RunDesktopCommand(desktop::Delay);
}

int CMacroCommand::LogToFile()
{
    return RunDesktopCommand(desktop::LogToFile);
}
