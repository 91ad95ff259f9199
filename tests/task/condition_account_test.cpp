// The account a condition test runs under: logon, impersonation and their
// failures, on the record through a recording account interface, and the
// real system calls through IQVCondTrigger.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "task/condition.h"
#include "tests/task/condition_test_support.h"

namespace {

using namespace condtest;

// Records the calls; fails the ones it is told to with the given error.
class RecordingAccountApi : public ConditionAccountApi {
public:
    BOOL LogOn(const char* user, const char* domain, const char* password, HANDLE* token) override
    {
        calls.push_back(std::string("LogOn ") + domain + "|" + user + "|" + password);
        if (logOnError != 0) {
            SetLastError(logOnError);
            return FALSE;
        }
        *token = kToken;
        return TRUE;
    }
    void CloseToken(HANDLE token) override { calls.push_back(token == kToken ? "CloseToken" : "CloseToken ?"); }
    BOOL Impersonate(HANDLE token) override
    {
        calls.push_back(token == kToken ? "Impersonate" : "Impersonate ?");
        if (impersonateError != 0) {
            SetLastError(impersonateError);
            return FALSE;
        }
        if (onImpersonate)
            onImpersonate();
        return TRUE;
    }
    void Revert() override
    {
        calls.push_back("Revert");
        if (onRevert)
            onRevert();
    }

    static inline const HANDLE kToken = reinterpret_cast<HANDLE>(0x4321);
    DWORD logOnError = 0;
    DWORD impersonateError = 0;
    std::vector<std::string> calls;
    std::function<void()> onImpersonate;
    std::function<void()> onRevert;
};

using Calls = std::vector<std::string>;

class ConditionAccountTest : public ::testing::Test {
protected:
    void SetUp() override { condition.SetAccountApi(api); }
    RecordingAccountApi api;
    CCondition condition;
};

TEST_F(ConditionAccountTest, UserNameIsSplitIntoDomainAndUser)
{
    const struct {
        const char* userName;
        const char* logOn;
    } cases[] = {
        {"OFFICE\\alice", "LogOn OFFICE|alice|secret"},
        {"alice", "LogOn .|alice|secret"},
        {"\\alice", "LogOn .|\\alice|secret"},
        {"a\\b\\c", "LogOn a|b\\c|secret"},
    };
    for (const auto& c : cases) {
        api.calls.clear();
        condition.SetUserInformation(c.userName, "secret", 1);
        condition.Check();
        EXPECT_EQ((Calls{c.logOn, "Impersonate", "CloseToken", "Revert"}), api.calls) << c.userName;
    }
}

// The test runs while the user is impersonated: here a file exists only for
// as long as the impersonation lasts.
TEST_F(ConditionAccountTest, TestRunsBetweenImpersonationAndRevert)
{
    ScratchFolder folder;
    const std::string path = folder / "impersonated.txt";
    api.onImpersonate = [&] { WriteFile(path, "during"); };
    api.onRevert = [&] { DeleteFileOrFail(path); };
    condition.SetEnabled(1);
    condition.SetCondType(kCondFileExists);
    condition.SetCondName(path.c_str());
    condition.SetUserInformation("OFFICE\\alice", "secret", 0);
    EXPECT_EQ(1, condition.Check());
    EXPECT_TRUE(condition.GetErrorText().IsEmpty());
    EXPECT_EQ((Calls{"LogOn OFFICE|alice|secret", "Impersonate", "CloseToken", "Revert"}), api.calls);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));
}

TEST_F(ConditionAccountTest, NoLogonWithoutUserOrPassword)
{
    const struct {
        const char* user;
        const char* password;
    } cases[] = {{"alice", ""}, {"", "secret"}, {"", ""}};
    for (const auto& c : cases) {
        condition.SetUserInformation(c.user, c.password, 0);
        EXPECT_EQ(1, condition.Check()) << c.user << "/" << c.password;
        EXPECT_TRUE(api.calls.empty()) << c.user << "/" << c.password;
        EXPECT_TRUE(condition.GetErrorText().IsEmpty());
    }
}

