// Docking: the frame's dock bars, bars docked in rows along a side with
// the pane shrinking by them, hiding a docked bar, and bars floating in a
// mini dock frame.
#include <gtest/gtest.h>

#include <memory>

#include "frame_fixture.h"
#include "frame_test_resource.h"
#include "message_pump.h"
#include "platform/ui/dock_bar.h"
#include "platform/ui/mini_dock_frame_wnd.h"
#include "platform/ui/tool_bar.h"
#include "platform/ui/win_thread.h"
#include "screenshot.h"

namespace {

class DockFrame : public CFrameWnd {
public:
    int testCommands = 0;

protected:
    void OnTestCommand() { ++testCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DockFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
END_MESSAGE_MAP()

// A frame 500 by 400 with a pane, all four sides open for docking, and
// toolbars made on demand from the test toolbar.
struct Docking {
    Docking() : frame(new DockFrame), holder(nullptr)
    {
        if (!frame->LoadFrame(IDR_TEST_FRAME)) {
            frame = nullptr;
            return;
        }
        holder.Reset(frame);
        frame->SetWindowPos(nullptr, 10, 10, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ok = pane.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "The frame's pane", WS_CHILD | WS_VISIBLE | ES_MULTILINE,
                           CRect(0, 0, 1, 1), frame, AFX_IDW_PANE_FIRST) != FALSE;
        frame->EnableDocking(CBRS_ALIGN_ANY);
        frame->GetClientRect(&client);
    }
    ~Docking()
    {
        for (auto& bar : bars)
            bar.reset();
        pane.DestroyWindow();
    }
    CToolBar* AddBar(UINT id, DWORD dockSides = CBRS_ALIGN_ANY)
    {
        auto& bar = bars[count++];
        bar = std::make_unique<CToolBar>();
        if (!bar->CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_GRIPPER,
                           CRect(1, 2, 1, 2), id) ||
            !bar->LoadToolBar(IDR_TEST_TOOLBAR))
            return nullptr;
        bar->EnableDocking(dockSides);
        return bar.get();
    }
    CRect InFrame(const CWnd& wnd) const
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        frame->ScreenToClient(&rect);
        return rect;
    }
    CDockBar* Side(UINT id) const { return static_cast<CDockBar*>(frame->GetControlBar(id)); }

    DockFrame* frame;
    FrameHolder holder;
    CWnd pane;
    CRect client;
    std::unique_ptr<CToolBar> bars[4];
    int count = 0;
    bool ok = false;
};

}  // namespace

