#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "platform/ui/header_ctrl.h"
#include "platform/ui/list_ctrl.h"

namespace {

int CALLBACK ByDataDescending(LPARAM first, LPARAM second, LPARAM)
{
    return static_cast<int>(second - first);
}

TEST(ListCtrl, ReportListColumnsItemsStatesAndSortingGoThroughTheControl)
{
    ControlHost host;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, Box(0, 0, 300, 200), &host, 8));
    EXPECT_EQ(list.InsertColumn(0, "Task", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(1, "Next Run", LVCFMT_RIGHT, 100), 1);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    EXPECT_EQ(list.GetColumnWidth(0), 120);
    EXPECT_TRUE(list.SetColumnWidth(1, 90));
    EXPECT_EQ(list.GetColumnWidth(1), 90);

    const char* names[] = {"Backup", "Cleanup", "Report"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.InsertItem(i, names[i]), i);
        EXPECT_TRUE(list.SetItemText(i, 1, "---"));
        EXPECT_TRUE(list.SetItemData(i, static_cast<DWORD_PTR>(i + 1)));
    }
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_STREQ(list.GetItemText(1, 0), "Cleanup");
    EXPECT_STREQ(list.GetItemText(2, 1), "---");
    // A text longer than the first buffer the call tries.
    const std::string longText(300, 'x');
    list.SetItemText(0, 1, longText.c_str());
    EXPECT_EQ(std::string(list.GetItemText(0, 1)), longText);

    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(list.GetSelectedCount(), 1u);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));

    EXPECT_TRUE(list.SortItems(ByDataDescending, 0));
    EXPECT_STREQ(list.GetItemText(0, 0), "Report");
    EXPECT_EQ(list.GetItemData(2), 1u);

    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(list.SetTextColor(RGB(1, 2, 3)));
    EXPECT_EQ(list.GetTextColor(), RGB(1, 2, 3));
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

}  // namespace
