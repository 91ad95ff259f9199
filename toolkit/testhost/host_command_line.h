// HostCommandLine: the host's command line, "/run <scenario>...": the flag
// first, then one or more scenario names. Anything else is malformed and
// Problem() says why.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/command_line_info.h"

class HostCommandLine : public CCommandLineInfo {
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override;

    // After the last word: whether the line asked for a run.
    bool IsWellFormed() const { return m_problem.empty() && m_sawRun && !m_scenarios.empty(); }
    // Why the line is malformed; empty when it is not.
    std::string Problem() const;
    const std::vector<std::string>& Scenarios() const { return m_scenarios; }

private:
    bool m_sawRun = false;
    std::vector<std::string> m_scenarios;
    std::string m_problem;
};

// How the host is called, for a malformed command line.
extern const char kHostUsage[];
