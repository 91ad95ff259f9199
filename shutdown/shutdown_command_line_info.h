// CShutdownCommandLineInfo: the helper's command line. The words after the
// flag "t" name the action, the words after the flag "w" the wait in seconds;
// flag letters are compared case-sensitively.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"
#include "platform/ui/command_line_info.h"

// Action codes besides the exit-Windows flags (0 log off, 1 shut down,
// 2 restart, 4 forced).
constexpr int kActionKillSetup = -2;
constexpr int kActionUsage = -1;

class CShutdownCommandLineInfo : public CCommandLineInfo {
public:
    // Which text the next plain word goes to.
    enum Mode { modeNone = 0, modeAction = 1, modeWait = 2 };

    CShutdownCommandLineInfo();

    // The framework's own parameter handling is deliberately not applied.
    void ParseParam(const char* param, BOOL flag, BOOL last) override;

    // The action code of the action text: an exit-Windows code, or
    // kActionKillSetup, or kActionUsage for an empty or unknown action. Sets
    // m_force and m_logoff to match.
    int ResolveAction();

    int m_mode;
    CString m_action;  // the words after "t", joined with single blanks
    CString m_wait;    // the words after "w"; read, never used
    BOOL m_force;
    BOOL m_logoff;
};
