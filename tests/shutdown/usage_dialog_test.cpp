#include <gtest/gtest.h>

#include "dialog_watcher.h"
#include "shutdown/resource.h"
#include "shutdown/usage_dialog.h"

namespace {

const std::vector<std::string> kUsageTexts = {
    "Available Command Line Switches",
    "/t\t <action>\tType of system action you want to the program to perform.",
    "/w\t <seconds>\tNumber of seconds for program to wait before running.",
    "Available System Actions",
    "SHUTDOWN\t\tFORCESHUTDOWN",
    "REBOOT\t\tFORCEREBOOT",
    "LOGOFF\t\tFORCELOGOFF",
    "Example:   QVShutdown /t FORCEREBOOT /w 10\nThis example would reboot Windows in 10 seconds, "
    "forcing all running programs to quit without notice.",
};

TEST(UsageDialog, ShowsTheSwitchesAndActionsUnderTheProgramIcon)
{
    HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(icon, nullptr);

    std::vector<std::string> texts;
    std::string okText;
    LRESULT bigIcon = 0, smallIcon = 0, dragIcon = 0;
    DialogWatcher watcher(::GetCurrentProcessId(), "QVShutdown", IDOK, [&](HWND box) {
        texts = StaticTexts(box);
        okText = WindowText(::GetDlgItem(box, IDOK));
        bigIcon = ::SendMessageA(box, WM_GETICON, ICON_BIG, 0);
        smallIcon = ::SendMessageA(box, WM_GETICON, ICON_SMALL, 0);
        dragIcon = ::SendMessageA(box, WM_QUERYDRAGICON, 0, 0);
    });

    CUsageDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    ASSERT_TRUE(watcher.Finish());
    EXPECT_EQ(texts, kUsageTexts);
    EXPECT_EQ(okText, "OK");
    EXPECT_EQ(bigIcon, reinterpret_cast<LRESULT>(icon));
    EXPECT_EQ(smallIcon, reinterpret_cast<LRESULT>(icon));
    EXPECT_EQ(dragIcon, reinterpret_cast<LRESULT>(icon));
}

}  // namespace
