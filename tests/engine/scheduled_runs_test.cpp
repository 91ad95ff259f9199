// Runs of the real engine, a local server in a process of its own, driven
// by its clock: a task due at a time, a task whose file appears, a task
// deleted after its run and the stop time of a program a task started.
// The test is a COM client of the engine; intervals are short and the
// bounds loose, since the time is real.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "scheduling_test_support.h"

namespace enginetest {
namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::Handle;

constexpr DWORD kEventMs = 10000;
constexpr double kSecond = 1.0 / 86400;

bool IsRunning(IQVScheduler* scheduler)
{
    long running = 0;
    return SUCCEEDED(scheduler->get_IsRunning(&running)) && running == 1;
}

class ScheduledRunsTest : public LocalEngineTest {
protected:
    void SetUp() override
    {
        LocalEngineTest::SetUp();
        RemoveOwnFiles();
    }

    void TearDown() override
    {
        LocalEngineTest::TearDown();
        RemoveOwnFiles();
    }

    void RemoveOwnFiles()
    {
        for (const std::wstring& file : {log_, go_, report_})
            DeleteFileW(file.c_str());
    }

    bool Logged(const char* text) { return Occurrences(log_, text) > 0; }
    std::string ErrorLog() { return ReadFileText(EngineFolder() + L"Qvxerror.log"); }

    // Milliseconds until the local time reaches the date (0 when past).
    static DWORD MsUntil(DATE date)
    {
        const double ms = (date - LocalDate()) * 86400.0 * 1000.0;
        return ms > 0 ? static_cast<DWORD>(ms) : 0;
    }

    const std::wstring log_ = EngineFolder() + L"runs.log";
    const std::wstring go_ = EngineFolder() + L"runs.go";
    const std::wstring report_ = EngineFolder() + L"bounded.report";
};

TEST_F(ScheduledRunsTest, TaskDueAtATimeRunsThenAndOnlyOnce)
{
    REQUIRE_COMMAND_AVAILABLE(LogLine(log_, L"probe"), "LogToFile");
    DeleteFileW(log_.c_str());
    constexpr long kInterval = 2;
    const DATE due = LocalDate(5);
    WriteTaskFile(L"Timed", {LogLine(log_, L"timed ran").c_str()}, [&](IQVTask* task) { MakeOneTime(task, due); });
    ComPtr<IQVScheduler> scheduler = Connect(kInterval);
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->Start());

    EXPECT_FALSE(WaitUntil([&] { return Logged("timed ran"); }, MsUntil(due - kSecond))) << "ran before its time";
    // Two intervals at most, and the second of the run's own start.
    EXPECT_TRUE(WaitUntil([&] { return Logged("timed ran"); }, MsUntil(due) + 2 * kInterval * 1000 + 4000))
        << ErrorLog();
    Sleep(2 * kInterval * 1000 + 1000);
    EXPECT_EQ(Occurrences(log_, "timed ran"), 1u);

    ComPtr<IQVTask> task = TaskNamed(scheduler.Get(), L"Timed");
    EXPECT_EQ(TaskLong(task.Get(), &IQVTask::get_Enabled), 0) << "a one-time schedule is spent";
    ComPtr<IQVTask> stored = StoredTask(L"Timed");
    ASSERT_TRUE(stored);
    EXPECT_EQ(TaskLong(stored.Get(), &IQVTask::get_Enabled), 0);
}

TEST_F(ScheduledRunsTest, ConditionTaskRunsWhenItsFileAppearsOncePerChange)
{
    REQUIRE_COMMAND_AVAILABLE(LogLine(log_, L"probe"), "LogToFile");
    DeleteFileW(log_.c_str());
    WriteTaskFile(L"OnFile", {LogLine(log_, L"file seen").c_str()},
                  [&](IQVTask* task) { MakeFileCondition(task, go_); });
    ComPtr<IQVScheduler> scheduler = Connect(1);
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
    ASSERT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs));
    Sleep(2000);
    EXPECT_FALSE(Logged("file seen")) << "no file yet";

    ASSERT_TRUE(TouchFile(go_));
    EXPECT_TRUE(WaitUntil([&] { return Logged("file seen"); }, 8000)) << ErrorLog();
    Sleep(2500);
    EXPECT_EQ(Occurrences(log_, "file seen"), 1u) << "the file that stays is no new change";
}

