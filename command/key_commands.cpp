// Key sending commands: run by the desktop commands with this object's state.
#include "command/desktop/desktop_commands.h"
#include "command/macro_command.h"

int CMacroCommand::SendKeys()
{
    return RunDesktopCommand(desktop::SendKeys);
}

int CMacroCommand::SendKeysToWindow()
{
    return RunDesktopCommand(desktop::SendKeysToWindow);
}

int CMacroCommand::SendKeysFromFile()
{
    return RunDesktopCommand(desktop::SendKeysFromFile);
}
