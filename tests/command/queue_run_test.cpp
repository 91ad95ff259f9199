// The queue run: lines run in order, failures are reported, and under a stored
// account the preparation and clean-up happen in their order around the lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command/macro_command.h"
#include "command/queue_mutex.h"
#include "fake_account_api.h"

namespace {

using Calls = std::vector<std::string>;

const Calls kGrant = {"ReadTokenGroups", "ReadDacl desktop", "ReadDacl station", "WriteDacl desktop",
                      "WriteDacl station"};
const Calls kWithdraw = {"ReadDacl desktop", "ReadDacl station", "WriteDacl desktop", "WriteDacl station"};

Calls Concat(std::initializer_list<Calls> parts)
{
    Calls all;
    for (const Calls& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct QueueOutcome {
    int result;
    std::string text;
};

QueueOutcome RunQueue(CMacroCommand& command, std::initializer_list<const char*> lines)
{
    for (const char* line : lines)
        command.AddToQue(line);
    const int result = command.ExecuteQue();
    return {result, static_cast<const char*>(command.GetLastErrorString())};
}

// A command that uses the fake account calls and holds a stored account.
class AccountQueueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        command.UseAccountApi(accounts);
        ASSERT_EQ(1, command.SetImpersonateInfo("bob", "secret", TRUE));
    }

    FakeAccountApi accounts;
    CMacroCommand command;
};

struct QueueCase {
    std::vector<const char*> lines;
    int result;
    const char* text;
};

void PrintTo(const QueueCase& c, std::ostream* os)
{
    for (const char* line : c.lines)
        *os << '[' << line << ']';
}

class QueueLinesTest : public ::testing::TestWithParam<QueueCase> {};

TEST_P(QueueLinesTest, AnyFailedLineFailsTheRunWithTheLastFailuresText)
{
    FakeAccountApi accounts;
    CMacroCommand command;
    command.UseAccountApi(accounts);
    for (const char* line : GetParam().lines)
        command.AddToQue(line);
    EXPECT_EQ(GetParam().result, command.ExecuteQue());
    EXPECT_STREQ(GetParam().text, command.GetLastErrorString());
    EXPECT_EQ(Calls{}, accounts.calls) << "no account is stored, so no account call is made";
}

INSTANTIATE_TEST_SUITE_P(
    Queues, QueueLinesTest,
    ::testing::Values(QueueCase{{}, 1, ""}, QueueCase{{"// note", "", ":label"}, 1, ""},
                      QueueCase{{"Bogus()", "// note"}, 0, "Unknown command \"Bogus\""},
                      QueueCase{{"Bogus()", "Delay(1)", "// note"}, 0, "Wrong number of parameters"},
                      QueueCase{{"Delay(1)", "Bogus()"}, 0, "Unknown command \"Bogus\""},
                      // No shutdown helper lies beside this test program.
                      QueueCase{{"ShutDown(TRUE)", "Bogus()"}, 0, "QVShutdown application could not be found"},
                      QueueCase{{"LogOff", "Bogus()"}, 0, "QVShutdown application could not be found"},
                      QueueCase{{"// note", "ReBoot(FALSE)", "Bogus()"}, 0,
                                "QVShutdown application could not be found"}));

TEST(QueueRunTest, RunStartsWithoutAnEarlierError)
{
    CMacroCommand command;
    command.ParseLine("Bogus()");
    command.ExecuteLine();
    ASSERT_STRNE("", command.GetLastErrorString());
    EXPECT_EQ(1, RunQueue(command, {"// only a note"}).result);
    EXPECT_STREQ("", command.GetLastErrorString());
}

TEST(QueueRunTest, SecondRunRunsTheSameLinesAgain)
{
    CMacroCommand command;
    command.AddToQue("Bogus()");
    EXPECT_EQ(0, command.ExecuteQue());
    command.ClearLastErrorString();
    EXPECT_EQ(0, command.ExecuteQue());
    EXPECT_STREQ("Unknown command \"Bogus\"", command.GetLastErrorString());
}

TEST(QueueRunTest, StopBeforeTheRunHasNoEffect)
{
    CMacroCommand command;
    command.StopExecution();
    EXPECT_EQ(1, RunQueue(command, {"// note"}).result);
}

struct LogonCase {
    const char* stored_user;
    const char* user;
    const char* domain;
};

void PrintTo(const LogonCase& c, std::ostream* os) { *os << c.stored_user; }

class LogonNameTest : public ::testing::TestWithParam<LogonCase> {};

TEST_P(LogonNameTest, DomainIsWhatComesBeforeTheFirstBackslash)
{
    FakeAccountApi accounts;
    CMacroCommand command;
    command.UseAccountApi(accounts);
    ASSERT_EQ(1, command.SetImpersonateInfo(GetParam().stored_user, "pw", TRUE));
    RunQueue(command, {"// note"});
    EXPECT_EQ(GetParam().user, accounts.logon_user);
    EXPECT_EQ(GetParam().domain, accounts.logon_domain);
    EXPECT_EQ("pw", accounts.logon_password);
}

INSTANTIATE_TEST_SUITE_P(Names, LogonNameTest,
                         ::testing::Values(LogonCase{"bob", "bob", ""}, LogonCase{"CORP\\bob", "bob", "CORP"},
                                           LogonCase{"CORP\\bob\\x", "bob\\x", "CORP"},
                                           LogonCase{"\\bob", "bob", ""}));

struct ImpersonateInfoCase {
    const char* user;
    const char* password;
    int result;
    const char* text;
};

void PrintTo(const ImpersonateInfoCase& c, std::ostream* os) { *os << '"' << c.user << "\" \"" << c.password << '"'; }

class ImpersonateInfoTest : public ::testing::TestWithParam<ImpersonateInfoCase> {};

TEST_P(ImpersonateInfoTest, BlankNameOrPasswordIsRefusedAndLeavesTheObjectNonInteractive)
{
    CMacroCommand command;
    EXPECT_EQ(GetParam().result, command.SetImpersonateInfo(GetParam().user, GetParam().password, TRUE));
    EXPECT_STREQ(GetParam().text, command.GetLastErrorString());
    EXPECT_EQ(GetParam().result == 1 ? TRUE : FALSE, command.IsInteractive());
}

INSTANTIATE_TEST_SUITE_P(
    Accounts, ImpersonateInfoTest,
    ::testing::Values(
        ImpersonateInfoCase{"bob", "pw", 1, ""},
        ImpersonateInfoCase{"bob", "", 0, "Unable to logon user - Password is blank"},
        ImpersonateInfoCase{"", "pw", 0, "Unable to logon user - UserName is blank "},
        ImpersonateInfoCase{"", "", 0, "Unable to logon user - UserName is blank Password is blank"}));

TEST(QueueRunTest, RefusedAccountLeavesNoAccountForTheRun)
{
    FakeAccountApi accounts;
    CMacroCommand command;
    command.UseAccountApi(accounts);
    ASSERT_EQ(1, command.SetImpersonateInfo("bob", "pw", TRUE));
    ASSERT_EQ(0, command.SetImpersonateInfo("bob", "", TRUE));
    EXPECT_EQ(1, RunQueue(command, {"// note"}).result);
    EXPECT_EQ(Calls{}, accounts.calls);
}

TEST_F(AccountQueueTest, PreparationAndCleanUpSurroundTheLinesInOrder)
{
    Calls at_line_time;
    accounts.on_call = [&](const std::string& call) {
        if (call == "DestroyEnvironment")
            at_line_time = accounts.calls;
    };
    const QueueOutcome outcome = RunQueue(command, {"// note"});
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ("", outcome.text);
    const Calls preparation = Concat(
        {{"LogOn", "ReadAccountName", "LoadProfile", "CreateEnvironment", "Impersonate"}, kGrant});
    EXPECT_EQ(Concat({preparation, {"DestroyEnvironment"}}), at_line_time);
    EXPECT_EQ(Concat({preparation, {"DestroyEnvironment", "UnloadProfile"}, kWithdraw, {"Revert", "CloseToken"}}),
              accounts.calls);
    EXPECT_EQ("bob", accounts.profile_user) << "the profile is loaded for the token's account name";
}

TEST_F(AccountQueueTest, EmptyQueueLogsNobodyOn)
{
    EXPECT_EQ(1, command.ExecuteQue());
    EXPECT_EQ(Calls{}, accounts.calls);
}

struct PreparationFailure {
    const char* failing_call;
    DWORD error;
    const char* text;
    Calls calls;
};

void PrintTo(const PreparationFailure& c, std::ostream* os) { *os << c.failing_call; }

class PreparationFailureTest : public AccountQueueTest, public ::testing::WithParamInterface<PreparationFailure> {};

TEST_P(PreparationFailureTest, FailureSkipsEveryLineAndUndoesWhatWasDone)
{
    const PreparationFailure& c = GetParam();
    accounts.failures[c.failing_call] = c.error;
    const QueueOutcome outcome = RunQueue(command, {"Bogus()"});
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(c.text, outcome.text);
    EXPECT_EQ(c.calls, accounts.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PreparationFailureTest,
    ::testing::Values(
        PreparationFailure{"LogOn", 1326, "Unable to get user primary token\n1326", {"LogOn"}},
        PreparationFailure{"ReadAccountName",
                           6,
                           "Unable to get username and domain from token \n6",
                           {"LogOn", "ReadAccountName", "CloseToken"}},
        PreparationFailure{"LoadProfile",
                           5,
                           "Unable to access user's profile\n5",
                           {"LogOn", "ReadAccountName", "LoadProfile", "CloseToken"}},
        PreparationFailure{"CreateEnvironment",
                           127,
                           "Call to OperateWithUserEnvironmentalBlock failed\n127",
                           {"LogOn", "ReadAccountName", "LoadProfile", "CreateEnvironment", "UnloadProfile",
                            "CloseToken"}},
        PreparationFailure{"Impersonate",
                           1346,
                           "Unable to complete user Impersonation\n1346",
                           {"LogOn", "ReadAccountName", "LoadProfile", "CreateEnvironment", "Impersonate",
                            "DestroyEnvironment", "UnloadProfile", "CloseToken"}},
        PreparationFailure{"ReadTokenGroups",
                           6,
                           "Unable to access Desktop\nError Code 6",
                           {"LogOn", "ReadAccountName", "LoadProfile", "CreateEnvironment", "Impersonate",
                            "ReadTokenGroups", "DestroyEnvironment", "UnloadProfile", "Revert", "CloseToken"}},
        PreparationFailure{"ReadDacl station",
                           5,
                           "Unable to access Desktop\nError Code 5",
                           Concat({{"LogOn", "ReadAccountName", "LoadProfile", "CreateEnvironment", "Impersonate",
                                    "ReadTokenGroups", "ReadDacl desktop", "ReadDacl station", "DestroyEnvironment",
                                    "UnloadProfile", "ReadDacl desktop", "ReadDacl station"},
                                   {"Revert", "CloseToken"}})},
        PreparationFailure{"WriteDacl station",
                           5,
                           "Unable to access Desktop\nError Code 5",
                           Concat({{"LogOn", "ReadAccountName", "LoadProfile", "CreateEnvironment", "Impersonate"},
                                   kGrant,
                                   {"DestroyEnvironment", "UnloadProfile"},
                                   kWithdraw,
                                   {"Revert", "CloseToken"}})}));

TEST_F(AccountQueueTest, TokenWithoutLogonSidCannotBeGivenTheDesktop)
{
    accounts.groups = {{"S-1-1-0", SE_GROUP_ENABLED}, {"S-1-5-32-545", SE_GROUP_RESOURCE}};
    const QueueOutcome outcome = RunQueue(command, {"Bogus()"});
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("Unable to access Desktop\nError Code 1168", outcome.text);
    EXPECT_EQ(accounts.calls.end(), std::find(accounts.calls.begin(), accounts.calls.end(), "WriteDacl desktop"));
}

TEST_F(AccountQueueTest, MissingProfileFunctionCountsAsLoadedButIsNotUnloaded)
{
    accounts.profile_function_missing = true;
    EXPECT_EQ(1, RunQueue(command, {"// note"}).result);
    EXPECT_EQ(accounts.calls.end(), std::find(accounts.calls.begin(), accounts.calls.end(), "UnloadProfile"));
}

TEST_F(AccountQueueTest, GrantAddsTheLogonSidToDesktopAndStationAndWithdrawRestoresThem)
{
    using Entry = FakeAccountApi::Entry;
    std::vector<Entry> desktop_during, station_during;
    accounts.on_call = [&](const std::string& call) {
        if (call == "DestroyEnvironment") {
            desktop_during = accounts.dacls[FakeAccountApi::Desktop()];
            station_during = accounts.dacls[FakeAccountApi::Station()];
        }
    };
    ASSERT_EQ(1, RunQueue(command, {"// note"}).result);

    std::vector<Entry> desktop_expected = FakeAccountApi::DefaultEntries();
    desktop_expected.push_back({ACCESS_ALLOWED_ACE_TYPE, 0xC0020147, FakeAccountApi::kLogonSid});
    std::vector<Entry> station_expected = FakeAccountApi::DefaultEntries();
    station_expected.push_back({ACCESS_ALLOWED_ACE_TYPE, 0xC0020167, FakeAccountApi::kLogonSid});
    EXPECT_EQ(desktop_expected, desktop_during);
    EXPECT_EQ(station_expected, station_during);
    EXPECT_EQ(FakeAccountApi::DefaultEntries(), accounts.dacls[FakeAccountApi::Desktop()]);
    EXPECT_EQ(FakeAccountApi::DefaultEntries(), accounts.dacls[FakeAccountApi::Station()]);
}

TEST_F(AccountQueueTest, ObjectWithoutAccessListIsLeftAlone)
{
    accounts.dacls.erase(FakeAccountApi::Station());
    ASSERT_EQ(1, RunQueue(command, {"// note"}).result);
    EXPECT_EQ(2, std::count(accounts.calls.begin(), accounts.calls.end(), "WriteDacl desktop"));
    EXPECT_EQ(0, std::count(accounts.calls.begin(), accounts.calls.end(), "WriteDacl station"));
}

TEST_F(AccountQueueTest, StationAndDesktopHandlesStayNonInheritable)
{
    DWORD station_flags = 0, desktop_flags = 0;
    accounts.on_call = [&](const std::string& call) {
        if (call == "DestroyEnvironment") {
            ::GetHandleInformation(FakeAccountApi::Station(), &station_flags);
            ::GetHandleInformation(FakeAccountApi::Desktop(), &desktop_flags);
        }
    };
    ASSERT_EQ(1, RunQueue(command, {"// note"}).result);
    EXPECT_EQ(0u, station_flags & HANDLE_FLAG_INHERIT);
    EXPECT_EQ(0u, desktop_flags & HANDLE_FLAG_INHERIT);
}

TEST_F(AccountQueueTest, StopDuringTheRunStopsBeforeTheNextLine)
{
    accounts.on_call = [&](const std::string& call) {
        if (call == "Impersonate")
            command.StopExecution();
    };
    const QueueOutcome outcome = RunQueue(command, {"Bogus()"});
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("User cancelled execution", outcome.text);
    EXPECT_EQ("CloseToken", accounts.calls.back()) << "the clean-up still runs";
}

TEST_F(AccountQueueTest, NonInteractiveRunCreatesExpectDesktopForItsLines)
{
    ASSERT_EQ(1, command.SetImpersonateInfo("bob", "secret", FALSE));
    bool desktop_open_during_run = false;
    accounts.on_call = [&](const std::string& call) {
        if (call == "DestroyEnvironment") {
            HDESK desktop = ::OpenDesktopA("ExpectDesktop", 0, FALSE, DESKTOP_READOBJECTS);
            desktop_open_during_run = desktop != nullptr;
            if (desktop != nullptr)
                ::CloseDesktop(desktop);
        }
    };
    ASSERT_EQ(1, RunQueue(command, {"// note"}).result) << command.GetLastErrorString();
    EXPECT_TRUE(desktop_open_during_run);
    EXPECT_STREQ("Winsta0\\ExpectDesktop", command.GetRunDesktopName());
}

TEST_F(AccountQueueTest, InteractiveRunCreatesNoDesktop)
{
    ASSERT_EQ(1, RunQueue(command, {"// note"}).result);
    EXPECT_STREQ("", command.GetRunDesktopName());
}

TEST_F(AccountQueueTest, FailedWaitForTheQueueMutexFailsTheRunInsteadOfRunningUnprepared)
{
    command.UseQueueMutex(reinterpret_cast<HANDLE>(0x4321));
    const QueueOutcome outcome = RunQueue(command, {"Bogus()"});
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("Unable to wait for mutex MutexProtectExecuteQue\nError Code 6", outcome.text);
    EXPECT_EQ((Calls{"LogOn", "ReadAccountName", "CloseToken"}), accounts.calls);
}

TEST_F(AccountQueueTest, FailedWaitBeforeTheCleanUpFailsTheRunAndTheNextRunDestroysTheLeftEnvironment)
{
    accounts.on_call = [&](const std::string& call) {
        if (call == "WriteDacl station")
            command.UseQueueMutex(reinterpret_cast<HANDLE>(0x4321));
    };
    const QueueOutcome outcome = RunQueue(command, {"// note"});
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("Unable to wait for mutex MutexProtectExecuteQue\nError Code 6", outcome.text);
    EXPECT_EQ(Concat({{"LogOn", "ReadAccountName", "LoadProfile", "CreateEnvironment", "Impersonate"},
                      kGrant,
                      {"Revert", "CloseToken"}}),
              accounts.calls);

    accounts.calls.clear();
    accounts.on_call = nullptr;
    command.UseQueueMutex(QueueMutex());
    EXPECT_EQ(1, command.ExecuteQue());
    ASSERT_FALSE(accounts.calls.empty());
    EXPECT_EQ("DestroyEnvironment", accounts.calls.front());
}

TEST_F(AccountQueueTest, FailedMutexReleaseCancelsTheRun)
{
    // An event can be waited for like the mutex but not released like one.
    OwnedKernelHandle event(::CreateEventA(nullptr, TRUE, TRUE, nullptr));
    command.UseQueueMutex(event.get());
    const QueueOutcome outcome = RunQueue(command, {"Bogus()"});
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("Unable to release mutex \n6", outcome.text) << "the clean-up's release fails last";
    EXPECT_EQ(Concat({{"LogOn", "ReadAccountName", "LoadProfile", "CreateEnvironment", "Impersonate"},
                      kGrant,
                      {"DestroyEnvironment", "UnloadProfile"},
                      kWithdraw,
                      {"Revert", "CloseToken"}}),
              accounts.calls);
}

}  // namespace
