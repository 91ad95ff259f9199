// QVTask through COM: one identity of four parts, defaults and aliases,
// dirty marks, the due tests at chosen times, rescheduling, the stop time,
// the condition edge, the list texts and the task file calls.
#include <cmath>
#include <cwctype>

#include "interfaces/task_file_state.h"
#include "qvxstorg.h"
#include "task_test_support.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::Variant;
using namespace tasktest;

namespace {

class TaskObjectTest : public TaskComTest {
protected:
    void SetUp() override
    {
        task = NewTask(L"Nightly");
        ASSERT_TRUE(task);
        sched = Part<IQVSchedTrigger>(task.Get());
        cond = Part<IQVCondTrigger>(task.Get());
        ASSERT_TRUE(sched);
        ASSERT_TRUE(cond);
    }

    std::wstring Text(HRESULT (STDMETHODCALLTYPE IQVTask::*member)(BSTR*))
    {
        Bstr text;
        EXPECT_HRESULT_SUCCEEDED((task.Get()->*member)(text.Receive()));
        return text.ToString();
    }

    ComPtr<IQVTask> task;
    ComPtr<IQVSchedTrigger> sched;
    ComPtr<IQVCondTrigger> cond;
};

ComPtr<IUnknown> Identity(IUnknown* object)
{
    ComPtr<IUnknown> identity;
    EXPECT_HRESULT_SUCCEEDED(object->QueryInterface(IID_IUnknown, identity.ReceiveVoid()));
    return identity;
}

}  // namespace

// --- one identity ---------------------------------------------------------------

TEST_F(TaskObjectTest, EveryPartAnswersWithTheTasksIdentity)
{
    const ComPtr<IUnknown> identity = Identity(task.Get());
    const IID parts[] = {IID_IQVSchedTrigger, IID_IQVCondTrigger, IID_IQVCmdCollection, IID_IEnumVARIANT};
    for (const IID& iid : parts) {
        ComPtr<IUnknown> part;
        ASSERT_HRESULT_SUCCEEDED(task->QueryInterface(iid, part.ReceiveVoid()));
        EXPECT_EQ(Identity(part.Get()), identity);
        ComPtr<IQVTask> back;
        EXPECT_HRESULT_SUCCEEDED(part->QueryInterface(IID_IQVTask, back.ReceiveVoid()));
        EXPECT_EQ(back.Get(), task.Get());
    }
}

TEST_F(TaskObjectTest, CommandListEnumeratesThroughTheTask)
{
    AddCommands(task.Get(), {L"// first", L"// second"});
    ComPtr<IQVCmdCollection> list = Part<IQVCmdCollection>(task.Get());
    ComPtr<IUnknown> enumerator;
    ASSERT_HRESULT_SUCCEEDED(list->get__NewEnum(enumerator.Receive()));
    ComPtr<IEnumVARIANT> items;
    ASSERT_HRESULT_SUCCEEDED(enumerator.As(items));
    int seen = 0;
    Variant item;
    while (items->Next(1, item.Receive(), nullptr) == S_OK)
        ++seen;
    EXPECT_EQ(seen, 2);
}

TEST(TaskLifetimeTest, FinalReleaseFreesAllThreeParts)
{
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    {
        ComPtr<IQVTask> task = NewTask(L"Short-lived");
        ASSERT_TRUE(task);
        AddCommands(task.Get(), {L"// a line"});
        ComPtr<IQVSchedTrigger> sched = Part<IQVSchedTrigger>(task.Get());
        ComPtr<IQVCondTrigger> cond = Part<IQVCondTrigger>(task.Get());
        // The parts keep the task, so the modules still hold objects.
        task.Reset();
        EXPECT_EQ(ModuleCanUnloadNow(L"QvxTask.dll"), S_FALSE);
        EXPECT_EQ(ModuleCanUnloadNow(L"QvxCmd.dll"), S_FALSE);
    }
    // The task, both triggers, both command lists and the command are gone.
    EXPECT_EQ(ModuleCanUnloadNow(L"QvxTask.dll"), S_OK);
    EXPECT_EQ(ModuleCanUnloadNow(L"QvxCmd.dll"), S_OK);
}

