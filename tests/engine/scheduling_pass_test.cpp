// The scheduling pass of the scheduler object held in the test's own
// process, run on request (IEngineScheduler::RunSchedulingPass) so that each
// case decides when its pass comes: which tasks it launches, what it gives
// them (holidays, logins, the mark of the scheduler's own run), the stop
// time of runs, and what holds it back (a suspended scheduler, a running
// task that suspends the schedule). The last cases let the scheduler's own
// thread tick and tell its state.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include "engine/scheduler.h"
#include "scheduling_test_support.h"

namespace enginetest {
namespace {

using tvx::com::Bstr;
using tvx::com::ComObject;
using tvx::com::ComPtr;

constexpr DWORD kRunMs = 15000;
constexpr double kSecond = 1.0 / 86400;

class SchedulingPassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearEngineFiles();
        RemoveOwnFiles();
    }

    void TearDown() override
    {
        if (scheduler_)
            scheduler_->Stop();
        EndProcesses(started_programs_);
        // The runs end before the files they write go.
        if (scheduler_)
            WaitUntil([&] { return NoTaskRuns(); }, kRunMs);
        engine_.Reset();
        scheduler_.Reset();
        RemoveOwnFiles();
    }

    void RemoveOwnFiles()
    {
        for (const std::wstring& file : {log_, go_, hold_go_, next_go_, report_})
            DeleteFileW(file.c_str());
    }

    // The scheduler object, with the tasks of the folder; its errors are
    // logged, never shown.
    IQVScheduler* Scheduler()
    {
        if (!scheduler_) {
            EXPECT_HRESULT_SUCCEEDED(
                ComObject<CQVScheduler>::Create(nullptr, IID_IQVScheduler, scheduler_.ReceiveVoid()))
                << Narrow(TakeErrorDescription());
            if (!scheduler_)
                return nullptr;
            EXPECT_HRESULT_SUCCEEDED(scheduler_->put_DisplayErrors(0));
            EXPECT_HRESULT_SUCCEEDED(scheduler_->put_LogErrors(1));
            EXPECT_HRESULT_SUCCEEDED(scheduler_.As(engine_));
        }
        return scheduler_.Get();
    }

    void Pass()
    {
        ASSERT_TRUE(Scheduler());
        ASSERT_TRUE(engine_);
        engine_->RunSchedulingPass();
    }

    bool NoTaskRuns()
    {
        ComPtr<IQVTaskCollection> list;
        long count = 0;
        if (FAILED(scheduler_.As(list)) || FAILED(list->get_Count(&count)))
            return true;
        for (long index = 0; index < count; ++index) {
            ComPtr<IQVTask> task;
            if (SUCCEEDED(list->Item(index, task.Receive())) && TaskLong(task.Get(), &IQVTask::get_IsRunning) == 1)
                return false;
        }
        return true;
    }

    bool Logged(const char* text) { return Occurrences(log_, text) > 0; }

    std::string ErrorLog() { return ReadFileText(EngineFolder() + L"Qvxerror.log"); }

    const std::wstring log_ = EngineFolder() + L"pass.log";
    const std::wstring go_ = EngineFolder() + L"pass.go";
    const std::wstring hold_go_ = EngineFolder() + L"hold.go";
    const std::wstring next_go_ = EngineFolder() + L"next.go";
    const std::wstring report_ = EngineFolder() + L"stop-time.report";

    tvx::com::CoInit com_{COINIT_MULTITHREADED};
    ComPtr<IQVScheduler> scheduler_;
    ComPtr<IEngineScheduler> engine_;
    std::vector<tvx::com::Handle> started_programs_;
};

// ---------------------------------------------------------------------------
// What a pass launches

