// The state a desktop command runs with, taken from the interpreter.
#include "command/desktop/desktop_commands.h"
#include "command/macro_command.h"

int CMacroCommand::RunDesktopCommand(DesktopCommand command)
{
    desktop::DesktopContext context(m_strLastError, m_hProcess);
    context.inputAnswer = &m_strInputAnswer;
    context.interactive = m_bInteractive;
    context.keyDelay = m_nKeyDelay;
    context.stopRequested = &m_bCancel;
    context.impersonating = m_bImpersonating;
    context.logonToken = m_hLogonToken;
    context.creationFlags = m_dwCreationFlags;
    context.environment = m_pEnvironment;
    context.runDesktopName = m_strRunDesktopName;
    return command(desktop::CommandArguments(m_parameters), context);
}