TEST_F(TaskObjectTest, ScriptsReachThePartsByName)
{
    // Names of the schedule trigger, the command list and the condition
    // trigger, through the task's own IDispatch.
    ASSERT_HRESULT_SUCCEEDED(PutByName(task.Get(), L"Frequency", Variant(short{2})));
    short frequency = -1;
    ASSERT_HRESULT_SUCCEEDED(sched->get_Frequency(&frequency));
    EXPECT_EQ(frequency, 2);

    ComPtr<IQVCommand> command = NewCommand(L"// by name");
    ASSERT_HRESULT_SUCCEEDED(InvokeByName(task.Get(), L"Add", DISPATCH_METHOD, {Variant(static_cast<IDispatch*>(command.Get()))}));
    EXPECT_EQ(GetLongByName(task.Get(), L"Count"), 1);

    // Names of the condition trigger.
    ASSERT_HRESULT_SUCCEEDED(PutByName(task.Get(), L"CondType", Variant(short{11})));
    ASSERT_HRESULT_SUCCEEDED(PutByName(task.Get(), L"CondName", Variant(L"notepad.exe")));
    ASSERT_HRESULT_SUCCEEDED(PutByName(task.Get(), L"AutoReset", Variant(1L)));
    ASSERT_HRESULT_SUCCEEDED(PutByName(task.Get(), L"HasToggled", Variant(0L)));
    short condType = -1;
    cond->get_CondType(&condType);
    EXPECT_EQ(condType, 11);
    Bstr condName;
    cond->get_CondName(condName.Receive());
    EXPECT_EQ(condName.ToString(), L"notepad.exe");
    LONG autoReset = 0;
    cond->get_AutoReset(&autoReset);
    EXPECT_EQ(autoReset, 1);
    EXPECT_EQ(GetLongByName(task.Get(), L"HasToggled"), 0);
    ASSERT_HRESULT_SUCCEEDED(InvokeByName(task.Get(), L"Reset", DISPATCH_METHOD, {}));
    EXPECT_EQ(GetLongByName(task.Get(), L"HasToggled"), 1) << "Reset of the condition";
    Variant text;
    ASSERT_HRESULT_SUCCEEDED(InvokeByName(task.Get(), L"GetConditionString", DISPATCH_METHOD, {}, &text));
    ASSERT_EQ(text.Type(), VT_BSTR);
    EXPECT_EQ(std::wstring(text.Get().bstrVal), L"Not Active");

    // A name of the task itself is the task's: Enabled is not the
    // condition's, ReSchedule the task's (it announces itself); Frequency
    // is the schedule's, not the condition's.
    ASSERT_HRESULT_SUCCEEDED(PutByName(task.Get(), L"Enabled", Variant(1L)));
    LONG enabled = 0;
    task->get_Enabled(&enabled);
    EXPECT_EQ(enabled, 1);
    cond->get_Enabled(&enabled);
    EXPECT_EQ(enabled, 0);
    short condFrequency = -1;
    cond->get_Frequency(&condFrequency);
    EXPECT_EQ(condFrequency, 0);
    EventCounter events(task.Get(), DIID__IQVTaskEvents);
    ASSERT_HRESULT_SUCCEEDED(InvokeByName(task.Get(), L"ReSchedule", DISPATCH_METHOD, {}));
    EXPECT_EQ(events.DataChanged(), 1);
}

// --- properties ----------------------------------------------------------------------

TEST_F(TaskObjectTest, PropertiesStartWithTheirDefaults)
{
    const struct {
        const wchar_t* name;
        long value;
    } numbers[] = {
        {L"IsRunning", 0}, {L"StopAfter", 0}, {L"StopHours", 0}, {L"StopMinutes", 0}, {L"Enabled", 0},
        {L"IntervalOffSet", 10}, {L"PastDueOption", 0}, {L"ActionType", 0}, {L"Suspend", 0},
        {L"IsDeleteAfterExec", 0}, {L"IsDisableAfterExec", 0}, {L"IsLog", 0}, {L"IsAlarm", 0},
        {L"IsPromptBeforeExec", 0}, {L"IsSuspendSchedule", 0}, {L"IsExecIfPastDue", 0}, {L"IsSchedIfPastDue", 0},
        {L"IsInteractive", 0}, {L"RunAsSystem", 0}, {L"StartedByScheduler", 1}, {L"SendKeyDelay", 50},
        {L"DisplayErrors", 0}, {L"LogErrors", 0}, {L"TriggerType", 1}, {L"IsActive", 0},
    };
    ComPtr<IQVTask> fresh = NewTask();
    for (const auto& row : numbers)
        EXPECT_EQ(GetLongByName(fresh.Get(), row.name), row.value) << Narrow(row.name);
    EXPECT_EQ(GetLongByName(fresh.Get(), L"IsDirty"), 0);

    const wchar_t* texts[] = {L"Description", L"OldDescription", L"LogFile", L"AlarmWaveFile", L"UserName",
                              L"Password", L"AcctName", L"LastErrorString", L"ErrorLogFile"};
    for (const wchar_t* name : texts) {
        Variant value;
        ASSERT_HRESULT_SUCCEEDED(GetByName(fresh.Get(), name, value)) << Narrow(name);
        ASSERT_EQ(value.Type(), VT_BSTR) << Narrow(name);
        EXPECT_EQ(SysStringLen(V_BSTR(&value.Get())), 0u) << Narrow(name);
    }

    DATE reference = 0;
    ASSERT_HRESULT_SUCCEEDED(fresh->get_RefDateTime(&reference));
    EXPECT_LT(std::fabs(reference - Now()) * 86400.0, 5.0);
}

TEST_F(TaskObjectTest, TwoNamesServeOneValue)
{
    const struct {
        const wchar_t* first;
        const wchar_t* second;
        long value;
    } pairs[] = {
        {L"StopAfter", L"IsStopAfter", 1},
        {L"StopHours", L"StopHrs", 3},
        {L"StopMinutes", L"StopMins", 45},
        {L"Enabled", L"IsEnabled", 1},
    };
    for (const auto& pair : pairs) {
        ASSERT_HRESULT_SUCCEEDED(PutByName(task.Get(), pair.first, Variant(pair.value)));
        EXPECT_EQ(GetLongByName(task.Get(), pair.second), pair.value) << Narrow(pair.first);
        ASSERT_HRESULT_SUCCEEDED(PutByName(task.Get(), pair.second, Variant(0L)));
        EXPECT_EQ(GetLongByName(task.Get(), pair.first), 0) << Narrow(pair.second);
    }
}

