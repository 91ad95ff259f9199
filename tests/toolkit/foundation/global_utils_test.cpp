// The docking utilities: rectangles turned for the auto-hide buttons, the
// docking bands along a bar's edges, the dock manager of every frame kind,
// windows moved into another parent, and where a dragged bar would dock.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "drag_helpers_support.h"
#include "platform/framework/oblist.h"
#include "platform/ui/dialog.h"
#include "platform/ui/property_sheet.h"
#include "platform/ui/window_class.h"
#include "toolkit/foundation/bar_container_manager.h"
#include "toolkit/foundation/global_utils.h"
#include "toolkit/foundation/mdi_child_wnd.h"
#include "toolkit/foundation/mdi_frame_wnd.h"
#include "toolkit/foundation/multi_mini_frame_wnd.h"
#include "toolkit/foundation/ole_cntr_frame_wnd.h"
#include "toolkit/foundation/ole_doc_ip_frame_wnd.h"
#include "toolkit/foundation/ole_ip_frame_wnd.h"
#include "toolkit/foundation/slider.h"

namespace {

using namespace draghelpers_test;

// ---- FlipRect ----------------------------------------------------------------------------

TEST(WtkGlobalUtilsFlipRect, TurnsEdgesByRightAnglesAndLeavesOtherAngles)
{
    const CRect rect(1, 2, 3, 4);
    struct Case {
        int angle;
        CRect expected;
    };
    const Case cases[] = {
        {180, CRect(1, 4, 3, 2)},
        {90, CRect(4, 1, 2, 3)},
        {-90, CRect(2, 3, 4, 1)},
        {45, rect},
        {0, rect},
        {270, rect},
    };
    CWtkGlobalUtils utils;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        CRect turned = rect;
        utils.FlipRect(turned, c.angle);
        EXPECT_EQ(turned, c.expected);
    }
}

// ---- CheckAlignment --------------------------------------------------------------------

TEST(WtkGlobalUtilsCheckAlignment, BandsAreTestedTopLeftBottomRightAmongEnabledSides)
{
    // A rectangle given without a bar; sensitivity 15.
    const CRect r(100, 100, 300, 200);
    const DWORD all = CBRS_ALIGN_ANY;
    struct Case {
        const char* name;
        CPoint point;
        BOOL outer;
        DWORD enabled;
        BOOL hit;
        DWORD side;
    };
    const Case cases[] = {
        {"10 px above the top edge", {200, 90}, TRUE, all, TRUE, CBRS_ALIGN_TOP},
        {"top-left corner: top first", {95, 90}, TRUE, all, TRUE, CBRS_ALIGN_TOP},
        {"top-left corner, top disabled", {95, 90}, TRUE, all & ~CBRS_ALIGN_TOP, TRUE, CBRS_ALIGN_LEFT},
        {"top-left corner, top and left disabled", {95, 90}, TRUE, CBRS_ALIGN_BOTTOM | CBRS_ALIGN_RIGHT, FALSE, 0},
        {"bottom-right corner: bottom before right", {305, 205}, TRUE, all, TRUE, CBRS_ALIGN_BOTTOM},
        {"bottom-right corner, bottom disabled", {305, 205}, TRUE, all & ~CBRS_ALIGN_BOTTOM, TRUE,
         CBRS_ALIGN_RIGHT},
        {"outer band ends at the edge", {200, 100}, TRUE, all, FALSE, 0},
        {"15 px above is outside the band", {200, 84}, TRUE, all, FALSE, 0},
        {"outer: inside near the top is nothing", {200, 110}, TRUE, all, FALSE, 0},
        {"inner: inside near the top", {200, 110}, FALSE, all, TRUE, CBRS_ALIGN_TOP},
        {"inner: inside near the left", {110, 150}, FALSE, all, TRUE, CBRS_ALIGN_LEFT},
        {"inner: inside near the bottom", {200, 190}, FALSE, all, TRUE, CBRS_ALIGN_BOTTOM},
        {"inner: inside near the right", {290, 150}, FALSE, all, TRUE, CBRS_ALIGN_RIGHT},
        {"inner: the middle is nothing", {200, 150}, FALSE, all, FALSE, 0},
        {"inner: outside near the top", {200, 90}, FALSE, all, TRUE, CBRS_ALIGN_TOP},
    };
    CWtkGlobalUtils utils;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD side = 0x1234;
        EXPECT_EQ(utils.CheckAlignment(c.point, nullptr, 15, c.outer, side, c.enabled, &r), c.hit);
        EXPECT_EQ(side, c.hit ? c.side : 0x1234u);
    }
}

