#include "host_command_line.h"

#include <windows.h>

const char kHostUsage[] =
    "usage: WtkHost /run <scenario>...\n"
    "  Runs the cases of each scenario group named, in order, and prints one line per case\n"
    "  (\"name: PASS\" or \"name: FAIL detail\") and a last line \"N passed, N failed\".\n"
    "  The groups of one run must share their frame (SDI or MDI).\n"
    "  Exit code: 0 all passed, 1 a case failed, 2 malformed command line, unknown scenario or\n"
    "  groups of different frames, 3 the host's windows could not be made.\n";

void HostCommandLine::ParseParam(const char* pszParam, BOOL bFlag, BOOL)
{
    if (!m_problem.empty())
        return;
    const std::string word = pszParam ? pszParam : "";
    if (bFlag) {
        if (lstrcmpiA(word.c_str(), "run") != 0)
            m_problem = "unknown switch \"/" + word + "\"";
        else if (m_sawRun)
            m_problem = "\"/run\" given twice";
        m_sawRun = true;
        return;
    }
    if (!m_sawRun) {
        m_problem = "\"" + word + "\" before \"/run\"";
        return;
    }
    m_scenarios.push_back(word);
}

std::string HostCommandLine::Problem() const
{
    if (!m_problem.empty())
        return m_problem;
    if (!m_sawRun)
        return "no \"/run\"";
    if (m_scenarios.empty())
        return "no scenario after \"/run\"";
    return std::string();
}
