// The frame window: loading from one resource id, the message bar, the
// layout of bars and pane, the standard bar commands, print preview,
// floating windows kept in step, and context help.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame_fixture.h"
#include "frame_test_resource.h"
#include "message_pump.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/dock_state.h"
#include "platform/ui/mini_frame_wnd.h"
#include "platform/ui/win_thread.h"
#include "screenshot.h"
#include "system_calls_recorder.h"

namespace {

class CountingFrame : public CFrameWnd {
public:
    int testCommands = 0;

protected:
    void OnTestCommand() { ++testCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
END_MESSAGE_MAP()

CountingFrame* LoadTestFrame(UINT id = IDR_TEST_FRAME)
{
    CountingFrame* frame = new CountingFrame;
    if (!frame->LoadFrame(id))
        return nullptr;  // the frame deleted itself
    return frame;
}

std::string MenuText(HMENU menu, UINT position)
{
    char text[64] = "";
    ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string WindowText(HWND hWnd)
{
    char text[128] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// ---- Loading ------------------------------------------------------------------------

TEST(FrameLoad, TakesMenuIconAndTitleFromOneResourceId)
{
    CountingFrame* frame = LoadTestFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);

    ASSERT_NE(frame->m_hMenuDefault, nullptr);
    EXPECT_EQ(::GetMenu(frame->m_hWnd), frame->m_hMenuDefault);
    EXPECT_EQ(MenuText(frame->m_hMenuDefault, 0), "&File");
    EXPECT_EQ(MenuText(frame->m_hMenuDefault, 1), "&View");
    EXPECT_NE(::GetClassLongPtrA(frame->m_hWnd, GCLP_HICON), 0);
    EXPECT_NE(frame->GetIcon(TRUE), nullptr);
    // The title is the string up to its first "\n".
    EXPECT_EQ(WindowText(frame->m_hWnd), "Frame Test");
    EXPECT_STREQ(frame->GetTitle(), "Frame Test");
    EXPECT_TRUE(frame->GetStyle() & FWS_ADDTOTITLE);
    EXPECT_EQ(frame->m_nIDHelp, static_cast<UINT>(IDR_TEST_FRAME));
}

TEST(FrameLoad, AcceleratorOfTheResourceReachesItsCommand)
{
    CountingFrame* frame = LoadTestFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    ASSERT_NE(frame->m_hAccelTable, nullptr);
    EXPECT_EQ(frame->GetDefaultAccelerator(), frame->m_hAccelTable);

    frame->PostMessage(WM_KEYDOWN, VK_F5, 0x003F0001);
    EXPECT_TRUE(PumpUntil([&] { return frame->testCommands == 1; }, 2000));
    // A key without an accelerator runs nothing.
    frame->PostMessage(WM_KEYDOWN, VK_F6, 0x00400001);
    PumpMessages(100);
    EXPECT_EQ(frame->testCommands, 1);
}

TEST(FrameLoad, ResourceWithoutMenuOrAcceleratorsStillMakesAFrame)
{
    CountingFrame* frame = LoadTestFrame(IDR_NO_ACCEL_FRAME);
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    EXPECT_EQ(frame->m_hMenuDefault, nullptr);
    EXPECT_EQ(frame->m_hAccelTable, nullptr);
    EXPECT_EQ(WindowText(frame->m_hWnd), "Plain Frame");
}

// ---- Message bar --------------------------------------------------------------------

struct FrameWithBar {
    FrameWithBar() : frame(LoadTestFrame()), holder(frame)
    {
        bar = new MessageBar;
        bar->m_bAutoDelete = TRUE;
        created = frame && bar->CreateIn(frame);
    }
    CountingFrame* frame;
    FrameHolder holder;
    MessageBar* bar = nullptr;
    bool created = false;
};

TEST(FrameMessageBar, ShowsPromptsOfMenusTextsIdsAndTheIdlePrompt)
{
    FrameWithBar f;
    ASSERT_TRUE(f.created);
    CountingFrame* frame = f.frame;
    HMENU menu = frame->m_hMenuDefault;
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* expected;
    };
    static const char kText[] = "Plain words";
    const Case cases[] = {
        {"menu item", WM_MENUSELECT, MAKEWPARAM(ID_TEST_COMMAND, MF_STRING), reinterpret_cast<LPARAM>(menu),
         "Runs the test command"},
        {"item without prompt", WM_MENUSELECT, MAKEWPARAM(ID_NO_PROMPT, MF_STRING),
         reinterpret_cast<LPARAM>(menu), ""},
        {"system command", WM_MENUSELECT, MAKEWPARAM(SC_CLOSE, MF_STRING | MF_SYSMENU),
         reinterpret_cast<LPARAM>(menu), "Close the active window"},
        {"menu closed", WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0, "Ready"},
        {"text", WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(kText), "Plain words"},
        {"id", WM_SETMESSAGESTRING, ID_APP_ONLY, 0, "Handled by the application"},
        {"pop", WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0, "Ready"},
    };
    for (const Case& c : cases) {
        frame->SendMessage(c.message, c.wParam, c.lParam);
        EXPECT_STREQ(f.bar->Text(), c.expected) << c.name;
    }
    frame->SetMessageText("Direct");
    EXPECT_STREQ(f.bar->Text(), "Direct");
    frame->SetMessageText(ID_TEST_COMMAND);
    EXPECT_STREQ(f.bar->Text(), "Runs the test command");
    EXPECT_EQ(frame->m_nIDTracking, static_cast<UINT>(ID_TEST_COMMAND));
}

TEST(FrameMessageBar, BarsForwardPromptsToTheirOwner)
{
    FrameWithBar f;
    ASSERT_TRUE(f.created);
    SideBar* tool = new SideBar(10);
    tool->m_bAutoDelete = TRUE;
    ASSERT_TRUE(tool->CreateAt(f.frame, CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR));
    tool->SendMessage(WM_SETMESSAGESTRING, ID_TEST_COMMAND);
    EXPECT_STREQ(f.bar->Text(), "Runs the test command");
}

TEST(FrameMessageBar, PopIsIgnoredWhileTheFrameAsksForNoPop)
{
    FrameWithBar f;
    ASSERT_TRUE(f.created);
    f.frame->SetMessageText("Kept");
    f.frame->m_nFlags |= WF_NOPOPMSG;
    f.frame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_STREQ(f.bar->Text(), "Kept");
}

TEST(FrameMessageBar, PromptsWithoutABarAreDropped)
{
    CountingFrame* frame = LoadTestFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_COMMAND, MF_STRING),
                       reinterpret_cast<LPARAM>(frame->m_hMenuDefault));
    frame->SetMessageText("Nowhere");
    EXPECT_EQ(frame->GetMessageBar(), nullptr);
    EXPECT_EQ(WindowText(frame->m_hWnd), "Frame Test");
}

TEST(FrameMessageBar, MessageStringIsTheTextBeforeTheNewline)
{
    CountingFrame* frame = LoadTestFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    CString text;
    frame->GetMessageString(ID_APP_ONLY, text);
    EXPECT_STREQ(text, "Handled by the application");
    frame->GetMessageString(ID_DOC_ONLY, text);
    EXPECT_STREQ(text, "Handled by the document");
    frame->GetMessageString(ID_NO_PROMPT, text);
    EXPECT_STREQ(text, "");
}

TEST(FrameMessageBar, ScreenshotOfAnSdiFrameWithMenuAndMessageBar)
{
    FrameWithBar f;
    ASSERT_TRUE(f.created);
    CWnd* pane = new CWnd;
    ASSERT_TRUE(pane->CreateEx(WS_EX_CLIENTEDGE, "EDIT", "The frame's pane",
                               WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 0, 0), f.frame,
                               AFX_IDW_PANE_FIRST));
    f.frame->SetWindowPos(nullptr, 40, 40, 420, 260, SWP_NOZORDER | SWP_SHOWWINDOW);
    f.frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_COMMAND, MF_STRING),
                         reinterpret_cast<LPARAM>(f.frame->m_hMenuDefault));
    f.frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpMessages(200);
    const Image image = CaptureWindow(f.frame->m_hWnd);
    EXPECT_FALSE(SaveScreenshot(image, "frame_sdi_message_bar").empty());
    // The bar fills the bottom of the client area, the pane the rest.
    CRect client;
    f.frame->GetClientRect(&client);
    EXPECT_EQ(f.bar->RectInParent(), CRect(0, client.bottom - 22, client.right, client.bottom));
    pane->DestroyWindow();
    delete pane;
}

