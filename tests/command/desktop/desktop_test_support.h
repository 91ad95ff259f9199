// Helpers of the desktop command tests: the helper programs, waiting with a
// limit, and the state a command runs with.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "command/desktop/desktop_commands.h"

namespace desktop_test {

// The test program's directory, ending with a backslash; the helper
// programs are built beside it.
std::string TestDirectory();
std::string HelperPath(const char* program);

constexpr char kSleeper[] = "tvx_sleeper.exe";
constexpr char kWindowMaker[] = "tvx_window_maker.exe";
constexpr char kKeyRecorder[] = "tvx_key_recorder.exe";

// Ends every helper program this test process started, directly or through
// a command, that is still running.
void EndHelperProcesses();
// The same for the helper programs the given process started.
void EndHelperProcesses(DWORD parentId);

// Polls the condition (dispatching this thread's messages) until it holds or
// the limit passes; true when it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD limitMs);

// A visible top-level window with exactly this title, waiting for it.
HWND WaitForWindow(const char* title, DWORD limitMs);

// The whole of a file, empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// The lines of a sleeper's report, once it is complete (empty on time-out).
std::vector<std::string> WaitForReport(const std::string& path, DWORD limitMs);
std::string SleeperReportPath(DWORD processId);

// The text of the recorder's edit control.
std::string RecordedText(HWND recorder);

// A process started by the test itself, ended when the object goes.
class HelperProcess {
public:
    HelperProcess(const char* program, const std::string& arguments);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;
    bool Started() const { return m_process != nullptr; }
    // The system error of a start that failed.
    DWORD StartError() const { return m_startError; }
    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process; }
    // Waits until the program's start-up is over and it waits for input.
    bool WaitUntilReady(DWORD limitMs) const;

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
    DWORD m_startError = 0;
};

// What a dismisser saw of the dialog it closed.
struct DialogSeen {
    bool found = false;
    std::string caption;
    std::map<int, std::string> texts;
    bool timedOut = false;
};

// Waits on a thread of its own for a dialog of this process with the
// caption, reads the texts of the listed controls, optionally writes an
// answer into one of them, and presses the button. After the hard limit it
// cancels every dialog of this process instead, so that a command under test
// always returns.
class DialogDismisser {
public:
    struct Plan {
        std::string caption;
        std::vector<int> controls;
        int button = IDOK;
        DWORD pressAfterMs = 300;
        DWORD limitMs = 15000;
        int answerControl = 0;
        std::string answer;
    };
    explicit DialogDismisser(Plan plan);
    ~DialogDismisser();
    DialogDismisser(const DialogDismisser&) = delete;
    DialogDismisser& operator=(const DialogDismisser&) = delete;

    // Waits for the dismisser to finish.
    DialogSeen Seen();

private:
    void Run();
    Plan m_plan;
    DialogSeen m_seen;
    std::thread m_thread;
};

// A test with the command object state a desktop command runs with; every
// helper program still running is ended after the test.
class DesktopCommandTest : public ::testing::Test {
protected:
    using Command = int (*)(const desktop::CommandArguments&, desktop::DesktopContext&);

    void TearDown() override;
    int Run(Command command, const std::vector<CString>& parameters);

    CString lastError;
    desktop::ProcessSlot process;
    CString answer;
    desktop::DesktopContext context{lastError, process};
};

}  // namespace desktop_test
