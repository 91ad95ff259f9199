// Program, process and window commands: run by the desktop commands with
// this object's state.
#include "command/desktop/desktop_commands.h"
#include "command/macro_command.h"

int CMacroCommand::RunProgram()
{
    return RunDesktopCommand(desktop::RunProgram);
}

int CMacroCommand::RunDOSCommand()
{
    return RunDesktopCommand(desktop::RunDOSCommand);
}

int CMacroCommand::WaitForProgram()
{
    return RunDesktopCommand(desktop::WaitForProgram);
}

int CMacroCommand::QuitProgram()
{
    return RunDesktopCommand(desktop::QuitProgram);
}

int CMacroCommand::SetActiveWindow()
{
    return RunDesktopCommand(desktop::SetActiveWindow);
}

int CMacroCommand::MaximizeWindow()
{
    return RunDesktopCommand(desktop::MaximizeWindow);
}

int CMacroCommand::MinimizeWindow()
{
    return RunDesktopCommand(desktop::MinimizeWindow);
}

int CMacroCommand::RestoreWindow()
{
    return RunDesktopCommand(desktop::RestoreWindow);
}

int CMacroCommand::CloseWindow()
{
    return RunDesktopCommand(desktop::CloseWindow);
}