// ---- Layout -------------------------------------------------------------------------

// A bar that records each WM_SIZEPARENT and asks for a layout from inside it.
class ReentrantBar : public SideBar {
public:
    ReentrantBar() : SideBar(10) {}
    int sizeParentCount = 0;
    bool sawDeferHandle = false;
    bool sawQuery = false;
    bool stretch = false;

protected:
    LRESULT OnSizeParentHere(WPARAM wParam, LPARAM lParam)
    {
        ++sizeParentCount;
        auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        (layout->hDWP ? sawDeferHandle : sawQuery) = true;
        stretch = static_cast<BOOL>(wParam) == layout->bStretch;
        GetParentFrame()->RecalcLayout();
        return OnSizeParent(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReentrantBar, SideBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParentHere)
END_MESSAGE_MAP()

struct LayoutFrame {
    LayoutFrame() : frame(LoadTestFrame()), holder(frame)
    {
        if (!frame)
            return;
        frame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        top.m_bAutoDelete = FALSE;
        ok = top.CreateAt(frame, CBRS_ALIGN_TOP, AFX_IDW_TOOLBAR) &&
             left.CreateAt(frame, CBRS_ALIGN_LEFT, 0xE810) && bottom.CreateIn(frame) &&
             pane.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), frame, AFX_IDW_PANE_FIRST);
        frame->GetClientRect(&client);
    }
    ~LayoutFrame()
    {
        pane.DestroyWindow();
        top.DestroyWindow();
        left.DestroyWindow();
        bottom.DestroyWindow();
    }
    CRect PaneRect() const
    {
        CRect rect;
        pane.GetWindowRect(&rect);
        frame->ScreenToClient(&rect);
        return rect;
    }
    CountingFrame* frame;
    FrameHolder holder;
    ReentrantBar top;
    SideBar left{30};
    MessageBar bottom;
    CWnd pane;
    CRect client;
    bool ok = false;
};

