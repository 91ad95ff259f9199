// DialUpConnect and DialUpDisConnect against the tests' fake RASAPI32.DLL,
// scripted per phone-book entry to be connected, busy, failing, slow or
// stuck.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "command/dialup/dialup_commands.h"
#include "fake_ras.h"

namespace {

using dialup::DialUpCommands;
using dialup::DialUpLimits;

std::vector<CString> Parameters(const std::vector<std::string>& texts)
{
    std::vector<CString> parameters;
    for (const std::string& text : texts)
        parameters.emplace_back(text.c_str());
    return parameters;
}

std::string ErrorDialUpConnect(const std::string& reason)
{
    return "ErrorDialUpConnect: " + reason;
}

class DialUpCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fake.IsLoaded()) << "the fake RASAPI32.DLL was not loaded";
        fake.Reset();
    }
    void TearDown() override
    {
        // Every record passed had the size the library expects.
        EXPECT_EQ(0, fake.ProtocolErrors());
    }

    FakeRas fake;
    CString lastError = "left by an earlier command";
};

TEST_F(DialUpCommandsTest, IsAvailableWhenTheLibraryLoads)
{
    EXPECT_TRUE(DialUpCommands().IsAvailable());
}

TEST_F(DialUpCommandsTest, EntryAlreadyConnectedSucceedsWithoutDialling)
{
    fake.Script("Office", "connected");
    DialUpCommands commands;
    EXPECT_EQ(1, commands.DialUpConnect(Parameters({"OFFICE", "joe", "secret", "*", "3"}),
                                        lastError));
    EXPECT_STREQ("", lastError);
    EXPECT_EQ(0, fake.Dials("Office"));
    EXPECT_EQ(0, fake.HangUps("Office"));
}

TEST_F(DialUpCommandsTest, DialConnectsWithTheAccountAndTheEntrysOwnNumber)
{
    fake.Script("Office", "connect", 300);
    DialUpCommands commands;
    EXPECT_EQ(1, commands.DialUpConnect(Parameters({"Office", "joe", "s3cret", "CORP", "2"}),
                                        lastError))
        << lastError;
    EXPECT_STREQ("", lastError);
    EXPECT_EQ(1, fake.Dials("Office"));
    EXPECT_TRUE(fake.IsActive("Office"));

    FakeRasDialRecord dial;
    ASSERT_TRUE(fake.LastDial("Office", dial));
    EXPECT_STREQ("", dial.phoneNumber);
    EXPECT_STREQ("", dial.callbackNumber);
    EXPECT_STREQ("joe", dial.userName);
    EXPECT_STREQ("s3cret", dial.password);
    EXPECT_STREQ("CORP", dial.domain);
    EXPECT_TRUE(dial.phoneBookWasNull);
    EXPECT_EQ(1u, dial.notifierType);
}

TEST_F(DialUpCommandsTest, BusyLineIsDialledThreeTimesWithThePausesBetween)
{
    fake.Script("Office", "busy", 100);
    DialUpCommands commands;
    EXPECT_EQ(0, commands.DialUpConnect(Parameters({"Office", "joe", "pw", "", "3"}), lastError));
    EXPECT_EQ(ErrorDialUpConnect(kFakeLineBusyText), std::string(lastError));

    std::vector<DWORD> dials = fake.DialTimes("Office");
    ASSERT_EQ(3u, dials.size());
    for (size_t i = 1; i < dials.size(); ++i) {
        DWORD gap = dials[i] - dials[i - 1];
        // 3 s after hanging up the failed dial, 5 s before the next one.
        EXPECT_GE(gap, 8000u) << "between dial " << i << " and " << i + 1;
        EXPECT_LT(gap, 10000u) << "between dial " << i << " and " << i + 1;
    }
    EXPECT_FALSE(fake.IsActive("Office"));
}

struct AttemptsCase {
    std::vector<std::string> parameters;
    LONG dials;
};

