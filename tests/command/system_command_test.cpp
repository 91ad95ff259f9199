// ShutDown, LogOff and ReBoot start the shutdown helper found beside the
// host program and do not wait for it. The host here is a small program
// copied into folders of the test's own, with a stand-in helper that records
// its command line (the real helper would end the session).
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

enum class Helper { kStandIn, kNone, kNotAProgram };

struct SystemCase {
    const char* name;
    const char* folder;  // below the test's temporary folder
    Helper helper;
    std::vector<const char*> lines;
    int result;
    const char* text;      // exact, or the beginning when starts_with is set
    bool starts_with;
    // The expected command lines of the helper, "%s" standing for its path
    // as the host must give it (quoted when it holds a blank).
    std::vector<const char*> started;
};

void PrintTo(const SystemCase& c, std::ostream* os) { *os << c.name; }

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Waits up to the limit until the file holds at least the given number of lines.
std::vector<std::string> WaitForLines(const std::string& path, size_t count, DWORD limit_ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        std::vector<std::string> lines = Lines(ReadFile(path));
        if (lines.size() >= count || GetTickCount() - start > limit_ms)
            return lines;
        Sleep(50);
    }
}

std::string Fill(const char* pattern, const std::string& path)
{
    std::string text = pattern;
    const size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    return text;
}

class HelperFolder {
public:
    explicit HelperFolder(const std::string& name)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "tvx-" + name + "-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(path_.c_str(), nullptr);
        const size_t blank = path_.find(' ', std::string(temp).size());
        if (blank != std::string::npos) {
            decoy_ = path_.substr(0, blank) + ".exe";
            decoy_record_ = std::string(temp) + "qvshutdown-record.txt";
        }
    }
    ~HelperFolder()
    {
        for (const char* file : {"system_command_host.exe", "qvshutdown.exe", "qvshutdown-record.txt",
                                 "qvshutdown-released.txt", "outcome.txt"})
            DeleteFileA((path_ + file).c_str());
        RemoveDirectoryA(path_.c_str());
        if (!decoy_.empty()) {
            DeleteFileA(decoy_.c_str());
            DeleteFileA(decoy_record_.c_str());
        }
    }
    const std::string& path() const { return path_; }
    // The program an unquoted helper path would start instead; empty when
    // the path holds no blank.
    const std::string& decoy() const { return decoy_; }
    const std::string& decoy_record() const { return decoy_record_; }

private:
    std::string path_;
    std::string decoy_;
    std::string decoy_record_;
};

class SystemCommandTest : public ::testing::TestWithParam<SystemCase> {};