TEST(FrameLayout, BarsTakeTheirSidesAndThePaneTheRest)
{
    LayoutFrame f;
    ASSERT_TRUE(f.ok);
    f.frame->RecalcLayout();
    const CRect& c = f.client;
    EXPECT_EQ(f.top.RectInParent(), CRect(0, 0, c.right, 10));
    EXPECT_EQ(f.left.RectInParent(), CRect(0, 10, 30, c.bottom));
    EXPECT_EQ(f.bottom.RectInParent(), CRect(30, c.bottom - 22, c.right, c.bottom));
    EXPECT_EQ(f.PaneRect(), CRect(30, 10, c.right, c.bottom - 22));
}

TEST(FrameLayout, ALayoutAskedForDuringTheLayoutIsRefused)
{
    LayoutFrame f;
    ASSERT_TRUE(f.ok);
    f.top.sizeParentCount = 0;
    f.frame->RecalcLayout();
    // The bar's own request from inside WM_SIZEPARENT sent nothing more.
    EXPECT_EQ(f.top.sizeParentCount, 1);
    EXPECT_TRUE(f.top.sawDeferHandle);
    EXPECT_TRUE(f.top.stretch);
}

TEST(FrameLayout, BorderSpaceIsKeptFreeAroundThePane)
{
    LayoutFrame f;
    ASSERT_TRUE(f.ok);
    const CRect& c = f.client;
    CRect rest;
    f.top.sawQuery = false;
    ASSERT_TRUE(f.frame->NegotiateBorderSpace(CFrameWnd::borderGet, &rest));
    EXPECT_TRUE(f.top.sawQuery);
    EXPECT_EQ(rest, CRect(30, 10, c.right, c.bottom - 22));

    CRect fits(5, 6, 7, 8);
    EXPECT_TRUE(f.frame->NegotiateBorderSpace(CFrameWnd::borderRequest, &fits));
    CRect tooWide(400, 0, 400, 0);
    EXPECT_FALSE(f.frame->NegotiateBorderSpace(CFrameWnd::borderRequest, &tooWide));

    ASSERT_TRUE(f.frame->NegotiateBorderSpace(CFrameWnd::borderSet, &fits));
    EXPECT_EQ(f.PaneRect(), CRect(30 + 5, 10 + 6, c.right - 7, c.bottom - 22 - 8));
    ASSERT_TRUE(f.frame->NegotiateBorderSpace(CFrameWnd::borderSet, nullptr));
    EXPECT_EQ(f.PaneRect(), CRect(30, 10, c.right, c.bottom - 22));
}

