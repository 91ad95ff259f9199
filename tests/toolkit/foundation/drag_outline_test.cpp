// The drag outline: which dock manager it asks, the system's drag threshold,
// the rectangle it follows, the tab-shaped outline over a plain bar's
// caption and the temporary tab over a tabbed bar's caption, and what the
// end of a drag takes away.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>

#include "dib_canvas.h"
#include "drag_helpers_support.h"
#include "platform/framework/string.h"
#include "platform/ui/app.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/placeholder_docking_bar.h"

namespace {

using namespace draghelpers_test;

// A shown frame with a docked docking bar to drag, an outline bound to it
// and a dock manager that proposes what a case sets.
class WtkDragOutline : public ::testing::Test {
protected:
    void SetUp() override
    {
        basebar_test::ResetBarGlobals();
        frame = NewFrame();
        ASSERT_NE(frame, nullptr);
        holder = std::make_unique<FrameHolder>(frame);
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        ASSERT_TRUE(dragged.Create(frame, 1001, WS_CHILD | WS_VISIBLE, WTK_CBRS_FLOAT, CRect(10, 20, 210, 120)));
        dragged.SetWindowText("Dragged");
        dragged.GetRecentDockInfo().m_rectRecentFloatingRect.SetRect(0, 0, 100, 100);
        outline.Init(&dragged);
        outline.m_pDockManager = &manager;
        start = ScreenRect(dragged).TopLeft() + CPoint(20, 20);
        outline.m_ptHot = start;
    }
    void TearDown() override { basebar_test::ResetBarGlobals(); }

    // Puts the cursor there and moves the outline.
    void MoveTo(CPoint point, BOOL force = FALSE)
    {
        ASSERT_TRUE(::SetCursorPos(point.x, point.y));
        CPoint cursor;
        ::GetCursorPos(&cursor);
        ASSERT_EQ(cursor, point);
        outline.MoveDragOutline(force);
    }
    // The drag rectangle of the first move: the bar's top-left corner with the
    // size of its recent floating rectangle.
    CRect FirstRect() const { return CRect(ScreenRect(dragged).TopLeft(), CSize(100, 100)); }