TEST_P(SystemCommandTest, StartsTheHelperBesideTheHostWithoutWaiting)
{
    const SystemCase& c = GetParam();
    HelperFolder folder(c.folder);
    const std::string host = folder.path() + "system_command_host.exe";
    const std::string helper = folder.path() + "qvshutdown.exe";
    ASSERT_TRUE(CopyFileA(TVX_SYSTEM_COMMAND_HOST, host.c_str(), FALSE));
    if (c.helper == Helper::kStandIn) {
        ASSERT_TRUE(CopyFileA(TVX_SHUTDOWN_STAND_IN, helper.c_str(), FALSE));
        // An unquoted path with a blank would start the program named by its
        // part before the blank; a decoy there records any such start.
        if (!folder.decoy().empty()) {
            ASSERT_TRUE(CopyFileA(TVX_SHUTDOWN_STAND_IN, folder.decoy().c_str(), FALSE));
        }
    } else if (c.helper == Helper::kNotAProgram) {
        std::ofstream(helper) << "not a program";
    }

    // The stand-in holds on until the event is set, so a host that waited
    // for it would not end first.
    const std::string event_name = "tvx-stand-in-" + std::to_string(GetCurrentProcessId()) + "-" + c.name;
    const HANDLE go = CreateEventA(nullptr, TRUE, FALSE, event_name.c_str());
    ASSERT_NE(nullptr, go);
    // Whatever the outcome, the stand-in is let go when the case ends.
    struct Release {
        HANDLE event;
        ~Release()
        {
            SetEvent(event);
            CloseHandle(event);
        }
    } release{go};
    SetEnvironmentVariableA("TARVEX_STAND_IN_EVENT", event_name.c_str());

    const std::string outcome_file = folder.path() + "outcome.txt";
    std::string command_line = "\"" + host + "\" \"" + outcome_file + "\"";
    for (const char* line : c.lines)
        command_line += std::string(" \"") + line + "\"";
    std::vector<char> writable(command_line.begin(), command_line.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    SetEnvironmentVariableA("TARVEX_STAND_IN_EVENT", nullptr);
    const DWORD waited = WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(WAIT_OBJECT_0, waited) << "the host waited for the helper";

    const std::vector<std::string> outcome = Lines(ReadFile(outcome_file));
    ASSERT_FALSE(outcome.empty());
    EXPECT_EQ(std::to_string(c.result), outcome[0]);
    std::string text;
    for (size_t i = 1; i < outcome.size(); ++i)
        text += (i > 1 ? "\n" : "") + outcome[i];
    if (c.starts_with) {
        EXPECT_EQ(0u, text.find(c.text)) << text;
    } else {
        EXPECT_EQ(c.text, text);
    }

    const std::string helper_as_given = folder.path().find(' ') == std::string::npos ? helper : "\"" + helper + "\"";
    std::vector<std::string> expected;
    for (const char* pattern : c.started)
        expected.push_back(Fill(pattern, helper_as_given));
    const std::string record = folder.path() + "qvshutdown-record.txt";
    const std::vector<std::string> started = WaitForLines(record, expected.size(), 10000);
    // A second start would have been recorded by now, the host having ended.
    EXPECT_EQ(expected, expected.empty() ? Lines(ReadFile(record)) : started);
    if (!folder.decoy().empty()) {
        EXPECT_EQ("", ReadFile(folder.decoy_record())) << "the unquoted path started another program";
    }
    if (!expected.empty()) {
        EXPECT_FALSE(Exists(folder.path() + "qvshutdown-released.txt")) << "the helper ran to its end before the host";
    }

    SetEvent(go);
    if (!expected.empty())
        WaitForLines(folder.path() + "qvshutdown-released.txt", expected.size(), 10000);
}

const char kNotFound[] = "QVShutdown application could not be found";

INSTANTIATE_TEST_SUITE_P(
    Lines, SystemCommandTest,
    ::testing::Values(
        SystemCase{"ShutDown", "plain", Helper::kStandIn, {"ShutDown(FALSE)"}, 1, "", false,
                   {"%s /t SHUTDOWN /w 2"}},
        SystemCase{"LogOffForcedInSmallLetters", "plain", Helper::kStandIn, {"LogOff(true)"}, 1, "", false,
                   {"%s /t FORCELOGOFF /w 2"}},
        SystemCase{"ReBootForced", "plain", Helper::kStandIn, {"ReBoot(TRUE)"}, 1, "", false,
                   {"%s /t FORCEREBOOT /w 2"}},
        SystemCase{"OnlyTrueForces", "plain", Helper::kStandIn, {"ShutDown(yes)"}, 1, "", false,
                   {"%s /t SHUTDOWN /w 2"}},
        SystemCase{"PathWithBlankQuoted", "with blank", Helper::kStandIn, {"ShutDown(TRUE)"}, 1, "", false,
                   {"%s /t FORCESHUTDOWN /w 2"}},
        SystemCase{"NothingRunsAfterIt", "plain", Helper::kStandIn, {"LogOff(FALSE)", "ReBoot(FALSE)"}, 1, "",
                   false, {"%s /t LOGOFF /w 2"}},
        SystemCase{"WrongCount", "plain", Helper::kStandIn, {"ReBoot(TRUE,1)"}, 0, "Wrong number of parameters",
                   false, {}},
        SystemCase{"MissingHelper", "plain", Helper::kNone, {"ShutDown(TRUE)"}, 0, kNotFound, false, {}},
        SystemCase{"MissingHelperBeforeCount", "plain", Helper::kNone, {"LogOff"}, 0, kNotFound, false, {}},
        SystemCase{"HelperThatWillNotStart", "plain", Helper::kNotAProgram, {"ShutDown(FALSE)"}, 0,
                   "Unable to start the QVShutdown application\nError code ", true, {}}),
    [](const ::testing::TestParamInfo<SystemCase>& info) { return std::string(info.param.name); });

}  // namespace
