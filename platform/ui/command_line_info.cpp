#include "platform/ui/command_line_info.h"

CCommandLineInfo::CCommandLineInfo() : m_bShowSplash(TRUE), m_nShellCommand(FileNew) {}

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag) {
        if (lstrcmpiA(pszParam, "Embedding") == 0 || lstrcmpiA(pszParam, "Automation") == 0)
            m_bShowSplash = FALSE;
        return;
    }
    if (m_strFileName.IsEmpty() && pszParam && *pszParam) {
        m_strFileName = pszParam;
        m_nShellCommand = FileOpen;
    }
}

void ParseCommandLineWords(CCommandLineInfo& info, int count, const char* const* words)
{
    for (int i = 0; i < count; ++i) {
        const char* word = words[i] ? words[i] : "";
        const BOOL flag = word[0] == '/' || word[0] == '-';
        info.ParseParam(flag ? word + 1 : word, flag, i + 1 == count);
    }
}