TEST_F(TaskObjectTest, WritesMarkTheTaskDirtyAsTheyShould)
{
    const struct {
        const wchar_t* name;
        Variant value;
        bool marks;
    } writes[] = {
        {L"Description", Variant(L"Renamed"), true},
        {L"OldDescription", Variant(L"Nightly"), false},
        {L"IsRunning", Variant(0L), false},
        {L"StopAfter", Variant(1L), true},
        {L"StopHours", Variant(short{1}), true},
        {L"RefDateTime", Variant::FromDate(Now()), false},
        {L"Enabled", Variant(1L), true},
        {L"IntervalOffSet", Variant(30L), false},
        {L"PastDueOption", Variant(short{1}), false},
        {L"ActionType", Variant(short{1}), true},
        {L"IsLog", Variant(1L), true},
        {L"LogFile", Variant(L"run.log"), true},
        {L"UserName", Variant(L"someone"), true},
        {L"StartedByScheduler", Variant(0L), true},
        {L"SendKeyDelay", Variant(10L), false},
        {L"LastErrorString", Variant(L"text"), false},
        {L"DisplayErrors", Variant(1L), false},
        {L"LogErrors", Variant(1L), false},
        {L"ErrorLogFile", Variant(L"errors.log"), false},
        {L"TriggerType", Variant(short{0}), true},
        {L"IsActive", Variant(1L), false},
    };
    for (const auto& write : writes) {
        ASSERT_HRESULT_SUCCEEDED(task->put_IsDirty(0));
        ASSERT_HRESULT_SUCCEEDED(PutByName(task.Get(), write.name, write.value)) << Narrow(write.name);
        EXPECT_EQ(GetLongByName(task.Get(), L"IsDirty"), write.marks ? 1 : 0) << Narrow(write.name);
    }
}

TEST_F(TaskObjectTest, RunningAndActiveWritesAnnounceTheChange)
{
    EventCounter events(task.Get(), DIID__IQVTaskEvents);
    ASSERT_HRESULT_SUCCEEDED(task->put_Enabled(1));
    ASSERT_HRESULT_SUCCEEDED(task->put_IsDirty(1));
    EXPECT_EQ(events.DataChanged(), 0);
    ASSERT_HRESULT_SUCCEEDED(task->put_IsRunning(0));
    EXPECT_EQ(events.DataChanged(), 1);
    ASSERT_HRESULT_SUCCEEDED(task->put_IsActive(1));
    EXPECT_EQ(events.DataChanged(), 2);
}

TEST_F(TaskObjectTest, TextsGoInAndComeOutWhole)
{
    const std::wstring text = L"Backup \x00e9t\x00e9, C:\\Data";
    Bstr in(text);
    ASSERT_HRESULT_SUCCEEDED(task->put_LogFile(in.Get()));
    Bstr out;
    ASSERT_HRESULT_SUCCEEDED(task->get_LogFile(out.Receive()));
    EXPECT_EQ(out.ToString(), text);
    ASSERT_HRESULT_SUCCEEDED(task->put_LogFile(nullptr));
    ASSERT_HRESULT_SUCCEEDED(task->get_LogFile(out.Receive()));
    EXPECT_EQ(out.ToString(), L"");
}

TEST_F(TaskObjectTest, ProcessInformationReadsBackAsStored)
{
    ASSERT_HRESULT_SUCCEEDED(task->SetProcessInfo(11, 12, 13, 14));
    LONG process = 0, thread = 0, processId = 0, threadId = 0;
    ASSERT_HRESULT_SUCCEEDED(task->GetProcessInfo(&process, &thread, &processId, &threadId));
    EXPECT_EQ(process, 11);
    EXPECT_EQ(thread, 12);
    EXPECT_EQ(processId, 13);
    EXPECT_EQ(threadId, 14);
    EXPECT_EQ(task->GetProcessInfo(&process, nullptr, &processId, &threadId), E_POINTER);
}

TEST_F(TaskObjectTest, KillProcessLeavesAnIdleTaskAlone)
{
    // A process id of this very test: killing it would end the test.
    ASSERT_HRESULT_SUCCEEDED(task->SetProcessInfo(0, 0, static_cast<LONG>(GetCurrentProcessId()), 0));
    ASSERT_HRESULT_SUCCEEDED(task->put_IsDirty(0));
    EXPECT_HRESULT_SUCCEEDED(task->KillProcess());
    LONG process = 0, thread = 0, processId = 0, threadId = 0;
    task->GetProcessInfo(&process, &thread, &processId, &threadId);
    EXPECT_EQ(processId, static_cast<LONG>(GetCurrentProcessId()));
    EXPECT_EQ(GetLongByName(task.Get(), L"IsDirty"), 0);
}

// --- due tests -----------------------------------------------------------------------

struct DueCase {
    const char* name;
    long enabled;
    short frequency;
    long nextFromRef;  // seconds
    long lastFromRef;
    long execIfPastDue;
    long schedIfPastDue;
    long expectDue;
    bool expectRescheduled;
    const wchar_t* expectText;  // next-run text after the test; null: a date
};

void PrintTo(const DueCase& c, std::ostream* out)
{
    *out << c.name;
}

class DueTest : public TaskObjectTest, public ::testing::WithParamInterface<DueCase> {};

