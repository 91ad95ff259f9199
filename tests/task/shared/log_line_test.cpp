#include "task/shared/log_line.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <thread>

namespace {

// Owns a file handle a test opens to play the part of another writer.
class OtherWriter {
public:
    explicit OtherWriter(const std::string& path)
        : m_handle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~OtherWriter() { Release(); }
    OtherWriter(const OtherWriter&) = delete;
    OtherWriter& operator=(const OtherWriter&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    void Release()
    {
        if (IsOpen())
            CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_handle;
};

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A log name of its own for each test, so tests may run side by side.
std::string UniqueLogName()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string("qvx_") + info->name() + "_" + std::to_string(GetCurrentProcessId()) + ".log";
}

// The current directory is moved elsewhere, so that a name resolved against
// it instead of the program directory shows.
class LogLineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(0u, GetCurrentDirectoryA(MAX_PATH, m_previousDirectory));
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, temp));
        m_currentDirectory = temp;
        ASSERT_TRUE(SetCurrentDirectoryA(temp));
        m_name = UniqueLogName();
        m_programPath = ExpectedProgramDirectory() + m_name;
        DeleteFileA(m_programPath.c_str());
        DeleteFileA((m_currentDirectory + m_name).c_str());
    }
    void TearDown() override
    {
        DeleteFileA(m_programPath.c_str());
        DeleteFileA((m_currentDirectory + m_name).c_str());
        SetCurrentDirectoryA(m_previousDirectory);
    }

    char m_previousDirectory[MAX_PATH] = "";
    std::string m_currentDirectory;
    std::string m_name;
    std::string m_programPath;
};

// Date (10 columns), blank, 24-hour time without marker (8 columns), blank,
// text, CR LF.
const char* const kLinePattern =
    R"(([0-9]{1,4}[/.-][0-9]{1,2}[/.-][0-9]{1,4} *) ([0-9]{1,2}:[0-9]{2}:[0-9]{2} *) )";

TEST_F(LogLineTest, BareNameIsCreatedInProgramDirectoryAndSecondCallAppends)
{
    ASSERT_TRUE(AppendLogLine(m_name.c_str(), "first line"));
    ASSERT_TRUE(FileExists(m_programPath));
    EXPECT_FALSE(FileExists(m_currentDirectory + m_name));

    ASSERT_TRUE(AppendLogLine(m_name.c_str(), "second line"));

    const std::string content = ReadWholeFile(m_programPath);
    const std::regex twoLines(std::string("^") + kLinePattern + "first line\r\n" + kLinePattern +
                              "second line\r\n$");
    std::smatch fields;
    ASSERT_TRUE(std::regex_match(content, fields, twoLines)) << content;
    for (std::size_t i : {1u, 3u})
        EXPECT_GE(fields[i].length(), 10) << "date field " << fields[i];
    for (std::size_t i : {2u, 4u})
        EXPECT_GE(fields[i].length(), 8) << "time field " << fields[i];
}

TEST_F(LogLineTest, ExistingContentIsKept)
{
    {
        std::ofstream out(m_programPath, std::ios::binary);
        out << "earlier\r\n";
    }
    ASSERT_TRUE(AppendLogLine(m_name.c_str(), "later"));
    const std::string content = ReadWholeFile(m_programPath);
    EXPECT_TRUE(std::regex_match(content, std::regex(std::string("^earlier\r\n") + kLinePattern + "later\r\n$")))
        << content;
}

TEST_F(LogLineTest, LineWaitsForAnotherWriterThatLetsGoSoon)
{
    OtherWriter other(m_programPath);
    ASSERT_TRUE(other.IsOpen());

    std::thread releaser([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        other.Release();
    });
    const auto start = std::chrono::steady_clock::now();
    const bool appended = AppendLogLine(m_name.c_str(), "after the wait");
    const auto waited = std::chrono::steady_clock::now() - start;
    releaser.join();

    EXPECT_TRUE(appended);
    EXPECT_GE(waited, std::chrono::milliseconds(100));
    EXPECT_TRUE(std::regex_match(ReadWholeFile(m_programPath),
                                 std::regex(std::string("^") + kLinePattern + "after the wait\r\n$")));
}