// A task moved to the system account hands over an empty account; tests
// then run under the process's own account, not the earlier user's.
TEST_F(ConditionAccountTest, EmptyAccountReplacesTheStoredOne)
{
    condition.SetUserInformation("OFFICE\\alice", "secret", 1);
    condition.SetUserInformation("", "", 0);
    EXPECT_TRUE(condition.GetUserName().IsEmpty());
    EXPECT_TRUE(condition.GetPassword().IsEmpty());
    EXPECT_EQ(0, condition.GetInteractive());
    condition.Check();
    EXPECT_TRUE(api.calls.empty());
}

TEST_F(ConditionAccountTest, FailuresGiveFalseAndKeepTheState)
{
    const struct {
        DWORD logOnError;
        DWORD impersonateError;
        const char* text;
        Calls calls;
    } cases[] = {
        {ERROR_LOGON_FAILURE, 0, "Unable to complete user log on\nError code 1326\n",
         {"LogOn .|alice|secret"}},
        {0, ERROR_ACCESS_DENIED, "Unable to complete user Impersonation\nError code 5\n",
         {"LogOn .|alice|secret", "Impersonate", "CloseToken"}},
    };
    for (const auto& c : cases) {
        api.calls.clear();
        api.logOnError = c.logOnError;
        api.impersonateError = c.impersonateError;
        condition.SetUserInformation("alice", "secret", 0);
        condition.SetActive(1);
        condition.SetHasToggled(0);
        // Disabled: the test itself would say 1.
        condition.SetEnabled(0);
        EXPECT_EQ(0, condition.Check()) << c.text;
        EXPECT_EQ(0, std::string(condition.GetErrorText()).rfind(c.text, 0)) << condition.GetErrorText();
        EXPECT_EQ(1, condition.GetActive());
        EXPECT_EQ(0, condition.GetHasToggled());
        EXPECT_EQ(c.calls, api.calls);
    }
}

TEST_F(ConditionAccountTest, NextCheckAndNewAccountClearTheErrorText)
{
    api.logOnError = ERROR_LOGON_FAILURE;
    condition.SetUserInformation("alice", "secret", 0);
    condition.Check();
    ASSERT_FALSE(condition.GetErrorText().IsEmpty());
    condition.SetUserInformation("alice", "secret", 0);
    EXPECT_TRUE(condition.GetErrorText().IsEmpty());

    condition.Check();
    ASSERT_FALSE(condition.GetErrorText().IsEmpty());
    api.logOnError = 0;
    condition.Check();
    EXPECT_TRUE(condition.GetErrorText().IsEmpty());
}

// The system's own calls: whatever part of them this system refuses, the
// trigger answers E_FAIL with the reason and a result of 0.
TEST_F(CondTriggerTest, RefusedAccountFailsIsActiveWithTheReason)
{
    ASSERT_EQ(S_OK, trigger->put_Enabled(0));
    ASSERT_EQ(S_OK, trigger->put_Active(1));
    tvx::com::Bstr user(L"TvxNoSuchDomain\\nobody"), password(L"wrong");
    ASSERT_EQ(S_OK, trigger->SetUserInformation(user.Get(), password.Get(), 0));
    long active = -1;
    EXPECT_EQ(E_FAIL, trigger->get_IsActive(&active));
    EXPECT_EQ(0, active);
    tvx::com::Bstr error;
    ASSERT_EQ(S_OK, trigger->get_LastErrorString(error.Receive()));
    EXPECT_EQ(0u, Narrow(error.c_str()).rfind("Unable to complete user ", 0)) << Narrow(error.c_str());
    long stored = -1;
    EXPECT_EQ(S_OK, trigger->get_Active(&stored));
    EXPECT_EQ(1, stored);

    // The same text as the error information of the call.
    tvx::com::ComPtr<IErrorInfo> info;
    ASSERT_EQ(S_OK, GetErrorInfo(0, info.Receive()));
    tvx::com::Bstr description;
    ASSERT_EQ(S_OK, info->GetDescription(description.Receive()));
    EXPECT_EQ(error.ToString(), description.ToString());

    // Back to the process's own account: the test runs again.
    tvx::com::Bstr empty(L"");
    ASSERT_EQ(S_OK, trigger->SetUserInformation(empty.Get(), empty.Get(), 0));
    EXPECT_EQ(S_OK, trigger->get_IsActive(&active));
    EXPECT_EQ(1, active);
}

}  // namespace