TEST_P(DueTest, DecidesAtTheReferenceTime)
{
    const DueCase& c = GetParam();
    const DATE reference = Now();
    ASSERT_HRESULT_SUCCEEDED(task->put_Enabled(c.enabled));
    ASSERT_HRESULT_SUCCEEDED(task->put_IsExecIfPastDue(c.execIfPastDue));
    ASSERT_HRESULT_SUCCEEDED(task->put_IsSchedIfPastDue(c.schedIfPastDue));
    ASSERT_HRESULT_SUCCEEDED(task->put_RefDateTime(reference));
    ASSERT_HRESULT_SUCCEEDED(task->put_IntervalOffSet(10));
    ASSERT_HRESULT_SUCCEEDED(sched->put_Frequency(c.frequency));
    ASSERT_HRESULT_SUCCEEDED(sched->put_NextSchedTime(reference + c.nextFromRef / 86400.0));
    ASSERT_HRESULT_SUCCEEDED(sched->put_LastExecTime(reference + c.lastFromRef / 86400.0));
    DATE before = 0;
    sched->get_NextSchedTime(&before);

    LONG due = -1;
    ASSERT_HRESULT_SUCCEEDED(task->DoSchedule(&due));
    EXPECT_EQ(due, c.expectDue);
    DATE after = 0;
    sched->get_NextSchedTime(&after);
    if (c.expectRescheduled) {
        EXPECT_GT(after, reference) << "the next run moved past the reference time";
    } else {
        EXPECT_EQ(after, before);
    }
    if (c.expectText != nullptr) {
        EXPECT_EQ(Text(&IQVTask::GetNextScheduledAsString), c.expectText);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DueTest,
    ::testing::Values(
        DueCase{"DisabledTaskIsNeverDue", 0, 1, -5, -86400, 0, 0, 0, false, nullptr},
        DueCase{"NotScheduledByTimeIsNeverDue", 1, 4, -5, -86400, 0, 0, 0, false, L"On Condition"},
        DueCase{"RanWithinTheToleranceIsNotDue", 1, 1, -5, -5, 0, 0, 0, false, nullptr},
        DueCase{"NextTimeReachedIsDueAndRescheduled", 1, 1, -5, -86400, 0, 0, 1, true, nullptr},
        DueCase{"NextTimeAheadIsNotDue", 1, 1, 60, -86400, 0, 0, 0, false, nullptr},
        DueCase{"PastDueWithoutPolicyStaysPastDue", 1, 1, -30, -86400, 0, 0, 0, false, L"Past Due-No Action"},
        DueCase{"PastDueExecutesWhenAskedTo", 1, 1, -30, -86400, 1, 0, 1, true, nullptr},
        DueCase{"PastDueOnlyReschedulesWhenAskedTo", 1, 1, -30, -86400, 0, 1, 0, true, nullptr}),
    [](const ::testing::TestParamInfo<DueCase>& info) { return std::string(info.param.name); });

TEST_F(TaskObjectTest, ForcedLaunchOfAPastDueTaskStillLaunches)
{
    const DATE reference = Now();
    task->put_RefDateTime(reference);
    sched->put_Frequency(1);
    sched->put_NextSchedTime(reference - 30 / 86400.0);
    LONG launch = 0;
    ASSERT_HRESULT_SUCCEEDED(task->CheckAndLaunch(1, &launch));
    EXPECT_EQ(launch, 1);
}

TEST_F(TaskObjectTest, OneTimeTaskIsDisabledByReSchedule)
{
    EventCounter events(task.Get(), DIID__IQVTaskEvents);
    task->put_Enabled(1);
    task->put_IsDirty(0);
    sched->put_Frequency(0);
    ASSERT_HRESULT_SUCCEEDED(task->ReSchedule());
    EXPECT_EQ(GetLongByName(task.Get(), L"Enabled"), 0);
    EXPECT_EQ(GetLongByName(task.Get(), L"IsDirty"), 1);
    EXPECT_EQ(events.DataChanged(), 1);
    EXPECT_EQ(Text(&IQVTask::GetNextScheduledAsString), L"Never");
}

TEST_F(TaskObjectTest, ReScheduleStopsAtTheEndDate)
{
    const DATE end = Now(120);
    task->put_Enabled(1);
    sched->put_Frequency(1);
    sched->put_ScheduledIndefinately(0);
    sched->put_DurationTime(end);
    ASSERT_HRESULT_SUCCEEDED(task->ReSchedule());
    EXPECT_EQ(GetLongByName(task.Get(), L"Enabled"), 0);
    DATE next = 0;
    DATE stored = 0;
    sched->get_NextSchedTime(&next);
    sched->get_DurationTime(&stored);
    EXPECT_EQ(next, stored);
    EXPECT_NEAR(next, end, 1.0 / 86400);
}

TEST_F(TaskObjectTest, StopTimeIsMeasuredAgainstTheClock)
{
    const struct {
        short hours;
        short minutes;
        long ranSecondsAgo;
        long expect;
    } cases[] = {
        {0, 0, 100000, 0},  // no limit
        {0, 1, 30, 0},
        {0, 1, 61, 1},
        {1, 0, 3500, 0},
        {1, 0, 3700, 1},
        {1, 30, 5300, 0},
        {1, 30, 5500, 1},
    };
    // A reference time far back must not matter: a running task keeps the
    // reference time of its launch.
    task->put_RefDateTime(Now(-100000));
    for (const auto& c : cases) {
        task->put_StopHours(c.hours);
        task->put_StopMinutes(c.minutes);
        sched->put_LastExecTime(Now(-c.ranSecondsAgo));
        LONG stop = -1;
        ASSERT_HRESULT_SUCCEEDED(task->get_IsTimeToStop(&stop));
        EXPECT_EQ(stop, c.expect) << c.hours << "h " << c.minutes << "m, ran " << c.ranSecondsAgo << " s ago";
    }
}

TEST_F(TaskObjectTest, WorkDaysOutsideTheWeekAreRefused)
{
    for (short day : {short{-1}, short{7}})
        EXPECT_EQ(task->PutWorkDay(day, 1), E_INVALIDARG) << day;
    for (short day = 0; day <= 6; ++day)
        EXPECT_HRESULT_SUCCEEDED(task->PutWorkDay(day, 1)) << day;
}

// --- condition -----------------------------------------------------------------------

TEST_F(TaskObjectTest, ConditionThatStaysTrueFiresOnce)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const wchar_t* name = wcsrchr(path, L'\\') != nullptr ? wcsrchr(path, L'\\') + 1 : path;
    task->put_TriggerType(5);
    task->put_RunAsSystem(1);
    cond->put_CondType(11);  // this very program is running
    Bstr program(name);
    cond->put_CondName(program.Get());
    cond->put_Action(1);
    cond->Reset();

    LONG check = 0;
    ASSERT_HRESULT_SUCCEEDED(task->NeedToCheckCondition(&check));
    EXPECT_EQ(check, 1);
    LONG enabled = 0;
    short action = -1;
    cond->get_Enabled(&enabled);
    cond->get_Action(&action);
    EXPECT_EQ(enabled, 1);
    EXPECT_EQ(action, 0);

    const LONG expected[] = {1, 0, 0};
    for (LONG expect : expected) {
        LONG fire = -1;
        ASSERT_HRESULT_SUCCEEDED(task->DoCondition(&fire));
        EXPECT_EQ(fire, expect);
    }
}

