#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "platform/ui/combo_box.h"

namespace {

TEST(ComboBox, ItemsSelectionEditAndDataGoThroughTheControl)
{
    ControlHost host;
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWN, Box(0, 0, 150, 120), &host, 6));
    EXPECT_EQ(combo.AddString("Daily"), 0);
    EXPECT_EQ(combo.AddString("Weekly"), 1);
    EXPECT_EQ(combo.InsertString(0, "One Time"), 0);
    EXPECT_EQ(combo.GetCount(), 3);
    CString text;
    combo.GetLBText(2, text);
    EXPECT_STREQ(text, "Weekly");
    EXPECT_EQ(combo.GetLBTextLen(0), 8);
    EXPECT_EQ(combo.FindStringExact(-1, "daily"), 1);
    EXPECT_EQ(combo.SelectString(-1, "We"), 2);
    EXPECT_EQ(combo.GetCurSel(), 2);
    combo.GetWindowText(text);
    EXPECT_STREQ(text, "Weekly");
    EXPECT_TRUE(combo.SetEditSel(1, 3));
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELONG(1, 3)));
    combo.SetItemData(1, 99);
    EXPECT_EQ(combo.GetItemData(1), 99u);
    EXPECT_EQ(combo.DeleteString(0), 2);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

}  // namespace