TEST(FrameLayout, ResizingTheFrameLaysItOutAgain)
{
    LayoutFrame f;
    ASSERT_TRUE(f.ok);
    f.frame->SetWindowPos(nullptr, 0, 0, 500, 350, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect c;
    f.frame->GetClientRect(&c);
    EXPECT_EQ(f.PaneRect(), CRect(30, 10, c.right, c.bottom - 22));
}

// ---- Standard bars --------------------------------------------------------------------

class CheckProbe : public CCmdUI {
public:
    int check = -1;
    void SetCheck(int nCheck) override { check = nCheck; }
};

TEST(FrameBars, ViewStatusBarCommandTogglesTheBarAndItsCheck)
{
    LayoutFrame f;
    ASSERT_TRUE(f.ok);
    CheckProbe probe;
    probe.m_nID = ID_VIEW_STATUS_BAR;
    ASSERT_TRUE(probe.DoUpdate(f.frame, FALSE));
    EXPECT_EQ(probe.check, 1);

    f.frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(f.bottom.IsWindowVisible());
    const CRect& c = f.client;
    EXPECT_EQ(f.PaneRect(), CRect(30, 10, c.right, c.bottom));
    ASSERT_TRUE(probe.DoUpdate(f.frame, FALSE));
    EXPECT_EQ(probe.check, 0);

    f.frame->SendMessage(WM_COMMAND, ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(f.bottom.IsWindowVisible());
    EXPECT_EQ(f.PaneRect(), CRect(30, 10, c.right, c.bottom - 22));
}

TEST(FrameBars, BarCommandWithoutItsBarIsNotHandled)
{
    CountingFrame* frame = LoadTestFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    EXPECT_EQ(frame->GetControlBar(ID_VIEW_TOOLBAR), nullptr);
    EXPECT_FALSE(frame->OnCmdMsg(ID_VIEW_TOOLBAR, CN_COMMAND, nullptr, nullptr));
}

TEST(FrameBars, DockStateLoadsAndSavesWithoutWritingAnything)
{
    CountingFrame* frame = LoadTestFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    CDockState state;
    frame->GetDockState(state);
    EXPECT_EQ(state.GetBarCount(), 0);
    state.SaveState("Frame Test Layout");
    state.LoadState("Frame Test Layout");
    frame->SetDockState(state);
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Frame Test Layout", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    if (key)
        ::RegCloseKey(key);
}

// ---- Idle time ----------------------------------------------------------------------------

class UpdatingBar : public SideBar {
public:
    UpdatingBar() : SideBar(10) {}
    int updates = 0;
    CFrameWnd* lastTarget = nullptr;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) override
    {
        ++updates;
        lastTarget = pTarget;
    }
};

TEST(FrameIdle, IdleTimeUpdatesBarsAndAppliesDelayedTitleMenuAndLayout)
{
    LayoutFrame f;
    ASSERT_TRUE(f.ok);
    UpdatingBar bar;
    ASSERT_TRUE(bar.CreateAt(f.frame, CBRS_ALIGN_TOP, 0xE812));
    CWinThread thread;
    thread.m_pMainWnd = f.frame;

    f.frame->SetTitle("Renamed");
    f.frame->DelayUpdateFrameTitle();
    HMENU other = ::CreateMenu();
    ::AppendMenuA(other, MF_STRING, ID_TEST_COMMAND, "Other");
    f.frame->DelayUpdateFrameMenu(other);
    f.frame->ShowControlBar(&bar, FALSE, TRUE);
    // Nothing changes before idle time.
    EXPECT_TRUE(bar.IsWindowVisible());
    EXPECT_EQ(::GetMenu(f.frame->m_hWnd), f.frame->m_hMenuDefault);

    thread.OnIdle(0);
    EXPECT_EQ(WindowText(f.frame->m_hWnd), "Renamed");
    EXPECT_EQ(::GetMenu(f.frame->m_hWnd), other);
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_EQ(f.frame->m_nIdleFlags, 0u);

    f.frame->ShowControlBar(&bar, TRUE, FALSE);
    const int before = bar.updates;
    thread.OnIdle(0);
    EXPECT_EQ(bar.updates, before + 1);
    EXPECT_EQ(bar.lastTarget, f.frame);

    // The frame's own menu comes back (the other one is the test's).
    f.frame->OnUpdateFrameMenu(nullptr);
    EXPECT_EQ(::GetMenu(f.frame->m_hWnd), f.frame->m_hMenuDefault);
    ::DestroyMenu(other);
    bar.DestroyWindow();
}

TEST(ControlBar, DynamicLayoutAnswersTheFixedSizeOfTheOrientationAsked)
{
    LayoutFrame f;
    ASSERT_TRUE(f.ok);
    EXPECT_EQ(f.left.CalcDynamicLayout(-1, LM_HORZ | LM_STRETCH), CSize(32767, 30));
    EXPECT_EQ(f.left.CalcDynamicLayout(-1, LM_STRETCH), CSize(30, 32767));
    EXPECT_FALSE(f.left.IsFloating());
    EXPECT_EQ(f.left.GetDockingFrame(), f.frame);
    EXPECT_EQ(f.frame->GetControlBar(0xE810), &f.left);
}

TEST(ControlBar, BaseStretchedSizeIsTheThicknessOfItsBorders)
{
    CControlBar* bar = new CControlBar;
    bar->m_bAutoDelete = TRUE;
    bar->SetBarStyle(CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM | CBRS_GRIPPER);
    // Borders of 2 pixels each, plus the space kept inside them.
    const int inside = bar->m_cyTopBorder + bar->m_cyBottomBorder;
    EXPECT_EQ(bar->CalcFixedLayout(TRUE, TRUE), CSize(32767, 4 + inside));
    EXPECT_EQ(bar->CalcFixedLayout(FALSE, TRUE), CSize(0, 0));
    CRect rect(0, 0, 100, 30);
    bar->CalcInsideRect(rect, TRUE);
    EXPECT_EQ(rect, CRect(bar->m_cxLeftBorder + 8, 2 + bar->m_cyTopBorder, 100 - bar->m_cxRightBorder,
                          30 - 2 - bar->m_cyBottomBorder));
    delete bar;
}

TEST(ControlBar, BordersAreDrawnInsideTheBarsEdges)
{
    LayoutFrame f;
    ASSERT_TRUE(f.ok);
    f.bottom.SetBarStyle(f.bottom.GetBarStyle() | CBRS_BORDER_TOP);
    f.frame->RecalcLayout();
    f.bottom.RedrawWindow();
    const Image image = DrawWindow(f.bottom.m_hWnd);
    ASSERT_FALSE(image.Empty());
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const int x = image.width / 2;
    EXPECT_EQ(image.Pixel(x, 0), shadow);
    EXPECT_EQ(image.Pixel(x, 1), light);
    EXPECT_EQ(image.Pixel(x, 2), face);
}

// ---- Print preview --------------------------------------------------------------------

TEST(FramePreview, HidesAndRestoresExactlyTheVisibleBars)
{
    LayoutFrame f;
    ASSERT_TRUE(f.ok);
    SideBar hidden(12);
    ASSERT_TRUE(hidden.CreateAt(f.frame, CBRS_ALIGN_RIGHT, 0xE811, FALSE));
    HMENU menu = ::GetMenu(f.frame->m_hWnd);
    HACCEL accel = f.frame->m_hAccelTable;

    CPrintPreviewState state;
    f.frame->OnSetPreviewMode(TRUE, &state);
    EXPECT_FALSE(f.top.IsWindowVisible());
    EXPECT_FALSE(f.left.IsWindowVisible());
    EXPECT_FALSE(f.bottom.IsWindowVisible());
    EXPECT_EQ(state.visibleBars.size(), 3u);
    EXPECT_EQ(::GetMenu(f.frame->m_hWnd), nullptr);
    EXPECT_EQ(f.frame->m_hAccelTable, nullptr);

    f.frame->OnSetPreviewMode(FALSE, &state);
    EXPECT_TRUE(f.top.IsWindowVisible());
    EXPECT_TRUE(f.left.IsWindowVisible());
    EXPECT_TRUE(f.bottom.IsWindowVisible());
    EXPECT_FALSE(hidden.IsWindowVisible());
    EXPECT_EQ(::GetMenu(f.frame->m_hWnd), menu);
    EXPECT_EQ(f.frame->m_hAccelTable, accel);
    const CRect& c = f.client;
    EXPECT_EQ(f.PaneRect(), CRect(30, 10, c.right, c.bottom - 22));
    hidden.DestroyWindow();
}

TEST(FramePreview, ABarDestroyedDuringPreviewIsNotRestored)
{
    LayoutFrame f;
    ASSERT_TRUE(f.ok);
    SideBar* extra = new SideBar(12);
    extra->m_bAutoDelete = TRUE;
    ASSERT_TRUE(extra->CreateAt(f.frame, CBRS_ALIGN_RIGHT, 0xE811));
    CPrintPreviewState state;
    f.frame->OnSetPreviewMode(TRUE, &state);
    ASSERT_EQ(state.visibleBars.size(), 4u);
    extra->DestroyWindow();
    f.frame->OnSetPreviewMode(FALSE, &state);
    EXPECT_TRUE(f.bottom.IsWindowVisible());
    EXPECT_EQ(f.frame->GetControlBar(0xE811), nullptr);
}

// ---- Floating windows ----------------------------------------------------------------

class RecordingMiniFrame : public CMiniFrameWnd {
public:
    std::vector<WPARAM>* log = nullptr;

protected:
    LRESULT OnFloatStatusHere(WPARAM wParam, LPARAM lParam)
    {
        if (log)
            log->push_back(wParam);
        return OnFloatStatus(wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingMiniFrame, CMiniFrameWnd)
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatusHere)
END_MESSAGE_MAP()

struct FloatingSetup {
    FloatingSetup(DWORD miniStyle) : frame(LoadTestFrame()), holder(frame)
    {
        if (!frame)
            return;
        frame->SetWindowPos(nullptr, 20, 20, 300, 200, SWP_NOZORDER | SWP_SHOWWINDOW);
        mini = new RecordingMiniFrame;
        mini->log = &log;
        ok = mini->CreateEx(0, nullptr, "Floating", WS_CAPTION | WS_VISIBLE | miniStyle,
                            CRect(350, 20, 500, 120), frame) != FALSE;
        miniWindow = ok ? mini->m_hWnd : nullptr;
        log.clear();
    }
    ~FloatingSetup()
    {
        if (miniWindow && ::IsWindow(miniWindow))
            ::DestroyWindow(miniWindow);
    }
    CountingFrame* frame;
    FrameHolder holder;
    RecordingMiniFrame* mini = nullptr;
    HWND miniWindow = nullptr;
    std::vector<WPARAM> log;
    bool ok = false;
};

TEST(FrameFloating, SynchronisedMiniFrameKeepsTheFrameActive)
{
    FloatingSetup s(MFS_SYNCACTIVE);
    ASSERT_TRUE(s.ok);
    // The frame loses activation to its synchronised mini frame.
    s.frame->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(s.miniWindow));
    ASSERT_GE(s.log.size(), 2u);
    EXPECT_EQ(s.log[0], static_cast<WPARAM>(FS_SYNCACTIVE));
    EXPECT_EQ(s.log.back(), static_cast<WPARAM>(FS_ACTIVATE));
    EXPECT_TRUE(s.frame->m_nFlags & WF_STAYACTIVE);

    // Activation going elsewhere deactivates both.
    s.log.clear();
    s.frame->SendMessage(WM_ACTIVATE, WA_INACTIVE, 0);
    ASSERT_EQ(s.log.size(), 1u);
    EXPECT_EQ(s.log[0], static_cast<WPARAM>(FS_DEACTIVATE));
    EXPECT_FALSE(s.frame->m_nFlags & WF_STAYACTIVE);
}

TEST(FrameFloating, UnsynchronisedMiniFrameLetsTheFrameGoInactive)
{
    FloatingSetup s(0);
    ASSERT_TRUE(s.ok);
    s.frame->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(s.miniWindow));
    ASSERT_EQ(s.log.size(), 2u);
    EXPECT_EQ(s.log[0], static_cast<WPARAM>(FS_SYNCACTIVE));
    EXPECT_EQ(s.log[1], static_cast<WPARAM>(FS_DEACTIVATE));
    EXPECT_FALSE(s.frame->m_nFlags & WF_STAYACTIVE);
}