// The engine asks a condition task at every pass; a condition that went
// false and came true again fires again, once per rise.
TEST_F(TaskObjectTest, ConditionFiresAgainAfterItWentFalseAndTrueAgain)
{
    ScratchFolder scratch;
    const std::wstring watched = scratch / L"signal.txt";
    task->put_TriggerType(2);
    task->put_RunAsSystem(1);
    cond->put_CondType(5);  // the file exists
    Bstr path(watched);
    cond->put_CondName(path.Get());
    cond->Reset();

    const auto check = [&] {
        LONG asked = 0;
        EXPECT_HRESULT_SUCCEEDED(task->NeedToCheckCondition(&asked));
        EXPECT_EQ(asked, 1);
        LONG fire = -1;
        EXPECT_HRESULT_SUCCEEDED(task->DoCondition(&fire));
        return fire;
    };
    const auto create = [&] {
        tvx::com::Handle file(CreateFileW(watched.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(file) << GetLastError();
    };

    EXPECT_EQ(check(), 0) << "no file yet";
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        create();
        EXPECT_EQ(check(), 1) << "the file came";
        EXPECT_EQ(check(), 0) << "the file stays";
        ASSERT_TRUE(DeleteFileW(watched.c_str()));
        EXPECT_EQ(check(), 0) << "the file went";
        EXPECT_EQ(check(), 0) << "the file stays away";
    }
}

TEST_F(TaskObjectTest, FailedConditionTestGivesItsReason)
{
    // A logon of a stored account: under Wine the logon gives a token that
    // nothing can use, so the test fails with the condition's reason.
    Bstr user(L"NOSUCHDOMAIN\\nobody");
    Bstr password(L"secret");
    task->put_UserName(user.Get());
    task->put_Password(password.Get());
    task->put_RunAsSystem(0);
    cond->put_CondType(11);
    Bstr program(L"no_such_program.exe");
    cond->put_CondName(program.Get());
    cond->put_Enabled(1);

    LONG fire = 7;
    const HRESULT hr = task->DoCondition(&fire);
    Bstr conditionReason;
    cond->get_LastErrorString(conditionReason.Receive());
    if (SUCCEEDED(hr) && conditionReason.Empty())
        GTEST_SKIP() << "this system logged the account on; the failure path can't be reached here";
    EXPECT_EQ(hr, E_FAIL);
    EXPECT_EQ(fire, 7) << "the out value is left as the caller set it";
    EXPECT_FALSE(conditionReason.Empty());
    EXPECT_EQ(Text(&IQVTask::get_LastErrorString), conditionReason.ToString());
}

TEST_F(TaskObjectTest, SwitchToSystemAccountDropsTheStoredUserOfTheCondition)
{
    Bstr user(L"NOSUCHDOMAIN\\nobody");
    Bstr password(L"secret");
    task->put_UserName(user.Get());
    task->put_Password(password.Get());
    task->put_RunAsSystem(0);
    cond->put_CondType(11);
    Bstr program(L"no_such_program.exe");
    cond->put_CondName(program.Get());
    cond->put_Enabled(1);

    LONG fire = 7;
    if (SUCCEEDED(task->DoCondition(&fire)))
        GTEST_SKIP() << "this system logged the account on; the stored user can't be told apart here";

    // The account stays stored in the task, but the condition now tests as
    // the process itself.
    task->put_RunAsSystem(1);
    fire = 7;
    EXPECT_HRESULT_SUCCEEDED(task->DoCondition(&fire));
    EXPECT_NE(fire, 7);
}

// --- texts ---------------------------------------------------------------------------

TEST_F(TaskObjectTest, FrequencyTextFollowsTheTriggerType)
{
    Bstr scheduleText;
    sched->put_Frequency(1);
    ASSERT_HRESULT_SUCCEEDED(sched->GetFrequencyAsString(scheduleText.Receive()));
    const struct {
        short triggerType;
        std::wstring text;
    } cases[] = {
        {0, L"Manual"}, {1, scheduleText.ToString()}, {2, L"File Watch"}, {3, L"Application Watch"},
        {4, L"Window Watch"}, {5, L"Process Watch"}, {6, L""}, {-1, L""},
    };
    for (const auto& c : cases) {
        task->put_TriggerType(c.triggerType);
        EXPECT_EQ(Text(&IQVTask::GetFrequencyAsString), c.text) << c.triggerType;
    }
    EXPECT_FALSE(scheduleText.Empty());
}

TEST_F(TaskObjectTest, StatusTextShowsRunningFirstAndManualTasksBlank)
{
    const struct {
        long enabled;
        short triggerType;
        long running;
        const wchar_t* text;
    } cases[] = {
        {0, 1, 0, L"Disabled"}, {1, 1, 0, L"Enabled"}, {1, 0, 0, L""},
        {0, 0, 0, L""},         {1, 0, 1, L"Running"}, {0, 3, 1, L"Running"},
    };
    for (const auto& c : cases) {
        task->put_Enabled(c.enabled);
        task->put_TriggerType(c.triggerType);
        task->put_IsRunning(c.running);
        EXPECT_EQ(Text(&IQVTask::GetStatusAsString), c.text)
            << c.enabled << " " << c.triggerType << " " << c.running;
    }
}

TEST_F(TaskObjectTest, NextRunTextByTriggerAndSchedule)
{
    task->put_RefDateTime(Now());
    sched->put_NextSchedTime(Now(3600));
    Bstr dateText;
    ASSERT_HRESULT_SUCCEEDED(sched->NextScheduleAsString(dateText.Receive()));

    const struct {
        short triggerType;
        short frequency;
        long enabled;
        std::wstring text;
    } cases[] = {
        {0, 1, 1, L""},
        {2, 4, 1, L"On Condition"},
        {1, 0, 0, L"Never"},
        {1, 0, 1, dateText.ToString()},
        {1, 2, 0, dateText.ToString()},
    };
    for (const auto& c : cases) {
        task->put_TriggerType(c.triggerType);
        sched->put_Frequency(c.frequency);
        task->put_Enabled(c.enabled);
        EXPECT_EQ(Text(&IQVTask::GetNextScheduledAsString), c.text) << c.triggerType << " " << c.frequency;
    }
}

// --- task file --------------------------------------------------------------------------

class TaskFileTest : public TaskObjectTest {
protected:
    void SetUp() override
    {
        TaskObjectTest::SetUp();
        // The tests' fixture registers the storage component: without it
        // these tests fail rather than pass unrun.
        ComPtr<IUnknown> storage;
        ASSERT_HRESULT_SUCCEEDED(storage.CreateInstance(CLSID_QVTaskStorage, CLSCTX_INPROC_SERVER))
            << "QvxStorg.QVTaskStorage is not registered";
        // A name of this run's own: the file lies in "tasks" beside the test.
        name = L"Task file test " + std::to_wstring(GetCurrentProcessId());
        Bstr text(name);
        task->put_Description(text.Get());
    }
    void TearDown() override
    {
        if (task)
            task->DeleteFromStorage(0);
    }

    std::vector<ComPtr<IQVCommand>> Commands()
    {
        std::vector<ComPtr<IQVCommand>> commands;
        ComPtr<IQVCmdCollection> list = Part<IQVCmdCollection>(task.Get());
        long count = 0;
        list->get_Count(&count);
        for (long index = 0; index < count; ++index) {
            ComPtr<IQVCommand> command;
            list->Item(static_cast<int>(index), command.Receive());
            commands.push_back(command);
        }
        return commands;
    }
    static std::vector<std::wstring> Lines(const std::vector<ComPtr<IQVCommand>>& commands)
    {
        std::vector<std::wstring> lines;
        for (const ComPtr<IQVCommand>& command : commands) {
            Bstr line;
            command->get_FullCommand(line.Receive());
            lines.push_back(line.ToString());
        }
        return lines;
    }

    std::wstring name;
};

TEST_F(TaskFileTest, WriteReloadsTheCommandListAsStored)
{
    AddCommands(task.Get(), {L"// first", L"Delay(1,Seconds)"});
    const std::vector<ComPtr<IQVCommand>> before = Commands();
    ASSERT_HRESULT_SUCCEEDED(task->WriteToStorage(0)) << Narrow(TakeErrorDescription());
    EXPECT_EQ(GetLongByName(task.Get(), L"IsDirty"), 0);
    const std::vector<ComPtr<IQVCommand>> after = Commands();
    EXPECT_EQ(Lines(after), Lines(before));
    ASSERT_EQ(after.size(), 2u);
    EXPECT_NE(after[0].Get(), before[0].Get()) << "the list was read back from the file";

    ComPtr<IQVTask> copy = NewTask(name.c_str());
    ASSERT_HRESULT_SUCCEEDED(copy->ReadFromStorage(0));
    EXPECT_EQ(GetLongByName(copy.Get(), L"Count"), 2);
    EXPECT_EQ(GetLongByName(copy.Get(), L"IsDirty"), 0);

    ASSERT_HRESULT_SUCCEEDED(task->DeleteFromStorage(0));
    EXPECT_EQ(GetLongByName(task.Get(), L"IsDirty"), 1);
    EXPECT_EQ(copy->ReadFromStorage(0), E_FAIL) << "the file is gone";
}

// The engine saves one task from several threads at once (a client's
// EnableTask, a scheduling pass, RunTask), and a save empties the command
// list and reads it back from the file: no save may take its lines from a
// list another save has half emptied.
TEST_F(TaskFileTest, SavesFromSeveralThreadsAtOnceKeepEveryCommandLine)
{
    const std::vector<std::wstring> lines = {L"// one", L"// two", L"// three"};
    AddCommands(task.Get(), {L"// one", L"// two", L"// three"});
    constexpr int kThreads = 8;
    constexpr int kSaves = 50;
    std::atomic<int> failed{0};
    std::vector<std::thread> savers;
    for (int t = 0; t < kThreads; ++t) {
        savers.emplace_back([&, t] {
            tvx::com::CoInit com(COINIT_MULTITHREADED);
            for (int i = 0; i < kSaves; ++i) {
                task->put_Enabled((i + t) % 2);
                if (FAILED(task->WriteToStorage(0)))
                    ++failed;
            }
        });
    }
    for (std::thread& saver : savers)
        saver.join();
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(Lines(Commands()), lines) << "the task's own list";
    ComPtr<IQVTask> copy = NewTask(name.c_str());
    ASSERT_HRESULT_SUCCEEDED(copy->ReadFromStorage(0));
    ComPtr<IQVCmdCollection> stored = Part<IQVCmdCollection>(copy.Get());
    std::vector<std::wstring> stored_lines;
    long count = 0;
    stored->get_Count(&count);
    for (long index = 0; index < count; ++index) {
        ComPtr<IQVCommand> command;
        Bstr line;
        if (SUCCEEDED(stored->Item(static_cast<int>(index), command.Receive())))
            command->get_FullCommand(line.Receive());
        stored_lines.push_back(line.ToString());
    }
    EXPECT_EQ(stored_lines, lines) << "the file";
}

// A run takes the script's lines whole while other threads save the task.
TEST_F(TaskFileTest, RunWhileTheTaskIsSavedRunsEveryLine)
{
    ScratchFolder scratch;
    const std::wstring log = scratch / L"run.log";
    ASSERT_TRUE(CommandAvailable((L"LogToFile(" + (scratch / L"probe.log") + L",probe)").c_str()))
        << "LogToFile does not work in this build of QvxCmd";
    AddCommands(task.Get(), {(L"LogToFile(" + log + L",first)").c_str(), (L"LogToFile(" + log + L",second)").c_str()});
    ASSERT_HRESULT_SUCCEEDED(task->WriteToStorage(0)) << Narrow(TakeErrorDescription());
    std::atomic<bool> stop{false};
    std::vector<std::thread> savers;
    for (int t = 0; t < 3; ++t) {
        savers.emplace_back([&] {
            tvx::com::CoInit com(COINIT_MULTITHREADED);
            while (!stop)
                task->WriteToStorage(0);
        });
    }
    constexpr int kRuns = 15;
    std::vector<HRESULT> results;
    for (int i = 0; i < kRuns; ++i)
        results.push_back(task->Run());
    stop = true;
    for (std::thread& saver : savers)
        saver.join();
    EXPECT_EQ(results, std::vector<HRESULT>(kRuns, S_OK));
    std::vector<std::string> expected;
    for (int i = 0; i < kRuns; ++i) {
        expected.push_back("first");
        expected.push_back("second");
    }
    EXPECT_EQ(LogTexts(log), expected);
}

TEST_F(TaskFileTest, FailedWriteKeepsEditsAndCommands)
{
    AddCommands(task.Get(), {L"// kept", L"// as well"});
    task->put_IsLog(1);
    const std::vector<ComPtr<IQVCommand>> before = Commands();
    // A kind of file the storage does not know: the write fails.
    EXPECT_TRUE(FAILED(task->WriteToStorage(7)));
    EXPECT_EQ(Commands(), before);
    EXPECT_EQ(Text(&IQVTask::get_Description), name);
    EXPECT_EQ(GetLongByName(task.Get(), L"IsLog"), 1);
    EXPECT_EQ(GetLongByName(task.Get(), L"IsDirty"), 1);
}

// --- two task objects of one file ------------------------------------------------------

namespace {

std::wstring StoredLogFile(const std::wstring& name)
{
    ComPtr<IQVTask> reader = NewTask(name.c_str());
    if (FAILED(reader->ReadFromStorage(0)))
        return L"(not read)";
    Bstr log;
    reader->get_LogFile(log.Receive());
    return log.ToString();
}

ComPtr<IQVTaskFileState> FileState(IQVTask* task)
{
    ComPtr<IQVTaskFileState> state;
    EXPECT_HRESULT_SUCCEEDED(task->QueryInterface(__uuidof(IQVTaskFileState), state.ReceiveVoid()));
    return state;
}

}  // namespace

// Two programs hold the same task, each read from its file: the one that
// saves second would silently undo the other's change. Its save is refused
// and says why; read again, its change is saved on top of the other's.
TEST_F(TaskFileTest, SaveOfATaskWhoseFileAnotherObjectSavedSinceIsRefused)
{
    AddCommands(task.Get(), {L"// shared"});
    ASSERT_HRESULT_SUCCEEDED(task->WriteToStorage(0)) << Narrow(TakeErrorDescription());
    ComPtr<IQVTask> other = NewTask(name.c_str());
    ASSERT_HRESULT_SUCCEEDED(other->ReadFromStorage(0));

    Bstr first(L"first.log");
    task->put_LogFile(first.Get());
    ASSERT_HRESULT_SUCCEEDED(task->WriteToStorage(0)) << Narrow(TakeErrorDescription());

    Bstr second(L"second.log");
    other->put_LogFile(second.Get());
    other->put_IsAlarm(1);
    EXPECT_EQ(other->WriteToStorage(0), E_FAIL);
    EXPECT_NE(TakeErrorDescription().find(L"changed by another program"), std::wstring::npos);
    EXPECT_EQ(StoredLogFile(name), L"first.log") << "the first save is kept";
    EXPECT_EQ(GetLongByName(other.Get(), L"IsAlarm"), 1) << "the refused edits stay in the task";

    // Read again (the command list replaced, not added to), changed again,
    // saved: both changes are in the file.
    ComPtr<IQVTaskFileState> state = FileState(other.Get());
    ASSERT_TRUE(state);
    ASSERT_HRESULT_SUCCEEDED(state->ReloadFromStorage());
    EXPECT_EQ(GetLongByName(other.Get(), L"Count"), 1);
    EXPECT_EQ(GetLongByName(other.Get(), L"IsAlarm"), 0);
    other->put_IsAlarm(1);
    ASSERT_HRESULT_SUCCEEDED(other->WriteToStorage(0)) << Narrow(TakeErrorDescription());
    ComPtr<IQVTask> reader = NewTask(name.c_str());
    ASSERT_HRESULT_SUCCEEDED(reader->ReadFromStorage(0));
    EXPECT_EQ(GetLongByName(reader.Get(), L"IsAlarm"), 1);
    EXPECT_EQ(StoredLogFile(name), L"first.log");

    // The first object is now behind in its turn.
    task->put_IsAlarm(0);
    EXPECT_EQ(task->WriteToStorage(0), E_FAIL);
    TakeErrorDescription();
}

// A file deleted by another program is not brought back by a save of a
// task read from it; a task that deleted its file, or was never read from
// one, saves it anew.
TEST_F(TaskFileTest, SaveAfterAnotherProgramDeletedTheFileIsRefused)
{
    ASSERT_HRESULT_SUCCEEDED(task->WriteToStorage(0)) << Narrow(TakeErrorDescription());
    ComPtr<IQVTask> other = NewTask(name.c_str());
    ASSERT_HRESULT_SUCCEEDED(other->ReadFromStorage(0));
    ASSERT_HRESULT_SUCCEEDED(task->DeleteFromStorage(0));

    EXPECT_EQ(other->WriteToStorage(0), E_FAIL);
    EXPECT_NE(TakeErrorDescription().find(L"deleted by another program"), std::wstring::npos);
    EXPECT_EQ(StoredLogFile(name), L"(not read)");

    ASSERT_HRESULT_SUCCEEDED(task->WriteToStorage(0)) << Narrow(TakeErrorDescription());
    ComPtr<IQVTask> fresh = NewTask(name.c_str());
    Bstr log(L"fresh.log");
    fresh->put_LogFile(log.Get());
    EXPECT_HRESULT_SUCCEEDED(fresh->WriteToStorage(0)) << "a task never read replaces the file";
    EXPECT_EQ(StoredLogFile(name), L"fresh.log");
}

// A task named anew is based on no file: it saves under its new name, and
// a description changed only in letter case is still the same file.
TEST_F(TaskFileTest, FileVersionFollowsTheDescription)
{
    ASSERT_HRESULT_SUCCEEDED(task->WriteToStorage(0)) << Narrow(TakeErrorDescription());
    ComPtr<IQVTaskFileState> state = FileState(task.Get());
    ASSERT_TRUE(state);
    ULONGLONG version = 0;
    EXPECT_EQ(state->GetFileVersion(&version), S_OK);

    std::wstring upper = name;
    for (wchar_t& c : upper)
        c = static_cast<wchar_t>(towupper(c));
    Bstr sameFile(upper);
    task->put_Description(sameFile.Get());
    ULONGLONG kept = 0;
    EXPECT_EQ(state->GetFileVersion(&kept), S_OK);
    EXPECT_EQ(kept, version);

    Bstr otherName(name + L" renamed");
    task->put_Description(otherName.Get());
    EXPECT_EQ(state->GetFileVersion(&kept), S_FALSE);
    Bstr back(name);
    task->put_Description(back.Get());
}