TEST_F(DialUpCommandsTest, NumberOfDialsIsTheLeadingNumberOfTheFifthParameter)
{
    const AttemptsCase cases[] = {
        {{"Office", "joe", "pw", "", "0"}, 1},
        {{"Office", "joe", "pw", "", "1"}, 1},
        {{"Office", "joe", "pw", ""}, 1},
        {{"Office"}, 1},
        {{"Office", "joe", "pw", "", " 2 dials"}, 2},
    };
    for (const AttemptsCase& c : cases) {
        fake.Reset();
        fake.Script("Office", "busy", 50);
        DialUpCommands commands;
        EXPECT_EQ(0, commands.DialUpConnect(Parameters(c.parameters), lastError));
        EXPECT_EQ(c.dials, fake.Dials("Office")) << c.parameters.size() << " parameters";
    }
}

TEST_F(DialUpCommandsTest, LineBusyTwiceConnectsOnTheThirdDial)
{
    fake.Script("Office", "busy-then-connect", 50, 2);
    DialUpCommands commands;
    EXPECT_EQ(1, commands.DialUpConnect(Parameters({"Office", "joe", "pw", "", "3"}), lastError))
        << lastError;
    EXPECT_EQ(3, fake.Dials("Office"));
    EXPECT_TRUE(fake.IsActive("Office"));
}

struct FailureCase {
    const char* behaviour;
    std::string error;
};

TEST_F(DialUpCommandsTest, AFailedDialIsReportedWithTheLibrarysText)
{
    const FailureCase cases[] = {
        {"busy", ErrorDialUpConnect(kFakeLineBusyText)},
        {"auth", ErrorDialUpConnect(std::string(kFakeAuthenticationText) +
                                    " Extended Error Code: 5")},
        // A dial the library refuses at once never notifies; its result is
        // the error.
        {"refuse", ErrorDialUpConnect(kFakeNoEntryText)},
        {"unknown-error", ErrorDialUpConnect("Fail to get error string")},
        {"drop", ErrorDialUpConnect("The connection was closed")},
    };
    for (const FailureCase& c : cases) {
        fake.Reset();
        fake.Script("Office", c.behaviour, 50);
        DialUpCommands commands;
        DWORD started = ::GetTickCount();
        EXPECT_EQ(0, commands.DialUpConnect(Parameters({"Office", "joe", "pw", "", "1"}),
                                            lastError))
            << c.behaviour;
        EXPECT_EQ(c.error, std::string(lastError)) << c.behaviour;
        EXPECT_EQ(1, fake.Dials("Office")) << c.behaviour;
        EXPECT_FALSE(fake.IsActive("Office")) << c.behaviour;
        EXPECT_LT(::GetTickCount() - started, 6000u) << c.behaviour;
    }
}

TEST_F(DialUpCommandsTest, DialThatNeverEndsFailsWhenItsTimeLimitPasses)
{
    fake.Script("Office", "never");
    DialUpLimits limits;
    limits.dialMilliseconds = 2000;
    DialUpCommands commands(limits);
    DWORD started = ::GetTickCount();
    EXPECT_EQ(0, commands.DialUpConnect(Parameters({"Office", "joe", "pw", "", "1"}), lastError));
    DWORD elapsed = ::GetTickCount() - started;
    EXPECT_EQ(ErrorDialUpConnect("No connection within 2 seconds"), std::string(lastError));
    EXPECT_GE(elapsed, 2000u + 3000u);
    EXPECT_LT(elapsed, 2000u + 3000u + 2000u);
    EXPECT_EQ(1, fake.HangUps("Office"));
    EXPECT_FALSE(fake.IsActive("Office"));
}