TEST(FrameFloating, MiniFrameFollowsTheFrameDisabledAndHidden)
{
    FloatingSetup s(MFS_SYNCACTIVE);
    ASSERT_TRUE(s.ok);
    s.frame->EnableWindow(FALSE);
    EXPECT_FALSE(::IsWindowEnabled(s.miniWindow));
    s.frame->EnableWindow(TRUE);
    EXPECT_TRUE(::IsWindowEnabled(s.miniWindow));
    s.frame->ShowWindow(SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(s.miniWindow));
    s.frame->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(::IsWindowVisible(s.miniWindow));
    // Activation may change on the way (a hidden frame is no longer active):
    // only the enabling and showing flags are compared.
    std::vector<WPARAM> seen;
    for (WPARAM flags : s.log) {
        if (flags & (FS_SHOW | FS_HIDE | FS_ENABLE | FS_DISABLE))
            seen.push_back(flags);
    }
    const std::vector<WPARAM> expected = {FS_DISABLE, FS_ENABLE, FS_HIDE, FS_SHOW};
    EXPECT_EQ(seen, expected);
}

TEST(FrameFloating, MiniFrameDeletesItselfWithItsWindow)
{
    FloatingSetup s(0);
    ASSERT_TRUE(s.ok);
    ::DestroyWindow(s.miniWindow);
    EXPECT_EQ(CWnd::FromHandlePermanent(s.miniWindow), nullptr);
    s.miniWindow = nullptr;
}