TEST(Docking, EnableDockingMakesADockBarPerSideWithItsId)
{
    Docking d;
    ASSERT_TRUE(d.ok);
    const struct {
        UINT id;
        DWORD align;
    } sides[] = {
        {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
        {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
        {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
        {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    };
    for (const auto& side : sides) {
        SCOPED_TRACE(side.id);
        CControlBar* bar = d.frame->GetControlBar(side.id);
        ASSERT_NE(bar, nullptr);
        EXPECT_TRUE(bar->IsKindOf(RUNTIME_CLASS(CDockBar)));
        EXPECT_EQ(bar->GetBarStyle() & CBRS_ALIGN_ANY, side.align);
        EXPECT_EQ(bar->GetParent(), d.frame);
        // Empty: no space taken.
        EXPECT_TRUE(d.InFrame(*bar).IsRectEmpty());
    }
    // Asking again makes no second set.
    const INT_PTR bars = d.frame->m_listControlBars.GetCount();
    d.frame->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_EQ(d.frame->m_listControlBars.GetCount(), bars);
}

TEST(Docking, BarsDockedAtTheTopStackInRowsAndThePaneShrinksByThem)
{
    Docking d;
    ASSERT_TRUE(d.ok);
    CToolBar* first = d.AddBar(0xE880);
    CToolBar* second = d.AddBar(0xE881);
    ASSERT_TRUE(first && second);
    d.frame->DockControlBar(first, AFX_IDW_DOCKBAR_TOP);
    d.frame->DockControlBar(second, AFX_IDW_DOCKBAR_TOP);

    CDockBar* top = d.Side(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(first->m_pDockBar, top);
    EXPECT_EQ(first->GetParent(), top);
    EXPECT_FALSE(first->IsFloating());
    EXPECT_EQ(top->GetRowCount(), 2);
    const CSize size = first->CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(d.InFrame(*first), CRect(CPoint(0, 0), size));
    EXPECT_EQ(d.InFrame(*second), CRect(CPoint(0, size.cy), size));
    EXPECT_EQ(d.InFrame(*top), CRect(0, 0, d.client.right, 2 * size.cy));
    EXPECT_EQ(d.InFrame(d.pane), CRect(0, 2 * size.cy, d.client.right, d.client.bottom));
    // The bar still belongs to the frame.
    EXPECT_EQ(d.frame->GetControlBar(0xE881), second);
}

TEST(Docking, ABarDockedAtARectangleJoinsThatRowAtItsPlace)
{
    Docking d;
    ASSERT_TRUE(d.ok);
    CToolBar* first = d.AddBar(0xE880);
    CToolBar* second = d.AddBar(0xE881);
    ASSERT_TRUE(first && second);
    d.frame->DockControlBar(first, AFX_IDW_DOCKBAR_TOP);
    CRect target(CPoint(200, 1), CSize(50, 10));
    d.Side(AFX_IDW_DOCKBAR_TOP)->ClientToScreen(&target);
    d.frame->DockControlBar(second, AFX_IDW_DOCKBAR_TOP, &target);

    EXPECT_EQ(d.Side(AFX_IDW_DOCKBAR_TOP)->GetRowCount(), 1);
    const CSize size = first->CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(d.InFrame(*second), CRect(CPoint(200, 0), size));
    EXPECT_EQ(d.InFrame(d.pane).top, size.cy);

    // A place overlapping the first bar is pushed along behind it.
    CToolBar* third = d.AddBar(0xE882);
    ASSERT_NE(third, nullptr);
    CRect overlap(CPoint(10, 1), CSize(5, 5));
    d.Side(AFX_IDW_DOCKBAR_TOP)->ClientToScreen(&overlap);
    d.frame->DockControlBar(third, AFX_IDW_DOCKBAR_TOP, &overlap);
    EXPECT_EQ(d.InFrame(*third).left, size.cx);
    EXPECT_EQ(d.InFrame(*second).left, std::max(200, 2 * static_cast<int>(size.cx)));
}

TEST(Docking, ABarDockedLeftStandsUpBetweenTheTopBarsAndTheBottom)
{
    Docking d;
    ASSERT_TRUE(d.ok);
    CToolBar* top = d.AddBar(0xE880);
    CToolBar* left = d.AddBar(0xE881);
    ASSERT_TRUE(top && left);
    d.frame->DockControlBar(top, AFX_IDW_DOCKBAR_TOP);
    d.frame->DockControlBar(left, AFX_IDW_DOCKBAR_LEFT);

    EXPECT_EQ(left->GetBarStyle() & CBRS_ALIGN_ANY, static_cast<DWORD>(CBRS_ALIGN_LEFT));
    const CSize row = top->CalcFixedLayout(FALSE, TRUE);
    const CSize column = left->CalcFixedLayout(FALSE, FALSE);
    EXPECT_GT(column.cy, column.cx);
    EXPECT_EQ(d.InFrame(*left), CRect(CPoint(0, row.cy), column));
    EXPECT_EQ(d.InFrame(d.pane), CRect(column.cx, row.cy, d.client.right, d.client.bottom));
}

TEST(Docking, ABarDocksOnlyAtASideItAccepts)
{
    Docking d;
    ASSERT_TRUE(d.ok);
    CToolBar* leftOnly = d.AddBar(0xE880, CBRS_ALIGN_LEFT);
    CToolBar* nowhere = d.AddBar(0xE881, 0);
    ASSERT_TRUE(leftOnly && nowhere);
    // Side 0: the first side both allow.
    d.frame->DockControlBar(leftOnly);
    EXPECT_EQ(leftOnly->m_pDockBar, d.Side(AFX_IDW_DOCKBAR_LEFT));
    d.frame->DockControlBar(leftOnly, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(leftOnly->m_pDockBar, d.Side(AFX_IDW_DOCKBAR_LEFT));
    d.frame->DockControlBar(nowhere);
    EXPECT_EQ(nowhere->m_pDockBar, nullptr);
    EXPECT_EQ(nowhere->GetParent(), d.frame);
}

TEST(Docking, HidingADockedBarGivesItsSpaceBack)
{
    Docking d;
    ASSERT_TRUE(d.ok);
    CToolBar* first = d.AddBar(0xE880);
    CToolBar* second = d.AddBar(0xE881);
    ASSERT_TRUE(first && second);
    d.frame->DockControlBar(first, AFX_IDW_DOCKBAR_TOP);
    d.frame->DockControlBar(second, AFX_IDW_DOCKBAR_TOP);
    const int height = first->CalcFixedLayout(FALSE, TRUE).cy;

    d.frame->ShowControlBar(first, FALSE, FALSE);
    EXPECT_FALSE(first->IsWindowVisible());
    EXPECT_EQ(d.InFrame(*second).top, 0);
    EXPECT_EQ(d.InFrame(d.pane).top, height);

    d.frame->ShowControlBar(second, FALSE, FALSE);
    EXPECT_EQ(d.InFrame(d.pane), d.client);

    d.frame->ShowControlBar(first, TRUE, FALSE);
    EXPECT_TRUE(first->IsWindowVisible());
    EXPECT_EQ(d.InFrame(*first).top, 0);
    EXPECT_EQ(d.InFrame(d.pane).top, height);
}

TEST(Docking, AFloatedBarSitsInAMiniDockFrameAndReturnsWhenDocked)
{
    Docking d;
    ASSERT_TRUE(d.ok);
    CToolBar* bar = d.AddBar(0xE880);
    ASSERT_NE(bar, nullptr);
    d.frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);

    d.frame->FloatControlBar(bar, CPoint(600, 100));
    ASSERT_NE(bar->m_pDockBar, nullptr);
    EXPECT_TRUE(bar->IsFloating());
    EXPECT_TRUE(bar->GetBarStyle() & CBRS_FLOATING);
    CFrameWnd* floating = bar->GetParentFrame();
    ASSERT_NE(floating, nullptr);
    ASSERT_TRUE(floating->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_EQ(bar->m_pDockBar, &static_cast<CMiniDockFrameWnd*>(floating)->m_wndDockBar);
    EXPECT_EQ(::GetDlgCtrlID(bar->m_pDockBar->m_hWnd), AFX_IDW_DOCKBAR_FLOAT);
    EXPECT_EQ(::GetWindow(floating->m_hWnd, GW_OWNER), d.frame->m_hWnd);
    EXPECT_TRUE(floating->IsWindowVisible());
    // The mini frame fits the bar; the frame's pane takes the top back.
    CRect window;
    floating->GetWindowRect(&window);
    EXPECT_EQ(window.TopLeft(), CPoint(600, 100));
    CRect client;
    floating->GetClientRect(&client);
    EXPECT_EQ(client.Size(), bar->CalcFixedLayout(FALSE, TRUE));
    EXPECT_EQ(d.InFrame(d.pane), d.client);

    // Its buttons still reach the frame's commands.
    CRect button;
    bar->GetItemRect(0, &button);
    bar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y));
    bar->PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y));
    EXPECT_TRUE(PumpUntil([&] { return d.frame->testCommands == 1; }, 2000));

    // Closing the mini frame hides the bar; the frame stays for later.
    const HWND floatingWindow = floating->m_hWnd;
    floating->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(floatingWindow));
    EXPECT_FALSE(::IsWindowVisible(floatingWindow));
    EXPECT_FALSE(bar->IsVisible());
    d.frame->ShowControlBar(bar, TRUE, FALSE);
    EXPECT_TRUE(::IsWindowVisible(floatingWindow));

    // Docked again: the emptied mini frame goes.
    d.frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(::IsWindow(floatingWindow));
    EXPECT_FALSE(bar->IsFloating());
    EXPECT_FALSE(bar->GetBarStyle() & CBRS_FLOATING);
    EXPECT_EQ(d.InFrame(d.pane).top, bar->CalcFixedLayout(FALSE, TRUE).cy);
}

TEST(Docking, IdleTimeUpdatesDockedAndFloatingBars)
{
    Docking d;
    ASSERT_TRUE(d.ok);
    CToolBar* docked = d.AddBar(0xE880);
    CToolBar* floated = d.AddBar(0xE881);
    ASSERT_TRUE(docked && floated);
    d.frame->DockControlBar(docked, AFX_IDW_DOCKBAR_TOP);
    d.frame->FloatControlBar(floated, CPoint(600, 300));
    CWinThread thread;
    thread.m_pMainWnd = d.frame;
    thread.OnIdle(0);
    for (CToolBar* bar : {docked, floated}) {
        EXPECT_TRUE(bar->SendMessage(TB_ISBUTTONENABLED, ID_TEST_COMMAND));
        EXPECT_FALSE(bar->SendMessage(TB_ISBUTTONENABLED, ID_NOBODY));
    }
}

TEST(Docking, ABarDestroyedWhileDockedLeavesItsRow)
{
    Docking d;
    ASSERT_TRUE(d.ok);
    CToolBar* bar = d.AddBar(0xE880);
    ASSERT_NE(bar, nullptr);
    d.frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    bar->DestroyWindow();
    EXPECT_EQ(d.Side(AFX_IDW_DOCKBAR_TOP)->GetDockedCount(), 0);
    d.frame->RecalcLayout();
    EXPECT_EQ(d.InFrame(d.pane), d.client);
}

TEST(Docking, ScreenshotOfAFrameWithDockedToolbars)
{
    Docking d;
    ASSERT_TRUE(d.ok);
    MessageBar* status = new MessageBar;
    status->m_bAutoDelete = TRUE;
    ASSERT_TRUE(status->CreateIn(d.frame));
    status->SetWindowText("Ready");
    CToolBar* first = d.AddBar(0xE880);
    CToolBar* second = d.AddBar(0xE881);
    CToolBar* left = d.AddBar(0xE882);
    ASSERT_TRUE(first && second && left);
    d.frame->DockControlBar(first, AFX_IDW_DOCKBAR_TOP);
    CRect beside(CPoint(180, 0), CSize(10, 10));
    d.Side(AFX_IDW_DOCKBAR_TOP)->ClientToScreen(&beside);
    d.frame->DockControlBar(second, AFX_IDW_DOCKBAR_TOP, &beside);
    d.frame->DockControlBar(left, AFX_IDW_DOCKBAR_LEFT);
    CWinThread thread;
    thread.m_pMainWnd = d.frame;
    thread.OnIdle(0);
    d.frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    PumpMessages(200);
    const Image image = CaptureWindow(d.frame->m_hWnd);
    EXPECT_FALSE(SaveScreenshot(image, "frame_docked_toolbars").empty());
    // The toolbar's own image colours show on the bars.
    EXPECT_GT(image.CountColor(RGB(200, 30, 30)), 0u);
}
