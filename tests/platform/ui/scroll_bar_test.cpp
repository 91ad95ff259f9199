#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "platform/ui/scroll_bar.h"

namespace {

TEST(ScrollBar, RangePositionPageAndLimitGoThroughTheControl)
{
    ControlHost host;
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | SBS_HORZ, Box(0, 0, 200, 17), &host, 13));
    bar.SetScrollRange(0, 100, FALSE);
    int low = -1;
    int high = -1;
    bar.GetScrollRange(&low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 100);
    SCROLLINFO info = {};
    info.fMask = SIF_PAGE;
    info.nPage = 10;
    bar.SetScrollInfo(&info);
    // The thumb ends where the page reaches the end of the range.
    EXPECT_EQ(bar.GetScrollLimit(), 91);
    EXPECT_EQ(bar.SetScrollPos(95), 0);
    EXPECT_EQ(bar.GetScrollPos(), 91);
    SCROLLINFO read = {};
    ASSERT_TRUE(bar.GetScrollInfo(&read));
    EXPECT_EQ(read.nPage, 10u);
    EXPECT_EQ(read.nPos, 91);
}

}  // namespace
