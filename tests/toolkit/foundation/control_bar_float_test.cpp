// The control bar docking into a dock bar of a real frame, floating into a
// mini frame of its own and docking back, the double click that floats it,
// and a drag with an outline that Escape cancels.
#include <gtest/gtest.h>
#include <windows.h>

#include "control_bar_support.h"
#include "message_pump.h"
#include "screenshot.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/mini_frame_wnd.h"

namespace {

using namespace controlbar_test;

// A frame with a top dock bar and a bar docked in it.
class WtkControlBarFloat : public BaseBarTest {
protected:
    void SetUp() override
    {
        BaseBarTest::SetUp();
        m_frame = NewFrame("Float", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ASSERT_NE(m_frame, nullptr);
        m_holder = std::make_unique<FrameHolder>(m_frame);
        ASSERT_TRUE(m_dockBar.Make(m_frame, CBRS_ALIGN_TOP, CRect(0, 0, 380, 30)));
        ASSERT_TRUE(m_bar.Make(m_frame, 320, WS_CHILD | WS_VISIBLE, WTK_CBRS_FLOAT, CRect(20, 100, 140, 126)));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_bar.SetWindowText("Tools");
    }
    void TearDown() override
    {
        if (CWtkMiniFrameWnd* miniFrame = m_bar.GetParentMiniFrame(TRUE))
            m_miniFrame = miniFrame->GetSafeHwnd();
        m_bar.DestroyWindow();
        if (m_miniFrame && ::IsWindow(m_miniFrame))
            ::DestroyWindow(m_miniFrame);
        m_dockBar.DestroyWindow();
        m_holder.reset();
        BaseBarTest::TearDown();
    }
    // Docks the bar at a screen rectangle inside the dock bar.
    void DockIt()
    {
        CRect rect(5, 2, 125, 28);
        m_dockBar.ClientToScreen(&rect);
        ASSERT_TRUE(m_bar.DockControlBar(&m_dockBar, &rect, 4));
    }

    CountingFrame* m_frame = nullptr;
    std::unique_ptr<FrameHolder> m_holder;
    TestDockBar m_dockBar;
    TestBar m_bar;
    HWND m_miniFrame = nullptr;
};

TEST_F(WtkControlBarFloat, DockingPutsTheBarInTheDockBarWithItsSideAndBorders)
{
    m_bar.SetBarStyle(m_bar.GetBarStyle() | CBRS_FLOATING);
    DockIt();
    EXPECT_EQ(m_bar.GetParent(), &m_dockBar);
    EXPECT_EQ(m_bar.GetParentDockBar(), &m_dockBar);
    EXPECT_TRUE(m_dockBar.Holds(&m_bar));
    EXPECT_EQ(m_bar.GetCurrentAlignment(), static_cast<DWORD>(CBRS_ALIGN_TOP));
    EXPECT_EQ(m_bar.GetBarStyle() & (CBRS_BORDER_ANY | CBRS_FLOATING), static_cast<DWORD>(CBRS_BORDER_ANY));
    EXPECT_EQ(RectInParent(m_bar), CRect(5, 2, 125, 28));
    EXPECT_EQ(m_bar.GetFullRect(), CRect(5, 2, 125, 28));
    EXPECT_TRUE(m_bar.IsDocked());

    // A bar refuses a dock bar on a side it may not dock at.
    TestBar leftOnly;
    ASSERT_TRUE(leftOnly.Make(m_frame, 321));
    leftOnly.EnableDocking(CBRS_ALIGN_LEFT);
    EXPECT_FALSE(leftOnly.DockControlBar(&m_dockBar, nullptr, 4));
    EXPECT_EQ(leftOnly.GetParent(), m_frame);
    EXPECT_FALSE(m_dockBar.Holds(&leftOnly));
}

TEST_F(WtkControlBarFloat, FloatingMovesTheBarIntoAMiniFrameOwnedByTheFrame)
{
    DockIt();
    m_bar.SetPinState(1);
    const CRect floatRect(300, 260, 460, 300);
    ASSERT_TRUE(m_bar.FloatControlBar(floatRect, 2, TRUE));

    CWtkMiniFrameWnd* miniFrame = m_bar.GetParentMiniFrame(TRUE);
    ASSERT_NE(miniFrame, nullptr);
    m_miniFrame = miniFrame->GetSafeHwnd();
    EXPECT_EQ(ClassNameOf(m_miniFrame), ToolkitClassName("WtkMiniWrame"));
    EXPECT_EQ(m_bar.GetParent(), miniFrame);
    EXPECT_EQ(miniFrame->GetFirstBar(), &m_bar);
    EXPECT_EQ(::GetWindow(m_miniFrame, GW_OWNER), m_frame->GetSafeHwnd());
    EXPECT_TRUE(miniFrame->GetStyle() & WS_POPUP);
    EXPECT_TRUE(miniFrame->GetStyle() & WS_VISIBLE);
    CRect frameRect;
    miniFrame->GetWindowRect(&frameRect);
    EXPECT_EQ(frameRect, floatRect);
    EXPECT_EQ(RectInParent(m_bar).TopLeft(), CPoint(0, 0));
    CString caption;
    miniFrame->GetWindowText(caption);
    EXPECT_STREQ(caption, "Tools");

    EXPECT_TRUE(m_bar.IsFloating());
    EXPECT_TRUE(m_bar.GetBarStyle() & CBRS_FLOATING);
    EXPECT_EQ(m_bar.GetParentDockBar(), nullptr);
    EXPECT_FALSE(m_dockBar.Holds(&m_bar));
    // The mini frame takes the bar's pin state and its recent floating
    // rectangle.
    EXPECT_EQ(miniFrame->GetPinState(), 1);
    EXPECT_EQ(miniFrame->GetRecentFloatingRect(), m_bar.GetRecentDockInfo().m_rectRecentFloatingRect);
    // A floating bar has no border lines inside it.
    CRect inside(0, 0, 100, 50);
    m_bar.CalcInsideRect(inside, TRUE);
    EXPECT_EQ(inside, CRect(6, 2, 94, 48));
    // The mini frame is still the least its owner needs: a popup that
    // shows the bar in its client area, with no caption or border drawn.
    miniFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const Image picture = DrawWindow(m_miniFrame);
    ASSERT_FALSE(picture.Empty());
    EXPECT_FALSE(SaveScreenshot(picture, "toolkit_control_bar_floating").empty());
    EXPECT_EQ(picture.Pixel(picture.width / 2, picture.height / 2), WtkGlobalData().m_clrBtnFace);

    // Floating again changes nothing.
    ASSERT_TRUE(m_bar.FloatControlBar(CRect(0, 0, 50, 50), 2, TRUE));
    EXPECT_EQ(m_bar.GetParentMiniFrame(TRUE), miniFrame);

    // Docking back takes the mini frame's pin state and empties the mini
    // frame, which then goes by itself.
    miniFrame->SetPinState(0);
    DockIt();
    EXPECT_EQ(m_bar.GetPinState(), 0);
    EXPECT_EQ(m_bar.GetParent(), &m_dockBar);
    EXPECT_FALSE(m_bar.GetBarStyle() & CBRS_FLOATING);
    EXPECT_TRUE(PumpUntil([this] { return !::IsWindow(m_miniFrame); }));
}

// A mini frame class whose window cannot be made.
class RefusingMiniFrame : public CWtkMiniFrameWnd {
    DECLARE_DYNCREATE(RefusingMiniFrame)
public:
    BOOL Create(LPCSTR, DWORD, const RECT&, CWnd*, CCreateContext*) override { return FALSE; }
};
IMPLEMENT_DYNCREATE(RefusingMiniFrame, CWtkMiniFrameWnd)

TEST_F(WtkControlBarFloat, ABarWhoseMiniFrameCannotBeMadeStaysDocked)
{
    DockIt();
    m_bar.SetMiniFrameRTC(RUNTIME_CLASS(RefusingMiniFrame));
    EXPECT_FALSE(m_bar.FloatControlBar(CRect(300, 260, 460, 300), 2, TRUE));
    EXPECT_EQ(m_bar.GetParent(), &m_dockBar);
    EXPECT_TRUE(m_dockBar.Holds(&m_bar));
    EXPECT_FALSE(m_bar.GetBarStyle() & CBRS_FLOATING);
}

TEST_F(WtkControlBarFloat, DoubleClickFloatsAtTheRecentPlaceAndDocksBackToTheRecentDockBar)
{
    DockIt();
    m_bar.GetRecentDockInfo().m_rectRecentFloatingRect = CRect(200, 300, 330, 340);
    m_bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    CWtkMiniFrameWnd* miniFrame = m_bar.GetParentMiniFrame(TRUE);
    ASSERT_NE(miniFrame, nullptr);
    m_miniFrame = miniFrame->GetSafeHwnd();
    CRect frameRect;
    miniFrame->GetWindowRect(&frameRect);
    EXPECT_EQ(frameRect, CRect(200, 300, 330, 340));
    // Where it was docked is remembered.
    EXPECT_EQ(m_bar.GetRecentDockInfo().m_pRecentDockBar, &m_dockBar);
    EXPECT_EQ(m_bar.GetRecentDockInfo().m_rectRecentDockedRect, CRect(5, 2, 125, 28));

    // Dock method 2 goes back to the recent dock bar.
    ASSERT_TRUE(m_bar.DockControlBar(nullptr, nullptr, 2));
    EXPECT_EQ(m_bar.GetParent(), &m_dockBar);
    EXPECT_TRUE(m_dockBar.Holds(&m_bar));
    EXPECT_TRUE(PumpUntil([this] { return !::IsWindow(m_miniFrame); }));

    // A bar that may not float ignores the double click.
    TestBar fixed;
    ASSERT_TRUE(fixed.Make(m_frame, 322, WS_CHILD | WS_VISIBLE, 0));
    fixed.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(fixed.GetParent(), m_frame);
    EXPECT_EQ(fixed.GetParentMiniFrame(TRUE), nullptr);
}

TEST_F(WtkControlBarFloat, EscapeDuringAnOutlineDragLeavesTheBarWhereItWas)
{
    DockIt();
    const CRect before = RectInParent(m_bar);
    const CPoint start = CentreOf(m_bar);
    ASSERT_TRUE(::SetCursorPos(start.x, start.y));
    CPoint client(start);
    m_bar.ScreenToClient(&client);
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    ASSERT_TRUE(m_bar.IsDragging());
    EXPECT_EQ(::GetCapture(), m_bar.m_hWnd);
    EXPECT_TRUE(m_bar.IsDragMode());
    EXPECT_EQ(m_bar.GetDragFrameImpl().m_ptHot, start);
    EXPECT_EQ(m_bar.GetHotSpot(), client);

    ASSERT_TRUE(::SetCursorPos(start.x + 60, start.y + 150));
    m_bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x + 60, client.y + 150));
    m_bar.SendMessage(WM_CHAR, VK_ESCAPE, 1);

