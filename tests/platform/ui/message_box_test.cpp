#include <gtest/gtest.h>

#include <algorithm>

#include "dialog_watcher.h"
#include "platform/ui/app.h"
#include "platform/ui/message_box.h"

namespace {

TEST(ProgramMessageBox, ShowsTheTextUnderTheApplicationName)
{
    CWinApp app("Tarvex Message Test");
    std::vector<std::string> texts;
    DialogWatcher watcher(::GetCurrentProcessId(), "Tarvex Message Test", IDOK,
                          [&](HWND box) { texts = StaticTexts(box); });

    EXPECT_EQ(AfxMessageBox("Something went wrong"), IDOK);
    EXPECT_TRUE(watcher.Finish());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Something went wrong"), texts.end());
}

}  // namespace
