// ShutdownSystem: the calls through which the helper ends the session. The
// program runs on Win32ShutdownSystem; a test build puts a recorder in its
// place, because these calls end every program of the session, the test
// included.
#pragma once

#include <windows.h>

class ShutdownSystem {
public:
    virtual ~ShutdownSystem() = default;

    // TRUE on Windows 95/98 (the platform "Windows").
    virtual bool IsWindows9x() = 0;
    // Enables the shutdown privilege of this process.
    virtual bool EnableShutdownPrivilege() = 0;
    // Ends every running explorer.exe.
    virtual void EndExplorer() = 0;
    // Asks every top-level window to end its session, passing the
    // end-session flag (0 or ENDSESSION_LOGOFF), and ends the processes
    // whose windows do not answer.
    virtual void EndSessionOfTopLevelWindows(LPARAM endSessionFlag) = 0;
    // The system's exit-Windows call with an EWX_ code; false when it fails.
    virtual bool ExitSession(UINT code) = 0;
};

class Win32ShutdownSystem : public ShutdownSystem {
public:
    bool IsWindows9x() override;
    bool EnableShutdownPrivilege() override;
    void EndExplorer() override;
    void EndSessionOfTopLevelWindows(LPARAM endSessionFlag) override;
    bool ExitSession(UINT code) override;
};