TEST(WtkGlobalUtilsCheckAlignment, WithoutBarOrRectangleAnswersNothing)
{
    CWtkGlobalUtils utils;
    DWORD side = 0;
    EXPECT_FALSE(utils.CheckAlignment(CPoint(0, 0), nullptr, 15, TRUE, side, CBRS_ALIGN_ANY, nullptr));
}

// The inner top band of a docking bar reaches past its caption, the inner
// bottom band past its bottom tab area; the bar's window rectangle wins
// over a given one.
TEST(WtkGlobalUtilsCheckAlignment, InnerBandsOfDockingBarReachPastCaptionAndTabArea)
{
    auto* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder frameHolder(frame);
    DockingBar bar;
    ASSERT_TRUE(bar.Create(frame, 1001, WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, 200, 100)));
    CRect w;
    bar.GetWindowRect(&w);
    const CRect elsewhere(w.left + 500, w.top, w.right + 500, w.bottom);
    CWtkGlobalUtils utils;

    struct Case {
        const char* name;
        int caption;
        int tabArea;
        CPoint point;
        BOOL hit;
        DWORD side;
    };
    const Case cases[] = {
        {"below the band without caption", 0, 0, {w.left + 100, w.top + 25}, FALSE, 0},
        {"within caption + 15", 20, 0, {w.left + 100, w.top + 34}, TRUE, CBRS_ALIGN_TOP},
        {"just past caption + 15", 20, 0, {w.left + 100, w.top + 35}, FALSE, 0},
        {"above the band without tab area", 0, 0, {w.left + 100, w.bottom - 20}, FALSE, 0},
        {"within tab area + 15", 0, 10, {w.left + 100, w.bottom - 25}, TRUE, CBRS_ALIGN_BOTTOM},
        {"just past tab area + 15", 0, 10, {w.left + 100, w.bottom - 26}, FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar.SetCaptionHeight(c.caption);
        bar.SetTabAreas(CRect(w.left, w.bottom - c.tabArea, w.right, w.bottom), CRect());
        DWORD side = 0;
        EXPECT_EQ(utils.CheckAlignment(c.point, &bar, 15, FALSE, side, CBRS_ALIGN_ANY, &elsewhere), c.hit);
        if (c.hit) {
            EXPECT_EQ(side, c.side);
        }
    }
}

// ---- GetDockManager ----------------------------------------------------------------------

