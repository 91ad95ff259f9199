#include <gtest/gtest.h>

#include "dialog_watcher.h"
#include "platform/ui/app.h"
#include "platform/ui/color_dialog.h"

namespace {

TEST(ColorDialog, OkGivesTheColourTheDialogStartedWithAndCancelGivesNothing)
{
    CWinApp app("Colour Test");
    struct Case {
        int button;
        INT_PTR result;
    };
    for (const Case& c : {Case{IDOK, IDOK}, Case{IDCANCEL, IDCANCEL}}) {
        SCOPED_TRACE(c.button);
        CColorDialog dialog(RGB(10, 120, 200), CC_FULLOPEN | CC_ANYCOLOR);
        EXPECT_TRUE(dialog.m_cc.Flags & CC_RGBINIT);
        DialogWatcher watcher(::GetCurrentProcessId(), "", c.button);
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_TRUE(watcher.Finish());
        EXPECT_EQ(dialog.GetColor(), RGB(10, 120, 200));
    }
    EXPECT_NE(CColorDialog::GetSavedCustomColors(), nullptr);
    CColorDialog blank;
    EXPECT_FALSE(blank.m_cc.Flags & CC_RGBINIT);
}

}  // namespace
