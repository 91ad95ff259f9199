// HostApp: the test host's application object. Its profile lives below
// HKCU\Software\TestCo\WtkHost. It reads "/run <scenario>..." from the
// command line, opens the SDI frame through its document template, and once
// its message loop runs, runs the scenarios' cases and closes the frame; the
// program's exit code then tells the outcome (see kHostUsage).
#pragma once

#include <windows.h>

#include <vector>

#include "platform/ui/app.h"
#include "scenario.h"

class HostSdiFrame;

class HostApp : public CWinApp {
public:
    enum ExitCode { kAllPassed = 0, kCasesFailed = 1, kBadCommandLine = 2, kNoWindows = 3 };

    HostApp();

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The SDI frame, while it is up; else null.
    HostSdiFrame* SdiFrame() const;

private:
    // Reads the command line into m_groups; false (and m_outcome set) when
    // it is malformed or names an unknown scenario.
    bool ChooseGroups();
    void RunScenarios();

    std::vector<const ScenarioGroup*> m_groups;
    ExitCode m_outcome;
};