TEST(WtkGlobalUtilsGetDockManager, AnswersTheManagerOfEveryToolkitFrameKind)
{
    CWtkFrameWnd sdi;
    CWtkMDIFrameWnd mdi;
    CWtkOleIPFrameWnd inPlace;
    CWtkOleDocIPFrameWnd docInPlace;
    CWtkMDIChildWnd child;
    CWtkOleCntrFrameWnd container(&inPlace);
    struct Case {
        const char* name;
        CWnd* frame;
        CWtkDockManager* manager;
    };
    const Case cases[] = {
        {"SDI frame", &sdi, sdi.GetDockManager()},
        {"MDI frame", &mdi, mdi.GetDockManager()},
        {"OLE in-place frame", &inPlace, inPlace.GetDockManager()},
        {"OLE document in-place frame", &docInPlace, docInPlace.GetDockManager()},
        {"MDI child", &child, child.GetDockManager()},
        {"OLE container frame", &container, container.GetDockManager()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CWtkGlobalUtils utils;
        ASSERT_NE(c.manager, nullptr);
        EXPECT_EQ(utils.GetDockManager(c.frame), c.manager);
        EXPECT_FALSE(utils.m_bDialogApp);
    }
}

TEST(WtkGlobalUtilsGetDockManager, OtherWindowsHaveNoneAndDialogsMarkBarsInDialogs)
{
    CFrameWnd plainFrame;
    CWnd plain;
    CDialog dialog;
    CPropertySheet sheet;
    struct Case {
        const char* name;
        CWnd* wnd;
        BOOL dialogApp;
    };
    const Case cases[] = {
        {"no window", nullptr, FALSE},
        {"framework frame", &plainFrame, FALSE},
        {"plain window", &plain, FALSE},
        {"dialog", &dialog, TRUE},
        {"property sheet", &sheet, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CWtkGlobalUtils utils;
        EXPECT_EQ(utils.GetDockManager(c.wnd), nullptr);
        EXPECT_EQ(utils.m_bDialogApp, c.dialogApp);
    }
}

// ---- ReparentWindows -------------------------------------------------------------------

class ChildWindow : public CWnd {
public:
    BOOL Create(CWnd* pParent, const CRect& rect, BOOL bVisible)
    {
        return CWnd::CreateEx(0, AfxRegisterWndClass(0), "child", WS_CHILD | (bVisible ? WS_VISIBLE : 0), rect,
                              pParent, 0);
    }
};

class ParentWindow : public CWnd {
public:
    BOOL Create(int x)
    {
        return CWnd::CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP | WS_VISIBLE, x, 100, 300, 200,
                              nullptr, nullptr);
    }
};

CRect ClientRectInParent(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    ::MapWindowPoints(nullptr, ::GetParent(wnd.GetSafeHwnd()), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST(WtkGlobalUtilsReparentWindows, SliderOnlyChangesParentOthersAreParkedAndShown)
{
    ParentWindow oldParent;
    ParentWindow newParent;
    ASSERT_TRUE(oldParent.Create(50));
    ASSERT_TRUE(newParent.Create(400));
    Probe<CWtkSlider> slider;
    ASSERT_TRUE(slider.Create(&oldParent, 7, WS_CHILD | WS_VISIBLE, 0, CRect(5, 6, 9, 106)));
    ChildWindow shown;
    ASSERT_TRUE(shown.Create(&oldParent, CRect(10, 20, 70, 60), TRUE));
    ChildWindow hidden;
    ASSERT_TRUE(hidden.Create(&oldParent, CRect(80, 20, 100, 40), FALSE));

    CObList windows;
    windows.AddTail(&slider);
    windows.AddTail(&shown);
    windows.AddTail(&hidden);
    CWtkGlobalUtils().ReparentWindows(windows, &newParent, TRUE);

    EXPECT_EQ(::GetParent(slider.m_hWnd), newParent.m_hWnd);
    EXPECT_EQ(ClientRectInParent(slider), CRect(5, 6, 9, 106));
    EXPECT_TRUE(slider.IsWindowVisible());

    EXPECT_EQ(::GetParent(shown.m_hWnd), newParent.m_hWnd);
    EXPECT_EQ(ClientRectInParent(shown), CRect(-60, -40, 0, 0));
    EXPECT_TRUE(shown.IsWindowVisible());

    // Hidden windows were passed over.
    EXPECT_EQ(::GetParent(hidden.m_hWnd), oldParent.m_hWnd);
    EXPECT_EQ(ClientRectInParent(hidden), CRect(80, 20, 100, 40));
    EXPECT_FALSE(hidden.IsWindowVisible());
}

TEST(WtkGlobalUtilsReparentWindows, WithoutVisibilityTestHiddenWindowsMoveToo)
{
    ParentWindow oldParent;
    ParentWindow newParent;
    ASSERT_TRUE(oldParent.Create(50));
    ASSERT_TRUE(newParent.Create(400));
    ChildWindow hidden;
    ASSERT_TRUE(hidden.Create(&oldParent, CRect(80, 20, 100, 40), FALSE));
    CObList windows;
    windows.AddTail(&hidden);
    CWtkGlobalUtils().ReparentWindows(windows, &newParent, FALSE);
    EXPECT_EQ(::GetParent(hidden.m_hWnd), newParent.m_hWnd);
    EXPECT_EQ(ClientRectInParent(hidden), CRect(-20, -20, 0, 0));
}

// ---- Docking a dragged bar ------------------------------------------------------------------

// A frame with one docking bar docked at its left, in the dock manager's bar
// list, and a second docking bar to drag.
class WtkGlobalUtilsDockingInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        basebar_test::ResetBarGlobals();
        frame = NewFrame();
        ASSERT_NE(frame, nullptr);
        holder = std::make_unique<FrameHolder>(frame);
        frame->ShowWindow(SW_SHOWNOACTIVATE);
        ASSERT_TRUE(target.Create(frame, 1001, WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, 120, 200)));
        target.SetBarAlignment(CBRS_ALIGN_LEFT);
        ASSERT_TRUE(frame->AddControlBar(&target));
        ASSERT_TRUE(dragged.Create(frame, 1002, WS_CHILD | WS_VISIBLE, 0, CRect(200, 0, 280, 60)));
        target.GetWindowRect(&rectTarget);
        dragged.GetWindowRect(&rectDragged);
    }
    void TearDown() override { basebar_test::ResetBarGlobals(); }

    // The drop rectangle of the dragged bar beside the target on that side.
    CRect Split(DWORD side) const
    {
        CRect original = rectTarget;
        CRect inserted = rectDragged;
        CRect slider;
        DWORD style = 0;
        EXPECT_TRUE(CWtkBarContainerManager::CalcRects(original, inserted, slider, style, side, 0, 0));
        return inserted;
    }

    basebar_test::CountingFrame* frame = nullptr;
    std::unique_ptr<FrameHolder> holder;
    DockingBar target;
    DockingBar dragged;
    CRect rectTarget;
    CRect rectDragged;
};

