#include "case_check.h"

bool CaseCheck::That(bool ok, const std::string& detail)
{
    if (!ok) {
        // One result line per case: a detail must not break it.
        std::string line = detail.empty() ? "failed" : detail;
        for (char& c : line) {
            if (c == '\r' || c == '\n')
                c = ' ';
        }
        m_failures.push_back(line);
    }
    return ok;
}

std::string CaseCheck::Detail() const
{
    std::string joined;
    for (const std::string& failure : m_failures) {
        if (!joined.empty())
            joined += "; ";
        joined += failure;
    }
    return joined;
}