TEST_F(SchedulingPassTest, PassLaunchesTheDueTasksOnceAndLeavesTheOthers)
{
    REQUIRE_COMMAND_AVAILABLE(LogLine(log_, L"probe"), "LogToFile");
    DeleteFileW(log_.c_str());
    ASSERT_TRUE(TouchFile(go_));
    const DATE now = LocalDate();
    const DATE in_an_hour = now + 3600 * kSecond;
    struct Setup {
        const wchar_t* name;
        const char* line;
        bool runs;
        std::function<void(IQVTask*)> configure;
    };
    const Setup setups[] = {
        {L"Due", "due ran", true, [&](IQVTask* task) { MakeOneTime(task, now - kSecond); }},
        {L"Later", "later ran", false, [&](IQVTask* task) { MakeOneTime(task, in_an_hour); }},
        {L"Disabled", "disabled ran", false,
         [&](IQVTask* task) {
             MakeOneTime(task, now - kSecond);
             task->put_Enabled(0);
         }},
        {L"Manual", "manual ran", false, [](IQVTask* task) { task->put_TriggerType(0); }},
        {L"FileThere", "file there ran", true, [&](IQVTask* task) { MakeFileCondition(task, go_); }},
        {L"FileMissing", "file missing ran", false,
         [&](IQVTask* task) { MakeFileCondition(task, EngineFolder() + L"no-such.go"); }},
    };
    for (const Setup& setup : setups) {
        const std::wstring line = LogLine(log_, std::wstring(setup.line, setup.line + strlen(setup.line)));
        WriteTaskFile(setup.name, {line.c_str()}, setup.configure);
    }
    ASSERT_TRUE(Scheduler());
    ASSERT_EQ(TaskCount(Scheduler()), 6);

    Pass();
    EXPECT_TRUE(WaitUntil([&] { return Logged("due ran") && Logged("file there ran"); }, kRunMs)) << ErrorLog();
    ASSERT_TRUE(WaitUntil([&] { return NoTaskRuns(); }, kRunMs));
    // A second pass: the one-time task is spent, the condition has not
    // changed since it fired.
    Pass();
    Sleep(2500);
    ASSERT_TRUE(WaitUntil([&] { return NoTaskRuns(); }, kRunMs));
    for (const Setup& setup : setups)
        EXPECT_EQ(Occurrences(log_, setup.line), setup.runs ? 1u : 0u) << Narrow(setup.name);

    ComPtr<IQVTask> due = TaskNamed(Scheduler(), L"Due");
    EXPECT_EQ(TaskLong(due.Get(), &IQVTask::get_Enabled), 0) << "a one-time schedule is spent by its run";
    ComPtr<IQVTask> stored = StoredTask(L"Due");
    ASSERT_TRUE(stored);
    EXPECT_EQ(TaskLong(stored.Get(), &IQVTask::get_Enabled), 0) << "and saved so";

    ComPtr<IQVTask> later = TaskNamed(Scheduler(), L"Later");
    EXPECT_EQ(TaskLong(later.Get(), &IQVTask::get_Enabled), 1);
    ComPtr<IQVSchedTrigger> schedule;
    ASSERT_HRESULT_SUCCEEDED(later.As(schedule));
    DATE next = 0;
    schedule->get_NextSchedTime(&next);
    EXPECT_NEAR(next, in_an_hour, kSecond / 2) << "a task that is not due keeps its time";
}

TEST_F(SchedulingPassTest, RunLaunchedByAPassIsTheSchedulersOwn)
{
    // Only a run the scheduler started has the after-run handling, here the
    // disabling: the pass marks the run even when the task came without
    // the mark.
    REQUIRE_COMMAND_AVAILABLE(LogLine(log_, L"probe"), "LogToFile");
    DeleteFileW(log_.c_str());
    ASSERT_TRUE(TouchFile(go_));
    WriteTaskFile(L"Once", {LogLine(log_, L"once ran").c_str()}, [&](IQVTask* task) {
        MakeFileCondition(task, go_);
        task->put_IsDisableAfterExec(1);
    });
    ASSERT_TRUE(Scheduler());
    ComPtr<IQVTask> task = TaskNamed(Scheduler(), L"Once");
    ASSERT_TRUE(task);
    ASSERT_HRESULT_SUCCEEDED(task->put_StartedByScheduler(0));

    Pass();
    ASSERT_TRUE(WaitUntil([&] { return Logged("once ran"); }, kRunMs)) << ErrorLog();
    ASSERT_TRUE(WaitUntil([&] { return NoTaskRuns(); }, kRunMs));
    EXPECT_EQ(TaskLong(task.Get(), &IQVTask::get_Enabled), 0);
}

