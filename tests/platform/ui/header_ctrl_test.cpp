#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "platform/ui/header_ctrl.h"

namespace {

TEST(HeaderCtrl, ItemsAndTheirRectanglesGoThroughTheControl)
{
    ControlHost host;
    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_CHILD | HDS_HORZ, Box(0, 0, 300, 24), &host, 9));
    const char* texts[] = {"Description", "Trigger"};
    for (int i = 0; i < 2; ++i) {
        HDITEMA item = {};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = const_cast<char*>(texts[i]);
        item.cxy = 100 + 20 * i;
        item.fmt = HDF_LEFT | HDF_STRING;
        EXPECT_EQ(header.InsertItem(i, &item), i);
    }
    EXPECT_EQ(header.GetItemCount(), 2);
    RECT second;
    ASSERT_TRUE(header.GetItemRect(1, &second));
    EXPECT_EQ(second.left, 100);
    EXPECT_EQ(second.right, 220);
    char text[32] = "";
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ASSERT_TRUE(header.GetItem(1, &item));
    EXPECT_STREQ(text, "Trigger");
    HDHITTESTINFO hit = {};
    hit.pt = POINT{150, 5};
    EXPECT_EQ(header.HitTest(&hit), 1);
    EXPECT_TRUE(header.DeleteItem(0));
    EXPECT_EQ(header.GetItemCount(), 1);
}

}  // namespace
