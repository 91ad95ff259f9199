// The control bar: its window class, its inside rectangle by borders, style
// and orientation, its element buffer, its sizes, its non-client area
// through the bar non-client helper, and the bars menu it asks its frame for.
#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <cstring>
#include <vector>

#include "control_bar_support.h"
#include "platform/ui/message_map.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/extras/base_tab_wnd.h"
#include "toolkit/foundation/bar_nc_helper.h"
#include "toolkit/foundation/base_tabbed_bar.h"
#include "toolkit/foundation/ole_ip_frame_wnd.h"
#include "toolkit/foundation/visual_manager.h"

namespace {

using namespace controlbar_test;

using WtkControlBar = BaseBarTest;

TEST_F(WtkControlBar, CreationUsesTheBarsOwnWindowClassAndSeedsItsPlaces)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    TestBar bar;
    const CRect rect(10, 20, 150, 45);
    ASSERT_TRUE(bar.Make(frame, 300, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, WTK_CBRS_FLOAT, rect));

    EXPECT_EQ(ClassNameOf(bar.m_hWnd), ToolkitClassName("WtkControlBar"));
    EXPECT_EQ(static_cast<UINT>(::GetClassLongA(bar.m_hWnd, GCL_STYLE)), static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(bar.GetStyle() & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), static_cast<DWORD>(WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
    EXPECT_EQ(bar.GetDlgCtrlID(), 300);
    EXPECT_EQ(bar.GetOwner(), frame);
    EXPECT_EQ(bar.GetFullRect(), rect);

    // The recent places start at the creation rectangle, on the screen.
    CRect screen(rect);
    frame->ClientToScreen(&screen);
    const CWtkDockHistory& recent = bar.GetRecentDockInfo();
    EXPECT_EQ(recent.m_rectRecentFloatingRect, screen);
    EXPECT_EQ(recent.m_rectRecentDockedRect, screen);
    EXPECT_EQ(recent.m_rectRecentFloatingCompanion, screen);
    // The drag outline follows a bar that may float.
    EXPECT_EQ(bar.GetDragFrameImpl().m_pDraggedWnd, &bar);

    // A second bar reuses the class; a bar that may not float has no outline.
    TestBar fixed;
    ASSERT_TRUE(fixed.Make(frame, 301, WS_CHILD, 0, CRect(0, 0, 0, 0)));
    EXPECT_EQ(ClassNameOf(fixed.m_hWnd), ToolkitClassName("WtkControlBar"));
    EXPECT_EQ(fixed.GetDragFrameImpl().m_pDraggedWnd, nullptr);
    // An empty rectangle leaves the recent floating rectangle as it was.
    EXPECT_EQ(fixed.GetRecentDockInfo().m_rectRecentFloatingRect, CRect(10, 10, 110, 110));
}

TEST_F(WtkControlBar, InsideRectangleByBordersStyleAndOrientation)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    struct Case {
        const char* name;
        DWORD style;
        CRect borders;  // left, top, right, bottom; empty: the defaults 6, 2, 6, 2
        BOOL horizontal;
        CRect inside;
    };
    const DWORD lines = CBRS_BORDER_ANY;
    const Case cases[] = {
        {"defaults, horizontal", 0, CRect(), TRUE, CRect(6, 2, 94, 48)},
        {"defaults, vertical", 0, CRect(), FALSE, CRect(2, 6, 98, 44)},
        {"border lines, horizontal", lines, CRect(), TRUE, CRect(7, 3, 93, 47)},
        {"border lines, vertical", lines, CRect(), FALSE, CRect(3, 7, 97, 43)},
        {"left and bottom lines", CBRS_BORDER_LEFT | CBRS_BORDER_BOTTOM, CRect(), TRUE, CRect(7, 2, 94, 47)},
        {"gripper, horizontal", CBRS_GRIPPER, CRect(), TRUE, CRect(13, 2, 94, 48)},
        {"gripper, vertical", CBRS_GRIPPER, CRect(), FALSE, CRect(2, 13, 98, 44)},
        {"gripper of a floating style", lines | CBRS_GRIPPER | CBRS_FLOATING, CRect(), TRUE, CRect(7, 3, 93, 47)},
        {"own borders, horizontal", 0, CRect(1, 2, 3, 4), TRUE, CRect(1, 2, 97, 46)},
        {"own borders, vertical", 0, CRect(1, 2, 3, 4), FALSE, CRect(2, 1, 96, 47)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestBar bar;
        ASSERT_TRUE(bar.Make(frame, 302, WS_CHILD));
        if (!c.borders.IsRectEmpty())
            bar.SetBorders(&c.borders);
        // The gripper bit is a window frame bit too: it goes to the bar
        // style alone.
        bar.SetBarStyle(bar.GetBarStyle() | c.style);
        CRect rect(0, 0, 100, 50);
        bar.CalcInsideRect(rect, c.horizontal);
        EXPECT_EQ(rect, c.inside);
    }
}

TEST_F(WtkControlBar, ElementBufferIsReplacedAndNeverLeftDangling)
{
    TestBar bar;
    EXPECT_EQ(bar.Count(), 0);
    EXPECT_EQ(bar.Data(), nullptr);

    ASSERT_TRUE(bar.AllocElements(3, 4));
    EXPECT_EQ(bar.Count(), 3);
    ASSERT_NE(bar.Data(), nullptr);
    const std::vector<BYTE> zeros(12, 0);
    EXPECT_EQ(std::memcmp(bar.Data(), zeros.data(), zeros.size()), 0);
    std::memset(bar.Data(), 0xAB, 12);

    struct Case {
        const char* name;
        int count;
        int size;
        BOOL result;
        int countAfter;
        bool keepsBuffer;
        bool buffer;
    };
    const Case cases[] = {
        {"count times size beyond memory", INT_MAX, INT_MAX, FALSE, 3, true, true},
        {"negative count", -1, 4, FALSE, 3, true, true},
        {"elements of no size", 2, 0, FALSE, 3, true, true},
        {"negative size", 2, -8, FALSE, 3, true, true},
        {"no elements", 0, 4, TRUE, 0, false, false},
        {"new elements", 2, 8, TRUE, 2, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BYTE* before = bar.Data();
        EXPECT_EQ(bar.AllocElements(c.count, c.size), c.result);
        EXPECT_EQ(bar.Count(), c.countAfter);
        if (c.keepsBuffer) {
            EXPECT_EQ(bar.Data(), before);
            EXPECT_EQ(bar.Data()[0], 0xAB);
        }
        EXPECT_EQ(bar.Data() != nullptr, c.buffer);
    }
    // The new buffer is zeroed.
    const std::vector<BYTE> zeros16(16, 0);
    EXPECT_EQ(std::memcmp(bar.Data(), zeros16.data(), zeros16.size()), 0);
}

TEST_F(WtkControlBar, FixedLayoutAndTheRoomToGrowOrShrink)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    TestBar bar;
    ASSERT_TRUE(bar.Make(frame, 303, WS_CHILD | CBRS_ALIGN_TOP, WTK_CBRS_FLOAT, CRect(0, 0, 100, 20)));
    bar.minSize = CSize(30, 12);

    struct Layout {
        BOOL stretch;
        BOOL horizontal;
        CSize size;
    };
    for (const Layout& l : {Layout{TRUE, TRUE, CSize(32767, 0)}, Layout{TRUE, FALSE, CSize(0, 32767)},
                            Layout{FALSE, TRUE, CSize(0, 0)}, Layout{FALSE, FALSE, CSize(0, 0)}})
        EXPECT_EQ(bar.CalcFixedLayout(l.stretch, l.horizontal), l.size);

    // Its full rectangle is 160 long: it may grow by 60 and shrink by 70.
    bar.SetFullRectSize(160, 20);
    EXPECT_EQ(bar.GetExpandableSize(), 60);
    EXPECT_EQ(bar.GetAvailableShrink(), 70);
    HDWP hdwp = nullptr;
    EXPECT_EQ(bar.StretchBar(100, hdwp), 60);
    EXPECT_EQ(RectInParent(bar), CRect(0, 0, 160, 20));
    EXPECT_EQ(bar.GetExpandableSize(), 0);
    EXPECT_EQ(bar.StretchBar(-200, hdwp), -130);
    EXPECT_EQ(RectInParent(bar), CRect(0, 0, 30, 20));
    EXPECT_EQ(bar.StretchBar(-5, hdwp), 0);

    // The size change a rectangle asks for, never below the minimum.
    EXPECT_EQ(bar.CalcSizeChange(CRect(0, 0, 10, 50)), CSize(0, 30));

    // Resizing to a screen rectangle below the minimum pushes out the edge
    // that moved.
    CRect window;
    bar.GetWindowRect(&window);
    EXPECT_EQ(bar.ResizeToRect(CRect(window.left, window.top, window.left + 10, window.top + 5)), CSize(0, -8));
    EXPECT_EQ(RectInParent(bar), CRect(0, 0, 30, 12));
    bar.GetWindowRect(&window);
    EXPECT_EQ(bar.ResizeToRect(CRect(window.right - 5, window.top, window.right, window.bottom)), CSize(0, 0));
    EXPECT_EQ(RectInParent(bar), CRect(0, 0, 30, 12));
    EXPECT_EQ(bar.ResizeToRect(CRect(window.left + 20, window.top, window.right, window.bottom), TRUE), CSize(-20, 0));
    EXPECT_EQ(RectInParent(bar), CRect(20, 0, 30, 12));
}

// A bar whose content asks for a size of its own.
class SizedBar : public TestBar {
public:
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? CSize(90, 24) : CSize(24, 90); }
};

TEST_F(WtkControlBar, ImmediateSizingFollowsTheContentAndTellsTheRow)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    TestDockBar dockBar;
    ASSERT_TRUE(dockBar.Make(frame, CBRS_ALIGN_TOP, CRect(0, 0, 300, 30)));
    SizedBar bar;
    ASSERT_TRUE(bar.Make(frame, 306, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, WTK_CBRS_FLOAT, CRect(4, 3, 54, 23)));
    RecordingRow row;
    bar.PutInRow(&dockBar, &row);

