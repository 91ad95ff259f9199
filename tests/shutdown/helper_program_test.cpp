// The helper program as a process: command line, dialogs and exit codes.
// It runs as the recording build (shim\qvshutdown.exe), whose system calls
// are written to a log instead of ending the session.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <fstream>

#include "dialog_watcher.h"
#include "shutdown/shutdown_app.h"
#include "shutdown_test_support.h"

namespace {

// Sets an environment variable for the programs this test starts.
class EnvironmentSetting {
public:
    EnvironmentSetting(const char* name, const std::string& value) : m_name(name)
    {
        ::SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
    }
    ~EnvironmentSetting() { ::SetEnvironmentVariableA(m_name, nullptr); }
    EnvironmentSetting(const EnvironmentSetting&) = delete;
    EnvironmentSetting& operator=(const EnvironmentSetting&) = delete;

private:
    const char* m_name;
};

std::filesystem::path RecordingHelper()
{
    return TestProgramFolder() / "shim" / "qvshutdown.exe";
}

enum class Box { none, usage, noPrivilege };

struct ProgramCase {
    const char* name;
    const char* arguments;
    bool refusePrivilege;
    bool failExit;
    bool windows9x;
    std::vector<std::string> calls;
    DWORD exitCode;
    Box box;
};

void PrintTo(const ProgramCase& c, std::ostream* out)
{
    *out << c.name;
}

class HelperProgram : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(HelperProgram, CommandLineDecidesTheCallsTheBoxAndTheExitCode)
{
    const ProgramCase& c = GetParam();
    TempFolder folder;
    const auto log = folder.Path() / "calls.txt";
    EnvironmentSetting logSetting("TVX_SHUTDOWN_LOG", log.string());
    EnvironmentSetting refuse("TVX_SHUTDOWN_REFUSE_PRIVILEGE", c.refusePrivilege ? "1" : "");
    EnvironmentSetting fail("TVX_SHUTDOWN_FAIL_EXIT", c.failExit ? "1" : "");
    EnvironmentSetting win9x("TVX_SHUTDOWN_WIN9X", c.windows9x ? "1" : "");

    ChildProcess helper;
    ASSERT_TRUE(helper.Start("\"" + RecordingHelper().string() + "\" " + c.arguments));

    std::vector<std::string> texts;
    bool boxSeen = false;
    if (c.box != Box::none) {
        const char* caption = c.box == Box::usage ? "QVShutdown" : "qvshutdown";
        DialogWatcher watcher(helper.Id(), caption, IDOK, [&](HWND box) { texts = StaticTexts(box); });
        boxSeen = watcher.Finish();
    }

    ASSERT_TRUE(helper.Wait(15000)) << "the helper did not end";
    EXPECT_EQ(helper.ExitCode(), c.exitCode);
    EXPECT_EQ(ReadLines(log), c.calls);
    EXPECT_EQ(boxSeen, c.box != Box::none);
    if (c.box == Box::usage) {
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts.front(), "Available Command Line Switches");
    }
    if (c.box == Box::noPrivilege) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), kNoPrivilegeText), texts.end());
    }
}

