#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "platform/ui/tab_ctrl.h"

namespace {

TEST(TabCtrl, TabsSelectionAndDisplayAreaGoThroughTheControl)
{
    ControlHost host;
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD, Box(0, 0, 300, 200), &host, 10));
    EXPECT_EQ(tabs.InsertItem(0, "General"), 0);
    EXPECT_EQ(tabs.InsertItem(1, "Options"), 1);
    EXPECT_EQ(tabs.GetItemCount(), 2);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.SetCurSel(1), 0);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    char text[32] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ASSERT_TRUE(tabs.GetItem(1, &item));
    EXPECT_STREQ(text, "Options");
    // The display area lies inside the window, below the tabs.
    RECT area = Box(0, 0, 300, 200);
    tabs.AdjustRect(FALSE, &area);
    RECT first;
    ASSERT_TRUE(tabs.GetItemRect(0, &first));
    EXPECT_GE(area.top, first.bottom);
    EXPECT_LT(area.bottom, 200);
    TCHITTESTINFO hit = {};
    hit.pt = POINT{(first.left + first.right) / 2, (first.top + first.bottom) / 2};
    EXPECT_EQ(tabs.HitTest(&hit), 0);
    EXPECT_TRUE(tabs.DeleteItem(0));
    EXPECT_EQ(tabs.GetItemCount(), 1);
}

}  // namespace
