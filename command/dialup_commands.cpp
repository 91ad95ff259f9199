// Dial-up commands. Both depend on the remote-access library, whose presence
// is checked before the parameter count; past that, this build does not carry
// them yet and fails with a text naming the command.
#include "command/command_texts.h"
#include "command/macro_command.h"

int CMacroCommand::DialUpConnect()
{
    if (!m_bDialUpAvailable)
        return SetErrorText(command_text::kDialUpNotAvailable);
    return FailNotAvailable();
}

int CMacroCommand::DialUpDisConnect()
{
    if (!m_bDialUpAvailable)
        return SetErrorText(command_text::kDialUpNotAvailable);
    return FailNotAvailable();
}
