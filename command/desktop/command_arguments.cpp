#include "command/desktop/command_arguments.h"

#include <cstdlib>

namespace desktop {

CString CommandArguments::Text(int n) const
{
    if (n < 1 || n > Count())
        return CString();
    return m_parameters[static_cast<size_t>(n - 1)];
}

long CommandArguments::Number(int n) const
{
    return LeadingNumber(Text(n));
}

long CommandArguments::LeadingNumber(const char* text)
{
    // Base 10 only: "0x1F" is 0 and "010" is 10, as the scripts were written.
    return text == nullptr ? 0 : std::strtol(text, nullptr, 10);
}

}  // namespace desktop
