// Dial-up commands. Both depend on the remote-access library, whose presence
// the dial-up state checked when this command object was made.
#include "command/macro_command.h"

int CMacroCommand::DialUpConnect()
{
    return m_dialUp.DialUpConnect(m_parameters, m_strLastError);
}

int CMacroCommand::DialUpDisConnect()
{
    return m_dialUp.DialUpDisConnect(m_parameters, m_strLastError);
}
