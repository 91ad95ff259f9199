// The mail command: composes the message with the mail libraries and sends it.
#include "command/macro_command.h"
#include "command/mail/send_email.h"

int CMacroCommand::SendEMail()
{
    return mail::SendEMail(m_parameters, m_strLastError);
}
