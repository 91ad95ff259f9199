// The dock history of a bar: its docked and floating places, the bar
// containers those places keep locked, and the parts one bar's history
// hands to another.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "drag_helpers_support.h"
#include "toolkit/foundation/bar_container.h"
#include "toolkit/foundation/dock_history.h"
#include "toolkit/foundation/dock_history_entry.h"
#include "toolkit/foundation/mini_frame_wnd.h"
#include "toolkit/foundation/slider.h"

namespace {

using namespace draghelpers_test;

class DefaultSlider : public Probe<CWtkSlider> {
public:
    explicit DefaultSlider(BOOL bDefault = TRUE) { m_bDefaultSlider = bDefault; }
};

// A frame with a docking bar in it.
class WtkDockHistory : public ::testing::Test {
protected:
    void SetUp() override
    {
        basebar_test::ResetBarGlobals();
        frame = NewFrame();
        ASSERT_NE(frame, nullptr);
        holder = std::make_unique<FrameHolder>(frame);
        ASSERT_TRUE(bar.Create(frame, 1001, WS_CHILD | WS_VISIBLE, 0, CRect(10, 20, 110, 220)));
        bar.SetLastPercentInContainer(30);
        ASSERT_TRUE(tabbed.Create(frame, 1002, WS_CHILD | WS_VISIBLE, 0, CRect(120, 20, 220, 220)));
        tabbed.SetLastPercentInContainer(70);
    }
    void TearDown() override { basebar_test::ResetBarGlobals(); }

