// A task's run through COM: the script as one queue with its log lines, the
// error report, the grace second and Stop, the prompt and the after-run
// handling of scheduled runs, the account choice and the stop time.
#include <cmath>
#include <ostream>
#include <string>

#include "task_test_support.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;
using namespace tasktest;

namespace {

class TaskRunTest : public TaskComTest {
protected:
    void SetUp() override
    {
        task = NewTask(L"Nightly");
        ASSERT_TRUE(task);
        sched = Part<IQVSchedTrigger>(task.Get());
        ASSERT_TRUE(sched);
    }

    void LogErrorsTo(const std::wstring& path)
    {
        Bstr file(path);
        task->put_LogErrors(1);
        task->put_ErrorLogFile(file.Get());
    }
    void LogRunTo(const std::wstring& path)
    {
        Bstr file(path);
        task->put_IsLog(1);
        task->put_LogFile(file.Get());
    }
    long Running() { return GetLongByName(task.Get(), L"IsRunning"); }
    // RunProgram gives a program it starts time to come up (a second, and
    // up to another until it waits for input) before the script goes on to
    // the next line, which waits for the program.
    static void WaitForTheProgramLine() { Sleep(3000); }
    bool WaitIdle(DWORD limitMs)
    {
        return WaitUntil([this] { return Running() == 0; }, limitMs);
    }
    ScratchFolder scratch;
    ComPtr<IQVTask> task;
    ComPtr<IQVSchedTrigger> sched;
};

// Fails the test when the command component lacks the command: a skip
// would count as a pass.
#define REQUIRE_AVAILABLE(line, what) \
    ASSERT_TRUE(CommandAvailable(line)) << what << " does not work in this build of QvxCmd"

std::string ErrorForm(const char* description, const std::wstring& text)
{
    return std::string("[") + description + "] - " + Narrow(text);
}

}  // namespace

// --- a run and its report ---------------------------------------------------------------

TEST_F(TaskRunTest, ScheduledTaskWithoutCommandsReportsNoActions)
{
    const std::wstring errors = scratch / L"errors.log";
    LogErrorsTo(errors);
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    EXPECT_EQ(Running(), 1);
    ASSERT_TRUE(WaitIdle(10000));
    EXPECT_EQ(LogTexts(errors),
              std::vector<std::string>{"[Nightly] - This task does not contain any actions"});
}

TEST_F(TaskRunTest, RunOnRequestReturnsTheFailureWithItsText)
{
    EXPECT_EQ(task->Run(), E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), L"This task does not contain any actions");
    EXPECT_EQ(Running(), 0);
}

TEST_F(TaskRunTest, FailingLineIsReportedWithTheCommandsOwnText)
{
    const wchar_t* failing = L"RunProgram(C:\\no\\such\\folder\\program.exe)";
    const std::wstring commandText = QueueErrorOf(failing);
    ASSERT_FALSE(commandText.empty());
    const std::wstring errors = scratch / L"errors.log";
    LogErrorsTo(errors);
    AddCommands(task.Get(), {L"// before", failing});

    EXPECT_EQ(task->Run(), E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), L"ERROR: " + commandText);
    EXPECT_EQ(LogTexts(errors), std::vector<std::string>{ErrorForm("Nightly", L"ERROR: " + commandText)});
}

TEST_F(TaskRunTest, ScriptOfCommentsRunsAndStampsTheRun)
{
    AddCommands(task.Get(), {L"// nothing to do", L"* nor here"});
    EventCounter events(task.Get(), DIID__IQVTaskEvents);
    const DATE before = Now();
    EXPECT_EQ(task->Run(), S_OK);
    EXPECT_EQ(Running(), 0);
    EXPECT_GE(events.DataChanged(), 2) << "running, then idle";
    DATE last = 0;
    sched->get_LastExecTime(&last);
    // One second before the run began, in whole seconds.
    EXPECT_LE(last, before);
    EXPECT_GE(last, before - 3 / 86400.0);
    EXPECT_NEAR(last * 86400.0, std::round(last * 86400.0), 1e-3);
}