// ---- Context help ---------------------------------------------------------------------

class HelpChild : public CWnd {
protected:
    LRESULT OnHelpHitTest(WPARAM, LPARAM) { return HID_BASE_CONTROL + 0x42; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpChild, CWnd)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

struct HelpSetup {
    HelpSetup() : frame(LoadTestFrame()), holder(frame)
    {
        if (!frame)
            return;
        frame->SetWindowPos(nullptr, 30, 30, 300, 200, SWP_NOZORDER | SWP_SHOWWINDOW);
        ok = child.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 60), frame, 100) &&
             plain.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(100, 10, 150, 60), frame, 101);
    }
    ~HelpSetup()
    {
        child.DestroyWindow();
        plain.DestroyWindow();
    }
    CountingFrame* frame;
    FrameHolder holder;
    HelpChild child;
    CWnd plain;
    RecordingSystemCalls calls;
    bool ok = false;
};

TEST(FrameContextHelp, ClickAsksTheWindowThereAndShowsItsHelp)
{
    HelpSetup s;
    ASSERT_TRUE(s.ok);
    ASSERT_TRUE(s.frame->CanEnterHelpMode());
    s.frame->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    s.frame->OnContextHelp();
    EXPECT_EQ(s.frame->m_bHelpMode, CFrameWnd::HELP_INACTIVE);
    ASSERT_EQ(s.calls.Count("WinHelp"), 1u);
    EXPECT_NE(s.calls.log.back().find(" 1 " + std::to_string(HID_BASE_CONTROL + 0x42)), std::string::npos)
        << s.calls.log.back();
}