TEST_F(ScheduledRunsTest, TaskDeletedAfterItsRunLeavesTheFolderAndTheListAndNoOtherTask)
{
    REQUIRE_COMMAND_AVAILABLE(LogLine(log_, L"probe"), "LogToFile");
    DeleteFileW(log_.c_str());
    ASSERT_TRUE(TouchFile(go_));
    // The task that stays follows the deleted one in the list: it moves into
    // the index the deleted one had.
    WriteTaskFile(L"A-Once", {LogLine(log_, L"once ran").c_str()}, [&](IQVTask* task) {
        MakeFileCondition(task, go_);
        task->put_IsDeleteAfterExec(1);
    });
    WriteTaskFile(L"B-Stays", {L"// nothing"});
    ComPtr<IQVScheduler> scheduler = Connect(1);
    ASSERT_TRUE(scheduler);
    ASSERT_EQ(TaskCount(scheduler.Get()), 2);
    StatusConnection events(scheduler.Get());
    ASSERT_TRUE(events.Connected());
    // Whether the run's line was there when each task event came.
    std::atomic<int> before_run{0};
    std::atomic<int> after_run{0};
    events.Sink().OnEvent([&](long code) {
        if (code != kStatusTasks)
            return;
        if (Logged("once ran"))
            ++after_run;
        else
            ++before_run;
    });
    ASSERT_HRESULT_SUCCEEDED(scheduler->Start());

    ASSERT_TRUE(WaitUntil([&] { return Logged("once ran"); }, kEventMs)) << ErrorLog();
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(TaskFilePath(L"A-Once")); }, kEventMs));
    EXPECT_TRUE(WaitUntil([&] { return IndexOf(scheduler.Get(), L"A-Once") == -1; }, kEventMs));
    EXPECT_TRUE(WaitUntil([&] { return after_run.load() >= 1; }, kEventMs)) << "the run's end";
    EXPECT_GE(before_run.load(), 1) << "the run's start";
    events.Sink().OnEvent(nullptr);
    Sleep(1500);
    EXPECT_EQ(Descriptions(scheduler.Get()), std::vector<std::wstring>{L"B-Stays"});
    EXPECT_TRUE(FileExists(TaskFilePath(L"B-Stays")));
    EXPECT_EQ(Occurrences(log_, "once ran"), 1u);
}

TEST_F(ScheduledRunsTest, StopTimeEndsTheProgramOfARunTheEngineStarted)
{
    REQUIRE_COMMAND_AVAILABLE(L"WaitForProgram(0)", "WaitForProgram");
    DeleteFileW(log_.c_str());
    ASSERT_TRUE(TouchFile(go_));
    const std::wstring program = L"RunProgram(" + SleeperPath() + L" --ms 240000 --report " + report_ + L")";
    WriteTaskFile(L"Bounded", {program.c_str(), L"WaitForProgram(-1)", LogLine(log_, L"after the program").c_str()},
                  [&](IQVTask* task) {
                      MakeFileCondition(task, go_);
                      task->put_StopAfter(1);
                      task->put_StopMinutes(1);  // the smallest limit there is
                  });
    const std::vector<DWORD> before = ProcessesNamed(L"tvx_sleeper.exe");
    ComPtr<IQVScheduler> scheduler = Connect(1);
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->Start());

    ASSERT_TRUE(WaitUntil([&] { return FileExists(report_); }, 20000)) << "the program did not start\n" << ErrorLog();
    started_programs_ = OpenNewProcessesNamed(L"tvx_sleeper.exe", before);
    ASSERT_EQ(started_programs_.size(), 1u);
    const Handle& program_process = started_programs_.front();

    EXPECT_EQ(WaitForSingleObject(program_process.Get(), 45000), static_cast<DWORD>(WAIT_TIMEOUT))
        << "ended before its minute";
    ASSERT_EQ(WaitForSingleObject(program_process.Get(), 40000), WAIT_OBJECT_0)
        << "still running well after its minute";
    DWORD code = 0;
    GetExitCodeProcess(program_process.Get(), &code);
    EXPECT_EQ(code, 1u) << "ended from outside, not by itself";
    EXPECT_TRUE(WaitUntil([&] { return Logged("after the program"); }, kEventMs)) << "the run goes on";
    ComPtr<IQVTask> task = TaskNamed(scheduler.Get(), L"Bounded");
    EXPECT_TRUE(WaitUntil([&] { return TaskLong(task.Get(), &IQVTask::get_IsRunning) == 0; }, kEventMs));
}

}  // namespace
}  // namespace enginetest