    bar.AdjustSizeImmediate(TRUE);
    EXPECT_EQ(RectInParent(bar), CRect(4, 3, 94, 27));
    EXPECT_EQ(bar.GetFullRect(), CRect(4, 3, 94, 27));
    ASSERT_EQ(row.resized.size(), 2u);  // the window's own size change, then the request
    EXPECT_EQ(row.resized[1], &bar);

    // At its size already: nothing moves and nobody is told.
    row.resized.clear();
    bar.AdjustSizeImmediate(TRUE);
    EXPECT_TRUE(row.resized.empty());

    // A vertical bar takes the vertical size; without the layout request
    // only the window tells its row.
    bar.SetBarAlignment(CBRS_ALIGN_LEFT);
    bar.AdjustSizeImmediate(FALSE);
    EXPECT_EQ(RectInParent(bar), CRect(4, 3, 28, 93));
    EXPECT_EQ(row.resized.size(), 1u);

    // Undocking leaves the dock bar; the frame lays out unless delayed.
    ASSERT_TRUE(dockBar.DockControlBar(&bar, 4));
    const int layouts = frame->layouts;
    bar.UnDockControlBar(TRUE);
    EXPECT_FALSE(dockBar.Holds(&bar));
    EXPECT_EQ(frame->layouts, layouts);
    ASSERT_TRUE(dockBar.DockControlBar(&bar, 4));
    bar.UnDockControlBar(FALSE);
    EXPECT_FALSE(dockBar.Holds(&bar));
    EXPECT_EQ(frame->layouts, layouts + 1);
    bar.PutInRow(nullptr, nullptr);
}

