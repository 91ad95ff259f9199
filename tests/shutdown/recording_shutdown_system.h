// The shutdown helper's system calls as a test build makes them: nothing
// that ends the session is called; each request is written as one line to
// the file named by TVX_SHUTDOWN_LOG instead ("privilege", "explorer",
// "windows 80000000", "exit 6"). The shutdown privilege is enabled for real
// unless TVX_SHUTDOWN_REFUSE_PRIVILEGE is set; TVX_SHUTDOWN_FAIL_EXIT makes
// the exit-Windows call fail and TVX_SHUTDOWN_WIN9X plays Windows 95/98.
#pragma once

#include <string>

#include "shutdown/shutdown_system.h"

class RecordingShutdownSystem : public Win32ShutdownSystem {
public:
    RecordingShutdownSystem();

    bool IsWindows9x() override;
    bool EnableShutdownPrivilege() override;
    void EndExplorer() override;
    void EndSessionOfTopLevelWindows(LPARAM endSessionFlag) override;
    bool ExitSession(UINT code) override;

private:
    void Record(const std::string& line);
};
