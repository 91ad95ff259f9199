#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "platform/ui/rebar_ctrl.h"
#include "platform/ui/static_ctrl.h"

namespace {

TEST(ReBarCtrl, BandsCarryTheirChildWindowsAndMoveShowAndHide)
{
    ControlHost host(false, 500, 200);
    CReBarCtrl rebar;
    ASSERT_TRUE(rebar.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_BANDBORDERS,
                             Box(0, 0, 500, 30), &host, 59396));
    CStatic first;
    CStatic second;
    ASSERT_TRUE(first.Create("one", WS_CHILD | WS_VISIBLE, Box(0, 0, 100, 22), &rebar, 1));
    ASSERT_TRUE(second.Create("two", WS_CHILD | WS_VISIBLE, Box(0, 0, 100, 22), &rebar, 2));
    for (CStatic* child : {&first, &second}) {
        REBARBANDINFOA band = {};
        band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_ID | RBBIM_STYLE;
        band.fStyle = RBBS_CHILDEDGE;
        band.hwndChild = child->m_hWnd;
        band.cxMinChild = 50;
        band.cyMinChild = 22;
        band.wID = static_cast<UINT>(child->GetDlgCtrlID()) + 100;
        EXPECT_TRUE(rebar.InsertBand(static_cast<UINT>(-1), &band));
        // Handed over with this build's own size.
        EXPECT_EQ(band.cbSize, sizeof(REBARBANDINFOA));
    }
    EXPECT_EQ(rebar.GetBandCount(), 2u);
    EXPECT_EQ(rebar.IDToIndex(102), 1);
    REBARBANDINFOA read = {};
    read.fMask = RBBIM_CHILD | RBBIM_ID;
    ASSERT_TRUE(rebar.GetBandInfo(1, &read));
    EXPECT_EQ(read.hwndChild, second.m_hWnd);
    EXPECT_EQ(read.wID, 102u);
    EXPECT_TRUE(rebar.MoveBand(1, 0));
    EXPECT_EQ(rebar.IDToIndex(102), 0);
    EXPECT_TRUE(rebar.ShowBand(0, FALSE));
    read.fMask = RBBIM_STYLE;
    ASSERT_TRUE(rebar.GetBandInfo(0, &read));
    EXPECT_TRUE(read.fStyle & RBBS_HIDDEN);
    EXPECT_GT(rebar.GetBarHeight(), 0u);
    EXPECT_TRUE(rebar.DeleteBand(0));
    EXPECT_EQ(rebar.GetBandCount(), 1u);
}

}  // namespace
