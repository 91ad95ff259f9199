// The helper's routines that are safe to run inside the test session: the
// shutdown privilege, the explorer name test, the set-up clean-up and the
// message wait.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "shutdown/explorer_step.h"
#include "shutdown/setup_cleanup.h"
#include "shutdown/shutdown_privilege.h"
#include "shutdown_test_support.h"

namespace {

// The attributes of SeShutdownPrivilege in this process's token; 0 when
// the token does not hold it.
DWORD ShutdownPrivilegeAttributes()
{
    HANDLE raw = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &raw))
        return 0;
    tvx::com::Handle token(raw);
    LUID shutdown;
    if (!::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &shutdown))
        return 0;
    DWORD size = 0;
    ::GetTokenInformation(token.Get(), TokenPrivileges, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (!::GetTokenInformation(token.Get(), TokenPrivileges, buffer.data(), size, &size))
        return 0;
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
        const LUID& luid = privileges->Privileges[i].Luid;
        if (luid.LowPart == shutdown.LowPart && luid.HighPart == shutdown.HighPart)
            return privileges->Privileges[i].Attributes | 0x80000000u;  // marks "held"
    }
    return 0;
}

void DisableShutdownPrivilege()
{
    HANDLE raw = nullptr;
    ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &raw));
    tvx::com::Handle token(raw);
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    ASSERT_TRUE(::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid));
    privileges.Privileges[0].Attributes = 0;
    ASSERT_TRUE(::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr));
}

TEST(ShutdownPrivilege, IsEnabledInTheProcessToken)
{
    DisableShutdownPrivilege();
    const DWORD before = ShutdownPrivilegeAttributes();
    ASSERT_NE(before, 0u) << "the test token does not hold the shutdown privilege";
    ASSERT_EQ(before & SE_PRIVILEGE_ENABLED, 0u);

    EXPECT_TRUE(EnableProcessShutdownPrivilege());
    EXPECT_NE(ShutdownPrivilegeAttributes() & SE_PRIVILEGE_ENABLED, 0u);
}

struct ExplorerCase {
    const char* name;
    const char* path;
    bool expected;
};

void PrintTo(const ExplorerCase& c, std::ostream* out)
{
    *out << c.name;
}

class ExplorerPath : public ::testing::TestWithParam<ExplorerCase> {};

TEST_P(ExplorerPath, OnlyTheNameAfterTheLastBackslashCountsInAnyCase)
{
    EXPECT_EQ(IsExplorerPath(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExplorerPath,
    ::testing::Values(ExplorerCase{"BareName", "explorer.exe", true},
                      ExplorerCase{"CapitalName", "EXPLORER.EXE", true},
                      ExplorerCase{"FullPath", "C:\\WINDOWS\\Explorer.exe", true},
                      ExplorerCase{"FolderOfThatName", "C:\\explorer.exe\\other.exe", false},
                      ExplorerCase{"LongerName", "iexplorer.exe", false},
                      ExplorerCase{"OtherProgram", "C:\\Program Files\\iexplore.exe", false},
                      ExplorerCase{"LongerExtension", "explorer.exe.bak", false},
                      ExplorerCase{"FolderOnly", "C:\\WINDOWS\\", false},
                      ExplorerCase{"Empty", "", false},
                      ExplorerCase{"Null", nullptr, false}),
    [](const ::testing::TestParamInfo<ExplorerCase>& info) { return std::string(info.param.name); });

void MakeFile(const std::filesystem::path& path)
{
    std::ofstream(path) << "x";
}

TEST(SetupCleanUp, DeletesSetupProgramInAnyCaseAndNothingElse)
{
    TempFolder folder;
    MakeFile(folder.Path() / "Setup.EXE");
    MakeFile(folder.Path() / "setup.exe.bak");
    MakeFile(folder.Path() / "qvshutdown.exe");

    EXPECT_TRUE(DeleteSetupProgram(folder.WithBackslash().c_str()));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "Setup.EXE"));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "setup.exe.bak"));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "qvshutdown.exe"));
}

TEST(SetupCleanUp, MissingSetupProgramIsNoError)
{
    TempFolder folder;
    MakeFile(folder.Path() / "other.exe");
    EXPECT_FALSE(DeleteSetupProgram(folder.WithBackslash().c_str()));
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "other.exe"));
}

TEST(SetupCleanUp, FolderNamedSetupProgramIsLeftAlone)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path() / "setup.exe");
    EXPECT_FALSE(DeleteSetupProgram(folder.WithBackslash().c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path() / "setup.exe"));
}

TEST(SetupCleanUp, ProgramDirectoryIsTheTestProgramsFolderWithBackslash)
{
    const std::string expected = TestProgramFolder().string() + "\\";
    EXPECT_EQ(lstrcmpiA(GetProgramDirectory(), expected.c_str()), 0)
        << static_cast<const char*>(GetProgramDirectory()) << " vs " << expected;
}

// Counts the messages it gets.
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        ++*reinterpret_cast<int*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST(SetupCleanUp, WaitDispatchesMessagesThatArriveMeanwhileAndLastsItsTime)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TarvexWaitCounter";
    ::RegisterClassA(&windowClass);
    HWND window = ::CreateWindowA("TarvexWaitCounter", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    int count = 0;
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&count));

    ::PostMessageA(window, WM_APP, 0, 0);
    std::thread late([window] {
        ::Sleep(200);
        ::PostMessageA(window, WM_APP, 0, 0);
    });
    const auto start = std::chrono::steady_clock::now();
    DispatchMessagesFor(600);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    late.join();

    EXPECT_EQ(count, 2);
    EXPECT_GE(elapsed, std::chrono::milliseconds(590));
    EXPECT_LT(elapsed, std::chrono::milliseconds(3000));
    ::DestroyWindow(window);
}

}  // namespace
