// DisplayMessage, InputBox, MessageBox, Delay and LogToFile. Dialogs are
// read and closed by a dismisser with a hard time-out.
#include <fstream>
#include <string>

#include "command/desktop/desktop_resource.h"
#include "desktop_test_support.h"
#include "task/shared/module_directory.h"

namespace desktop_test {
namespace {

// The static text of a message box.
constexpr int kMessageBoxText = 0xFFFF;

class MessageCommands : public DesktopCommandTest {
protected:
    void SetUp() override { context.inputAnswer = &answer; }
};

TEST_F(MessageCommands, DisplayMessageStaysUntilOkIsPressed)
{
    DialogDismisser dismisser({"Message Display", {IDC_MESSAGE_TEXT, IDOK}, IDOK, 1500});
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(Run(desktop::DisplayMessage, {"Backup finished", "0", "0"}), 1) << lastError;
    const ULONGLONG spent = GetTickCount64() - start;
    const DialogSeen seen = dismisser.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(seen.timedOut);
    EXPECT_EQ(seen.texts.at(IDC_MESSAGE_TEXT), "Backup finished");
    EXPECT_EQ(seen.texts.at(IDOK), "OK");
    EXPECT_GE(spent, 1400u);
}

TEST_F(MessageCommands, DisplayMessageClosesItselfAfterItsSeconds)
{
    // No button is pressed: the dialog has to go by itself.
    DialogDismisser dismisser({"Message Display", {IDC_MESSAGE_TEXT}, 0, 0});
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(Run(desktop::DisplayMessage, {"", "2", "7"}), 1) << lastError;
    const ULONGLONG spent = GetTickCount64() - start;
    const DialogSeen seen = dismisser.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(seen.timedOut);
    EXPECT_EQ(seen.texts.at(IDC_MESSAGE_TEXT), "No message defined");
    EXPECT_GE(spent, 1800u);
    EXPECT_LE(spent, 8000u);
}

bool g_timerHandled = false;

void CALLBACK MarkTimerHandled(HWND, UINT, UINT_PTR id, DWORD)
{
    g_timerHandled = true;
    KillTimer(nullptr, id);
}

TEST_F(MessageCommands, DisplayMessageKeepsTheCallersMessagesFlowing)
{
    // A message posted to this thread while the dialog is up is handled
    // before the command returns.
    g_timerHandled = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, MarkTimerHandled);
    DialogDismisser dismisser({"Message Display", {}, IDOK, 1200});
    EXPECT_EQ(Run(desktop::DisplayMessage, {"Busy", "0", "0"}), 1);
    dismisser.Seen();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_timerHandled);
}

TEST_F(MessageCommands, InputBoxKeepsTheAnswerOfOk)
{
    DialogDismisser::Plan plan{"Backup name", {IDC_PROMPT_TEXT, IDC_PROMPT_ANSWER, IDOK, IDCANCEL}, IDOK};
    plan.answerControl = IDC_PROMPT_ANSWER;
    plan.answer = "nightly";
    DialogDismisser dismisser(plan);
    EXPECT_EQ(Run(desktop::InputBox, {"Backup name", "Name of the backup set:"}), 1) << lastError;
    const DialogSeen seen = dismisser.Seen();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.texts.at(IDC_PROMPT_TEXT), "Name of the backup set:");
    EXPECT_EQ(seen.texts.at(IDC_PROMPT_ANSWER), "");
    EXPECT_EQ(seen.texts.at(IDOK), "OK");
    EXPECT_EQ(seen.texts.at(IDCANCEL), "Cancel");
    EXPECT_STREQ(answer, "nightly");
}

TEST_F(MessageCommands, InputBoxCancelledFailsWithoutText)
{
    answer = "earlier";
    DialogDismisser::Plan plan{"Prompt", {IDC_PROMPT_TEXT}, IDCANCEL};
    plan.answerControl = IDC_PROMPT_ANSWER;
    plan.answer = "ignored";
    DialogDismisser dismisser(plan);
    EXPECT_EQ(Run(desktop::InputBox, {"", ""}), 0);
    const DialogSeen seen = dismisser.Seen();
    ASSERT_TRUE(seen.found);
    // The dialog's own caption and prompt stay when none are given.
    EXPECT_EQ(seen.texts.at(IDC_PROMPT_TEXT), "Input prompt");
    EXPECT_STREQ(lastError, "");
    EXPECT_STREQ(answer, "");
}

TEST_F(MessageCommands, MessageBoxShowsItsTextOrTheDefaults)
{
    {
        DialogDismisser dismisser({"Tarvex Notice", {kMessageBoxText}, IDOK});
        EXPECT_EQ(Run(desktop::MessageBox, {"Disk almost full", "Tarvex Notice"}), 1) << lastError;
        const DialogSeen seen = dismisser.Seen();
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.texts.at(kMessageBoxText), "Disk almost full");
    }
    {
        DialogDismisser dismisser({"Message Box", {kMessageBoxText}, IDOK});
        EXPECT_EQ(Run(desktop::MessageBox, {"", ""}), 1) << lastError;
        const DialogSeen seen = dismisser.Seen();
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.texts.at(kMessageBoxText), "No message defined");
    }
}

