#include "shutdown/shutdown_command_line_info.h"

#include <cstring>

namespace {

struct ActionWord {
    const char* word;
    int code;
    BOOL force;
    BOOL logoff;
};

const ActionWord kActionWords[] = {
    {"KILLSETUP", kActionKillSetup, FALSE, FALSE},
    {"SHUTDOWN", EWX_SHUTDOWN, FALSE, FALSE},
    {"FORCESHUTDOWN", EWX_SHUTDOWN | EWX_FORCE, TRUE, FALSE},
    {"REBOOT", EWX_REBOOT, FALSE, FALSE},
    {"FORCEREBOOT", EWX_REBOOT | EWX_FORCE, TRUE, FALSE},
    {"LOGOFF", EWX_LOGOFF, FALSE, TRUE},
    {"FORCELOGOFF", EWX_LOGOFF | EWX_FORCE, TRUE, TRUE},
};

void AppendWord(CString& text, const char* word)
{
    if (!text.IsEmpty())
        text += ' ';
    text += word;
}

}  // namespace

CShutdownCommandLineInfo::CShutdownCommandLineInfo()
    : m_mode(modeNone), m_force(FALSE), m_logoff(FALSE)
{
}

void CShutdownCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL last)
{
    if (flag) {
        if (std::strcmp(param, "t") == 0)
            m_mode = modeAction;
        else if (std::strcmp(param, "w") == 0)
            m_mode = modeWait;
        else
            m_mode = modeNone;
        return;
    }
    if (m_mode == modeAction)
        AppendWord(m_action, param);
    else if (m_mode == modeWait)
        AppendWord(m_wait, param);
}

int CShutdownCommandLineInfo::ResolveAction()
{
    CString action = m_action;
    action.MakeUpper();
    m_force = FALSE;
    m_logoff = FALSE;
    for (const ActionWord& entry : kActionWords) {
        if (action == entry.word) {
            m_force = entry.force;
            m_logoff = entry.logoff;
            return entry.code;
        }
    }
    return kActionUsage;
}