// A tabbed bar with its tab window.
class TabbedHolder : public CWtkBaseTabbedBar {
public:
    BOOL Make(CWnd* pParent)
    {
        if (!CreateEx(0, AfxRegisterWndClass(0), "tabbed", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 120), pParent,
                      700))
            return FALSE;
        m_pTabWnd = &tabs;
        return tabs.CreateEx(0, AfxRegisterWndClass(0), "tabs", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), this,
                             101);
    }
    CWtkBaseTabWnd tabs;
};

TEST_F(WtkControlBar, ATabOfATabbedBarLeavesItWhenItsWindowGoes)
{
    CountingFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    TabbedHolder tabbed;
    ASSERT_TRUE(tabbed.Make(frame));
    TestBar other;
    ASSERT_TRUE(other.Make(&tabbed.tabs, 331));
    tabbed.tabs.AddTab(&other, "Other");
    TestBar bar;
    ASSERT_TRUE(bar.Make(&tabbed.tabs, 330));
    tabbed.tabs.AddTab(&bar, "Bar");
    EXPECT_TRUE(bar.IsTabbed());
    const HWND window = bar.m_hWnd;
    ASSERT_EQ(tabbed.tabs.FindTabByWindow(window), 1);

    bar.DestroyWindow();
    EXPECT_EQ(tabbed.tabs.FindTabByWindow(window), -1);
    EXPECT_EQ(tabbed.tabs.CountTabs(), 1);
    EXPECT_EQ(tabbed.tabs.FindTabByWindow(other.m_hWnd), 0);

    // In a tab window that no tabbed or docking bar holds, a control bar is
    // no tab.
    CWtkBaseTabWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, AfxRegisterWndClass(0), "plain", WS_CHILD, CRect(0, 0, 100, 50), frame, 102));
    TestBar loose;
    ASSERT_TRUE(loose.Make(&plain, 332));
    plain.AddTab(&loose, "Loose");
    EXPECT_FALSE(loose.IsTabbed());
    loose.DestroyWindow();
    EXPECT_EQ(plain.CountTabs(), 1);
}

