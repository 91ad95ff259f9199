#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "platform/ui/edit.h"
#include "platform/ui/spin_button_ctrl.h"

namespace {

TEST(SpinButtonCtrl, RangePositionAndBuddyGoThroughTheControl)
{
    ControlHost host;
    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD, Box(0, 0, 60, 20), &host, 11));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | UDS_SETBUDDYINT | UDS_ARROWKEYS, Box(60, 0, 16, 20), &host, 12));
    EXPECT_EQ(spin.SetBuddy(&buddy), nullptr);
    EXPECT_EQ(spin.GetBuddy()->m_hWnd, buddy.m_hWnd);
    spin.SetRange(1, 999);
    int lower = 0;
    int upper = 0;
    spin.GetRange(lower, upper);
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, 999);
    spin.SetPos(42);
    EXPECT_EQ(LOWORD(spin.GetPos()), 42);
    CString text;
    buddy.GetWindowText(text);
    EXPECT_STREQ(text, "42");
    spin.SetRange32(-5, 100000);
    spin.GetRange(lower, upper);
    EXPECT_EQ(lower, -5);
    EXPECT_EQ(upper, 100000);
    EXPECT_EQ(spin.SetBase(16), 10);
    EXPECT_EQ(spin.GetBase(), 16u);
}

}  // namespace