TEST(FrameContextHelp, WindowWithoutHelpGivesTheFramesOwnHelp)
{
    HelpSetup s;
    ASSERT_TRUE(s.ok);
    s.frame->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 20));
    s.frame->OnContextHelp();
    ASSERT_EQ(s.calls.Count("WinHelp"), 1u);
    EXPECT_NE(s.calls.log.back().find(" 1 " + std::to_string(HID_BASE_RESOURCE + IDR_TEST_FRAME)),
              std::string::npos)
        << s.calls.log.back();
}

TEST(FrameContextHelp, EscapeOrRightClickEndsHelpModeWithoutHelp)
{
    for (UINT message : {static_cast<UINT>(WM_KEYDOWN), static_cast<UINT>(WM_RBUTTONDOWN)}) {
        HelpSetup s;
        ASSERT_TRUE(s.ok);
        s.frame->PostMessage(message, message == WM_KEYDOWN ? VK_ESCAPE : 0, MAKELPARAM(20, 20));
        s.frame->OnContextHelp();
        EXPECT_EQ(s.calls.Count("WinHelp"), 0u) << message;
        EXPECT_EQ(s.frame->m_bHelpMode, CFrameWnd::HELP_INACTIVE);
        EXPECT_NE(::GetCapture(), s.frame->m_hWnd);
    }
}

