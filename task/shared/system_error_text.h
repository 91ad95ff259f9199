#pragma once

#include <string>

// "Error code %d\n%s": the calling thread's last system error and its standard
// English text ("Description not found" for a code without one, an empty text
// for 0). The last error is left as it was found.
std::string GetLastErrorText();

// The standard English text of a system error code, or nullptr when the code
// has none in the built-in table.
const char* FindSystemErrorText(unsigned long code);
