#include "shutdown/shutdown_system.h"

#include "shutdown/explorer_step.h"
#include "shutdown/session_ending.h"
#include "shutdown/shutdown_privilege.h"

bool Win32ShutdownSystem::IsWindows9x()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    return ::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool Win32ShutdownSystem::EnableShutdownPrivilege()
{
    // Windows 95/98 has no privileges: every process may end the session.
    if (IsWindows9x())
        return true;
    return EnableProcessShutdownPrivilege();
}

void Win32ShutdownSystem::EndExplorer()
{
    EndExplorerProcesses();
}

void Win32ShutdownSystem::EndSessionOfTopLevelWindows(LPARAM endSessionFlag)
{
    EndSessionOfAllTopLevelWindows(endSessionFlag);
}

bool Win32ShutdownSystem::ExitSession(UINT code)
{
    return ::ExitWindowsEx(code, 0) != FALSE;
}
