// The MDI frame: document windows made by a multi-document template, the
// system's list of them in the Window menu, activation through that list,
// the maximised document window, the window commands, and commands routed
// through the active document window.
#include <gtest/gtest.h>

#include <string>

#include "frame_fixture.h"
#include "frame_test_resource.h"
#include "message_pump.h"
#include "platform/ui/app.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/doc_template_multi.h"
#include "platform/ui/document.h"
#include "platform/ui/mdi_child_wnd.h"
#include "platform/ui/mdi_frame_wnd.h"
#include "platform/ui/view.h"
#include "screenshot.h"

namespace {

struct MdiCounts {
    int docCommands = 0;
    int appCommands = 0;
    int frameCommands = 0;
    int documentsDeleted = 0;
    std::string lastViewCommand;
    std::string lastDocCommand;
};
MdiCounts g_mdi;

class MdiDocument : public CDocument {
    DECLARE_DYNCREATE(MdiDocument)
public:
    ~MdiDocument() override { ++g_mdi.documentsDeleted; }

protected:
    void OnDocOnly()
    {
        ++g_mdi.docCommands;
        g_mdi.lastDocCommand = static_cast<const char*>(GetTitle());
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(MdiDocument, CDocument)
BEGIN_MESSAGE_MAP(MdiDocument, CDocument)
    ON_COMMAND(ID_DOC_ONLY, OnDocOnly)
END_MESSAGE_MAP()

class MdiView : public CView {
    DECLARE_DYNCREATE(MdiView)
public:
    void OnDraw(CDC* pDC) override
    {
        CRect rect;
        GetClientRect(&rect);
        CString text = GetDocument() ? GetDocument()->GetTitle() : CString("no document");
        ::DrawTextA(pDC->GetSafeHdc(), text, -1, &rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }

protected:
    void OnViewOnly() { g_mdi.lastViewCommand = static_cast<const char*>(GetDocument()->GetTitle()); }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(MdiView, CView)
BEGIN_MESSAGE_MAP(MdiView, CView)
    ON_COMMAND(ID_VIEW_ONLY, OnViewOnly)
    ON_COMMAND(ID_TEST_COMMAND, OnViewOnly)
END_MESSAGE_MAP()

class MdiChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(MdiChild)
};
IMPLEMENT_DYNCREATE(MdiChild, CMDIChildWnd)

class MdiMainFrame : public CMDIFrameWnd {
protected:
    void OnFrameCommand() { ++g_mdi.frameCommands; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MdiMainFrame, CMDIFrameWnd)
    ON_COMMAND(ID_VIEW_AND_FRAME, OnFrameCommand)
    ON_COMMAND(ID_APP_ONLY, OnFrameCommand)
END_MESSAGE_MAP()

class MdiApp : public CWinApp {
public:
    MdiApp() : CWinApp("MDI App") {}

protected:
    void OnAppOnly() { ++g_mdi.appCommands; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MdiApp, CWinApp)
    ON_COMMAND(ID_APP_ONLY, OnAppOnly)
    ON_COMMAND(ID_NO_PROMPT, OnAppOnly)
END_MESSAGE_MAP()

std::string Text(HWND hWnd)
{
    char text[128] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

std::string MenuItemText(HMENU menu, UINT id)
{
    char text[64] = "";
    ::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

CRect RectInClient(HWND child)
{
    CRect rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class MdiFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_mdi = MdiCounts();
        app.m_hInstance = ::GetModuleHandleA(nullptr);
        docTemplate = new CMultiDocTemplate(IDR_PLAN_DOC, RUNTIME_CLASS(MdiDocument), RUNTIME_CLASS(MdiChild),
                                            RUNTIME_CLASS(MdiView));
        app.AddDocTemplate(docTemplate);
        frame = new MdiMainFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MDI_FRAME));
        app.m_pMainWnd = frame;
        frameWindow = frame->m_hWnd;
        frame->SetWindowPos(nullptr, 20, 20, 640, 480, SWP_NOZORDER);
        frame->ShowWindow(SW_SHOW);
        frame->UpdateWindow();
    }
    void TearDown() override
    {
        if (::IsWindow(frameWindow))
            ::DestroyWindow(frameWindow);
        DropQuitMessage();
    }
    MdiChild* Active(BOOL* maximized = nullptr) { return static_cast<MdiChild*>(frame->MDIGetActive(maximized)); }
    CDocument* NewDocument() { return docTemplate->OpenDocumentFile(nullptr); }
    HMENU WindowMenu() { return frame->GetWindowMenuPopup(::GetMenu(frameWindow)); }

    MdiApp app;
    CMultiDocTemplate* docTemplate = nullptr;
    MdiMainFrame* frame = nullptr;
    HWND frameWindow = nullptr;
};

TEST_F(MdiFrameTest, FrameHasTheMdiClientAsItsPaneAndItsOwnMenu)
{
    ASSERT_NE(frame->m_hWndMDIClient, nullptr);
    EXPECT_EQ(::GetDlgCtrlID(frame->m_hWndMDIClient), AFX_IDW_PANE_FIRST);
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(RectInClient(frame->m_hWndMDIClient), client);
    EXPECT_EQ(::GetMenu(frameWindow), frame->m_hMenuDefault);
    EXPECT_EQ(frame->MDIGetActive(), nullptr);
    EXPECT_EQ(frame->GetActiveFrame(), frame);
    EXPECT_EQ(frame->GetActiveDocument(), nullptr);
    EXPECT_EQ(Text(frameWindow), "MDI Test");
    // The Window popup is the one holding the window commands.
    HMENU window = frame->GetWindowMenuPopup(frame->m_hMenuDefault);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(::GetMenuItemID(window, 0), static_cast<UINT>(ID_WINDOW_NEW));
    EXPECT_EQ(frame->GetWindowMenuPopup(nullptr), nullptr);
    HMENU noWindowMenu = ::CreateMenu();
    ::AppendMenuA(noWindowMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), "&File");
    EXPECT_EQ(frame->GetWindowMenuPopup(noWindowMenu), nullptr);
    ::DestroyMenu(noWindowMenu);
}

TEST_F(MdiFrameTest, DocumentsOfTheTemplateOpenInChildrenListedInTheWindowMenu)
{
    CDocument* first = NewDocument();
    CDocument* second = NewDocument();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(first->GetTitle(), "Plan1");
    EXPECT_STREQ(second->GetTitle(), "Plan2");

    MdiChild* active = Active();
    ASSERT_NE(active, nullptr);
    EXPECT_TRUE(active->IsKindOf(RUNTIME_CLASS(MdiChild)));
    EXPECT_EQ(active->GetMDIFrame(), frame);
    EXPECT_EQ(active->GetActiveDocument(), second);
    EXPECT_EQ(frame->GetActiveDocument(), second);
    EXPECT_EQ(frame->GetActiveFrame(), active);
    EXPECT_EQ(::GetParent(active->m_hWnd), frame->m_hWndMDIClient);
    EXPECT_EQ(Text(active->m_hWnd), "Plan2");
    EXPECT_EQ(Text(frameWindow), "Plan2 - MDI Test");
    // The children share the template's menu and accelerators.
    EXPECT_EQ(active->m_hMenuShared, docTemplate->m_hMenuShared);
    EXPECT_EQ(active->m_hAccelTable, docTemplate->m_hAccelTable);
    EXPECT_EQ(::GetMenu(frameWindow), docTemplate->m_hMenuShared);

    // The system lists the document windows after the window commands,
    // from AFX_IDM_FIRST_MDICHILD on, the active one checked.
    HMENU window = WindowMenu();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(MenuItemText(window, AFX_IDM_FIRST_MDICHILD), "&1 Plan1");
    EXPECT_EQ(MenuItemText(window, AFX_IDM_FIRST_MDICHILD + 1), "&2 Plan2");
    EXPECT_FALSE(::GetMenuState(window, AFX_IDM_FIRST_MDICHILD, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(window, AFX_IDM_FIRST_MDICHILD + 1, MF_BYCOMMAND) & MF_CHECKED);

    // Enumeration of the template's documents.
    POSITION pos = docTemplate->GetFirstDocPosition();
    EXPECT_EQ(docTemplate->GetNextDoc(pos), first);
    EXPECT_EQ(docTemplate->GetNextDoc(pos), second);
    EXPECT_EQ(pos, nullptr);
}

TEST_F(MdiFrameTest, ChoosingAWindowListEntryActivatesThatChild)
{
    CDocument* first = NewDocument();
    NewDocument();
    ASSERT_NE(Active(), nullptr);
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->GetActiveDocument(), first);
    EXPECT_EQ(Text(frameWindow), "Plan1 - MDI Test");
    HMENU window = WindowMenu();
    EXPECT_TRUE(::GetMenuState(window, AFX_IDM_FIRST_MDICHILD, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(::GetMenuState(window, AFX_IDM_FIRST_MDICHILD + 1, MF_BYCOMMAND) & MF_CHECKED);
    // The prompt of a list entry is the framework's.
    MessageBar* bar = new MessageBar;
    bar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(bar->CreateIn(frame));
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(AFX_IDM_FIRST_MDICHILD, MF_STRING),
                       reinterpret_cast<LPARAM>(window));
    EXPECT_STREQ(bar->Text(), "Activate this window");
}

TEST_F(MdiFrameTest, MaximisedChildJoinsTheFrameCaptionAndMenuBar)
{
    NewDocument();
    NewDocument();
    MdiChild* active = Active();
    ASSERT_NE(active, nullptr);
    HMENU menu = docTemplate->m_hMenuShared;
    const int items = ::GetMenuItemCount(menu);
    active->MDIMaximize();
    BOOL maximized = FALSE;
    EXPECT_EQ(Active(&maximized), active);
    EXPECT_TRUE(maximized);
    EXPECT_TRUE(active->IsZoomed());
    // The caption names the frame and, in brackets, the child; the menu bar
    // carries the child's system menu and buttons.
    EXPECT_EQ(Text(frameWindow), "MDI Test - [Plan2]");
    EXPECT_EQ(::GetMenu(frameWindow), menu);
    EXPECT_GT(::GetMenuItemCount(menu), items);
    // A title update while maximised keeps the system's form.
    frame->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(Text(frameWindow), "MDI Test - [Plan2]");

    // Another child activated from the list is maximised in its turn.
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    EXPECT_EQ(Text(frameWindow), "MDI Test - [Plan1]");
    EXPECT_TRUE(Active()->IsZoomed());

    Active()->MDIRestore();
    EXPECT_FALSE(Active()->IsZoomed());
    EXPECT_EQ(::GetMenuItemCount(menu), items);
    EXPECT_EQ(Text(frameWindow), "Plan1 - MDI Test");
}

TEST_F(MdiFrameTest, TileAndCascadeCommandsArrangeTheChildren)
{
    // Without document windows the window commands are disabled.
    struct Probe : CCmdUI {
        BOOL enabled = TRUE;
        void Enable(BOOL on) override { enabled = on; }
    } probe;
    probe.m_nID = ID_WINDOW_CASCADE;
    EXPECT_TRUE(frame->OnCmdMsg(ID_WINDOW_CASCADE, CN_UPDATE_COMMAND_UI, &probe, nullptr));
    EXPECT_FALSE(probe.enabled);

    NewDocument();
    NewDocument();
    HWND second = Active()->m_hWnd;
    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    HWND first = Active()->m_hWnd;
    probe.enabled = FALSE;
    EXPECT_TRUE(frame->OnCmdMsg(ID_WINDOW_CASCADE, CN_UPDATE_COMMAND_UI, &probe, nullptr));
    EXPECT_TRUE(probe.enabled);

    // Tiled windows fill the client area (read afterwards: the client's
    // scroll bars go when nothing lies outside it any more).
    CRect client;
    frame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_VERT);
    ::GetClientRect(frame->m_hWndMDIClient, &client);
    CRect a = RectInClient(first), b = RectInClient(second);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.Height(), client.Height());
    EXPECT_NE(a.left, b.left);
    EXPECT_EQ(a.Width() + b.Width(), client.Width());

    frame->SendMessage(WM_COMMAND, ID_WINDOW_TILE_HORZ);
    ::GetClientRect(frame->m_hWndMDIClient, &client);
    a = RectInClient(first);
    b = RectInClient(second);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.Width(), client.Width());
    EXPECT_NE(a.top, b.top);
    EXPECT_EQ(a.Height() + b.Height(), client.Height());

    frame->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
    a = RectInClient(first);
    b = RectInClient(second);
    // Cascaded: each window a step right of and below the one behind it,
    // the active one in front.
    EXPECT_NE(a.TopLeft(), b.TopLeft());
    EXPECT_EQ(a.Width(), b.Width());
    EXPECT_EQ(Active()->m_hWnd, first);
    EXPECT_GT(a.left, b.left);
    EXPECT_GT(a.top, b.top);
}

TEST_F(MdiFrameTest, CommandsGoToTheActiveChildsViewAndDocumentFirst)
{
    NewDocument();
    NewDocument();
    frame->SendMessage(WM_COMMAND, ID_VIEW_ONLY);
    EXPECT_EQ(g_mdi.lastViewCommand, "Plan2");
    frame->SendMessage(WM_COMMAND, ID_DOC_ONLY);
    EXPECT_EQ(g_mdi.lastDocCommand, "Plan2");

    frame->SendMessage(WM_COMMAND, AFX_IDM_FIRST_MDICHILD);
    frame->SendMessage(WM_COMMAND, ID_VIEW_ONLY);
    EXPECT_EQ(g_mdi.lastViewCommand, "Plan1");
    frame->SendMessage(WM_COMMAND, ID_DOC_ONLY);
    EXPECT_EQ(g_mdi.lastDocCommand, "Plan1");
    EXPECT_EQ(g_mdi.docCommands, 2);

    // The main frame comes before the application, and the application
    // still gets what nobody else handles.
    frame->SendMessage(WM_COMMAND, ID_APP_ONLY);
    EXPECT_EQ(g_mdi.frameCommands, 1);
    EXPECT_EQ(g_mdi.appCommands, 0);
    frame->SendMessage(WM_COMMAND, ID_NO_PROMPT);
    EXPECT_EQ(g_mdi.appCommands, 1);
    EXPECT_FALSE(frame->OnCmdMsg(ID_NOBODY, CN_COMMAND, nullptr, nullptr));

    // The template's accelerator reaches the active child's view.
    HWND view = ::GetDlgItem(Active()->m_hWnd, AFX_IDW_PANE_FIRST);
    ASSERT_NE(view, nullptr);
    g_mdi.lastViewCommand.clear();
    ::PostMessageA(view, WM_KEYDOWN, VK_F5, 0x003F0001);
    EXPECT_TRUE(PumpUntil([] { return g_mdi.lastViewCommand == "Plan1"; }, 2000));
}

TEST_F(MdiFrameTest, NewWindowNumbersTheDocumentsWindows)
{
    CDocument* document = NewDocument();
    ASSERT_NE(document, nullptr);
    MdiChild* original = Active();
    frame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    MdiChild* second = Active();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, original);
    EXPECT_EQ(second->GetActiveDocument(), document);
    EXPECT_EQ(Text(original->m_hWnd), "Plan1:1");
    EXPECT_EQ(Text(second->m_hWnd), "Plan1:2");
    EXPECT_EQ(Text(frameWindow), "Plan1:2 - MDI Test");