    EXPECT_FALSE(m_bar.IsDragging());
    EXPECT_FALSE(m_bar.IsDragMode());
    EXPECT_NE(::GetCapture(), m_bar.m_hWnd);
    EXPECT_FALSE(m_bar.GetDragFrameImpl().m_bDragStarted);
    EXPECT_TRUE(m_bar.GetDragFrameImpl().m_rectDrag.IsRectEmpty());
    // The button coming up afterwards floats nothing.
    m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x + 60, client.y + 150));
    EXPECT_EQ(m_bar.GetParent(), &m_dockBar);
    EXPECT_EQ(RectInParent(m_bar), before);
    EXPECT_EQ(m_bar.GetParentMiniFrame(TRUE), nullptr);

    // Cancel mode ends a drag the same way.
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    ASSERT_TRUE(m_bar.IsDragging());
    m_bar.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(m_bar.IsDragging());
    EXPECT_NE(::GetCapture(), m_bar.m_hWnd);
    EXPECT_EQ(m_bar.GetParent(), &m_dockBar);
}

TEST_F(WtkControlBarFloat, AnOutlineDraggedOffTheDockBarFloatsTheBarWhereItWasDropped)
{
    DockIt();
    const CPoint start = CentreOf(m_bar);
    ASSERT_TRUE(::SetCursorPos(start.x, start.y));
    CPoint client(start);
    m_bar.ScreenToClient(&client);
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    ASSERT_TRUE(m_bar.IsDragging());

    // A release before the outline moved is a click: the bar stays.
    m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
    EXPECT_FALSE(m_bar.IsDragging());
    EXPECT_EQ(m_bar.GetParent(), &m_dockBar);

    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    ASSERT_TRUE(::SetCursorPos(start.x + 80, start.y + 200));
    m_bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(client.x + 80, client.y + 200));
    const CRect outline = m_bar.GetDragFrameImpl().m_rectDrag;
    ASSERT_TRUE(m_bar.GetDragFrameImpl().m_bDragStarted);
    ASSERT_FALSE(outline.IsRectEmpty());
    // The outline follows the cursor off the dock bar.
    EXPECT_TRUE(outline.PtInRect(CPoint(start.x + 80, start.y + 200)));

    m_bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(client.x + 80, client.y + 200));
    EXPECT_FALSE(m_bar.IsDragging());
    EXPECT_NE(::GetCapture(), m_bar.m_hWnd);
    CWtkMiniFrameWnd* miniFrame = m_bar.GetParentMiniFrame(TRUE);
    ASSERT_NE(miniFrame, nullptr);
    m_miniFrame = miniFrame->GetSafeHwnd();
    CRect frameRect;
    miniFrame->GetWindowRect(&frameRect);
    EXPECT_EQ(frameRect, outline);
    EXPECT_FALSE(m_dockBar.Holds(&m_bar));
    EXPECT_FALSE(m_bar.GetDragFrameImpl().m_bDragStarted);
    // Where it was docked is remembered.
    EXPECT_EQ(m_bar.GetRecentDockInfo().m_pRecentDockBar, &m_dockBar);
}