    basebar_test::CountingFrame* frame = nullptr;
    std::unique_ptr<FrameHolder> holder;
    DockingBar bar;
    TabbedBar tabbed;
};

TEST_F(WtkDockHistory, EntryLocksTheContainerItNamesAndReleasesTheOnesItReplaces)
{
    CWtkBarContainer first(nullptr, &bar, nullptr);
    CWtkBarContainer second(nullptr, nullptr, &tabbed);
    {
        CWtkDockHistoryEntry entry;
        entry.StoreDockInfo(&first, &bar);
        EXPECT_EQ(first.GetRefCount(), 1);
        EXPECT_EQ(entry.m_pRecentBarContainer, &first);
        EXPECT_EQ(entry.m_pRecentTabContainer, nullptr);
        EXPECT_EQ(entry.m_rectRecentDockedRect, ScreenRect(bar));
        EXPECT_EQ(entry.m_nRecentPercent, 30);
        EXPECT_TRUE(entry.m_bIsRecentLeftBar);

        // The same container again keeps one lock.
        entry.StoreDockInfo(&first, &bar);
        EXPECT_EQ(first.GetRefCount(), 1);

        // Inside a tabbed bar the container is the tab container, the share
        // and the side are the tabbed bar's.
        entry.StoreDockInfo(&second, &bar, &tabbed);
        EXPECT_EQ(first.GetRefCount(), 0);
        EXPECT_EQ(second.GetRefCount(), 1);
        EXPECT_EQ(entry.m_pRecentBarContainer, nullptr);
        EXPECT_EQ(entry.m_pRecentTabContainer, &second);
        EXPECT_EQ(entry.m_nRecentPercent, 70);
        EXPECT_FALSE(entry.m_bIsRecentLeftBar);

        {
            CWtkDockHistoryEntry copy;
            copy.m_lstRecentListOfBars.push_back(frame->GetSafeHwnd());
            entry.m_lstRecentListOfBars = {bar.GetSafeHwnd(), tabbed.GetSafeHwnd()};
            copy.CopyFrom(entry);
            EXPECT_EQ(second.GetRefCount(), 2);
            EXPECT_EQ(copy.m_pRecentTabContainer, &second);
            EXPECT_EQ(copy.m_rectRecentDockedRect, entry.m_rectRecentDockedRect);
            EXPECT_EQ(copy.m_nRecentPercent, 70);
            EXPECT_FALSE(copy.m_bIsRecentLeftBar);
            EXPECT_EQ(copy.m_lstRecentListOfBars, entry.m_lstRecentListOfBars);
        }
        EXPECT_EQ(second.GetRefCount(), 1);
    }
    EXPECT_EQ(second.GetRefCount(), 0);
}

TEST_F(WtkDockHistory, NewHistoryHoldsTheInitialPlaces)
{
    CWtkDockHistory history(&bar);
    EXPECT_EQ(history.GetBar(), &bar);
    EXPECT_EQ(history.m_rectRecentFloatingRect, CRect(10, 10, 110, 110));
    EXPECT_EQ(history.m_dwRecentAlignmentToFrame, static_cast<DWORD>(CBRS_ALIGN_LEFT));
    EXPECT_EQ(history.m_hRecentDefaultSlider, reinterpret_cast<HWND>(-1));
    EXPECT_EQ(history.GetRecentDefaultSlider(), nullptr);
    for (BOOL docked : {TRUE, FALSE}) {
        EXPECT_EQ(history.GetRecentContainer(docked), nullptr);
        EXPECT_EQ(history.GetRecentTabContainer(docked), nullptr);
        EXPECT_EQ(history.GetRecentDockedRect(docked), CRect(0, 0, 30, 30));
        EXPECT_EQ(history.GetRecentDockedPercent(docked), 50);
        EXPECT_TRUE(history.IsRecentLeftBar(docked));
        EXPECT_TRUE(history.GetRecentListOfBars(docked).empty());
    }
}

TEST_F(WtkDockHistory, FloatingBarRecordsItsMiniFrameAndTellsItToCheckForEmptiness)
{
    HoldingMiniFrame miniFrame;
    ASSERT_TRUE(miniFrame.CreatePopup(frame, CRect(500, 100, 700, 300)));
    DockingBar floating;
    ASSERT_TRUE(floating.Create(&miniFrame, 1003, WS_CHILD | WS_VISIBLE, 0, CRect(4, 6, 104, 86)));
    miniFrame.Hold(&floating);
    CWtkBarContainer container(nullptr, &floating, nullptr);

    CWtkDockHistory history(&floating);
    history.StoreDockInfo(&container);

    EXPECT_EQ(history.GetRecentContainer(FALSE), &container);
    EXPECT_EQ(history.GetRecentContainer(TRUE), nullptr);
    EXPECT_EQ(container.GetRefCount(), 1);
    EXPECT_EQ(history.m_rectRecentFloatingRect, ScreenRect(miniFrame));
    EXPECT_EQ(history.GetRecentDockedRect(FALSE), CRect(4, 6, 104, 86));
    EXPECT_EQ(history.m_hRecentMiniFrame, miniFrame.GetSafeHwnd());
    MSG msg;
    EXPECT_TRUE(::PeekMessage(&msg, miniFrame.GetSafeHwnd(), WTKMSG_CHECKEMPTYMINIFRAME,
                              WTKMSG_CHECKEMPTYMINIFRAME, PM_REMOVE));
}

TEST_F(WtkDockHistory, DockedBarRecordsItsDefaultSliderAndSide)
{
    DefaultSlider slider;
    ASSERT_TRUE(slider.Create(frame, 7, WS_CHILD | WS_VISIBLE, 0, CRect(110, 20, 114, 220)));
    slider.SetBarAlignment(CBRS_ALIGN_RIGHT);
    bar.SetOwnSlider(slider.GetSafeHwnd());
    CWtkBarContainer container(nullptr, &bar, nullptr);

    CWtkDockHistory history(&bar);
    history.StoreDockInfo(&container);

    EXPECT_EQ(history.GetRecentContainer(TRUE), &container);
    EXPECT_EQ(history.GetRecentContainer(FALSE), nullptr);
    EXPECT_EQ(container.GetRefCount(), 1);
    EXPECT_EQ(history.GetRecentDockedRect(TRUE), CRect(10, 20, 110, 220));
    EXPECT_EQ(history.GetRecentDockedPercent(TRUE), 30);
    EXPECT_EQ(history.m_hRecentDefaultSlider, slider.GetSafeHwnd());
    EXPECT_EQ(history.m_dwRecentAlignmentToFrame, static_cast<DWORD>(CBRS_ALIGN_RIGHT));
    EXPECT_EQ(history.GetRecentDefaultSlider(), &slider);

    slider.DestroyWindow();
    EXPECT_EQ(history.GetRecentDefaultSlider(), nullptr);
}

TEST_F(WtkDockHistory, BarNeitherFloatingNorBehindADefaultSliderForgetsItsFloatingPlace)
{
    DefaultSlider inner(FALSE);
    ASSERT_TRUE(inner.Create(frame, 8, WS_CHILD | WS_VISIBLE, 0, CRect(110, 20, 114, 220)));
    bar.SetOwnSlider(inner.GetSafeHwnd());
    CWtkBarContainer floatingContainer(nullptr, &bar, nullptr);
    CWtkBarContainer docked(nullptr, &bar, nullptr);

    CWtkDockHistory history(&bar);
    history.Entry(FALSE).StoreDockInfo(&floatingContainer, &bar);
    history.Entry(TRUE).StoreDockInfo(&docked, &bar);
    history.StoreDockInfo(&docked);

    EXPECT_EQ(history.GetRecentContainer(FALSE), nullptr);
    EXPECT_EQ(floatingContainer.GetRefCount(), 0);
    EXPECT_EQ(history.GetRecentContainer(TRUE), &docked);
    EXPECT_EQ(docked.GetRefCount(), 1);
    EXPECT_EQ(history.m_hRecentDefaultSlider, reinterpret_cast<HWND>(-1));
}

TEST_F(WtkDockHistory, CopyTakesEitherTheDockedOrTheFloatingPart)
{
    CWtkBarContainer docked(nullptr, &bar, nullptr);
    CWtkBarContainer floating(nullptr, &bar, nullptr);
    const HWND slider = frame->GetSafeHwnd();
    const HWND miniFrame = bar.GetSafeHwnd();

    CWtkDockHistory source(&bar);
    source.m_dwRecentAlignmentToFrame = CBRS_ALIGN_TOP;
    source.m_hRecentDefaultSlider = slider;
    source.Entry(TRUE).StoreDockInfo(&docked, &bar);
    source.m_rectRecentFloatingRect.SetRect(1, 2, 3, 4);
    source.m_rectRecentFloatingCompanion.SetRect(5, 6, 7, 8);
    source.m_hRecentMiniFrame = miniFrame;
    source.Entry(FALSE).StoreDockInfo(&floating, &bar);

    CWtkDockHistory dockedCopy(&tabbed);
    dockedCopy.CopyFrom(source, TRUE);
    EXPECT_EQ(dockedCopy.GetBar(), &tabbed);
    EXPECT_EQ(dockedCopy.m_dwRecentAlignmentToFrame, static_cast<DWORD>(CBRS_ALIGN_TOP));
    EXPECT_EQ(dockedCopy.m_hRecentDefaultSlider, slider);
    EXPECT_EQ(dockedCopy.GetRecentContainer(TRUE), &docked);
    EXPECT_EQ(dockedCopy.GetRecentContainer(FALSE), nullptr);
    EXPECT_EQ(dockedCopy.m_rectRecentFloatingRect, CRect(10, 10, 110, 110));
    EXPECT_EQ(dockedCopy.m_hRecentMiniFrame, nullptr);
    EXPECT_EQ(docked.GetRefCount(), 2);
    EXPECT_EQ(floating.GetRefCount(), 1);

    CWtkDockHistory floatingCopy(&tabbed);
    floatingCopy.CopyFrom(source, FALSE);
    EXPECT_EQ(floatingCopy.m_rectRecentFloatingRect, CRect(1, 2, 3, 4));
    EXPECT_EQ(floatingCopy.m_rectRecentFloatingCompanion, CRect(5, 6, 7, 8));
    EXPECT_EQ(floatingCopy.m_hRecentMiniFrame, miniFrame);
    EXPECT_EQ(floatingCopy.GetRecentContainer(FALSE), &floating);
    EXPECT_EQ(floatingCopy.GetRecentContainer(TRUE), nullptr);
    EXPECT_EQ(floatingCopy.m_dwRecentAlignmentToFrame, static_cast<DWORD>(CBRS_ALIGN_LEFT));
    EXPECT_EQ(floating.GetRefCount(), 2);
    EXPECT_EQ(docked.GetRefCount(), 2);
}

}  // namespace