TEST_F(LogLineTest, LineIsGivenUpWhenAnotherWriterNeverLetsGo)
{
    OtherWriter other(m_programPath);
    ASSERT_TRUE(other.IsOpen());

    const auto start = std::chrono::steady_clock::now();
    const bool appended = AppendLogLine(m_name.c_str(), "never written");
    const auto waited = std::chrono::steady_clock::now() - start;

    EXPECT_FALSE(appended);
    EXPECT_LT(waited, std::chrono::seconds(2));
    other.Release();
    EXPECT_EQ("", ReadWholeFile(m_programPath));
}

TEST_F(LogLineTest, MissingNameOrUnreachableFolderFails)
{
    EXPECT_FALSE(AppendLogLine(nullptr, "text"));
    EXPECT_FALSE(AppendLogLine("", "text"));
    EXPECT_FALSE(AppendLogLine("no_such_folder_qvx\\x.log", "text"));
}

struct PathCase {
    const char* name;
    const char* expected;
};

TEST(LogFilePath, OnlyRelativeNamesArePlacedInTheProgramDirectory)
{
    const PathCase cases[] = {
        {"x.log", "C:\\Prog\\x.log"},
        {"sub\\x.log", "C:\\Prog\\sub\\x.log"},
        {"..\\x.log", "C:\\Prog\\..\\x.log"},
        {"\\logs\\x.log", "\\logs\\x.log"},
        {"/logs/x.log", "/logs/x.log"},
        {"C:\\x.log", "C:\\x.log"},
        {"d:\\logs\\x.log", "d:\\logs\\x.log"},
        {"D:x.log", "D:x.log"},
        {"\\\\server\\share\\x.log", "\\\\server\\share\\x.log"},
        {"//server/share/x.log", "//server/share/x.log"},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(c.expected, ResolveLogFilePath(c.name, "C:\\Prog\\")) << c.name;
}

TEST(LogFilePath, WithoutProgramDirectoryTheNameStandsAsGiven)
{
    EXPECT_EQ("x.log", ResolveLogFilePath("x.log", ""));
}

struct LineCase {
    WORD hour;
    const char* timeField;
};

// Wine's user locale gives "1/15/2025"; the test accepts any short date
// that shows the day and the year.
TEST(LogLineFormat, TimeIsTwentyFourHourWithoutMarkerAndFieldsArePadded)
{
    const LineCase cases[] = {
        {21, "21:05:03"},
        {9, "0?9:05:03 ?"},
        {0, "0?0:05:03 ?"},
        {12, "12:05:03"},
    };
    for (const LineCase& c : cases) {
        SYSTEMTIME when = {};
        when.wYear = 2025;
        when.wMonth = 1;
        when.wDay = 15;
        when.wDayOfWeek = 3;
        when.wHour = c.hour;
        when.wMinute = 5;
        when.wSecond = 3;
        const std::string line = FormatLogLine(when, "task failed");
        ASSERT_EQ(10u + 1 + 8 + 1 + 11 + 2, line.size()) << line;
        const std::string date = line.substr(0, 10);
        const std::string time = line.substr(11, 8);
        EXPECT_TRUE(std::regex_match(date, std::regex("[0-9]{1,4}[/.-][0-9]{1,2}[/.-][0-9]{1,4} *"))) << date;
        EXPECT_NE(std::string::npos, date.find("15")) << date;
        EXPECT_NE(std::string::npos, date.find("25")) << date;
        EXPECT_TRUE(std::regex_match(time, std::regex(c.timeField))) << time;
        EXPECT_EQ(' ', line[10]) << line;
        EXPECT_EQ(' ', line[19]) << line;
        EXPECT_EQ("task failed\r\n", line.substr(20)) << line;
    }
}

}  // namespace
