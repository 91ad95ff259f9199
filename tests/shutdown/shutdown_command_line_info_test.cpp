#include <gtest/gtest.h>

#include <vector>

#include "shutdown/shutdown_command_line_info.h"

namespace {

struct LineCase {
    const char* name;
    std::vector<const char*> words;
    const char* action;
    const char* wait;
    int code;
    BOOL force;
    BOOL logoff;
};

void PrintTo(const LineCase& c, std::ostream* out)
{
    *out << c.name;
}

class ShutdownCommandLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ShutdownCommandLine, ActionAndWaitWordsSelectTheActionCode)
{
    const LineCase& c = GetParam();
    CShutdownCommandLineInfo info;
    ParseCommandLineWords(info, static_cast<int>(c.words.size()), c.words.data());

    EXPECT_STREQ(info.m_action, c.action);
    EXPECT_STREQ(info.m_wait, c.wait);
    EXPECT_EQ(info.ResolveAction(), c.code);
    EXPECT_EQ(info.m_force, c.force);
    EXPECT_EQ(info.m_logoff, c.logoff);
}

constexpr int kLogOff = 0, kShutDown = 1, kReboot = 2, kForce = 4;

INSTANTIATE_TEST_SUITE_P(
    Table, ShutdownCommandLine,
    ::testing::Values(
        LineCase{"ShutDownAsTheCommandStartsIt", {"/t", "SHUTDOWN", "/w", "2"}, "SHUTDOWN", "2", kShutDown, 0, 0},
        LineCase{"ForcedShutDown", {"/t", "FORCESHUTDOWN", "/w", "2"}, "FORCESHUTDOWN", "2", kShutDown | kForce, 1, 0},
        LineCase{"Reboot", {"/t", "REBOOT"}, "REBOOT", "", kReboot, 0, 0},
        LineCase{"ForcedReboot", {"/t", "FORCEREBOOT"}, "FORCEREBOOT", "", kReboot | kForce, 1, 0},
        LineCase{"LogOff", {"/t", "LOGOFF"}, "LOGOFF", "", kLogOff, 0, 1},
        LineCase{"ForcedLogOff", {"/t", "FORCELOGOFF"}, "FORCELOGOFF", "", kLogOff | kForce, 1, 1},
        LineCase{"KillSetup", {"/t", "KILLSETUP"}, "KILLSETUP", "", kActionKillSetup, 0, 0},
        LineCase{"ActionWordInSmallLetters", {"/t", "shutdown"}, "shutdown", "", kShutDown, 0, 0},
        LineCase{"DashFlagAndMixedCaseAction", {"-t", "ForceLogOff"}, "ForceLogOff", "", kLogOff | kForce, 1, 1},
        LineCase{"CapitalFlagLetterDropsTheWord", {"/T", "SHUTDOWN"}, "", "", kActionUsage, 0, 0},
        LineCase{"TwoWordsJoinWithOneBlank", {"/t", "FORCE", "SHUTDOWN"}, "FORCE SHUTDOWN", "", kActionUsage, 0, 0},
        LineCase{"WaitBeforeActionHasNoEffect", {"/w", "10", "/t", "REBOOT"}, "REBOOT", "10", kReboot, 0, 0},
        LineCase{"WordsAfterAnotherFlagAreDropped", {"/t", "SHUTDOWN", "/x", "REBOOT"}, "SHUTDOWN", "", kShutDown, 0, 0},
        LineCase{"CapitalWaitFlagIsAnotherFlag", {"/t", "SHUTDOWN", "-W", "5"}, "SHUTDOWN", "", kShutDown, 0, 0},
        LineCase{"RepeatedActionFlagAppends", {"/t", "RE", "/t", "BOOT"}, "RE BOOT", "", kActionUsage, 0, 0},
        LineCase{"SeveralWaitWords", {"/w", "1", "2", "3"}, "", "1 2 3", kActionUsage, 0, 0},
        LineCase{"NoCommandLine", {}, "", "", kActionUsage, 0, 0},
        LineCase{"ActionWithoutFlag", {"SHUTDOWN"}, "", "", kActionUsage, 0, 0},
        LineCase{"FlagAndWordRunTogether", {"/tSHUTDOWN"}, "", "", kActionUsage, 0, 0},
        LineCase{"ActionFlagWithoutWord", {"/t", "/w", "SHUTDOWN"}, "", "SHUTDOWN", kActionUsage, 0, 0},
        LineCase{"UnknownAction", {"/t", "HIBERNATE"}, "HIBERNATE", "", kActionUsage, 0, 0},
        LineCase{"ActionWithTrailingWord", {"/t", "REBOOT", "now"}, "REBOOT now", "", kActionUsage, 0, 0}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(ShutdownCommandLineCodes, ActionCodesAreTheExitWindowsFlags)
{
    EXPECT_EQ(kLogOff, EWX_LOGOFF);
    EXPECT_EQ(kShutDown, EWX_SHUTDOWN);
    EXPECT_EQ(kReboot, EWX_REBOOT);
    EXPECT_EQ(kForce, EWX_FORCE);
}

}  // namespace