TEST_F(WtkControlBarFloat, ALiveDragMovesTheBarWithTheCursorThroughItsDockBar)
{
    m_bar.SetOwnDockMode(1);
    DockIt();
    const CRect full = m_bar.GetFullRect();
    const CPoint start = CentreOf(m_bar);
    ASSERT_TRUE(::SetCursorPos(start.x, start.y));
    CPoint client(start);
    m_bar.ScreenToClient(&client);
    m_bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
    ASSERT_TRUE(m_bar.IsDragging());

    ASSERT_TRUE(::SetCursorPos(start.x + 7, start.y + 3));
    m_bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    ASSERT_TRUE(::SetCursorPos(start.x + 2, start.y + 3));
    m_bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, 0);
    ASSERT_EQ(m_dockBar.moves.size(), 2u);
    EXPECT_EQ(m_dockBar.moves[0].bar, &m_bar);
    EXPECT_EQ(m_dockBar.moves[0].delta, CSize(7, 3));
    EXPECT_EQ(m_dockBar.moves[1].delta, CSize(-5, 0));
    CRect expected(full);
    expected.OffsetRect(2, 3);
    EXPECT_EQ(m_bar.GetFullRect(), expected);

    m_bar.SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(m_bar.IsDragging());
    EXPECT_NE(::GetCapture(), m_bar.m_hWnd);
    // A live drag ends where the dock bar put the bar: no mini frame.
    EXPECT_EQ(m_bar.GetParent(), &m_dockBar);
    EXPECT_EQ(m_bar.GetParentMiniFrame(TRUE), nullptr);
}

