// The parameters of one parsed command line, as a desktop command reads them.
#pragma once

#include <vector>

#include "platform/framework/string.h"

namespace desktop {

class CommandArguments {
public:
    explicit CommandArguments(const std::vector<CString>& parameters) : m_parameters(parameters) {}

    int Count() const { return static_cast<int>(m_parameters.size()); }
    // Parameter n, counted from 1; the empty text outside 1..Count().
    CString Text(int n) const;
    // The leading integer of parameter n: leading blanks skipped, an optional
    // sign, the digits up to the first non-digit; no digits give 0 and values
    // beyond the range of a long are held at its limit.
    long Number(int n) const;

    // The same conversion of any text.
    static long LeadingNumber(const char* text);

private:
    const std::vector<CString>& m_parameters;
};

}  // namespace desktop
