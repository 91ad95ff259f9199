// Documents, views and templates: a template making document, frame and
// view through the application's shell command, commands routed through
// view, document, template and application, saving, document strings, the
// recent-file display names and the list view.
#include <gtest/gtest.h>

#include <string>

#include "frame_fixture.h"
#include "frame_test_resource.h"
#include "message_pump.h"
#include "platform/framework/archive.h"
#include "platform/framework/file.h"
#include "platform/ui/app.h"
#include "platform/ui/command_line_info.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/document.h"
#include "platform/ui/recent_file_list.h"
#include "platform/ui/view.h"
#include "platform/ui/view_list.h"

namespace {

struct Counters {
    int docCommands = 0;
    int appCommands = 0;
    int viewCommands = 0;
    int frameCommands = 0;
    int initialUpdates = 0;
    int documentsDeleted = 0;
    int drawnItems = 0;
    int draws = 0;
    bool refuseToLoseChanges = false;
};
Counters g_counts;

class PlanDocument : public CDocument {
    DECLARE_DYNCREATE(PlanDocument)
public:
    ~PlanDocument() override { ++g_counts.documentsDeleted; }
    std::string contents = "plan";
    BOOL SaveModified() override
    {
        return g_counts.refuseToLoseChanges ? FALSE : CDocument::SaveModified();
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << CString(contents.c_str());
        else {
            CString text;
            ar >> text;
            contents = static_cast<const char*>(text);
        }
    }

protected:
    void OnDocOnly() { ++g_counts.docCommands; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(PlanDocument, CDocument)
BEGIN_MESSAGE_MAP(PlanDocument, CDocument)
    ON_COMMAND(ID_DOC_ONLY, OnDocOnly)
END_MESSAGE_MAP()

class PlanView : public CView {
    DECLARE_DYNCREATE(PlanView)
public:
    void OnDraw(CDC*) override { ++g_counts.draws; }
    void OnInitialUpdate() override
    {
        ++g_counts.initialUpdates;
        CView::OnInitialUpdate();
    }

protected:
    void OnViewAndFrame() { ++g_counts.viewCommands; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(PlanView, CView)
BEGIN_MESSAGE_MAP(PlanView, CView)
    ON_COMMAND(ID_VIEW_AND_FRAME, OnViewAndFrame)
END_MESSAGE_MAP()

class PlanFrame : public CFrameWnd {
    DECLARE_DYNCREATE(PlanFrame)
protected:
    void OnViewAndFrame() { ++g_counts.frameCommands; }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(PlanFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(PlanFrame, CFrameWnd)
    ON_COMMAND(ID_VIEW_AND_FRAME, OnViewAndFrame)
END_MESSAGE_MAP()

class PlanApp : public CWinApp {
public:
    PlanApp() : CWinApp("Plan App") {}

protected:
    void OnAppOnly() { ++g_counts.appCommands; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PlanApp, CWinApp)
    ON_COMMAND(ID_APP_ONLY, OnAppOnly)
END_MESSAGE_MAP()

class ShellCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_counts = Counters();
        app.m_hInstance = ::GetModuleHandleA(nullptr);
        pTemplate = new CSingleDocTemplate(IDR_TEST_FRAME, RUNTIME_CLASS(PlanDocument), RUNTIME_CLASS(PlanFrame),
                                           RUNTIME_CLASS(PlanView));
        app.AddDocTemplate(pTemplate);
    }
    void TearDown() override
    {
        if (app.m_pMainWnd && app.m_pMainWnd->m_hWnd)
            app.m_pMainWnd->DestroyWindow();
        DropQuitMessage();
    }
    CFrameWnd* Frame() { return static_cast<CFrameWnd*>(app.m_pMainWnd); }

    PlanApp app;
    CSingleDocTemplate* pTemplate = nullptr;
};

TEST_F(ShellCommandTest, FileNewMakesDocumentFrameAndView)
{
    CCommandLineInfo info;
    ASSERT_TRUE(app.ProcessShellCommand(info));
    CFrameWnd* frame = Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(PlanFrame)));
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_EQ(::GetMenu(frame->m_hWnd), frame->m_hMenuDefault);

    CView* view = frame->GetActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->IsKindOf(RUNTIME_CLASS(PlanView)));
    EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    EXPECT_EQ(g_counts.initialUpdates, 1);

    CDocument* document = frame->GetActiveDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(view->GetDocument(), document);
    EXPECT_EQ(document->GetDocTemplate(), pTemplate);
    EXPECT_STREQ(document->GetTitle(), "Plan");
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Plan - Frame Test");

    // The view draws itself through OnDraw.
    view->RedrawWindow();
    EXPECT_TRUE(PumpUntil([] { return g_counts.draws > 0; }, 2000));
    EXPECT_EQ(frame->GetActiveFrame(), frame);

    // Enumeration: the application's one template, which holds the document.
    POSITION pos = app.GetFirstDocTemplatePosition();
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(app.GetNextDocTemplate(pos), pTemplate);
    EXPECT_EQ(pos, nullptr);
    POSITION docPos = pTemplate->GetFirstDocPosition();
    EXPECT_EQ(pTemplate->GetNextDoc(docPos), document);
    EXPECT_EQ(docPos, nullptr);

    // The template keeps the resource's menu and accelerators.
    EXPECT_EQ(pTemplate->m_nIDResource, static_cast<UINT>(IDR_TEST_FRAME));
    EXPECT_NE(pTemplate->m_hMenuShared, nullptr);
    EXPECT_NE(pTemplate->m_hAccelTable, nullptr);
}

TEST_F(ShellCommandTest, ClosingTheFrameDeletesTheDocumentAndEndsTheProgram)
{
    CCommandLineInfo info;
    ASSERT_TRUE(app.ProcessShellCommand(info));
    HWND frameWindow = Frame()->m_hWnd;
    // The template's shared menu is shown, and must outlive the frame.
    Frame()->OnUpdateFrameMenu(pTemplate->m_hMenuShared);
    ASSERT_EQ(::GetMenu(frameWindow), pTemplate->m_hMenuShared);
    ::SendMessageA(frameWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(frameWindow));
    EXPECT_TRUE(::IsMenu(pTemplate->m_hMenuShared));
    EXPECT_EQ(g_counts.documentsDeleted, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(pTemplate->GetFirstDocPosition(), nullptr);
    MSG quit;
    EXPECT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(ShellCommandTest, ADocumentThatKeepsItsChangesKeepsTheFrameOpen)
{
    CCommandLineInfo info;
    ASSERT_TRUE(app.ProcessShellCommand(info));
    HWND frameWindow = Frame()->m_hWnd;
    g_counts.refuseToLoseChanges = true;
    EXPECT_EQ(::SendMessageA(frameWindow, WM_QUERYENDSESSION, 0, 0), 0);
    ::SendMessageA(frameWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(::IsWindow(frameWindow));
    EXPECT_EQ(g_counts.documentsDeleted, 0);

    g_counts.refuseToLoseChanges = false;
    EXPECT_NE(::SendMessageA(frameWindow, WM_QUERYENDSESSION, 0, 0), 0);
    ::SendMessageA(frameWindow, WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(::IsWindow(frameWindow));
    EXPECT_EQ(g_counts.documentsDeleted, 1);
}

TEST_F(ShellCommandTest, CommandsReachTheFirstTargetThatHandlesThem)
{
    CCommandLineInfo info;
    ASSERT_TRUE(app.ProcessShellCommand(info));
    CFrameWnd* frame = Frame();
    frame->SendMessage(WM_COMMAND, ID_DOC_ONLY);
    EXPECT_EQ(g_counts.docCommands, 1);
    EXPECT_EQ(g_counts.appCommands, 0);
    frame->SendMessage(WM_COMMAND, ID_APP_ONLY);
    EXPECT_EQ(g_counts.appCommands, 1);
    EXPECT_EQ(g_counts.docCommands, 1);
    // The view comes before its frame.
    frame->SendMessage(WM_COMMAND, ID_VIEW_AND_FRAME);
    EXPECT_EQ(g_counts.viewCommands, 1);
    EXPECT_EQ(g_counts.frameCommands, 0);
    EXPECT_FALSE(frame->OnCmdMsg(ID_NOBODY, CN_COMMAND, nullptr, nullptr));

    // Without an active view the document no longer sees the frame's commands.
    CView* view = frame->GetActiveView();
    frame->SetActiveView(nullptr);
    EXPECT_EQ(frame->GetActiveDocument(), nullptr);
    frame->SendMessage(WM_COMMAND, ID_DOC_ONLY);
    EXPECT_EQ(g_counts.docCommands, 1);
    frame->SetActiveView(view);
    frame->SendMessage(WM_COMMAND, ID_DOC_ONLY);
    EXPECT_EQ(g_counts.docCommands, 2);
}

TEST_F(ShellCommandTest, OpeningAMissingFileFailsAndLeavesNoFrame)
{
    CCommandLineInfo info;
    info.m_nShellCommand = CCommandLineInfo::FileOpen;
    info.m_strFileName = "C:\\no such folder\\missing.pln";
    EXPECT_FALSE(app.ProcessShellCommand(info));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_counts.documentsDeleted, 1);
}

TEST_F(ShellCommandTest, SavedDocumentIsWrittenAndOpensAgain)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "frame_test_plan.pln";
    ::DeleteFileA(path.c_str());

    CCommandLineInfo info;
    ASSERT_TRUE(app.ProcessShellCommand(info));
    PlanDocument* document = static_cast<PlanDocument*>(Frame()->GetActiveDocument());
    document->contents = "saved contents";
    document->SetPathName(path.c_str());
    document->SetModifiedFlag();
    ASSERT_TRUE(document->DoFileSave());
    EXPECT_FALSE(document->IsModified());
    EXPECT_STREQ(document->GetTitle(), "frame_test_plan.pln");
    EXPECT_EQ(::GetFileAttributesA((path + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES);

    // The single template reuses its document for the file.
    CDocument* reopened = app.OpenDocumentFile(path.c_str());
    ASSERT_EQ(reopened, document);
    EXPECT_EQ(document->contents, "saved contents");
    ::DeleteFileA(path.c_str());
}

// ---- Document strings and display names ---------------------------------------------

TEST(DocTemplateStrings, EachIndexGivesItsPartOfTheResourceString)
{
    CSingleDocTemplate plan(IDR_TEST_FRAME, RUNTIME_CLASS(PlanDocument), RUNTIME_CLASS(PlanFrame),
                            RUNTIME_CLASS(PlanView));
    plan.LoadTemplate();
    struct Case {
        CDocTemplate::DocStringIndex index;
        const char* expected;
    };
    const Case cases[] = {
        {CDocTemplate::windowTitle, "Frame Test"},        {CDocTemplate::docName, "Plan"},
        {CDocTemplate::fileNewName, "Plan"},              {CDocTemplate::filterName, "Plan files (*.pln)"},
        {CDocTemplate::filterExt, ".pln"},                {CDocTemplate::regFileTypeId, "FrameTest.Plan"},
        {CDocTemplate::regFileTypeName, "Frame Test Plan"},
    };
    for (const Case& c : cases) {
        CString text;
        EXPECT_TRUE(plan.GetDocString(text, c.index)) << c.index;
        EXPECT_STREQ(text, c.expected) << c.index;
    }

    CSingleDocTemplate plain(IDR_NO_ACCEL_FRAME, RUNTIME_CLASS(PlanDocument), RUNTIME_CLASS(PlanFrame),
                             RUNTIME_CLASS(PlanView));
    plain.LoadTemplate();
    CString text = "left over";
    EXPECT_FALSE(plain.GetDocString(text, CDocTemplate::filterExt));
    EXPECT_STREQ(text, "");
}

TEST(RecentFileList, DisplayNamesAreShortForTheCurrentFolderAndAbbreviatedElsewhere)
{
    CRecentFileList list(0, "Recent File List", "File%d", 4, 24);
    list[0] = "C:\\Work\\plan.pln";
    list[1] = "C:\\Work\\Sub\\plan.pln";
    list[2] = "C:\\Projects\\Scheduler\\Plans\\weekly.pln";
    list[3] = "C:\\Averyveryverylongfolder\\averyveryverylongname.pln";
    struct Case {
        int index;
        BOOL atLeastName;
        const char* expected;
    };
    const Case cases[] = {
        {0, TRUE, "plan.pln"},
        {1, TRUE, "C:\\Work\\Sub\\plan.pln"},
        {2, TRUE, "C:\\...\\Plans\\weekly.pln"},
        {3, TRUE, "averyveryverylongname.pln"},
        {3, FALSE, ""},
    };
    for (const Case& c : cases) {
        CString name;
        EXPECT_TRUE(list.GetDisplayName(name, c.index, "c:\\work", 7, c.atLeastName)) << c.index;
        EXPECT_STREQ(name, c.expected) << c.index;
    }
    CRecentFileList empty(0, "Recent File List", "File%d", 2);
    CString name;
    EXPECT_FALSE(empty.GetDisplayName(name, 0, "C:\\", 3));
    EXPECT_FALSE(empty.GetDisplayName(name, 5, "C:\\", 3));
}

// ---- List view ---------------------------------------------------------------------------

class OwnerDrawnList : public CListView {
    DECLARE_DYNCREATE(OwnerDrawnList)
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        if (item->CtlType == ODT_LISTVIEW)
            ++g_counts.drawnItems;
    }
};
IMPLEMENT_DYNCREATE(OwnerDrawnList, CListView)

TEST(ListView, ListCtrlWorksOnTheViewAndOwnerDrawnItemsComeBackToIt)
{
    g_counts = Counters();
    CFrameWnd* frame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(OwnerDrawnList);
    ASSERT_TRUE(frame->Create(nullptr, "List", WS_OVERLAPPEDWINDOW, CRect(50, 50, 350, 250), nullptr, nullptr, 0,
                              &context));
    FrameHolder holder(frame);
    frame->InitialUpdateFrame(nullptr, TRUE);
    OwnerDrawnList* view = static_cast<OwnerDrawnList*>(frame->GetDlgItem(AFX_IDW_PANE_FIRST));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->IsKindOf(RUNTIME_CLASS(CListView)));
    view->ModifyStyle(0, LVS_REPORT | LVS_OWNERDRAWFIXED);
    CListCtrl& list = view->GetListCtrl();
    EXPECT_EQ(list.m_hWnd, view->m_hWnd);
    ASSERT_EQ(list.InsertColumn(0, "Name", LVCFMT_LEFT, 120), 0);
    ASSERT_EQ(list.InsertItem(0, "First"), 0);
    ASSERT_EQ(list.InsertItem(1, "Second"), 1);
    EXPECT_EQ(list.GetItemCount(), 2);
    frame->RecalcLayout();
    view->RedrawWindow();
    EXPECT_TRUE(PumpUntil([] { return g_counts.drawnItems >= 2; }, 2000));
}

}  // namespace