TEST_F(WtkControlBarFloat, ADraggedBarLeavesItsDockBarOnceItNoLongerCoversATenthOfIt)
{
    DockIt();
    ASSERT_TRUE(m_frame->AddControlBar(&m_dockBar));
    CRect dock;
    m_dockBar.GetWindowRect(&dock);
    const CPoint inside(dock.left + 50, dock.top + 10);
    const CPoint below(dock.left + 50, dock.bottom + 40);
    struct Case {
        const char* name;
        CRect drag;  // relative to the dock bar's top left
        CPoint cursor;
        BOOL leaving;
    };
    const Case cases[] = {
        {"still over the dock bar", CRect(5, 2, 125, 28), inside, FALSE},
        {"a tenth of its height still over it", CRect(5, 26, 125, 46), below, FALSE},
        {"less than a tenth, cursor outside", CRect(5, 29, 125, 69), below, TRUE},
        {"less than a tenth, cursor inside", CRect(5, 29, 125, 69), inside, FALSE},
        {"clear of the dock bar", CRect(5, 60, 125, 86), below, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRect drag(c.drag);
        drag.OffsetRect(dock.left, dock.top);
        m_bar.SetDragRect(drag);
        ASSERT_TRUE(::SetCursorPos(c.cursor.x, c.cursor.y));
        CWtkDockBar* under = nullptr;
        EXPECT_EQ(m_bar.IsLeavingDockBar(15, under), c.leaving);
        // The dock bar under the cursor, with the docking sensitivity.
        EXPECT_EQ(under, c.cursor == inside ? static_cast<CWtkDockBar*>(&m_dockBar) : nullptr);
    }
    m_frame->RemoveControlBarFromDockManager(&m_dockBar, FALSE);
}

TEST_F(WtkControlBarFloat, FloatingByTheMouseBringsTheMiniFrameUnderTheCursor)
{
    DockIt();
    ASSERT_TRUE(::SetCursorPos(500, 400));
    ASSERT_TRUE(m_bar.FloatControlBar(CRect(100, 100, 220, 130), 1, TRUE));
    CWtkMiniFrameWnd* miniFrame = m_bar.GetParentMiniFrame(TRUE);
    ASSERT_NE(miniFrame, nullptr);
    m_miniFrame = miniFrame->GetSafeHwnd();
    CRect frameRect;
    miniFrame->GetWindowRect(&frameRect);
    // The bar's hot spot (its top left corner here) lies under the cursor.
    EXPECT_EQ(frameRect, CRect(500, 400, 620, 430));
    EXPECT_EQ(miniFrame->GetCursorPoint(), CPoint(500, 400));
    // The outline mode leaves the mini frame's own move alone.
    EXPECT_FALSE(miniFrame->IsMoving());
    EXPECT_FALSE(m_bar.IsDragging());
}

}  // namespace
