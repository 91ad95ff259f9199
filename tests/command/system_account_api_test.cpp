// The system's account calls, driven with this process's own token (a logon
// needs a real account; this one needs none).
#include <gtest/gtest.h>

#include <string>

#include "command/account_api.h"
#include "command/macro_command.h"
#include "command/owned_handle.h"

namespace {

class SystemAccountApiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HANDLE token = nullptr;
        ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_ALL_ACCESS, &token));
        token_.reset(token);
    }

    AccountApi& api = SystemAccountApi();
    OwnedKernelHandle token_;
};

TEST_F(SystemAccountApiTest, ReadsTheTokensAccountName)
{
    CString name, domain;
    ASSERT_EQ(ERROR_SUCCESS, api.ReadAccountName(token_.get(), &name, &domain));
    char expected[256] = {};
    DWORD size = sizeof(expected);
    ASSERT_TRUE(::GetUserNameA(expected, &size));
    EXPECT_STREQ(expected, name);
}

TEST_F(SystemAccountApiTest, ReadsTheTokensGroups)
{
    std::vector<BYTE> groups;
    ASSERT_EQ(ERROR_SUCCESS, api.ReadTokenGroups(token_.get(), &groups));
    ASSERT_GE(groups.size(), sizeof(TOKEN_GROUPS));
    EXPECT_GT(reinterpret_cast<TOKEN_GROUPS*>(groups.data())->GroupCount, 0u);
}

TEST_F(SystemAccountApiTest, EnvironmentBlockIsTheUsersOwn)
{
    ::SetEnvironmentVariableA("TARVEX_CALLER_ONLY", "1");
    void* block = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, api.CreateEnvironment(token_.get(), &block));
    ASSERT_NE(nullptr, block);
    bool has_path = false, has_callers = false;
    for (const wchar_t* entry = static_cast<const wchar_t*>(block); *entry; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        has_path = has_path || _wcsnicmp(entry, L"PATH=", 5) == 0;
        has_callers = has_callers || text.rfind(L"TARVEX_CALLER_ONLY=", 0) == 0;
    }
    api.DestroyEnvironment(block);
    EXPECT_TRUE(has_path);
    EXPECT_FALSE(has_callers) << "the caller's environment is not inherited";
}

TEST_F(SystemAccountApiTest, ImpersonationChangesTheThreadTokenUntilReverted)
{
    ASSERT_EQ(ERROR_SUCCESS, api.Impersonate(token_.get()));
    HANDLE thread_token = nullptr;
    const bool impersonating = ::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &thread_token);
    if (thread_token != nullptr)
        ::CloseHandle(thread_token);
    api.Revert();
    EXPECT_TRUE(impersonating);
    thread_token = nullptr;
    EXPECT_FALSE(::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &thread_token));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_TOKEN), ::GetLastError());
}

// The system's calls everywhere but at the logon, which hands out this
// process's token (Wine's logon gives a token nothing else accepts).
class ProcessTokenAccounts : public AccountApi {
public:
    DWORD LogOn(const CString&, const CString&, const CString&, HANDLE* token) override
    {
        HANDLE own = nullptr;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ALL_ACCESS, &own))
            return ::GetLastError();
        const BOOL duplicated =
            ::DuplicateTokenEx(own, TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation, TokenPrimary, token);
        ::CloseHandle(own);
        return duplicated ? ERROR_SUCCESS : ::GetLastError();
    }
    void CloseToken(HANDLE token) override { system.CloseToken(token); }
    DWORD ReadAccountName(HANDLE token, CString* name, CString* domain) override
    {
        return system.ReadAccountName(token, name, domain);
    }
    DWORD ReadTokenGroups(HANDLE token, std::vector<BYTE>* groups) override
    {
        return system.ReadTokenGroups(token, groups);
    }
    DWORD LoadProfile(HANDLE token, PROFILEINFOA* profile) override { return system.LoadProfile(token, profile); }
    void UnloadProfile(HANDLE token, HANDLE key) override { system.UnloadProfile(token, key); }
    DWORD CreateEnvironment(HANDLE token, void** block) override { return system.CreateEnvironment(token, block); }
    void DestroyEnvironment(void* block) override { system.DestroyEnvironment(block); }
    DWORD Impersonate(HANDLE token) override { return system.Impersonate(token); }
    void Revert() override { system.Revert(); }
    DWORD ReadDacl(HANDLE object, std::vector<BYTE>* descriptor) override
    {
        return system.ReadDacl(object, descriptor);
    }
    DWORD WriteDacl(HANDLE object, ACL* dacl) override { return system.WriteDacl(object, dacl); }

private:
    AccountApi& system = SystemAccountApi();
};

TEST(SystemQueueRunTest, RunWithARealTokenPreparesAndEndsWithoutImpersonation)
{
    ProcessTokenAccounts accounts;
    CMacroCommand command;
    command.UseAccountApi(accounts);
    ASSERT_EQ(1, command.SetImpersonateInfo("me", "pw", FALSE));
    command.AddToQue("// one line");
    EXPECT_EQ(1, command.ExecuteQue()) << command.GetLastErrorString();
    EXPECT_STREQ("Winsta0\\ExpectDesktop", command.GetRunDesktopName());
    HANDLE thread_token = nullptr;
    EXPECT_FALSE(::OpenThreadToken(::GetCurrentThread(), TOKEN_QUERY, TRUE, &thread_token));
}

}  // namespace