TEST_F(WtkGlobalUtilsDockingInfo, ProposesTheSplitOfTheBarUnderOrNearThePoint)
{
    const CRect t = rectTarget;
    struct Case {
        const char* name;
        CPoint point;
        BOOL found;
        BOOL dockToBar;
        DWORD side;
    };
    const Case cases[] = {
        {"on the left edge", {t.left + 3, t.top + 100}, TRUE, TRUE, CBRS_ALIGN_LEFT},
        {"on the bottom edge", {t.left + 60, t.bottom - 3}, TRUE, TRUE, CBRS_ALIGN_BOTTOM},
        {"just right of the bar", {t.right + 5, t.top + 100}, TRUE, FALSE, CBRS_ALIGN_RIGHT},
        {"in the middle", {t.left + 60, t.top + 100}, FALSE, FALSE, 0},
        {"far away", {t.right + 60, t.top + 100}, FALSE, FALSE, 0},
    };
    CWtkGlobalUtils utils;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRect drop(1, 1, 2, 2);
        BOOL toBar = 7;
        CWtkBaseControlBar* bar = &dragged;
        EXPECT_EQ(utils.GetDockingInfo(frame->GetDockManager(), &dragged, c.point, drop, toBar, bar), c.found);
        if (c.found) {
            EXPECT_EQ(bar, &target);
            EXPECT_EQ(toBar, c.dockToBar);
            EXPECT_EQ(drop, Split(c.side));
        } else {
            EXPECT_EQ(bar, nullptr);
            EXPECT_TRUE(drop.IsRectEmpty());
            EXPECT_FALSE(toBar);
        }
    }
}

TEST_F(WtkGlobalUtilsDockingInfo, CtrlKeyWithholdsEveryProposal)
{
    const CPoint onEdge(rectTarget.left + 3, rectTarget.top + 100);
    CWtkGlobalUtils utils;
    CRect drop;
    BOOL toBar = FALSE;
    CWtkBaseControlBar* bar = nullptr;
    {
        CtrlKeyState ctrl(true);
        ASSERT_LT(::GetKeyState(VK_CONTROL), 0);
        EXPECT_FALSE(utils.GetDockingInfo(frame->GetDockManager(), &dragged, onEdge, drop, toBar, bar));
        EXPECT_EQ(bar, nullptr);
        EXPECT_TRUE(drop.IsRectEmpty());
    }
    CtrlKeyState released(false);
    EXPECT_TRUE(utils.GetDockingInfo(frame->GetDockManager(), &dragged, onEdge, drop, toBar, bar));
    EXPECT_EQ(bar, &target);
}

TEST_F(WtkGlobalUtilsDockingInfo, TargetsThatRefuseTheDraggedWindowAnswerNothing)
{
    const CPoint onEdge(rectTarget.left + 3, rectTarget.top + 100);
    CWtkGlobalUtils utils;
    CRect drop;
    BOOL toBar = FALSE;
    CWtkBaseControlBar* bar = nullptr;

    // The target itself dragged over its own edge.
    EXPECT_FALSE(utils.GetDockingInfo(frame->GetDockManager(), &target, onEdge, drop, toBar, bar));

    // A control bar that is no docking bar is not accepted.
    Probe<CWtkControlBar> plain;
    ASSERT_TRUE(plain.Create(frame, 1003, WS_CHILD | WS_VISIBLE, 0, CRect(300, 0, 380, 30)));
    EXPECT_FALSE(utils.GetDockingInfo(frame->GetDockManager(), &plain, onEdge, drop, toBar, bar));

    // A mini frame whose bar may not dock at the target's side.
    HoldingMiniFrame miniFrame(&dragged);
    ASSERT_TRUE(miniFrame.CreatePopup(frame));
    dragged.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    EXPECT_FALSE(utils.GetDockingInfo(frame->GetDockManager(), &miniFrame, onEdge, drop, toBar, bar));
    dragged.EnableDocking(CBRS_ALIGN_LEFT);
    EXPECT_TRUE(utils.GetDockingInfo(frame->GetDockManager(), &miniFrame, onEdge, drop, toBar, bar));
    EXPECT_EQ(bar, &target);
}