TEST(FrameContextHelp, ContextHelpCommandStartsHelpMode)
{
    HelpSetup s;
    ASSERT_TRUE(s.ok);
    s.frame->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    s.frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    EXPECT_EQ(s.calls.Count("WinHelp"), 1u);
}

// A child that notes what the frame's message bar says while help mode runs.
class PromptWatcher : public CWnd {
public:
    MessageBar* bar = nullptr;
    CString seen;

protected:
    LRESULT OnHelpHitTest(WPARAM, LPARAM)
    {
        seen = bar->Text();
        return HID_BASE_CONTROL + 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PromptWatcher, CWnd)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

TEST(FrameContextHelp, ShiftF1EntersHelpModeAndTheMessageBarSaysSo)
{
    HelpSetup s;
    ASSERT_TRUE(s.ok);
    MessageBar* bar = new MessageBar;
    bar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(bar->CreateIn(s.frame));
    PromptWatcher* watcher = new PromptWatcher;
    watcher->bar = bar;
    ASSERT_TRUE(watcher->CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(10, 80, 60, 120), s.frame, 102));

    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE shifted[256];
    ::memcpy(shifted, keys, sizeof keys);
    shifted[VK_SHIFT] = 0x80;
    ::SetKeyboardState(shifted);
    s.frame->PostMessage(WM_KEYDOWN, VK_F1, 0x003B0001);
    s.frame->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 90));
    PumpUntil([&] { return s.calls.Count("WinHelp") > 0; }, 3000);
    ::SetKeyboardState(keys);

    ASSERT_EQ(s.calls.Count("WinHelp"), 1u);
    EXPECT_NE(s.calls.log.back().find(" 1 " + std::to_string(HID_BASE_CONTROL + 7)), std::string::npos);
    EXPECT_STREQ(watcher->seen, "Select an object on which to get Help");
    EXPECT_STREQ(bar->Text(), "Ready");
    watcher->DestroyWindow();
    delete watcher;
}

}  // namespace