// ---- The non-client area ------------------------------------------------------------------

// Records what a bar's non-client painting asks of the visual manager.
class NcRecorder : public CWtkVisualManager {
    DECLARE_DYNCREATE(NcRecorder)
public:
    void FillBarBackground(CDC*, CWtkBaseControlBar* pBar, CRect rectClient, CRect, BOOL bNCArea) override
    {
        s_fills.push_back({pBar, rectClient, bNCArea});
    }
    void DrawBarBorder(CDC* pDC, CWtkBaseControlBar* pBar, CRect& rect) override
    {
        ++s_borders;
        CWtkVisualManager::DrawBarBorder(pDC, pBar, rect);
    }
    void DrawBarGripper(CDC*, CRect rectGripper, BOOL bHorz, CWtkBaseControlBar*) override
    {
        s_grippers.push_back({rectGripper, bHorz});
    }
    struct Fill {
        CWtkBaseControlBar* bar;
        CRect rect;
        BOOL ncArea;
    };
    struct Gripper {
        CRect rect;
        BOOL horizontal;
    };
    static void Clear()
    {
        s_fills.clear();
        s_grippers.clear();
        s_borders = 0;
    }
    static std::vector<Fill> s_fills;
    static std::vector<Gripper> s_grippers;
    static int s_borders;
};
IMPLEMENT_DYNCREATE(NcRecorder, CWtkVisualManager)
std::vector<NcRecorder::Fill> NcRecorder::s_fills;
std::vector<NcRecorder::Gripper> NcRecorder::s_grippers;
int NcRecorder::s_borders = 0;

