// HostApp: the test host's application object. Its profile lives below
// HKCU\Software\TestCo\WtkHost. It reads "/run <scenario>..." from the
// command line, opens the frame the named groups run in (the SDI frame
// through its document template, or the MDI frame with the template of its
// document windows), and once its message loop runs, runs the scenarios'
// cases and closes the frame; the program's exit code then tells the outcome
// (see kHostUsage).
#pragma once

#include <windows.h>

#include <vector>

#include "platform/ui/app.h"
#include "scenario.h"

class CMultiDocTemplate;
class HostMdiFrame;
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
    // The MDI frame, while it is up; else null.
    HostMdiFrame* MdiFrame() const;

private:
    // Reads the command line into m_groups; false (and m_outcome set) when
    // it is malformed or names an unknown scenario.
    bool ChooseGroups();
    // Makes the frame of m_frameKind the main window; false when it failed.
    bool OpenSdiFrame();
    bool OpenMdiFrame();
    void RunScenarios();

    std::vector<const ScenarioGroup*> m_groups;
    HostFrameKind m_frameKind;
    // The template of the MDI frame's document windows (the application owns it).
    CMultiDocTemplate* m_mdiTemplate;
    ExitCode m_outcome;
};
