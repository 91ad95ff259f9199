// The SendEMail command: composes one message through CSMSGL32.dll and sends
// it through CSMTPL32.dll to an SMTP server on port 25.
#pragma once

#include <vector>

#include "platform/framework/string.h"

namespace mail {

// Parameters as the line parser cut them: mail server, sender, recipients
// (";" or "," between them), subject, body text, attachment files separated
// by ";"; those after the third may be missing. Returns 1 when the server
// accepted the message, else 0 with the reason in lastError (which is
// emptied first).
int SendEMail(const std::vector<CString>& parameters, CString& lastError);

}  // namespace mail
