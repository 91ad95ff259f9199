// The account a task launched by the engine runs under, from the stored
// logins: by the login the task names, or adopted from the login whose user
// name and password the task carries.
#include <gtest/gtest.h>

#include "engine/task_account.h"
#include "engine_test_support.h"

namespace enginetest {
namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;

const std::vector<LoginEntry> kLogins = {
    {L"Nightly", L"CORP", L"batch", L"secret"},
    {L"Local", L"", L"admin", L"pw"},
    {L"Nightly", L"CORP", L"batch2", L"second"},  // same description: the last one wins
};

struct Account {
    const wchar_t* account;
    const wchar_t* user;
    const wchar_t* password;
};

struct AccountCase {
    const char* name;
    Account before;
    Account after;
    bool saved;  // the task file was written
};

void PrintTo(const AccountCase& c, std::ostream* out)
{
    *out << c.name;
}

class TaskAccountTest : public ::testing::TestWithParam<AccountCase> {
protected:
    void SetUp() override { ClearEngineFiles(); }
    tvx::com::CoInit com_{COINIT_MULTITHREADED};
};

std::wstring Text(IQVTask* task, HRESULT (STDMETHODCALLTYPE IQVTask::*get)(BSTR*))
{
    Bstr text;
    (task->*get)(text.Receive());
    return text.ToString();
}

TEST_P(TaskAccountTest, TaskGetsItsStoredLogin)
{
    const AccountCase& c = GetParam();
    ComPtr<IQVTask> task;
    ASSERT_HRESULT_SUCCEEDED(task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER));
    ASSERT_HRESULT_SUCCEEDED(task->put_Description(Bstr(L"Account").Get()));
    ASSERT_HRESULT_SUCCEEDED(task->put_AcctName(Bstr(c.before.account).Get()));
    ASSERT_HRESULT_SUCCEEDED(task->put_UserName(Bstr(c.before.user).Get()));
    ASSERT_HRESULT_SUCCEEDED(task->put_Password(Bstr(c.before.password).Get()));

    ApplyTaskAccount(task.Get(), kLogins);

    EXPECT_EQ(Text(task.Get(), &IQVTask::get_AcctName), c.after.account);
    EXPECT_EQ(Text(task.Get(), &IQVTask::get_UserName), c.after.user);
    EXPECT_EQ(Text(task.Get(), &IQVTask::get_Password), c.after.password);
    EXPECT_EQ(FileExists(TaskFilePath(L"Account")), c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TaskAccountTest,
    ::testing::Values(
        AccountCase{"NamedLoginGivesUserAndPasswordLastOneWins",
                    {L"Nightly", L"", L""},
                    {L"Nightly", L"CORP\\batch2", L"second"},
                    false},
        AccountCase{"NamedLoginWithoutDomainGivesTheLoginName",
                    {L"Local", L"someone", L"old"},
                    {L"Local", L"admin", L"pw"},
                    false},
        AccountCase{"UnknownNamedLoginChangesNothing", {L"Other", L"u", L"p"}, {L"Other", L"u", L"p"}, false},
        AccountCase{"MatchingUserAndPasswordAdoptTheFirstLoginAndSaveTheTask",
                    {L"", L"CORP\\batch", L"secret"},
                    {L"Nightly", L"CORP\\batch", L"secret"},
                    true},
        AccountCase{"LoginWithoutDomainMatchesOnTheLoginNameAlone",
                    {L"", L"admin", L"pw"},
                    {L"Local", L"admin", L"pw"},
                    true},
        AccountCase{"NamesCompareWithTheirCase", {L"", L"corp\\batch", L"secret"}, {L"", L"corp\\batch", L"secret"},
                    false},
        AccountCase{"WrongPasswordAdoptsNothing", {L"", L"CORP\\batch", L"wrong"}, {L"", L"CORP\\batch", L"wrong"},
                    false}),
    [](const ::testing::TestParamInfo<AccountCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace enginetest
