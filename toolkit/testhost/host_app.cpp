#include "host_app.h"

#include <iostream>

#include "host_command_line.h"
#include "host_document.h"
#include "host_mdi_child.h"
#include "host_mdi_frame.h"
#include "host_mdi_view.h"
#include "host_sdi_frame.h"
#include "host_view.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/doc_template_multi.h"
#include "scenario_runner.h"
#include "scenario_table.h"
#include "system_calls_recorder.h"
#include "wtkhost_resource.h"

namespace {

// Posted to the host's thread once the frame is up: the run starts inside
// the message loop, where the frame's keys go through its accelerators.
const UINT kRunScenariosMessage = WM_APP + 1;

}  // namespace

HostApp::HostApp()
    : CWinApp("WtkHost"), m_frameKind(HostFrameKind::Sdi), m_mdiTemplate(nullptr), m_outcome(kAllPassed)
{
}

BOOL HostApp::InitInstance()
{
    // The profile name is the application's name: HKCU\Software\TestCo\WtkHost.
    SetRegistryKey("TestCo");
    if (!ChooseGroups())
        return FALSE;

    const bool mdi = m_frameKind == HostFrameKind::Mdi;
    if (!(mdi ? OpenMdiFrame() : OpenSdiFrame())) {
        std::cerr << "WtkHost: the " << (mdi ? "MDI" : "SDI") << " frame could not be made" << std::endl;
        m_outcome = kNoWindows;
        return FALSE;
    }
    m_pMainWnd->UpdateWindow();
    ::PostThreadMessageA(::GetCurrentThreadId(), kRunScenariosMessage, 0, 0);
    return TRUE;
}

bool HostApp::OpenSdiFrame()
{
    AddDocTemplate(new CSingleDocTemplate(IDR_WTKHOST_SDI, RUNTIME_CLASS(HostDocument), RUNTIME_CLASS(HostSdiFrame),
                                          RUNTIME_CLASS(HostView)));
    CCommandLineInfo newDocument;
    return ProcessShellCommand(newDocument) && SdiFrame();
}

bool HostApp::OpenMdiFrame()
{
    m_mdiTemplate = new CMultiDocTemplate(IDR_WTKHOST_MDI_DOC, RUNTIME_CLASS(HostDocument), RUNTIME_CLASS(HostMdiChild),
                                          RUNTIME_CLASS(HostMdiView));
    AddDocTemplate(m_mdiTemplate);
    // The frame comes up empty: the cases open the document windows they need.
    HostMdiFrame* frame = new HostMdiFrame;
    if (!frame->LoadFrame(IDR_WTKHOST_MDI))
        return false;  // the frame has deleted itself
    m_pMainWnd = frame;
    frame->ShowWindow(SW_SHOW);
    return true;
}

bool HostApp::ChooseGroups()
{
    HostCommandLine line;
    ParseCommandLine(line);
    if (!line.IsWellFormed()) {
        std::cerr << "WtkHost: " << line.Problem() << "\n" << kHostUsage << std::flush;
        m_outcome = kBadCommandLine;
        return false;
    }
    // Every name is checked before anything runs: a typing error does not
    // hide behind the results of the groups before it.
    bool known = true;
    for (const std::string& name : line.Scenarios()) {
        if (const ScenarioGroup* group = FindScenarioGroup(name)) {
            m_groups.push_back(group);
        } else {
            std::cerr << "WtkHost: unknown scenario \"" << name << "\" (known: " << ScenarioGroupNames() << ")"
                      << std::endl;
            known = false;
        }
    }
    if (!known) {
        m_outcome = kBadCommandLine;
        return false;
    }
    // One run has one frame: groups that need different frames run apart.
    m_frameKind = m_groups.front()->frame;
    for (const ScenarioGroup* group : m_groups) {
        if (group->frame != m_frameKind) {
            std::cerr << "WtkHost: scenarios \"" << m_groups.front()->name << "\" and \"" << group->name
                      << "\" run in different frames; run them apart" << std::endl;
            m_outcome = kBadCommandLine;
            return false;
        }
    }
    return true;
}

BOOL HostApp::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg->hwnd && pMsg->message == kRunScenariosMessage) {
        RunScenarios();
        return TRUE;
    }
    return CWinApp::PreTranslateMessage(pMsg);
}

void HostApp::RunScenarios()
{
    // No sound, pause, program start or help window while the cases run:
    // the calls are only recorded, for the cases to read.
    RecordingSystemCalls seams;
    ScenarioContext context;
    context.app = this;
    context.sdiFrame = SdiFrame();
    context.mdiFrame = MdiFrame();
    context.mdiTemplate = m_mdiTemplate;
    context.seams = &seams;
    ScenarioRunner runner(context, std::cout);
    const ScenarioTotals totals = runner.Run(m_groups);
    m_outcome = totals.failed == 0 ? kAllPassed : kCasesFailed;
    // The program ends with its frame; no document is asked to keep its changes.
    CloseAllDocuments(TRUE);
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->DestroyWindow();
    ::PostQuitMessage(m_outcome);
}

int HostApp::ExitInstance()
{
    CWinApp::ExitInstance();
    return m_outcome;
}

HostSdiFrame* HostApp::SdiFrame() const
{
    return m_pMainWnd ? dynamic_cast<HostSdiFrame*>(m_pMainWnd) : nullptr;
}

HostMdiFrame* HostApp::MdiFrame() const
{
    return m_pMainWnd ? dynamic_cast<HostMdiFrame*>(m_pMainWnd) : nullptr;
}