using Calls = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Table, HelperProgram,
    ::testing::Values(
        ProgramCase{"ShutDownAsTheCommandStartsIt", "/t SHUTDOWN /w 2", false, false, false,
                    Calls{"privilege", "exit 1"}, kExitDone, Box::none},
        ProgramCase{"ForcedShutDownClosesWindowsFirst", "/t FORCESHUTDOWN /w 2", false, false, false,
                    Calls{"privilege", "windows 0", "exit 5"}, kExitDone, Box::none},
        ProgramCase{"Reboot", "/t REBOOT /w 2", false, false, false,
                    Calls{"privilege", "exit 2"}, kExitDone, Box::none},
        ProgramCase{"ForcedReboot", "/t FORCEREBOOT /w 2", false, false, false,
                    Calls{"privilege", "windows 0", "exit 6"}, kExitDone, Box::none},
        ProgramCase{"LogOff", "/t LOGOFF /w 2", false, false, false,
                    Calls{"privilege", "exit 0"}, kExitDone, Box::none},
        ProgramCase{"ForcedLogOffSendsTheLogOffFlag", "/t FORCELOGOFF /w 2", false, false, false,
                    Calls{"privilege", "windows 80000000", "exit 4"}, kExitDone, Box::none},
        ProgramCase{"SmallLettersAndDashFlags", "-t forcereboot -w 2", false, false, false,
                    Calls{"privilege", "windows 0", "exit 6"}, kExitDone, Box::none},
        ProgramCase{"WaitBeforeActionEndsAtOnce", "/w 10 /t REBOOT", false, false, false,
                    Calls{"privilege", "exit 2"}, kExitDone, Box::none},
        ProgramCase{"TwoActionWordsShowUsage", "/t FORCE SHUTDOWN /w 2", false, false, false,
                    Calls{}, kExitDone, Box::usage},
        ProgramCase{"QuotedActionWithBlankShowsUsage", "/t \"FORCE REBOOT\"", false, false, false,
                    Calls{}, kExitDone, Box::usage},
        ProgramCase{"CapitalFlagShowsUsage", "/T SHUTDOWN", false, false, false,
                    Calls{}, kExitDone, Box::usage},
        ProgramCase{"NoCommandLineShowsUsage", "", false, false, false,
                    Calls{}, kExitDone, Box::usage},
        ProgramCase{"UnknownActionShowsUsage", "/t HIBERNATE", false, false, false,
                    Calls{}, kExitDone, Box::usage},
        ProgramCase{"RefusedPrivilegeSaysSoAndEndsNothing", "/t FORCESHUTDOWN /w 2", true, false, false,
                    Calls{"privilege"}, kExitNoPrivilege, Box::noPrivilege},
        ProgramCase{"FailedExitCallGivesItsCode", "/t REBOOT /w 2", false, true, false,
                    Calls{"privilege", "exit 2"}, kExitWindowsFailed, Box::none},
        ProgramCase{"FailedForcedExitCallGivesItsCode", "/t FORCELOGOFF /w 2", false, true, false,
                    Calls{"privilege", "windows 80000000", "exit 4"}, kExitWindowsFailed, Box::none},
        ProgramCase{"ForcedRunOnWindows9xEndsExplorerFirst", "/t FORCEREBOOT /w 2", false, false, true,
                    Calls{"privilege", "explorer", "windows 0", "exit 6"}, kExitDone, Box::none},
        ProgramCase{"PlainRunOnWindows9xLeavesExplorer", "/t REBOOT /w 2", false, false, true,
                    Calls{"privilege", "exit 2"}, kExitDone, Box::none}),
    [](const ::testing::TestParamInfo<ProgramCase>& info) { return std::string(info.param.name); });

TEST(HelperProgramKillSetup, DeletesSetupBesideItselfAfterItsWait)
{
    TempFolder folder;
    const auto helper = folder.Path() / "qvshutdown.exe";
    std::filesystem::copy_file(RecordingHelper(), helper);
    std::ofstream(folder.Path() / "setup.exe") << "set-up program";
    const auto log = folder.Path() / "calls.txt";
    EnvironmentSetting logSetting("TVX_SHUTDOWN_LOG", log.string());

    ChildProcess process;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(process.Start("\"" + helper.string() + "\" /t KILLSETUP"));
    // The set-up program gets its time to end first.
    ::Sleep(1000);
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "setup.exe"));
    ASSERT_TRUE(process.Wait(15000));
    const auto elapsed = std::chrono::steady_clock::now() - start;

    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "setup.exe"));
    EXPECT_GE(elapsed, std::chrono::milliseconds(3000));
    EXPECT_EQ(process.ExitCode(), static_cast<DWORD>(kExitDone));
    EXPECT_TRUE(ReadLines(log).empty());
}

}  // namespace