TEST_F(TaskRunTest, LogLinesWrapTheScriptInOrder)
{
    const std::wstring log = scratch / L"run.log";
    REQUIRE_AVAILABLE((L"LogToFile(" + (scratch / L"probe.log") + L",probe)").c_str(), "LogToFile");
    LogRunTo(log);
    AddCommands(task.Get(), {(L"LogToFile(" + log + L",middle)").c_str()});
    EXPECT_EQ(task->Run(), S_OK);
    EXPECT_EQ(LogTexts(log), (std::vector<std::string>{"LAUNCHING: Nightly", "middle", "COMPLETED: Nightly"}));
}

TEST_F(TaskRunTest, FailureAlsoGoesToTheTasksOwnLog)
{
    const std::wstring log = scratch / L"run.log";
    const std::wstring errors = scratch / L"errors.log";
    LogRunTo(log);
    LogErrorsTo(errors);
    EXPECT_EQ(task->Run(), E_FAIL);  // no commands: nothing was queued
    const std::vector<std::string> expected{"[Nightly] - This task does not contain any actions"};
    EXPECT_EQ(LogTexts(log), expected);
    EXPECT_EQ(LogTexts(errors), expected);
}

// IsLog without a log file: the script runs, and no run log line is
// written anywhere a log could land (the script's own log, the error log,
// the default run log "Qvxsched.log" beside the program or in the working
// folder).
TEST_F(TaskRunTest, LogWithoutFileNameWritesNoLogLines)
{
    const std::wstring scriptLog = scratch / L"script.log";
    const std::wstring errors = scratch / L"errors.log";
    REQUIRE_AVAILABLE((L"LogToFile(" + (scratch / L"probe.log") + L",probe)").c_str(), "LogToFile");
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring programFolder = program;
    programFolder.resize(programFolder.find_last_of(L'\\') + 1);
    wchar_t working[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, working);
    const std::wstring defaultLogs[] = {programFolder + L"Qvxsched.log", std::wstring(working) + L"\\Qvxsched.log"};
    for (const std::wstring& log : defaultLogs)
        DeleteFileW(log.c_str());

    task->put_IsLog(1);
    LogErrorsTo(errors);
    AddCommands(task.Get(), {(L"LogToFile(" + scriptLog + L",the script ran)").c_str()});
    const DWORD start = GetTickCount();
    EXPECT_EQ(task->Run(), S_OK) << Narrow(TakeErrorDescription());
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(LogTexts(scriptLog), std::vector<std::string>{"the script ran"}) << "no LAUNCHING or COMPLETED line";
    EXPECT_FALSE(FileExists(errors)) << ReadFileText(errors);
    for (const std::wstring& log : defaultLogs)
        EXPECT_FALSE(FileExists(log)) << Narrow(log) << ": " << ReadFileText(log);
}

TEST_F(TaskRunTest, AccountChoiceOfTheRun)
{
    const struct {
        long runAsSystem;
        const wchar_t* user;
        const wchar_t* password;
        HRESULT expect;
        const wchar_t* text;
    } cases[] = {
        // No account: the engine's own identity, as with the system account.
        {0, L"", L"", S_OK, L""},
        {1, L"", L"", S_OK, L""},
        {1, L"someone", L"", S_OK, L""},
        // An account without its password can't log on.
        {0, L"someone", L"", E_FAIL, L"ERROR: Unable to logon user - Password is blank"},
    };
    AddCommands(task.Get(), {L"// as whom"});
    for (const auto& c : cases) {
        Bstr user(c.user);
        Bstr password(c.password);
        task->put_RunAsSystem(c.runAsSystem);
        task->put_UserName(user.Get());
        task->put_Password(password.Get());
        EXPECT_EQ(task->Run(), c.expect) << c.runAsSystem << " " << Narrow(c.user);
        EXPECT_EQ(TakeErrorDescription(), c.text);
    }
}

// --- scheduled and requested runs ----------------------------------------------------------

TEST_F(TaskRunTest, DisablingAfterTheRunComesWithScheduledRunsOnly)
{
    AddCommands(task.Get(), {L"// once"});
    task->put_IsDisableAfterExec(1);

    task->put_Enabled(1);
    ASSERT_HRESULT_SUCCEEDED(task->Run());
    EXPECT_EQ(GetLongByName(task.Get(), L"Enabled"), 1) << "a run on request";
    EXPECT_EQ(GetLongByName(task.Get(), L"StartedByScheduler"), 0);

    task->put_StartedByScheduler(1);
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    ASSERT_TRUE(WaitIdle(10000));
    EXPECT_EQ(GetLongByName(task.Get(), L"Enabled"), 0) << "a run of the schedule";

    task->put_Enabled(1);
    task->put_StartedByScheduler(0);
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    ASSERT_TRUE(WaitIdle(10000));
    EXPECT_EQ(GetLongByName(task.Get(), L"Enabled"), 1) << "started on request";
}