// ---- CanBeDockedToFloatingBar -----------------------------------------------------------

TEST(WtkGlobalUtilsFloatingBars, OnlyBarsThatFloatTogetherMayDockToFloatingBars)
{
    basebar_test::ResetBarGlobals();
    auto* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    FrameHolder holder(frame);
    CWtkGlobalUtils utils;

    DockingBar multiFlag;
    ASSERT_TRUE(multiFlag.Create(frame, 1, WS_CHILD, 0x40));
    DockingBar plainDocking;
    ASSERT_TRUE(plainDocking.Create(frame, 2, WS_CHILD, WTK_CBRS_FLOAT));
    Probe<CWtkBaseControlBar> baseWithFlag;
    ASSERT_TRUE(baseWithFlag.Create(frame, 3, WS_CHILD, 0x40));
    basebar_test::RecordingMultiMiniFrame multi;
    ASSERT_TRUE(multi.CreatePopup(frame));
    DockingBar inMulti;
    ASSERT_TRUE(inMulti.Create(&multi, 4, WS_CHILD, 0));
    HoldingMiniFrame holdsFlagged(&multiFlag);
    HoldingMiniFrame holdsPlain(&plainDocking);

    struct Case {
        const char* name;
        CWnd* dragged;
        BOOL answer;
    };
    const Case cases[] = {
        {"docking bar that floats with others", &multiFlag, TRUE},
        {"docking bar without the flag", &plainDocking, FALSE},
        {"bar that is no control bar", &baseWithFlag, FALSE},
        {"bar inside a multi-bar mini frame", &inMulti, TRUE},
        {"mini frame of a bar with the flag", &holdsFlagged, TRUE},
        {"mini frame of a bar without it", &holdsPlain, FALSE},
        {"nothing", nullptr, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utils.CanBeDockedToFloatingBar(c.dragged), c.answer);
    }
}

// ---- The split a drop next to a bar makes ----------------------------------------------------

TEST(WtkBarContainerManagerCalcRects, NewBarTakesUpToHalfOnItsSideBehindASlider)
{
    const CRect target(0, 0, 200, 100);
    struct Case {
        const char* name;
        CRect inserted;
        DWORD side;
        int minWidth;
        int minHeight;
        CRect expectedTarget;
        CRect expectedInserted;
        CRect expectedSlider;
        DWORD style;
    };
    const Case cases[] = {
        {"bottom", CRect(0, 0, 30, 30), CBRS_ALIGN_BOTTOM, 0, 0, {0, 0, 200, 66}, {0, 70, 200, 100},
         {0, 66, 200, 70}, 1},
        {"top, at most half", CRect(0, 0, 30, 80), CBRS_ALIGN_TOP, 0, 0, {0, 54, 200, 100}, {0, 0, 200, 50},
         {0, 50, 200, 54}, 1},
        {"right, grown to minimum", CRect(0, 0, 10, 10), CBRS_ALIGN_RIGHT, 40, 0, {0, 0, 156, 100},
         {160, 0, 200, 100}, {156, 0, 160, 100}, 2},
        {"left", CRect(0, 0, 60, 10), CBRS_ALIGN_LEFT, 0, 0, {64, 0, 200, 100}, {0, 0, 60, 100},
         {60, 0, 64, 100}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRect original = target;
        CRect inserted = c.inserted;
        CRect slider;
        DWORD style = 0;
        ASSERT_TRUE(
            CWtkBarContainerManager::CalcRects(original, inserted, slider, style, c.side, c.minWidth, c.minHeight));
        EXPECT_EQ(original, c.expectedTarget);
        EXPECT_EQ(inserted, c.expectedInserted);
        EXPECT_EQ(slider, c.expectedSlider);
        EXPECT_EQ(style, c.style);
    }
    CRect original = target;
    CRect inserted(0, 0, 10, 10);
    CRect slider;
    DWORD style = 0;
    EXPECT_FALSE(CWtkBarContainerManager::CalcRects(original, inserted, slider, style, 0, 0, 0));
    EXPECT_EQ(original, target);
}

}  // namespace
