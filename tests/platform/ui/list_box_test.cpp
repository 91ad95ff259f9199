#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls_fixture.h"
#include "platform/ui/list_box.h"

namespace {

TEST(ListBox, ItemsSelectionSearchAndDataGoThroughTheControl)
{
    ControlHost host;
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_NOTIFY | LBS_SORT, Box(0, 0, 150, 100), &host, 3));
    EXPECT_EQ(list.AddString("pear"), 0);
    EXPECT_EQ(list.AddString("apple"), 0);
    EXPECT_EQ(list.InsertString(-1, "zebra last"), 2);
    EXPECT_EQ(list.GetCount(), 3);
    CString text;
    list.GetText(1, text);
    EXPECT_STREQ(text, "pear");
    EXPECT_EQ(list.GetTextLen(2), 10);
    EXPECT_EQ(list.FindString(-1, "pe"), 1);
    EXPECT_EQ(list.FindStringExact(-1, "pe"), LB_ERR);
    EXPECT_EQ(list.SelectString(-1, "zeb"), 2);
    EXPECT_EQ(list.GetCurSel(), 2);
    list.SetItemData(0, 77);
    EXPECT_EQ(list.GetItemData(0), 77u);
    int value = 5;
    list.SetItemDataPtr(1, &value);
    EXPECT_EQ(list.GetItemDataPtr(1), &value);
    RECT item;
    ASSERT_NE(list.GetItemRect(1, &item), LB_ERR);
    BOOL outside = TRUE;
    EXPECT_EQ(list.ItemFromPoint(POINT{item.left + 2, item.top + 1}, outside), 1u);
    EXPECT_FALSE(outside);
    EXPECT_EQ(list.DeleteString(0), 2);
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

// An owner-drawn list without strings that measures, compares and deletes
// its own items.
class OwnList : public CListBox {
public:
    std::vector<std::string> log;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override
    {
        log.push_back("measure " + std::to_string(item->itemData));
        item->itemHeight = static_cast<UINT>(10 + item->itemData);
    }
    int CompareItem(LPCOMPAREITEMSTRUCT item) override
    {
        return item->itemData1 < item->itemData2 ? -1 : item->itemData1 > item->itemData2 ? 1 : 0;
    }
    void DeleteItem(LPDELETEITEMSTRUCT item) override { log.push_back("delete " + std::to_string(item->itemData)); }
};

TEST(ListBox, OwnerDrawnListMeasuresComparesAndDeletesItsItemsThroughReflection)
{
    ControlHost host;
    OwnList list;
    ASSERT_TRUE(list.Create(WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_SORT, Box(0, 0, 150, 100), &host, 4));
    list.SendMessage(LB_ADDSTRING, 0, 30);
    list.SendMessage(LB_ADDSTRING, 0, 10);
    list.SendMessage(LB_ADDSTRING, 0, 20);
    // Sorted by the object's comparison.
    EXPECT_EQ(list.GetItemData(0), 10u);
    EXPECT_EQ(list.GetItemData(1), 20u);
    EXPECT_EQ(list.GetItemData(2), 30u);
    EXPECT_EQ(list.GetItemHeight(2), 40);
    list.DeleteString(1);
    EXPECT_EQ(list.log, (std::vector<std::string>{"measure 30", "measure 10", "measure 20", "delete 20"}));
}

}  // namespace