// ---------------------------------------------------------------------------
// A task another program saved since the engine read it

struct ForeignSaveCase {
    const char* name;
    bool enabled;  // as the other program left it
    const char* ran;  // what the pass runs, or nullptr
};

void PrintTo(const ForeignSaveCase& c, std::ostream* out)
{
    *out << c.name;
}

class ForeignSavePassTest : public SchedulingPassTest, public ::testing::WithParamInterface<ForeignSaveCase> {};

// The storage refuses the pass's save of a due task whose file another
// program has saved since the engine read it. The pass then takes the task
// as the file holds it: it runs (or leaves) what that program saved, and
// the engine's copy and the file agree afterwards.
TEST_P(ForeignSavePassTest, DueTaskSavedByAnotherProgramMeanwhileRunsAsThatProgramLeftIt)
{
    const ForeignSaveCase& c = GetParam();
    REQUIRE_COMMAND_AVAILABLE(LogLine(log_, L"probe"), "LogToFile");
    DeleteFileW(log_.c_str());
    const DATE due = LocalDate(-1);
    const std::wstring old_line = LogLine(log_, L"old script ran");
    const std::wstring new_line = LogLine(log_, L"new script ran");
    WriteTaskFile(L"Edited", {old_line.c_str()}, [&](IQVTask* task) { MakeOneTime(task, due); });
    ASSERT_TRUE(Scheduler());
    ComPtr<IQVTask> listed = TaskNamed(Scheduler(), L"Edited");
    ASSERT_TRUE(listed);

    WriteTaskFile(L"Edited", {new_line.c_str()}, [&](IQVTask* task) {
        MakeOneTime(task, due);
        task->put_Enabled(c.enabled ? 1 : 0);
    });
    Pass();
    if (c.ran) {
        EXPECT_TRUE(WaitUntil([&] { return Logged(c.ran); }, kRunMs)) << ErrorLog();
    } else {
        Sleep(2500);
    }
    ASSERT_TRUE(WaitUntil([&] { return NoTaskRuns(); }, kRunMs));
    EXPECT_FALSE(Logged("old script ran")) << "the engine ran the script the file no longer holds";
    EXPECT_EQ(Occurrences(log_, "new script ran"), c.ran ? 1u : 0u);

    ComPtr<IQVTask> stored = StoredTask(L"Edited");
    ASSERT_TRUE(stored);
    ComPtr<IQVCmdCollection> commands;
    ASSERT_HRESULT_SUCCEEDED(listed.As(commands));
    ComPtr<IQVCommand> first;
    ASSERT_HRESULT_SUCCEEDED(commands->Item(0, first.Receive()));
    Bstr line;
    first->get_FullCommand(line.Receive());
    EXPECT_EQ(line.ToString(), new_line) << "the engine's copy stayed as it was read";
    EXPECT_EQ(TaskLong(stored.Get(), &IQVTask::get_Enabled), 0) << "a one-time schedule is spent, or was disabled";
    EXPECT_EQ(TaskLong(listed.Get(), &IQVTask::get_Enabled), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, ForeignSavePassTest,
                         ::testing::Values(ForeignSaveCase{"ScriptChanged", true, "new script ran"},
                                           ForeignSaveCase{"Disabled", false, nullptr}),
                         [](const ::testing::TestParamInfo<ForeignSaveCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// Holidays

struct HolidayCase {
    const char* name;
    std::vector<double> days;  // from today, time of day included
    std::vector<double> kept;
};

void PrintTo(const HolidayCase& c, std::ostream* out)
{
    *out << c.name;
}

class HolidayPassTest : public SchedulingPassTest, public ::testing::WithParamInterface<HolidayCase> {};

TEST_P(HolidayPassTest, HolidaysBeforeTodayLeaveTheListAndTheTaskAvoidsTheOthers)
{
    const HolidayCase& c = GetParam();
    const DATE now = LocalDate();
    const DATE today = DayOf(now);
    // A daily task due now whose next day is a holiday: rescheduled past it.
    WriteTaskFile(L"Daily", {L"// nothing"}, [&](IQVTask* task) { MakeDailyAvoidingHolidays(task, now - kSecond); });
    ASSERT_TRUE(Scheduler());
    for (double day : c.days)
        ASSERT_HRESULT_SUCCEEDED(Scheduler()->AddHoliday(today + day));

    Pass();

    long count = -1;
    ASSERT_HRESULT_SUCCEEDED(Scheduler()->GetHolidayCount(&count));
    ASSERT_EQ(count, static_cast<long>(c.kept.size()));
    for (short index = 0; index < count; ++index) {
        DATE holiday = 0;
        ASSERT_HRESULT_SUCCEEDED(Scheduler()->get_Holiday(index, &holiday));
        EXPECT_DOUBLE_EQ(holiday, today + c.kept[index]) << "holiday " << index << ", time of day kept";
    }
    // The shortened list is the one stored next.
    ASSERT_HRESULT_SUCCEEDED(Scheduler()->WriteToStorage());
    ASSERT_HRESULT_SUCCEEDED(Scheduler()->ReadFromStorage());
    ASSERT_HRESULT_SUCCEEDED(Scheduler()->GetHolidayCount(&count));
    EXPECT_EQ(count, static_cast<long>(c.kept.size()));

    ComPtr<IQVTask> task = TaskNamed(Scheduler(), L"Daily");
    ComPtr<IQVSchedTrigger> schedule;
    ASSERT_HRESULT_SUCCEEDED(task.As(schedule));
    DATE next = 0;
    schedule->get_NextSchedTime(&next);
    EXPECT_EQ(DayOf(next), today + 2) << "tomorrow is a holiday the task was given";
}

INSTANTIATE_TEST_SUITE_P(
    Table, HolidayPassTest,
    ::testing::Values(HolidayCase{"TwoPastHolidaysThenAFutureOne", {-3.5, -2.25, 1.5}, {1.5}},
                      HolidayCase{"TodayEarlierThanNowStays", {-1.0, 0.0, 1.0}, {0.0, 1.0}}),
    [](const ::testing::TestParamInfo<HolidayCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Logins

struct AdoptionCase {
    const char* name;
    const wchar_t* user;
    const wchar_t* password;
    long run_as_system;
    const wchar_t* adopted;  // empty: nothing adopted, nothing saved
};

void PrintTo(const AdoptionCase& c, std::ostream* out)
{
    *out << c.name;
}

class LoginAdoptionPassTest : public SchedulingPassTest, public ::testing::WithParamInterface<AdoptionCase> {};

TEST_P(LoginAdoptionPassTest, TaskWithoutAccountNameTakesTheNameOfItsStoredLogin)
{
    const AdoptionCase& c = GetParam();
    // A manual task: the pass gives it its account all the same.
    WriteTaskFile(L"Account", {L"// nothing"}, [&](IQVTask* task) {
        task->put_AcctName(Bstr(L"").Get());
        task->put_UserName(Bstr(c.user).Get());
        task->put_Password(Bstr(c.password).Get());
        task->put_RunAsSystem(c.run_as_system);
    });
    ASSERT_TRUE(Scheduler());
    ASSERT_HRESULT_SUCCEEDED(Scheduler()->AddLogin(Bstr(L"Nightly").Get(), Bstr(L"CORP").Get(), Bstr(L"batch").Get(),
                                                   Bstr(L"secret").Get()));
    ASSERT_HRESULT_SUCCEEDED(
        Scheduler()->AddLogin(Bstr(L"Local").Get(), Bstr(L"").Get(), Bstr(L"admin").Get(), Bstr(L"pw").Get()));

    Pass();

    ComPtr<IQVTask> task = TaskNamed(Scheduler(), L"Account");
    EXPECT_EQ(TaskText(task.Get(), &IQVTask::get_AcctName), c.adopted);
    EXPECT_EQ(TaskText(task.Get(), &IQVTask::get_UserName), c.user);
    ComPtr<IQVTask> stored = StoredTask(L"Account");
    ASSERT_TRUE(stored);
    EXPECT_EQ(TaskText(stored.Get(), &IQVTask::get_AcctName), c.adopted) << "the task file";
}

INSTANTIATE_TEST_SUITE_P(
    Table, LoginAdoptionPassTest,
    ::testing::Values(AdoptionCase{"DomainAndLoginName", L"CORP\\batch", L"secret", 0, L"Nightly"},
                      AdoptionCase{"LoginNameOfALoginWithoutDomain", L"admin", L"pw", 0, L"Local"},
                      AdoptionCase{"OtherPassword", L"CORP\\batch", L"guess", 0, L""},
                      AdoptionCase{"SystemAccountTask", L"CORP\\batch", L"secret", 1, L""}),
    [](const ::testing::TestParamInfo<AdoptionCase>& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Stop time

struct StopTimeCase {
    const char* name;
    long started_by_scheduler;
    bool ended;
};

void PrintTo(const StopTimeCase& c, std::ostream* out)
{
    *out << c.name;
}

class StopTimePassTest : public SchedulingPassTest, public ::testing::WithParamInterface<StopTimeCase> {};

TEST_P(StopTimePassTest, PassEndsTheProgramOfARunPastItsStopTimeOnlyWhenTheSchedulerStartedIt)
{
    REQUIRE_COMMAND_AVAILABLE(L"WaitForProgram(0)", "WaitForProgram");
    const StopTimeCase& c = GetParam();
    const std::wstring program = L"RunProgram(" + SleeperPath() + L" --ms 120000 --report " + report_ + L")";
    WriteTaskFile(L"Bounded", {program.c_str(), L"WaitForProgram(-1)", LogLine(log_, L"after the program").c_str()},
                  [](IQVTask* task) {
                      task->put_TriggerType(0);
                      task->put_StopAfter(1);
                      task->put_StopMinutes(1);
                  });
    ASSERT_TRUE(Scheduler());
    ComPtr<IQVTask> task = TaskNamed(Scheduler(), L"Bounded");
    ASSERT_TRUE(task);
    ASSERT_HRESULT_SUCCEEDED(task->put_StartedByScheduler(c.started_by_scheduler));
    const std::vector<DWORD> before = ProcessesNamed(L"tvx_sleeper.exe");
    ASSERT_HRESULT_SUCCEEDED(task->Start());
    ASSERT_TRUE(WaitUntil([&] { return FileExists(report_); }, kRunMs)) << "the program did not start";
    started_programs_ = OpenNewProcessesNamed(L"tvx_sleeper.exe", before);
    ASSERT_EQ(started_programs_.size(), 1u);
    const tvx::com::Handle& program_process = started_programs_.front();
    // The script goes on to wait for the program a moment after starting it.
    Sleep(3000);

    // As if the run had begun two minutes ago.
    ComPtr<IQVSchedTrigger> schedule;
    ASSERT_HRESULT_SUCCEEDED(task.As(schedule));
    ASSERT_HRESULT_SUCCEEDED(schedule->put_LastExecTime(LocalDate(-120)));
    ASSERT_EQ(TaskLong(task.Get(), &IQVTask::get_IsTimeToStop), 1);

    Pass();

    if (c.ended) {
        ASSERT_EQ(WaitForSingleObject(program_process.Get(), 10000), WAIT_OBJECT_0) << "the program was not ended";
        DWORD code = 0;
        GetExitCodeProcess(program_process.Get(), &code);
        EXPECT_EQ(code, 1u) << "ended from outside, not by itself";
        EXPECT_EQ(TaskLong(task.Get(), &IQVTask::get_StartedByScheduler), 0);
        EXPECT_TRUE(WaitUntil([&] { return Logged("after the program"); }, kRunMs)) << "the run goes on";
        EXPECT_TRUE(WaitUntil([&] { return NoTaskRuns(); }, kRunMs));
    } else {
        EXPECT_EQ(WaitForSingleObject(program_process.Get(), 2500), static_cast<DWORD>(WAIT_TIMEOUT))
            << "a run on request has no stop time";
        EXPECT_EQ(TaskLong(task.Get(), &IQVTask::get_IsRunning), 1);
        EndProcesses(started_programs_);
        EXPECT_TRUE(WaitUntil([&] { return NoTaskRuns(); }, kRunMs));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StopTimePassTest,
                         ::testing::Values(StopTimeCase{"RunOnRequest", 0, false},
                                           StopTimeCase{"RunOfTheScheduler", 1, true}),
                         [](const ::testing::TestParamInfo<StopTimeCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// What holds the passes back

TEST_F(SchedulingPassTest, SuspendedSchedulerMakesNoPass)
{
    REQUIRE_COMMAND_AVAILABLE(LogLine(log_, L"probe"), "LogToFile");
    DeleteFileW(log_.c_str());
    ASSERT_TRUE(TouchFile(go_));
    WriteTaskFile(L"Ready", {LogLine(log_, L"ready ran").c_str()},
                  [&](IQVTask* task) { MakeFileCondition(task, go_); });
    ASSERT_TRUE(Scheduler());
    ASSERT_HRESULT_SUCCEEDED(Scheduler()->SetSuspendScheduler(1));
    Pass();
    Sleep(2500);
    EXPECT_FALSE(Logged("ready ran"));
    EXPECT_TRUE(NoTaskRuns());

    ASSERT_HRESULT_SUCCEEDED(Scheduler()->SetSuspendScheduler(0));
    Pass();
    EXPECT_TRUE(WaitUntil([&] { return Logged("ready ran"); }, kRunMs)) << "the task was due all along";
}

struct SuspendingCase {
    const char* name;
    long suspends;
};

void PrintTo(const SuspendingCase& c, std::ostream* out)
{
    *out << c.name;
}

class SuspendingTaskPassTest : public SchedulingPassTest, public ::testing::WithParamInterface<SuspendingCase> {};

TEST_P(SuspendingTaskPassTest, TaskThatSuspendsTheScheduleHoldsThePassesWhileItRuns)
{
    REQUIRE_COMMAND_AVAILABLE(L"Delay(1,Milliseconds)", "Delay");
    const SuspendingCase& c = GetParam();
    DeleteFileW(log_.c_str());
    ASSERT_TRUE(TouchFile(hold_go_));
    ASSERT_TRUE(TouchFile(next_go_));
    WriteTaskFile(L"A-Hold", {L"Delay(3,Seconds)", LogLine(log_, L"hold done").c_str()}, [&](IQVTask* task) {
        MakeFileCondition(task, hold_go_);
        task->put_IsSuspendSchedule(c.suspends);
    });
    WriteTaskFile(L"B-Next", {LogLine(log_, L"next ran").c_str()},
                  [&](IQVTask* task) { MakeFileCondition(task, next_go_); });
    ASSERT_TRUE(Scheduler());
    ASSERT_LT(IndexOf(Scheduler(), L"A-Hold"), IndexOf(Scheduler(), L"B-Next"));
    ComPtr<IQVTask> hold = TaskNamed(Scheduler(), L"A-Hold");

    Pass();
    ASSERT_EQ(TaskLong(hold.Get(), &IQVTask::get_IsRunning), 1);
    if (!c.suspends) {
        EXPECT_TRUE(WaitUntil([&] { return Logged("next ran"); }, kRunMs)) << "launched by the same pass";
        EXPECT_FALSE(Logged("hold done"));
        return;
    }
    Sleep(1500);
    EXPECT_FALSE(Logged("next ran")) << "the pass ended after the suspending task";
    Pass();
    Sleep(1000);
    EXPECT_EQ(TaskLong(hold.Get(), &IQVTask::get_IsRunning), 1) << "the case needs a longer run";
    EXPECT_FALSE(Logged("next ran")) << "no pass while the suspending task runs";

    ASSERT_TRUE(WaitUntil([&] { return TaskLong(hold.Get(), &IQVTask::get_IsRunning) == 0; }, kRunMs));
    Pass();
    ASSERT_TRUE(WaitUntil([&] { return Logged("next ran"); }, kRunMs)) << "passes again once the run is over";
    const std::string text = ReadFileText(log_);
    EXPECT_LT(text.find("hold done"), text.find("next ran"));
}

INSTANTIATE_TEST_SUITE_P(Table, SuspendingTaskPassTest,
                         ::testing::Values(SuspendingCase{"Suspending", 1}, SuspendingCase{"Ordinary", 0}),
                         [](const ::testing::TestParamInfo<SuspendingCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// The scheduler thread: passes of its own, one a second

class TickingSchedulerTest : public SchedulingPassTest {
protected:
    // The scheduler running with a pass at every tick.
    void StartTicking()
    {
        ASSERT_TRUE(Scheduler());
        ASSERT_HRESULT_SUCCEEDED(Scheduler()->put_ScheduleInterval(1));
        ASSERT_HRESULT_SUCCEEDED(Scheduler()->Start());
    }
};

TEST_F(TickingSchedulerTest, SuspendedSchedulerTicksSuspendedAndRunsNothingUntilResumed)
{
    REQUIRE_COMMAND_AVAILABLE(LogLine(log_, L"probe"), "LogToFile");
    DeleteFileW(log_.c_str());
    ASSERT_TRUE(TouchFile(go_));
    WriteTaskFile(L"Ready", {LogLine(log_, L"ready ran").c_str()},
                  [&](IQVTask* task) { MakeFileCondition(task, go_); });
    ASSERT_TRUE(Scheduler());
    StatusConnection events(Scheduler());
    ASSERT_TRUE(events.Connected());
    ASSERT_HRESULT_SUCCEEDED(Scheduler()->SetSuspendScheduler(1));
    StartTicking();
    ASSERT_TRUE(events.Sink().WaitFor(kStatusSuspended, 2, kRunMs));

    events.Sink().Clear();
    Sleep(3000);
    const long suspended_ticks = events.Sink().Count(kStatusSuspended);
    EXPECT_GE(suspended_ticks, 2) << "one a second";
    EXPECT_LE(suspended_ticks, 4) << "one a second";
    EXPECT_EQ(events.Sink().Count(kStatusRunning), 0);
    EXPECT_FALSE(Logged("ready ran"));

    ASSERT_HRESULT_SUCCEEDED(Scheduler()->SetSuspendScheduler(0));
    EXPECT_TRUE(WaitUntil([&] { return Logged("ready ran"); }, 8000)) << ErrorLog();
    EXPECT_GE(events.Sink().Count(kStatusRunning), 1);
}

TEST_F(TickingSchedulerTest, TaskThatSuspendsTheScheduleHoldsTheTicksUntilItsRunEnds)
{
    REQUIRE_COMMAND_AVAILABLE(L"Delay(1,Milliseconds)", "Delay");
    DeleteFileW(log_.c_str());
    ASSERT_TRUE(TouchFile(hold_go_));
    WriteTaskFile(L"Hold", {L"Delay(4,Seconds)", LogLine(log_, L"hold done").c_str()}, [&](IQVTask* task) {
        MakeFileCondition(task, hold_go_);
        task->put_IsSuspendSchedule(1);
    });
    WriteTaskFile(L"Later", {LogLine(log_, L"later ran").c_str()},
                  [&](IQVTask* task) { MakeFileCondition(task, next_go_); });
    ASSERT_TRUE(Scheduler());
    StatusConnection events(Scheduler());
    ASSERT_TRUE(events.Connected());
    ComPtr<IQVTask> hold = TaskNamed(Scheduler(), L"Hold");
    ASSERT_TRUE(hold);
    StartTicking();
    ASSERT_TRUE(WaitUntil([&] { return TaskLong(hold.Get(), &IQVTask::get_IsRunning) == 1; }, kRunMs));

    ASSERT_TRUE(TouchFile(next_go_));
    events.Sink().Clear();
    Sleep(2500);
    ASSERT_EQ(TaskLong(hold.Get(), &IQVTask::get_IsRunning), 1) << "the case needs a longer run";
    EXPECT_GE(events.Sink().Count(kStatusSuspended), 2) << "the ticks tell the schedule is held";
    EXPECT_EQ(events.Sink().Count(kStatusRunning), 0);
    EXPECT_FALSE(Logged("later ran"));

    ASSERT_TRUE(WaitUntil([&] { return Logged("later ran"); }, kRunMs)) << ErrorLog();
    const std::string text = ReadFileText(log_);
    EXPECT_LT(text.find("hold done"), text.find("later ran"));
    EXPECT_GE(events.Sink().Count(kStatusRunning), 1) << "the ticks after the run";
}

}  // namespace
}  // namespace enginetest