TEST_F(MessageCommands, CountRulesGiveTheirMessages)
{
    const struct {
        DesktopCommandTest::Command command;
        std::vector<CString> parameters;
        const char* failure;
    } cases[] = {
        {desktop::DisplayMessage, {"a", "1"}, "Wrong number of parameters"},
        {desktop::InputBox, {"a"}, "Wrong number of parameters"},
        {desktop::MessageBox, {"a", "b", "c"}, "Wrong number of parameters"},
        {desktop::Delay, {}, "Wrong number of parameters"},
        {desktop::LogToFile, {"a.log"}, "Wrong number of Parameters"},
    };
    for (const auto& c : cases) {
        lastError.Empty();
        EXPECT_EQ(Run(c.command, c.parameters), 0);
        EXPECT_STREQ(lastError, c.failure);
    }
}

TEST_F(MessageCommands, DelayWaitsInTheGivenUnit)
{
    const struct {
        const char* amount;
        const char* unit;
        DWORD atLeastMs;
        DWORD atMostMs;
    } cases[] = {
        {"1", "Seconds", 950, 2500},
        {"400", "", 380, 1500},
        // Units compare exactly: small letters mean milliseconds.
        {"1", "seconds", 0, 500},
        {"-5", "Minutes", 0, 500},
    };
    for (const auto& c : cases) {
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(Run(desktop::Delay, {c.amount, c.unit}), 1);
        const ULONGLONG spent = GetTickCount64() - start;
        EXPECT_GE(spent, c.atLeastMs) << c.amount << " " << c.unit;
        EXPECT_LE(spent, c.atMostMs) << c.amount << " " << c.unit;
    }
}

std::string LastLine(const std::string& path)
{
    const std::string text = ReadWholeFile(path);
    if (text.size() < 2)
        return std::string();
    const size_t start = text.rfind('\n', text.size() - 2);
    return text.substr(start == std::string::npos ? 0 : start + 1);
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(MessageCommands, LogToFilePutsABareNameInTheProgramDirectory)
{
    const std::string path = GetModuleDirectory() + "tarvex_run_7q.log";
    DeleteFileA(path.c_str());
    ASSERT_EQ(Run(desktop::LogToFile, {"tarvex_run_7q.log", "Task started"}), 1) << lastError;
    ASSERT_EQ(Run(desktop::LogToFile, {"tarvex_run_7q.log", "Task ended"}), 1) << lastError;
    const std::string text = ReadWholeFile(path);
    DeleteFileA(path.c_str());
    EXPECT_NE(text.find("Task started\r\n"), std::string::npos) << text;
    EXPECT_TRUE(EndsWith(text, "Task ended\r\n")) << text;
}

TEST_F(MessageCommands, LogToFileTakesADirectoryWithoutDriveFromTheCurrentDirectory)
{
    char before[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, before);
    const std::string base = TestDirectory() + "current 7q";
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA((base + "\\logs").c_str(), nullptr);
    SetCurrentDirectoryA(base.c_str());
    const int result = Run(desktop::LogToFile, {"logs\\relative.log", "Relative line"});
    SetCurrentDirectoryA(before);
    const std::string line = LastLine(base + "\\logs\\relative.log");
    DeleteFileA((base + "\\logs\\relative.log").c_str());
    RemoveDirectoryA((base + "\\logs").c_str());
    RemoveDirectoryA(base.c_str());
    EXPECT_EQ(result, 1) << lastError;
    EXPECT_TRUE(EndsWith(line, " Relative line\r\n")) << line;
}

TEST_F(MessageCommands, LogToFileRetriesALockedFileThenFails)
{
    const std::string path = TestDirectory() + "locked_7q.log";
    HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    const ULONGLONG start = GetTickCount64();
    const int result = Run(desktop::LogToFile, {path.c_str(), "Never written"});
    const ULONGLONG spent = GetTickCount64() - start;
    CloseHandle(locked);
    DeleteFileA(path.c_str());
    EXPECT_EQ(result, 0);
    EXPECT_STREQ(lastError, "Unable to write to log file");
    EXPECT_GE(spent, 4400u);
    EXPECT_LE(spent, 12000u);
}

TEST_F(MessageCommands, LogToFileWritesOnceALockIsReleased)
{
    const std::string path = TestDirectory() + "briefly_locked_7q.log";
    HANDLE locked = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    std::thread releaser([locked] {
        Sleep(800);
        CloseHandle(locked);
    });
    const int result = Run(desktop::LogToFile, {path.c_str(), "Written late"});
    releaser.join();
    const std::string line = LastLine(path);
    DeleteFileA(path.c_str());
    EXPECT_EQ(result, 1) << lastError;
    EXPECT_TRUE(EndsWith(line, " Written late\r\n")) << line;
}

}  // namespace
}  // namespace desktop_test
