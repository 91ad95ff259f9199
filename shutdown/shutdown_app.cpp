#include "shutdown/shutdown_app.h"

#include "platform/ui/message_box.h"
#include "shutdown/setup_cleanup.h"
#include "shutdown/shutdown_command_line_info.h"
#include "shutdown/shutdown_system.h"
#include "shutdown/usage_dialog.h"

const char kNoPrivilegeText[] = "Client does not have privledges needed to run this program";

CShutdownHelperApp::CShutdownHelperApp(ShutdownSystem& system) : m_system(system) {}

BOOL CShutdownHelperApp::InitInstance()
{
    // 3-D controls are every 32-bit system's own look: nothing to enable.
    CShutdownCommandLineInfo info;
    ParseCommandLine(info);
    const int code = info.ResolveAction();

    CUsageDialog usage;
    m_pMainWnd = &usage;
    if (code == kActionKillSetup)
        CleanUpSetup();
    else if (code == kActionUsage)
        usage.DoModal();
    else
        EndSession(code, info.m_force, info.m_logoff);
    m_pMainWnd = nullptr;
    return FALSE;
}

void CShutdownHelperApp::EndSession(int code, BOOL force, BOOL logoff)
{
    if (!m_system.EnableShutdownPrivilege()) {
        AfxMessageBox(kNoPrivilegeText);
        SetExitCode(kExitNoPrivilege);
        return;
    }
    if (m_system.IsWindows9x() && (code & EWX_FORCE))
        m_system.EndExplorer();
    if (force)
        m_system.EndSessionOfTopLevelWindows(logoff ? ENDSESSION_LOGOFF : 0);
    if (!m_system.ExitSession(static_cast<UINT>(code)))
        SetExitCode(kExitWindowsFailed);
}
