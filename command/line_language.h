// Small rules of the command-script line language shared by the parser, the
// dispatcher and the commands.
#pragma once

#include "platform/framework/string.h"

// At least two characters after leading blanks, beginning with "//" or "*".
bool IsCommentLine(const CString& line);
// A trimmed line that is empty or begins with ":" does nothing.
bool IsNoOperationLine(const CString& full_line);
// Leading blanks, optional sign, digits up to the first non-digit; no digits
// gives 0. Out-of-range values saturate.
long LeadingInteger(const CString& text);