TEST_F(DialUpCommandsTest, HangUpThatNeverFinishesFailsWhenItsTimeLimitPasses)
{
    fake.Script("Office", "stuck");
    DialUpLimits limits;
    limits.hangUpMilliseconds = 1000;
    DialUpCommands commands(limits);
    DWORD started = ::GetTickCount();
    EXPECT_EQ(0, commands.DialUpDisConnect(Parameters({"Office"}), lastError));
    EXPECT_LT(::GetTickCount() - started, 3000u);
    EXPECT_STREQ("Unable to hang up Office: the connection did not close within 1 seconds",
                 lastError);
    EXPECT_EQ(1, fake.HangUps("Office"));
}

TEST_F(DialUpCommandsTest, DisconnectHangsUpTheEntryAndWaitsUntilItIsGone)
{
    fake.Script("Office", "connected");
    DialUpCommands commands;
    EXPECT_EQ(1, commands.DialUpDisConnect(Parameters({"office"}), lastError));
    EXPECT_EQ(1, fake.HangUps("Office"));
    // Gone already when the command returns, not only some time later.
    EXPECT_FALSE(fake.IsActive("Office"));
}

TEST_F(DialUpCommandsTest, DisconnectOfAnEntryNotConnectedSucceedsAndLeavesOthersAlone)
{
    fake.Script("Office", "connect", 50);
    DialUpCommands commands;
    ASSERT_EQ(1, commands.DialUpConnect(Parameters({"Office"}), lastError)) << lastError;
    // The same object, whose state still holds the Office connection.
    EXPECT_EQ(1, commands.DialUpDisConnect(Parameters({"Home"}), lastError));
    EXPECT_TRUE(fake.IsActive("Office"));
    EXPECT_EQ(0, fake.HangUps("Office"));
}

struct ParameterCase {
    bool connect;
    std::vector<std::string> parameters;
    const char* error;
};

TEST_F(DialUpCommandsTest, ParametersAreCheckedBeforeAnythingIsDialled)
{
    const std::string tooLong(257, 'e');
    const ParameterCase cases[] = {
        {true, {}, "Invalid Number of Parameters"},
        {true, {""}, "Invalid Parameter"},
        {true, {"", "joe"}, "Invalid Parameter"},
        {true, {tooLong}, "Invalid Parameter"},
        {true, {"Office", std::string(257, 'u')}, "Invalid Parameter"},
        {true, {"Office", "joe", std::string(257, 'p')}, "Invalid Parameter"},
        {true, {"Office", "joe", "pw", "DOMAIN-LONGER-15"}, "Invalid Parameter"},
        {false, {}, "Invalid Number of Parameters"},
        {false, {"Office", "Home"}, "Invalid Number of Parameters"},
    };
    fake.Script("Office", "connect");
    for (const ParameterCase& c : cases) {
        DialUpCommands commands;
        int result = c.connect ? commands.DialUpConnect(Parameters(c.parameters), lastError)
                               : commands.DialUpDisConnect(Parameters(c.parameters), lastError);
        EXPECT_EQ(0, result) << c.error;
        EXPECT_STREQ(c.error, lastError);
    }
    EXPECT_EQ(0, fake.Dials("Office"));
}

TEST_F(DialUpCommandsTest, DialsRunningSideBySideKeepTheirOwnErrors)
{
    fake.Script("Busy", "busy", 200);
    fake.Script("Slow", "connect", 1500);
    int busyResult = -1;
    int slowResult = -1;
    CString busyError;
    CString slowError;
    std::thread busy([&] {
        DialUpCommands commands;
        busyResult = commands.DialUpConnect(Parameters({"Busy", "", "", "", "1"}), busyError);
    });
    std::thread slow([&] {
        DialUpCommands commands;
        slowResult = commands.DialUpConnect(Parameters({"Slow", "", "", "", "1"}), slowError);
    });
    busy.join();
    slow.join();
    EXPECT_EQ(0, busyResult);
    EXPECT_EQ(ErrorDialUpConnect(kFakeLineBusyText), std::string(busyError));
    EXPECT_EQ(1, slowResult) << slowError;
    EXPECT_STREQ("", slowError);
    EXPECT_TRUE(fake.IsActive("Slow"));
}

}  // namespace