TEST_F(TaskRunTest, RunOnRequestAsksNothing)
{
    AddCommands(task.Get(), {L"// at once"});
    task->put_IsPromptBeforeExec(1);
    BoxAnswerer answerer(L"Tarvex", IDCANCEL);
    EXPECT_EQ(task->Run(), S_OK);
    EXPECT_FALSE(answerer.Answered(300));
}

TEST_F(TaskRunTest, PromptDecidesAScheduledRun)
{
    const struct {
        int answer;
        bool runs;
    } cases[] = {{IDCANCEL, false}, {IDOK, true}};
    for (const auto& c : cases) {
        const std::wstring errors = scratch / (c.runs ? L"ok.log" : L"cancel.log");
        LogErrorsTo(errors);
        task->put_IsPromptBeforeExec(1);
        task->put_IsDisableAfterExec(1);
        task->put_Enabled(1);
        task->put_StartedByScheduler(1);
        BoxAnswerer answerer(L"Tarvex", c.answer);
        ASSERT_HRESULT_SUCCEEDED(task->Start());
        ASSERT_TRUE(answerer.Answered(10000));
        EXPECT_EQ(answerer.Text(), L"Run Nightly?");
        ASSERT_TRUE(WaitIdle(10000));
        // With no commands a run that happens reports that, and is a
        // scheduled run that disables the task.
        EXPECT_EQ(LogTexts(errors).size(), c.runs ? 1u : 0u) << c.answer;
        EXPECT_EQ(GetLongByName(task.Get(), L"Enabled"), c.runs ? 0 : 1) << c.answer;
    }
}

TEST_F(TaskRunTest, ErrorBoxShowsTheTextUnderTheErrorCaption)
{
    task->put_DisplayErrors(1);
    BoxAnswerer answerer(L"Tarvex Error", IDOK);
    EXPECT_EQ(task->Run(), E_FAIL);
    ASSERT_TRUE(answerer.Answered(1000));
    EXPECT_EQ(answerer.Text(), L"This task does not contain any actions");
}

// --- Start and Stop --------------------------------------------------------------------

TEST_F(TaskRunTest, StopWithinTheGraceSecondRunsNothing)
{
    const std::wstring errors = scratch / L"errors.log";
    LogErrorsTo(errors);
    EventCounter events(task.Get(), DIID__IQVTaskEvents);
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    const long started = events.DataChanged();
    const ULONGLONG before = GetTickCount64();
    ASSERT_HRESULT_SUCCEEDED(task->Stop());
    EXPECT_LT(GetTickCount64() - before, 1000u);
    EXPECT_EQ(Running(), 0);
    EXPECT_GT(events.DataChanged(), started);
    Sleep(1500);
    EXPECT_FALSE(FileExists(errors)) << "the script did not run";

    // The task can be started again.
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    ASSERT_TRUE(WaitIdle(10000));
    EXPECT_EQ(LogTexts(errors).size(), 1u);
}

TEST_F(TaskRunTest, StopOfAnIdleTaskDoesNothing)
{
    EventCounter events(task.Get(), DIID__IQVTaskEvents);
    ASSERT_HRESULT_SUCCEEDED(task->Stop());
    EXPECT_EQ(events.DataChanged(), 0);
}

TEST_F(TaskRunTest, SecondStartWhileRunningStartsNothing)
{
    const std::wstring errors = scratch / L"errors.log";
    LogErrorsTo(errors);
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    ASSERT_TRUE(WaitIdle(10000));
    Sleep(1500);
    EXPECT_EQ(LogTexts(errors).size(), 1u);
}

TEST_F(TaskRunTest, TaskReleasedDuringItsRunFinishesTheRun)
{
    const std::wstring errors = scratch / L"errors.log";
    LogErrorsTo(errors);
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    sched.Reset();
    task.Reset();
    EXPECT_TRUE(WaitUntil([&] { return LogTexts(errors).size() == 1; }, 10000));
}

