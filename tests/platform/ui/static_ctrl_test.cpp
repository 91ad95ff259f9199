#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "platform/ui/static_ctrl.h"

namespace {

TEST(Static, TextAndIconGoThroughTheControl)
{
    ControlHost host;
    CStatic label;
    ASSERT_TRUE(label.Create("Label", WS_CHILD | SS_LEFT, Box(0, 0, 100, 20), &host));
    EXPECT_EQ(label.GetDlgCtrlID(), 0xFFFF);
    CString text;
    label.GetWindowText(text);
    EXPECT_STREQ(text, "Label");

    CStatic picture;
    ASSERT_TRUE(picture.Create(nullptr, WS_CHILD | SS_ICON, Box(0, 30, 32, 32), &host, 12));
    HICON icon = ::LoadIconA(nullptr, IDI_WARNING);
    EXPECT_EQ(picture.SetIcon(icon), nullptr);
    EXPECT_EQ(picture.GetIcon(), icon);
}

}  // namespace