    basebar_test::CountingFrame* frame = nullptr;
    std::unique_ptr<FrameHolder> holder;
    DockingBar dragged;
    ProposingDockManager manager;
    RecordingOutline outline;
    CPoint start;
};

TEST_F(WtkDragOutline, InitFindsTheDockManagerOfWhatHoldsTheDraggedWindow)
{
    HoldingMiniFrame miniFrame;
    ASSERT_TRUE(miniFrame.CreatePopup(frame));
    DockingBar floating;
    ASSERT_TRUE(floating.Create(&miniFrame, 1002, WS_CHILD | WS_VISIBLE, WTK_CBRS_FLOAT));
    CWnd plain;
    struct Case {
        const char* name;
        CWnd* dragged;
        CWtkDockManager* manager;
    };
    const Case cases[] = {
        {"docked bar", &dragged, frame->GetDockManager()},
        {"bar in a mini frame", &floating, frame->GetDockManager()},
        {"mini frame", &miniFrame, frame->GetDockManager()},
        {"other window", &plain, nullptr},
        {"nothing", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CWtkDragOutline fresh;
        fresh.Init(c.dragged);
        EXPECT_EQ(fresh.m_pDraggedWnd, c.dragged);
        EXPECT_EQ(fresh.m_pDockManager, c.manager);
    }
}

TEST_F(WtkDragOutline, MovesBelowTheDragThresholdDrawNothingUnlessForced)
{
    const CSize drag(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
    ASSERT_GT(drag.cx, 1);
    ASSERT_GT(drag.cy, 1);
    struct Step {
        const char* name;
        CSize fromLastDrawn;
        BOOL force;
        bool draws;
    };
    const Step steps[] = {
        {"first move draws whatever its size", {1, 0}, FALSE, true},
        {"smaller on both axes", {drag.cx - 1, drag.cy - 1}, FALSE, false},
        {"smaller backwards", {1 - drag.cx, 1 - drag.cy}, FALSE, false},
        {"forced small move", {1, 1}, TRUE, true},
        {"threshold across", {drag.cx, 0}, FALSE, true},
        {"threshold down", {0, drag.cy}, FALSE, true},
        {"forced without moving", {0, 0}, TRUE, true},
    };
    CPoint lastDrawn = start;
    CRect shown;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const size_t drawsBefore = outline.draws.size();
        const size_t asksBefore = manager.asked.size();
        const CPoint cursor = lastDrawn + step.fromLastDrawn;
        MoveTo(cursor, step.force);
        if (!step.draws) {
            EXPECT_EQ(outline.draws.size(), drawsBefore);
            EXPECT_EQ(manager.asked.size(), asksBefore);
            EXPECT_FALSE(outline.m_bMoved);
            continue;
        }
        ASSERT_EQ(outline.draws.size(), drawsBefore + 1);
        ASSERT_EQ(manager.asked.size(), asksBefore + 1);
        EXPECT_EQ(manager.asked.back(), cursor);
        EXPECT_TRUE(outline.m_bMoved);
        lastDrawn = cursor;
        const CRect expected = FirstRect() + CSize(cursor - start);
        const RecordingOutline::Draw& draw = outline.draws.back();
        EXPECT_EQ(draw.rect, expected);
        EXPECT_EQ(draw.width, 4);
        EXPECT_FALSE(draw.erase);
        EXPECT_EQ(draw.hasOld, drawsBefore > 0);
        if (draw.hasOld) {
            EXPECT_EQ(draw.old, shown);
        }
        shown = expected;
        EXPECT_EQ(outline.m_ptHot, cursor);
        EXPECT_TRUE(outline.m_bDragStarted);
        EXPECT_TRUE(manager.IsUpdateLocked());
    }
}

TEST_F(WtkDragOutline, ShowsTheProposedDropElseTheDragRectangle)
{
    manager.proposal.SetRect(100, 100, 300, 200);
    MoveTo(start + CPoint(10, 0));
    ASSERT_EQ(outline.draws.size(), 1u);
    EXPECT_EQ(outline.draws[0].rect, manager.proposal);
    EXPECT_EQ(outline.m_rectExpectedDocked, manager.proposal);

    manager.proposal.SetRectEmpty();
    MoveTo(start + CPoint(20, 0));
    ASSERT_EQ(outline.draws.size(), 2u);
    EXPECT_EQ(outline.draws[1].rect, FirstRect() + CSize(20, 0));
    EXPECT_TRUE(outline.draws[1].hasOld);
    EXPECT_EQ(outline.draws[1].old, CRect(100, 100, 300, 200));

    // A manager without a proposal counts as proposing nothing.
    manager.answers = FALSE;
    manager.proposal.SetRect(1, 1, 50, 50);
    MoveTo(start + CPoint(30, 0));
    ASSERT_EQ(outline.draws.size(), 3u);
    EXPECT_EQ(outline.draws[2].rect, FirstRect() + CSize(30, 0));
    EXPECT_TRUE(outline.m_rectExpectedDocked.IsRectEmpty());
}

TEST_F(WtkDragOutline, DragRectangleStartsAtTheDraggedWindowAndFollowsACursorOutsideIt)
{
    HoldingMiniFrame miniFrame;
    ASSERT_TRUE(miniFrame.CreatePopup(frame, CRect(600, 400, 760, 480)));
    DockingBar floating;
    ASSERT_TRUE(floating.Create(&miniFrame, 1002, WS_CHILD | WS_VISIBLE, WTK_CBRS_FLOAT, CRect(2, 2, 122, 52)));
    floating.GetRecentDockInfo().m_rectRecentFloatingRect.SetRect(0, 0, 300, 300);

    const CRect bar = ScreenRect(dragged);
    const CRect inFrame = ScreenRect(floating);
    const CRect frameRect = ScreenRect(miniFrame);
    const CPoint beside = bar.TopLeft() + CPoint(400, 30);
    const CPoint below = bar.TopLeft() + CPoint(400, 150);
    struct Case {
        const char* name;
        CWnd* wnd;
        CPoint hot;
        CPoint cursor;
        CRect expected;
    };
    const Case cases[] = {
        {"docked bar takes its recent floating size", &dragged, start, start + CPoint(8, 0),
         CRect(bar.TopLeft() + CPoint(8, 0), CSize(100, 100))},
        {"floating bar keeps its window's size", &floating, inFrame.TopLeft() + CPoint(5, 5),
         inFrame.TopLeft() + CPoint(13, 5), inFrame + CSize(8, 0)},
        {"mini frame keeps its window's size", &miniFrame, frameRect.TopLeft() + CPoint(5, 5),
         frameRect.TopLeft() + CPoint(13, 5), frameRect + CSize(8, 0)},
        // Put 5 pixels left of a cursor beside it, the rectangle then moves
        // with the cursor.
        {"cursor beside the bar", &dragged, beside, beside + CPoint(0, 8),
         CRect(CPoint(beside.x - 5, bar.top + 8), CSize(100, 100))},
        // Still not under the cursor, it is centred on it, its top 5 pixels
        // above it.
        {"cursor below the rectangle", &dragged, below, below + CPoint(0, 8),
         CRect(below + CPoint(-50, 3), CSize(100, 100))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingOutline fresh;
        fresh.Init(c.wnd);
        fresh.m_pDockManager = &manager;
        fresh.m_ptHot = c.hot;
        ASSERT_TRUE(::SetCursorPos(c.cursor.x, c.cursor.y));
        fresh.MoveDragOutline(FALSE);
        ASSERT_EQ(fresh.draws.size(), 1u);
        EXPECT_EQ(fresh.draws[0].rect, c.expected);
        EXPECT_EQ(fresh.m_rectDrag, c.expected);
        fresh.EndDrawDragOutline(TRUE);
    }
}

TEST_F(WtkDragOutline, EndErasesWhatIsShownAndForgetsTheDrag)
{
    DockingBar other;
    ASSERT_TRUE(other.Create(frame, 1002, WS_CHILD | WS_VISIBLE, 0, CRect(10, 150, 210, 250)));
    manager.target = &other;
    MoveTo(start + CPoint(10, 0));
    ASSERT_EQ(outline.draws.size(), 1u);
    const CRect shown = outline.draws[0].rect;

    // An intermediate end erases but keeps the drag.
    outline.EndDrawDragOutline(FALSE);
    ASSERT_EQ(outline.draws.size(), 2u);
    EXPECT_EQ(outline.draws[1].rect, shown);
    EXPECT_TRUE(outline.draws[1].erase);
    EXPECT_FALSE(outline.m_rectDrag.IsRectEmpty());
    EXPECT_TRUE(manager.IsUpdateLocked());

    // The next move draws afresh.
    MoveTo(start + CPoint(20, 0));
    ASSERT_EQ(outline.draws.size(), 3u);
    EXPECT_FALSE(outline.draws[2].hasOld);

    outline.EndDrawDragOutline(TRUE);
    ASSERT_EQ(outline.draws.size(), 4u);
    EXPECT_EQ(outline.draws[3].rect, outline.draws[2].rect);
    EXPECT_TRUE(outline.draws[3].erase);
    EXPECT_TRUE(outline.m_rectDrag.IsRectEmpty());
    EXPECT_TRUE(outline.m_rectExpectedDocked.IsRectEmpty());
    EXPECT_EQ(outline.m_pTargetBar, nullptr);
    EXPECT_TRUE(outline.m_bHadTargetOnEnd);
    EXPECT_FALSE(outline.m_bDragStarted);
    EXPECT_FALSE(manager.IsUpdateLocked());

    // Nothing is left to erase.
    outline.EndDrawDragOutline(TRUE);
    EXPECT_EQ(outline.draws.size(), 4u);
    EXPECT_FALSE(outline.m_bHadTargetOnEnd);
}

// The three rectangles of the tab-shaped outline over a window rectangle:
// the body less the text height at the bottom, the tab below it from 10 to
// 50 pixels right of the left edge (cut before a right edge it would
// reach), and the joint between them.
struct TabShape {
    CRect body;
    CRect tab;
    CRect joint;
};

TEST_F(WtkDragOutline, PlainBarCaptionShowsTabShapedOutlineWhileTheCursorIsOnIt)
{
    const int t = WtkGlobalData().m_nTextHeightHorz;
    ASSERT_GT(t, 2);
    struct Case {
        const char* name;
        int width;
        int tabRight;  // from the bar's left edge
    };
    const Case cases[] = {
        {"wide bar", 200, 50},
        {"bar the tab would reach across", 45, 38},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DockingBar target;
        ASSERT_TRUE(target.Create(frame, 1002, WS_CHILD | WS_VISIBLE, 0, CRect(10, 150, 10 + c.width, 250)));
        const CRect w = ScreenRect(target);
        const TabShape shape{CRect(w.left, w.top, w.right, w.bottom - t),
                             CRect(w.left + 10, w.bottom - t, w.left + c.tabRight, w.bottom),
                             CRect(w.left + 13, w.bottom - t - 3, w.left + c.tabRight - 3, w.bottom - t + 3)};
        const auto expectShape = [&](size_t from) {
            ASSERT_GE(outline.draws.size(), from + 3);
            const CRect drawn[] = {shape.body, shape.tab, shape.joint};
            for (size_t i = 0; i < 3; ++i) {
                EXPECT_EQ(outline.draws[from + i].rect, drawn[i]);
                EXPECT_EQ(outline.draws[from + i].width, 3);
                EXPECT_TRUE(outline.draws[from + i].erase);
            }
        };

        outline.draws.clear();
        manager.target = &target;
        manager.onCaption = FALSE;
        MoveTo(start + CPoint(10, 0));
        ASSERT_EQ(outline.draws.size(), 1u);
        const CRect shown = outline.draws[0].rect;

        // Onto the caption: the outline goes, the tab shape comes.
        manager.onCaption = TRUE;
        MoveTo(start + CPoint(20, 0));
        ASSERT_GE(outline.draws.size(), 1u);
        EXPECT_EQ(outline.draws[1].rect, shown);
        EXPECT_TRUE(outline.draws[1].erase);
        expectShape(2);
        EXPECT_EQ(outline.m_nInsertedTabID, 1);
        EXPECT_TRUE(outline.m_bFrameTabDrawn);

        // Resting on the caption draws nothing more.
        MoveTo(start + CPoint(30, 0));
        EXPECT_EQ(outline.draws.size(), 5u);

        // Off the caption: the tab shape goes, the outline comes back.
        manager.onCaption = FALSE;
        MoveTo(start + CPoint(40, 0));
        expectShape(5);
        ASSERT_EQ(outline.draws.size(), 9u);
        EXPECT_FALSE(outline.draws[8].hasOld);
        EXPECT_EQ(outline.draws[8].rect, FirstRect() + CSize(40, 0));
        EXPECT_EQ(outline.m_nInsertedTabID, -1);
        EXPECT_FALSE(outline.m_bFrameTabDrawn);

        // Ending over the caption erases the tab shape.
        manager.onCaption = TRUE;
        MoveTo(start + CPoint(50, 0));
        ASSERT_EQ(outline.draws.size(), 13u);
        outline.draws.erase(outline.draws.begin(), outline.draws.begin() + 13);
        outline.EndDrawDragOutline(TRUE);
        expectShape(0);
        EXPECT_FALSE(outline.m_bFrameTabDrawn);
        EXPECT_EQ(outline.m_nInsertedTabID, -1);
        outline.m_ptHot = start;
    }
}

// Every rectangle drawn is inverted an even number of times by the end of
// the drag, so nothing is left on the screen, forced moves included.
TEST_F(WtkDragOutline, ForcedMoveOntoACaptionLeavesNothingOnTheScreen)
{
    DockingBar target;
    ASSERT_TRUE(target.Create(frame, 1002, WS_CHILD | WS_VISIBLE, 0, CRect(10, 150, 210, 250)));
    manager.target = &target;
    MoveTo(start + CPoint(10, 0));
    manager.onCaption = TRUE;
    MoveTo(start + CPoint(11, 0), TRUE);
    EXPECT_TRUE(outline.m_bFrameTabDrawn);
    outline.EndDrawDragOutline(TRUE);

    ASSERT_EQ(outline.draws.size(), 8u);
    for (const RecordingOutline::Draw& draw : outline.draws) {
        SCOPED_TRACE(::testing::PrintToString(draw.rect));
        EXPECT_FALSE(draw.hasOld);
        const auto times = std::count_if(outline.draws.begin(), outline.draws.end(),
                                         [&](const RecordingOutline::Draw& other) { return other.rect == draw.rect; });
        EXPECT_EQ(times % 2, 0);
    }
}

// The application whose main window parents the placeholder bar.
class MainWindowApp : public CWinApp {};

TEST_F(WtkDragOutline, TabbedBarCaptionShowsATemporaryTabWithTheDraggedTitle)
{
    MainWindowApp app;
    app.m_pMainWnd = frame;
    TabbedBar target;
    ASSERT_TRUE(target.Create(frame, 1002, WS_CHILD | WS_VISIBLE, 0, CRect(10, 150, 210, 250)));
    DockingBar first;
    DockingBar second;
    ASSERT_TRUE(first.Create(frame, 1003, WS_CHILD, 0));
    ASSERT_TRUE(second.Create(frame, 1004, WS_CHILD, 0));
    target.tabs.AddTab(&first, "first");
    target.tabs.AddTab(&second, "second");
    manager.target = &target;

    // Beside the caption an outline is drawn.
    MoveTo(start + CPoint(10, 0));
    ASSERT_EQ(outline.draws.size(), 1u);

    // On the caption the outline goes and a third tab appears.
    manager.onCaption = TRUE;
    MoveTo(start + CPoint(20, 0));
    CWtkPlaceholderDockingBar& placeholder = CWtkPlaceholderDockingBar::Get();
    ASSERT_NE(placeholder.GetSafeHwnd(), nullptr);
    EXPECT_EQ(::GetParent(placeholder.GetSafeHwnd()), frame->GetSafeHwnd());
    EXPECT_EQ(placeholder.GetDlgCtrlID(), -2);
    ASSERT_EQ(target.tabs.CountTabs(), 3);
    EXPECT_EQ(target.tabs.FindTabByWindow(placeholder.GetSafeHwnd()), 2);
    CString label;
    EXPECT_TRUE(target.tabs.GetTabLabel(2, label));
    EXPECT_STREQ(label, "Dragged");
    EXPECT_EQ(outline.m_nInsertedTabID, 2);
    ASSERT_EQ(outline.draws.size(), 2u);
    EXPECT_TRUE(outline.draws[1].erase);

    // Resting there adds nothing.
    MoveTo(start + CPoint(30, 0));
    EXPECT_EQ(target.tabs.CountTabs(), 3);
    EXPECT_EQ(outline.draws.size(), 2u);

    // Leaving the caption takes the tab away and brings the outline back.
    manager.onCaption = FALSE;
    MoveTo(start + CPoint(40, 0));
    EXPECT_EQ(target.tabs.CountTabs(), 2);
    EXPECT_EQ(target.tabs.FindTabByWindow(placeholder.GetSafeHwnd()), -1);
    EXPECT_FALSE(placeholder.IsWindowVisible());
    EXPECT_EQ(outline.m_nInsertedTabID, -1);
    ASSERT_EQ(outline.draws.size(), 3u);
    EXPECT_FALSE(outline.draws[2].erase);

    // Ending the drag over the caption takes the tab away too.
    manager.onCaption = TRUE;
    MoveTo(start + CPoint(50, 0));
    EXPECT_EQ(target.tabs.CountTabs(), 3);
    outline.EndDrawDragOutline(TRUE);
    EXPECT_EQ(target.tabs.CountTabs(), 2);
    EXPECT_EQ(outline.m_nInsertedTabID, -1);
    EXPECT_FALSE(manager.IsUpdateLocked());
    app.m_pMainWnd = nullptr;
}

TEST_F(WtkDragOutline, TemporaryTabNeedsEnoughTabsForTheBarsAnswer)
{
    MainWindowApp app;
    app.m_pMainWnd = frame;
    DockingBar only;
    ASSERT_TRUE(only.Create(frame, 1003, WS_CHILD, 0));
    struct Case {
        const char* name;
        int tabs;
        BOOL accepts;
        bool temporaryTab;
    };
    const Case cases[] = {
        {"one tab, takes more tabs", 1, TRUE, false},
        {"one tab, takes no more", 1, FALSE, true},
        {"no tab, takes no more", 0, FALSE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TabbedBar target;
        ASSERT_TRUE(target.Create(frame, 1002, WS_CHILD | WS_VISIBLE, 0, CRect(10, 150, 210, 250)));
        for (int i = 0; i < c.tabs; ++i)
            target.tabs.AddTab(&only, "only");
        target.accepts = c.accepts;
        manager.target = &target;
        manager.onCaption = TRUE;
        RecordingOutline fresh;
        fresh.Init(&dragged);
        fresh.m_pDockManager = &manager;
        fresh.m_ptHot = start;
        ASSERT_TRUE(::SetCursorPos(start.x + 10, start.y));
        fresh.MoveDragOutline(FALSE);
        EXPECT_EQ(target.tabs.CountTabs(), c.tabs + (c.temporaryTab ? 1 : 0));
        EXPECT_EQ(fresh.m_nInsertedTabID, c.temporaryTab ? c.tabs : -1);
        EXPECT_EQ(fresh.draws.size(), c.temporaryTab ? 0u : 1u);
        fresh.EndDrawDragOutline(TRUE);
        EXPECT_EQ(target.tabs.CountTabs(), c.tabs);
    }
    app.m_pMainWnd = nullptr;
}

// The screen's pixels of a rectangle.
class ScreenShot {
public:
    explicit ScreenShot(const CRect& rect) : canvas(rect.Width(), rect.Height()), m_rect(rect)
    {
        HDC screen = ::GetDC(nullptr);
        ok = canvas.IsValid() && ::BitBlt(canvas.dc.GetSafeHdc(), 0, 0, rect.Width(), rect.Height(), screen,
                                          rect.left, rect.top, SRCCOPY);
        ::ReleaseDC(nullptr, screen);
    }
    DibCanvas canvas;
    bool ok = false;

private:
    CRect m_rect;
};

// The outline inverts a half-tone band as wide as asked along the inside of
// its rectangle on the screen, as it does during a drag (the frame locked),
// and drawing it again restores the screen.
TEST_F(WtkDragOutline, OutlineInvertsItsBandOnTheScreenAndDrawingItAgainRestoresIt)
{
    CWtkDockManager frameManager;
    frameManager.Create(frame);
    frameManager.FreezeRedraw(TRUE);
    CRect f;
    frame->GetWindowRect(&f);
    const CRect rect(f.left + 20, f.top + 40, f.left + 80, f.top + 100);
    const ScreenShot before(rect);
    ASSERT_TRUE(before.ok);

    CWtkDragOutline real;
    real.DrawDragRect(&rect, nullptr, TRUE, 4, 4);
    const ScreenShot drawn(rect);
    real.DrawDragRect(&rect, nullptr, TRUE, 4, 4);
    const ScreenShot erased(rect);
    frameManager.FreezeRedraw(FALSE);
    ASSERT_TRUE(drawn.ok);
    ASSERT_TRUE(erased.ok);

    int changedInBand = 0;
    int changedInside = 0;
    int notRestored = 0;
    for (int y = 0; y < rect.Height(); ++y) {
        for (int x = 0; x < rect.Width(); ++x) {
            const bool band = x < 4 || y < 4 || x >= rect.Width() - 4 || y >= rect.Height() - 4;
            const bool changed = drawn.canvas.At(x, y) != before.canvas.At(x, y);
            (band ? changedInBand : changedInside) += changed ? 1 : 0;
            notRestored += erased.canvas.At(x, y) != before.canvas.At(x, y) ? 1 : 0;
        }
    }
    // A checkerboard inverts half of the band's pixels.
    const int bandPixels = rect.Width() * rect.Height() - (rect.Width() - 8) * (rect.Height() - 8);
    EXPECT_EQ(changedInBand, bandPixels / 2);
    EXPECT_EQ(changedInside, 0);
    EXPECT_EQ(notRestored, 0);
}

}  // namespace