TEST_F(TaskRunTest, StopDuringARunningProgramReturnsAndEndsTheQueue)
{
    REQUIRE_AVAILABLE(L"WaitForProgram(0)", "WaitForProgram");
    const std::wstring log = scratch / L"after.log";
    const std::wstring errors = scratch / L"errors.log";
    LogErrorsTo(errors);
    AddCommands(task.Get(), {(L"RunProgram(" + SleeperPath() + L" --ms 10000)").c_str(), L"WaitForProgram(-1)",
                             (L"LogToFile(" + log + L",after)").c_str()});
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    ASSERT_TRUE(WaitUntil([] { return !ProcessesNamed(L"tvx_sleeper.exe").empty(); }, 10000));
    WaitForTheProgramLine();

    const ULONGLONG before = GetTickCount64();
    ASSERT_HRESULT_SUCCEEDED(task->Stop());
    const ULONGLONG took = GetTickCount64() - before;
    EXPECT_GE(took, 4000u) << "the run could not acknowledge while its program runs";
    EXPECT_LT(took, 7000u) << "Stop waits a bounded time";
    EXPECT_EQ(Running(), 1) << "the program still runs";
    ASSERT_TRUE(WaitIdle(15000));
    EXPECT_FALSE(FileExists(log)) << "the line after the program did not run";
    EXPECT_EQ(LogTexts(errors), std::vector<std::string>{"[Nightly] - ERROR: User cancelled execution"});
}

// The two ways a script waits for the program it starts: the wait flag of
// RunProgram (as converted old tasks have it), and WaitForProgram.
struct StopTimeForm {
    const char* name;
    bool waitFlag;
};

void PrintTo(const StopTimeForm& form, std::ostream* out)
{
    *out << form.name;
}

class StopTimeForms : public TaskRunTest, public ::testing::WithParamInterface<StopTimeForm> {};

TEST_P(StopTimeForms, StopTimeKillsTheProgramTheRunWaitsFor)
{
    REQUIRE_AVAILABLE(L"WaitForProgram(0)", "WaitForProgram");
    const std::wstring program = SleeperPath() + L" --ms 60000";
    if (GetParam().waitFlag)
        AddCommands(task.Get(), {(L"RunProgram(" + program + L",,,1)").c_str()});
    else
        AddCommands(task.Get(), {(L"RunProgram(" + program + L")").c_str(), L"WaitForProgram(-1)"});
    task->put_StopAfter(1);
    task->put_StopMinutes(1);
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    std::vector<DWORD> sleepers;
    ASSERT_TRUE(WaitUntil(
        [&] {
            sleepers = ProcessesNamed(L"tvx_sleeper.exe");
            return !sleepers.empty();
        },
        10000));
    tvx::com::Handle sleeper(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, sleepers[0]));
    ASSERT_TRUE(sleeper);
    WaitForTheProgramLine();

    LONG stop = -1;
    ASSERT_HRESULT_SUCCEEDED(task->get_IsTimeToStop(&stop));
    EXPECT_EQ(stop, 0) << "the run began just now";
    // As if the run had begun two minutes ago.
    sched->put_LastExecTime(Now(-120));
    ASSERT_HRESULT_SUCCEEDED(task->get_IsTimeToStop(&stop));
    EXPECT_EQ(stop, 1);

    task->put_IsDirty(0);
    ASSERT_HRESULT_SUCCEEDED(task->KillProcess());
    ASSERT_EQ(WaitForSingleObject(sleeper.Get(), 5000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(sleeper.Get(), &exitCode);
    EXPECT_EQ(exitCode, 1u);
    EXPECT_EQ(GetLongByName(task.Get(), L"IsDirty"), 1);
    LONG process = -1, thread = -1, processId = -1, threadId = -1;
    task->GetProcessInfo(&process, &thread, &processId, &threadId);
    EXPECT_EQ(processId, 0);
    EXPECT_TRUE(WaitIdle(10000)) << "the run goes on once its program ended";
}

INSTANTIATE_TEST_SUITE_P(Scripts, StopTimeForms,
                         ::testing::Values(StopTimeForm{"WaitFlag", true}, StopTimeForm{"WaitForProgram", false}),
                         [](const ::testing::TestParamInfo<StopTimeForm>& info) {
                             return std::string(info.param.name);
                         });