    // Closing one window leaves the document in the other, unnumbered.
    second->SendMessage(WM_CLOSE);
    EXPECT_EQ(Active(), original);
    EXPECT_EQ(Text(original->m_hWnd), "Plan1");
    EXPECT_EQ(g_mdi.documentsDeleted, 0);
}

TEST_F(MdiFrameTest, ANewWindowOfAMaximisedChildIsMaximisedToo)
{
    NewDocument();
    Active()->MDIMaximize();
    frame->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    BOOL maximized = FALSE;
    MdiChild* second = Active(&maximized);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(maximized);
    EXPECT_TRUE(second->IsZoomed());
    EXPECT_EQ(Text(frameWindow), "MDI Test - [Plan1:2]");
}

TEST_F(MdiFrameTest, ClosingTheLastChildGivesTheFrameItsOwnMenuAndTitle)
{
    NewDocument();
    NewDocument();
    Active()->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_mdi.documentsDeleted, 1);
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Text(frameWindow), "Plan1 - MDI Test");
    EXPECT_EQ(::GetMenu(frameWindow), docTemplate->m_hMenuShared);
    HMENU window = WindowMenu();
    EXPECT_EQ(MenuItemText(window, AFX_IDM_FIRST_MDICHILD), "&1 Plan1");
    EXPECT_EQ(::GetMenuState(window, AFX_IDM_FIRST_MDICHILD + 1, MF_BYCOMMAND), static_cast<UINT>(-1));

    Active()->SendMessage(WM_CLOSE);
    EXPECT_EQ(g_mdi.documentsDeleted, 2);
    EXPECT_EQ(Active(), nullptr);
    EXPECT_EQ(::GetMenu(frameWindow), frame->m_hMenuDefault);
    EXPECT_EQ(Text(frameWindow), "MDI Test");
    EXPECT_EQ(docTemplate->GetFirstDocPosition(), nullptr);
    // The shared menu belongs to the template and stays.
    EXPECT_TRUE(::IsMenu(docTemplate->m_hMenuShared));
}

TEST_F(MdiFrameTest, ClosingTheFrameClosesEveryDocument)
{
    NewDocument();
    NewDocument();
    ::SendMessageA(frameWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(frameWindow));
    EXPECT_EQ(g_mdi.documentsDeleted, 2);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(MdiFrameTest, ScreenshotOfAnMdiFrameWithTwoChildren)
{
    NewDocument();
    NewDocument();
    frame->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
    frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    PumpMessages(200);
    Image image = CaptureWindow(frameWindow);
    ASSERT_FALSE(image.Empty());
    EXPECT_FALSE(SaveScreenshot(image, "frame_mdi_two_children").empty());
    EXPECT_GT(image.DistinctColors(), 3u);
}

}  // namespace
