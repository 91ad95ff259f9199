// CShutdownHelperApp: the shutdown helper. All its work happens in
// InitInstance, which returns FALSE so that no message loop runs.
#pragma once

#include "platform/ui/app.h"

class ShutdownSystem;

// The helper's exit codes. Nobody waits for the helper today; the codes tell
// a caller that does why the session did not end.
enum ShutdownExitCode {
    kExitDone = 0,
    kExitNoPrivilege = 1,
    kExitWindowsFailed = 2,
};

extern const char kNoPrivilegeText[];

class CShutdownHelperApp : public CWinApp {
public:
    explicit CShutdownHelperApp(ShutdownSystem& system);

    BOOL InitInstance() override;

private:
    // Ends the session for an exit-Windows code.
    void EndSession(int code, BOOL force, BOOL logoff);

    ShutdownSystem& m_system;
};