// A bar that hands its non-client area to the helper, as the rebar and the
// toolbars do.
class NcBar : public TestBar {
public:
    NcBar() : helper(this) {}
    CWtkBarNcHelper helper;

protected:
    void OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* params) { helper.CalcNcSize(&params->rgrc[0]); }
    void OnNcPaint() { helper.DrawNcArea(); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(NcBar, TestBar)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

TEST_F(WtkControlBar, TheNonClientHelperSizesTheInsideAndPaintsAroundIt)
{
    CWtkVisualManager::SetDefaultManager(RUNTIME_CLASS(NcRecorder));
    {
        CountingFrame* frame = NewFrame("Nc", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ASSERT_NE(frame, nullptr);
        FrameHolder holder(frame);
        struct Case {
            const char* name;
            DWORD align;
            DWORD extra;
            CRect client;  // relative to the window
            CRect gripper;
        };
        const Case cases[] = {
            {"top bar with lines", CBRS_ALIGN_TOP, CBRS_BORDER_ANY, CRect(7, 3, 113, 37), CRect()},
            {"left bar", CBRS_ALIGN_LEFT, 0, CRect(2, 6, 118, 34), CRect()},
            {"top bar with gripper", CBRS_ALIGN_TOP, CBRS_GRIPPER | CBRS_BORDER_TOP, CRect(13, 3, 114, 38),
             CRect(0, 1, 13, 40)},
            {"left bar with gripper", CBRS_ALIGN_LEFT, CBRS_GRIPPER, CRect(2, 13, 118, 34), CRect(0, 0, 120, 13)},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            NcBar bar;
            ASSERT_TRUE(bar.Make(frame, 304, WS_CHILD | WS_VISIBLE | c.align, WTK_CBRS_FLOAT, CRect(0, 0, 120, 40)));
            bar.SetBarStyle(bar.GetBarStyle() | c.extra);
            bar.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);

            CRect window;
            bar.GetWindowRect(&window);
            CRect client;
            bar.GetClientRect(&client);
            bar.ClientToScreen(&client);
            client.OffsetRect(-window.left, -window.top);
            EXPECT_EQ(client, c.client);

            // The hit test follows the sizing: inside is client, the rest is not.
            const CPoint inside(window.left + c.client.CenterPoint().x, window.top + c.client.CenterPoint().y);
            EXPECT_EQ(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
            const CPoint edge(window.left + 1, window.top + 1);
            EXPECT_NE(bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)), HTCLIENT);

            NcRecorder::Clear();
            bar.SendMessage(WM_NCPAINT, 1);
            ASSERT_EQ(NcRecorder::s_fills.size(), 1u);
            EXPECT_EQ(NcRecorder::s_fills[0].bar, &bar);
            EXPECT_EQ(NcRecorder::s_fills[0].rect, CRect(0, 0, 120, 40));
            EXPECT_TRUE(NcRecorder::s_fills[0].ncArea);
            EXPECT_EQ(NcRecorder::s_borders, 1);
            if (c.gripper.IsRectEmpty()) {
                EXPECT_TRUE(NcRecorder::s_grippers.empty());
            } else {
                ASSERT_EQ(NcRecorder::s_grippers.size(), 1u);
                EXPECT_EQ(NcRecorder::s_grippers[0].rect, c.gripper);
                EXPECT_EQ(NcRecorder::s_grippers[0].horizontal, (c.align & CBRS_ORIENT_HORZ) != 0);
            }
        }
    }
    CWtkVisualManager::SetDefaultManager(nullptr);
}

// ---- The bars menu --------------------------------------------------------------------------

// A frame that records the bars menu requests it receives.
class MenuFrame : public CWtkFrameWnd {
public:
    LRESULT OnBarsMenu(WPARAM wParam, LPARAM lParam)
    {
        requests.push_back({reinterpret_cast<HWND>(wParam), CPoint(TVX_X_LPARAM(lParam), TVX_Y_LPARAM(lParam))});
        return 0;
    }
    struct Request {
        HWND bar;
        CPoint point;
    };
    std::vector<Request> requests;
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MenuFrame, CWtkFrameWnd)
    ON_REGISTERED_MESSAGE(WTKMSG_TOOLBAR_POPUPMENU, OnBarsMenu)
END_MESSAGE_MAP()

TEST_F(WtkControlBar, TheContextMenuIsAskedOfTheDockSiteOutsideCustomiseMode)
{
    EXPECT_EQ(WTKMSG_TOOLBAR_POPUPMENU, ::RegisterWindowMessageA("WTKTOOLBAR_POPUPMENU"));
    MenuFrame* frame = NewFrame<MenuFrame>();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    TestBar bar;
    ASSERT_TRUE(bar.Make(frame, 305));
    bar.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar.m_hWnd), MAKELPARAM(123, 45));
    ASSERT_EQ(frame->requests.size(), 1u);
    EXPECT_EQ(frame->requests[0].bar, bar.m_hWnd);
    EXPECT_EQ(frame->requests[0].point, CPoint(123, 45));

    CWtkToolBar::SetCustomizeMode(TRUE);
    bar.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar.m_hWnd), MAKELPARAM(1, 2));
    CWtkToolBar::SetCustomizeMode(FALSE);
    EXPECT_EQ(frame->requests.size(), 1u);

    // Without a dock site the active in-place frame is asked.
    MenuFrame* inPlace = NewFrame<MenuFrame>("In place");
    ASSERT_NE(inPlace, nullptr);
    FrameHolder inPlaceHolder(inPlace);
    bar.SetDockSite(nullptr);
    g_pWtkActiveOleIPFrame = inPlace;
    bar.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar.m_hWnd), MAKELPARAM(7, 8));
    g_pWtkActiveOleIPFrame = nullptr;
    EXPECT_EQ(frame->requests.size(), 1u);
    ASSERT_EQ(inPlace->requests.size(), 1u);
    EXPECT_EQ(inPlace->requests[0].point, CPoint(7, 8));
}

}  // namespace
