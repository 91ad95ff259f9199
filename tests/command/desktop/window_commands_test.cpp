// SetActiveWindow, MaximizeWindow, MinimizeWindow, RestoreWindow and
// CloseWindow on the windows of a helper program.
#include <string>

#include "desktop_test_support.h"

namespace desktop_test {
namespace {

class WindowCommands : public DesktopCommandTest {
protected:
    // A helper window with this title, or a failed test.
    HWND StartWindow(const char* title, const char* options = "")
    {
        m_makers.emplace_back(new HelperProcess(kWindowMaker, std::string("--title \"") + title + "\" " + options));
        EXPECT_TRUE(m_makers.back()->Started()) << "error " << m_makers.back()->StartError();
        m_makers.back()->WaitUntilReady(10000);
        return WaitForWindow(title, 10000);
    }
    std::vector<std::unique_ptr<HelperProcess>> m_makers;
};

TEST_F(WindowCommands, SetActiveWindowRestoresAndBringsTheMatchToTheFront)
{
    HWND probe = StartWindow("Tarvex Active Probe 7Q");
    HWND other = StartWindow("Tarvex Other Probe 7Q");
    ASSERT_NE(probe, nullptr);
    ASSERT_NE(other, nullptr);
    ShowWindow(probe, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(probe) != FALSE; }, 5000));

    ASSERT_EQ(Run(desktop::SetActiveWindow, {"*Active Probe 7Q"}), 1) << lastError;
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(probe) && GetForegroundWindow() == probe; }, 5000));

    EXPECT_EQ(Run(desktop::SetActiveWindow, {"Tarvex Missing 7Q"}), 0);
    EXPECT_STREQ(lastError, "Unable to activate the following window: Tarvex Missing 7Q");
}

TEST_F(WindowCommands, ShowCommandsChangeTheMatchOrTheForegroundWindow)
{
    HWND probe = StartWindow("Tarvex Shown Probe 7Q");
    ASSERT_NE(probe, nullptr);

    ASSERT_EQ(Run(desktop::MaximizeWindow, {"Tarvex Shown*"}), 1) << lastError;
    EXPECT_TRUE(WaitUntil([&] { return IsZoomed(probe) != FALSE; }, 5000));
    ASSERT_EQ(Run(desktop::RestoreWindow, {"Tarvex Shown*"}), 1) << lastError;
    EXPECT_TRUE(WaitUntil([&] { return !IsZoomed(probe) && !IsIconic(probe); }, 5000));

    // An empty pattern means the foreground window.
    ASSERT_EQ(Run(desktop::SetActiveWindow, {"Tarvex Shown*"}), 1) << lastError;
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == probe; }, 5000));
    ASSERT_EQ(Run(desktop::MinimizeWindow, {""}), 1) << lastError;
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(probe) != FALSE; }, 5000));
}

TEST_F(WindowCommands, ShowCommandsNameThePatternTheyCouldNotFind)
{
    const struct {
        desktop_test::DesktopCommandTest::Command command;
        const char* failure;
    } cases[] = {
        {desktop::MaximizeWindow, "Unable to maximize the following window: Tarvex Missing 7Q"},
        {desktop::MinimizeWindow, "Unable to minimize the following window: Tarvex Missing 7Q"},
        {desktop::RestoreWindow, "Unable to restore the following window: Tarvex Missing 7Q"},
        {desktop::CloseWindow, "Unable to Close Window Tarvex Missing 7Q"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.command, {"Tarvex Missing 7Q"}), 0);
        EXPECT_STREQ(lastError, c.failure);
    }
    EXPECT_EQ(Run(desktop::CloseWindow, {""}), 0);
    EXPECT_STREQ(lastError, "Unable to Close Window ");
}

TEST_F(WindowCommands, CountRulesGiveTheirMessages)
{
    const struct {
        desktop_test::DesktopCommandTest::Command command;
        const char* failure;
    } cases[] = {
        {desktop::SetActiveWindow, "Wrong number of parameters"},
        {desktop::MaximizeWindow, "Wrong number of parameters"},
        {desktop::MinimizeWindow, "Wrong number of parameters"},
        {desktop::RestoreWindow, "Wrong number of parameters"},
        {desktop::CloseWindow, "Wrong number of Parameters"},
    };
    for (const auto& c : cases) {
        lastError.Empty();
        EXPECT_EQ(Run(c.command, {"a", "b"}), 0);
        EXPECT_STREQ(lastError, c.failure);
    }
}

TEST_F(WindowCommands, CloseWindowWaitsForTheWindowToHandleTheMessage)
{
    HWND probe = StartWindow("Tarvex Closing Probe 7Q");
    ASSERT_NE(probe, nullptr);
    ASSERT_EQ(Run(desktop::CloseWindow, {"Tarvex Closing*"}), 1) << lastError;
    // Handled before the command returned.
    EXPECT_FALSE(IsWindow(probe));
}

TEST_F(WindowCommands, CloseWindowGivesUpOnAWindowThatDoesNotAnswer)
{
    HWND probe = StartWindow("Tarvex Hung Probe 7Q", "--hang-on-close");
    ASSERT_NE(probe, nullptr);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(Run(desktop::CloseWindow, {"Tarvex Hung*"}), 1) << lastError;
    EXPECT_LT(GetTickCount64() - start, 9000u);
}

}  // namespace
}  // namespace desktop_test
