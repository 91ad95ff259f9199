// RunProgram, RunDOSCommand, WaitForProgram and QuitProgram with real
// helper processes.
#include <objbase.h>
#include <shlobj.h>
#include <userenv.h>

#include <atomic>
#include <ostream>
#include <string>
#include <thread>

#include "command/desktop/desktop_texts.h"
#include "desktop_test_support.h"

namespace desktop_test {
namespace {

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string SleeperLine(const std::string& arguments)
{
    return Quoted(HelperPath(kSleeper)) + " " + arguments;
}

// A directory of the test's own, removed with everything in it.
class ScratchDirectory {
public:
    explicit ScratchDirectory(const std::string& name) : m_path(TestDirectory() + name)
    {
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~ScratchDirectory()
    {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((m_path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                    DeleteFileA((m_path + "\\" + found.cFileName).c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(m_path.c_str());
    }
    const std::string& Path() const { return m_path; }
    std::string File(const char* name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

std::string CurrentDirectory()
{
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, directory);
    return directory;
}

bool SamePath(std::string a, std::string b)
{
    while (!a.empty() && a.back() == '\\')
        a.pop_back();
    while (!b.empty() && b.back() == '\\')
        b.pop_back();
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

bool IsOpenHandle(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

bool HasEnded(HANDLE process, DWORD limitMs)
{
    return WaitForSingleObject(process, limitMs) == WAIT_OBJECT_0;
}

class ProgramCommands : public DesktopCommandTest {};

TEST_F(ProgramCommands, RunProgramWithWaitFlagReturnsOnceTheProgramEnded)
{
    const ULONGLONG start = GetTickCount64();
    ASSERT_EQ(Run(desktop::RunProgram, {SleeperLine("--ms 2500").c_str(), "", "Hidden", "1"}), 1) << lastError;
    EXPECT_GE(GetTickCount64() - start, 2400u);
    EXPECT_FALSE(process);
    EXPECT_STREQ(lastError, "");
}

TEST_F(ProgramCommands, RunProgramKeepsTheProgramsHandleAndClosesTheOneItReplaces)
{
    ASSERT_EQ(Run(desktop::RunProgram, {SleeperLine("--ms 20000").c_str(), "", "Hidden"}), 1) << lastError;
    const HANDLE first = process.get();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(WaitForSingleObject(first, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    ASSERT_EQ(Run(desktop::RunProgram, {SleeperLine("--ms 20000").c_str(), "", "Hidden"}), 1) << lastError;
    ASSERT_NE(process.get(), nullptr);
    EXPECT_NE(process.get(), first);
    EXPECT_FALSE(IsOpenHandle(first));
    EXPECT_EQ(WaitForReport(SleeperReportPath(GetProcessId(process.get())), 5000).size(), 4u);
    DeleteFileA(SleeperReportPath(GetProcessId(process.get())).c_str());
}

TEST_F(ProgramCommands, RunProgramStartsInTheWorkingDirectoryWithTheUsersArguments)
{
    ScratchDirectory directory("run dir");
    const std::string report = directory.File("report.txt");
    const std::string before = CurrentDirectory();
    const std::string line = SleeperLine("--ms 100 alpha \"beta gamma\" --report " + Quoted(report));

    ASSERT_EQ(Run(desktop::RunProgram, {line.c_str(), directory.Path().c_str(), "Hidden", "1"}), 1) << lastError;
    const std::vector<std::string> seen = WaitForReport(report, 5000);
    ASSERT_EQ(seen.size(), 8u);
    EXPECT_TRUE(SamePath(seen[0], directory.Path())) << seen[0];
    EXPECT_EQ(seen[3], "alpha");
    EXPECT_EQ(seen[4], "beta gamma");
    // Other tasks of the host run in its current directory at the same time.
    EXPECT_EQ(CurrentDirectory(), before);
}

TEST_F(ProgramCommands, RunProgramFailuresNameTheirCause)
{
    EXPECT_EQ(Run(desktop::RunProgram, {}), 0);
    EXPECT_STREQ(lastError, "Invalid Number of Parameters");

    EXPECT_EQ(Run(desktop::RunProgram, {SleeperLine("--ms 10").c_str(), "C:\\no such directory 7Q"}), 0);
    EXPECT_STREQ(lastError, "Unable to set working directory");

    EXPECT_EQ(Run(desktop::RunProgram, {"C:\\nowhere 7Q\\missing.exe"}), 0);
    EXPECT_STREQ(lastError, "Unable to run command line: C:\\nowhere 7Q\\missing.exe");
    EXPECT_FALSE(process);
}

// Registers a document extension whose open command is the sleeper, for the
// length of a test.
class RegisteredDocumentType {
public:
    RegisteredDocumentType()
    {
        SetDefault(".tvxdoc7q", "TarvexTestDocument7Q");
        SetDefault("TarvexTestDocument7Q\\shell\\open\\command", (Quoted(HelperPath(kSleeper)) + " \"%1\"").c_str());
    }
    ~RegisteredDocumentType()
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "TarvexTestDocument7Q");
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ".tvxdoc7q");
    }

private:
    static void SetDefault(const char* key, const char* value)
    {
        RegSetValueA(HKEY_CLASSES_ROOT, key, REG_SZ, value, static_cast<DWORD>(lstrlenA(value)));
    }
};

TEST_F(ProgramCommands, RunProgramOpensADocumentWithItsProgramAndQuotesBlanksInItsPath)
{
    RegisteredDocumentType documents;
    ScratchDirectory directory("doc dir");
    const std::string document = directory.File("my report.tvxdoc7q");
    CloseHandle(CreateFileA(document.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    ASSERT_EQ(Run(desktop::RunProgram, {document.c_str(), "", "Hidden"}), 1) << lastError;
    ASSERT_TRUE(process);
    const std::string report = SleeperReportPath(GetProcessId(process.get()));
    const std::vector<std::string> seen = WaitForReport(report, 5000);
    DeleteFileA(report.c_str());
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_TRUE(SamePath(seen[1], document)) << seen[1];
}

// A shortcut to the sleeper, made with the shell's link object.
bool MakeShortcut(const std::string& link, const std::string& arguments)
{
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink))))
        return false;
    shellLink->SetPath(HelperPath(kSleeper).c_str());
    shellLink->SetArguments(arguments.c_str());
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
        saved = SUCCEEDED(file->Save(wide, TRUE));
        file->Release();
    }
    shellLink->Release();
    return saved;
}

TEST_F(ProgramCommands, RunProgramOpensAShortcutThroughTheShellAndKeepsTheStoredHandle)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    ScratchDirectory directory("link dir");
    const std::string report = directory.File("linked.txt");
    const std::string link = directory.File("Sleeper Link.lnk");
    ASSERT_TRUE(MakeShortcut(link, "--ms 100 --report " + Quoted(report)));

    ASSERT_EQ(Run(desktop::RunProgram, {SleeperLine("--ms 20000").c_str(), "", "Hidden"}), 1) << lastError;
    const HANDLE stored = process.get();
    EXPECT_EQ(Run(desktop::RunProgram, {Quoted(link).c_str(), "", "Hidden"}), 1) << lastError;
    EXPECT_EQ(WaitForReport(report, 10000).size(), 6u);
    EXPECT_EQ(process.get(), stored);
    CoUninitialize();
}

// The process's own token stands in for a logged-on user's: the logon itself
// is not what these tests are about.
class OwnAccount {
public:
    OwnAccount()
    {
        HANDLE own = nullptr;
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own)) {
            DuplicateTokenEx(own, TOKEN_ALL_ACCESS, nullptr, SecurityImpersonation, TokenPrimary, &token);
            CloseHandle(own);
        }
        if (token != nullptr)
            CreateEnvironmentBlock(&environment, token, FALSE);
    }
    ~OwnAccount()
    {
        if (environment != nullptr)
            DestroyEnvironmentBlock(environment);
        if (token != nullptr)
            CloseHandle(token);
    }
    HANDLE token = nullptr;
    void* environment = nullptr;
};

TEST_F(ProgramCommands, RunProgramAsTheRunsUserUsesItsTokenEnvironmentAndDirectory)
{
    OwnAccount account;
    ASSERT_NE(account.token, nullptr);
    ASSERT_NE(account.environment, nullptr);
    context.impersonating = true;
    context.logonToken = account.token;
    context.creationFlags = CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS | CREATE_UNICODE_ENVIRONMENT;
    context.environment = account.environment;
    ScratchDirectory directory("user dir");
    const std::string report = directory.File("user.txt");

    ASSERT_EQ(Run(desktop::RunProgram, {SleeperLine("--ms 20000 --report " + Quoted(report)).c_str(),
                                        directory.Path().c_str(), "Hidden"}),
              1)
        << lastError;
    EXPECT_TRUE(process);
    const std::vector<std::string> seen = WaitForReport(report, 5000);
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_TRUE(SamePath(seen[0], directory.Path())) << seen[0];

    ASSERT_EQ(Run(desktop::RunProgram, {SleeperLine("--ms 1500").c_str(), "", "Hidden", "1"}), 1) << lastError;
    EXPECT_FALSE(process);
}

TEST_F(ProgramCommands, RunProgramAsUserReportsTheCommandLineAndSystemError)
{
    context.impersonating = true;
    context.logonToken = nullptr;
    context.creationFlags = CREATE_NEW_CONSOLE;
    const std::string line = "C:\\nowhere 7Q\\missing.exe";
    ASSERT_EQ(Run(desktop::RunProgram, {line.c_str()}), 0);
    EXPECT_EQ(std::string(lastError).rfind("Unable to run command line\r\n" + line + "\r\nError: ", 0), 0u)
        << lastError;
}

TEST_F(ProgramCommands, RunDOSCommandRunsTheInterpreterInTheWorkingDirectory)
{
    ScratchDirectory directory("dos dir");
    ASSERT_EQ(Run(desktop::RunDOSCommand, {"echo tarvex>dos.txt", directory.Path().c_str(), "Hidden", "1"}), 1)
        << lastError;
    EXPECT_EQ(ReadWholeFile(directory.File("dos.txt")), "tarvex\r\n");
    // The interpreter is not a program WaitForProgram waits for.
    EXPECT_FALSE(process);

    EXPECT_EQ(Run(desktop::RunDOSCommand, {}), 0);
    EXPECT_STREQ(lastError, "Invalid Number of Parameters");
}

// The three ways a line starts a program and waits for it.
using LineCommand = int (*)(const desktop::CommandArguments&, desktop::DesktopContext&);

struct WaitFlagCase {
    const char* name;
    LineCommand command;
    bool asUser;
    const char* sleeperArguments;
    bool keptAfterwards;  // the program kept before is shown again afterwards
};

void PrintTo(const WaitFlagCase& c, std::ostream* out)
{
    *out << c.name;
}

class WaitFlagPrograms : public ProgramCommands, public ::testing::WithParamInterface<WaitFlagCase> {};

// While a line waits for the program it started, that program is the one
// the command object shows (ProcessHandle, read from another thread), so
// that the run's time limit can end it; ending it ends the wait.
TEST_P(WaitFlagPrograms, ProgramWaitedForIsShownAndEndingItEndsTheWait)
{
    const WaitFlagCase& c = GetParam();
    OwnAccount account;
    if (c.asUser) {
        ASSERT_NE(account.token, nullptr);
        context.impersonating = true;
        context.logonToken = account.token;
        context.creationFlags = CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS | CREATE_UNICODE_ENVIRONMENT;
        context.environment = account.environment;
    }
    ASSERT_EQ(Run(desktop::RunProgram, {SleeperLine("--ms 30000").c_str(), "", "Hidden"}), 1) << lastError;
    const HANDLE kept = process.HandOut();
    ASSERT_NE(kept, nullptr);

    const std::string line = SleeperLine(c.sleeperArguments);
    std::atomic<bool> done{false};
    int result = -1;
    std::thread worker([&] {
        result = Run(c.command, {line.c_str(), "", "Hidden", "1"});
        done = true;
    });
    HANDLE waited = nullptr;
    const bool shown = WaitUntil(
        [&] {
            waited = process.HandOut();
            return waited != nullptr && waited != kept;
        },
        10000);
    // Ended from outside, as the task ends a program past its time limit.
    const DWORD waitedId = shown ? GetProcessId(waited) : 0;
    const bool ended = shown && TerminateProcess(waited, 1);
    const bool returned = WaitUntil([&] { return done.load(); }, 5000);
    if (!returned)
        EndHelperProcesses();
    worker.join();
    // What the ended interpreter had started still runs, and would hold the
    // test's output open until it ends by itself.
    if (waitedId != 0)
        EndHelperProcesses(waitedId);

    ASSERT_TRUE(shown) << "the program waited for was never shown";
    EXPECT_TRUE(ended);
    EXPECT_TRUE(returned) << "the line went on waiting for the ended program";
    EXPECT_EQ(result, 1) << lastError;
    // Handed out, so still open: the number a reader got names nothing else.
    EXPECT_TRUE(IsOpenHandle(waited));
    EXPECT_EQ(process.get(), c.keptAfterwards ? kept : nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, WaitFlagPrograms,
    ::testing::Values(
        WaitFlagCase{"RunProgram", desktop::RunProgram, false, "--ms 60000", true},
        WaitFlagCase{"RunProgramAsUser", desktop::RunProgram, true, "--ms 60000", false},
        // The interpreter is waited for, and it is the one ended; the
        // program it runs ends by itself later.
        WaitFlagCase{"RunDOSCommand", desktop::RunDOSCommand, false, "--ms 20000", true}),
    [](const ::testing::TestParamInfo<WaitFlagCase>& info) { return std::string(info.param.name); });

struct WaitCase {
    const char* limit;
    DWORD sleeperMs;  // 0: no program
    int result;
    DWORD atLeastMs;
    DWORD atMostMs;
};

TEST_F(ProgramCommands, WaitForProgramWaitsWithinItsLimit)
{
    const WaitCase cases[] = {
        {"-1", 0, 1, 400, 2500},        // no program: done after half a second
        {"-1", 2500, 1, 1000, 6000},    // no limit
        {"-5", 2500, 1, 1000, 6000},    // every negative limit is no limit
        {"0", 20000, 0, 900, 4000},     // gives up after the first second
        {"3000", 1500, 1, 400, 6000},   // ends within the limit
    };
    for (const WaitCase& c : cases) {
        SCOPED_TRACE(std::string("limit ") + c.limit + ", program " + std::to_string(c.sleeperMs));
        process.reset();
        lastError.Empty();
        if (c.sleeperMs != 0) {
            const std::string line = SleeperLine("--ms " + std::to_string(c.sleeperMs));
            ASSERT_EQ(Run(desktop::RunProgram, {line.c_str(), "", "Hidden"}), 1) << lastError;
        }
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(Run(desktop::WaitForProgram, {c.limit}), c.result);
        const ULONGLONG spent = GetTickCount64() - start;
        EXPECT_GE(spent, c.atLeastMs);
        EXPECT_LE(spent, c.atMostMs);
        if (c.result == 1) {
            EXPECT_FALSE(process);
            EXPECT_STREQ(lastError, "");
        } else {
            EXPECT_TRUE(process);
            EXPECT_STREQ(lastError, "Unable to complete WaitForProgram command");
        }
    }
    EXPECT_EQ(Run(desktop::WaitForProgram, {}), 0);
    EXPECT_STREQ(lastError, "Wrong number of parameters");
}

TEST_F(ProgramCommands, QuitProgramByTitleClosesTheMatchingWindow)
{
    HelperProcess maker(kWindowMaker, "--title \"Tarvex Quit Probe 7Q\"");
    ASSERT_NE(WaitForWindow("Tarvex Quit Probe 7Q", 10000), nullptr);
    EXPECT_EQ(Run(desktop::QuitProgram, {"*Quit Probe 7Q"}), 1) << lastError;
    EXPECT_TRUE(HasEnded(maker.Handle(), 5000));

    EXPECT_EQ(Run(desktop::QuitProgram, {"Tarvex Nobody 7Q", "0"}), 0);
    EXPECT_STREQ(lastError, "Unable to Quit Program Tarvex Nobody 7Q");
}

TEST_F(ProgramCommands, QuitProgramByNameMatchesTheExecutableInAnyCase)
{
    ScratchDirectory directory("quit dir");
    const std::string marker = directory.File("asked");
    HelperProcess maker(kWindowMaker, "--title \"Tarvex Named Probe 7Q\" --close-marker " + Quoted(marker));
    ASSERT_NE(WaitForWindow("Tarvex Named Probe 7Q", 10000), nullptr);
    EXPECT_EQ(Run(desktop::QuitProgram, {"TVX_WINDOW_MAKER.EXE", "1"}), 1) << lastError;
    EXPECT_TRUE(HasEnded(maker.Handle(), 2000));
    // The program was asked to close its window before anything else.
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProgramCommands, QuitProgramByNameEndsAProgramThatWillNotClose)
{
    ScratchDirectory directory("stubborn dir");
    const std::string marker = directory.File("asked");
    HelperProcess maker(kWindowMaker,
                        "--title \"Tarvex Stubborn Probe 7Q\" --ignore-close --close-marker " + Quoted(marker));
    ASSERT_NE(WaitForWindow("Tarvex Stubborn Probe 7Q", 10000), nullptr);
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(Run(desktop::QuitProgram, {"tvx_window_maker.exe", "1"}), 1) << lastError;
    // Asked, given its grace time, then ended.
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_GE(GetTickCount64() - start, 1900u);
    EXPECT_TRUE(HasEnded(maker.Handle(), 2000));
}

TEST_F(ProgramCommands, QuitProgramFailuresNameTheProgram)
{
    EXPECT_EQ(Run(desktop::QuitProgram, {"no_such_program_7q.exe", "1"}), 0);
    EXPECT_STREQ(lastError, "Unable to Quit Program no_such_program_7q.exe");
    EXPECT_EQ(Run(desktop::QuitProgram, {}), 0);
    EXPECT_STREQ(lastError, "Wrong number of Parameters");
}

}  // namespace
}  // namespace desktop_test
