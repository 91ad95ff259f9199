// The scheduler object held in the test's own process, made of the
// registered task, storage and command components and working on the
// settings and task files of the engine's folder: settings and their file,
// holidays, logins, the task list, runs, the running state, the start-up
// countdown and the events.
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <thread>

#include "engine/scheduler.h"
#include "engine_test_support.h"

namespace enginetest {
namespace {

using tvx::com::Bstr;
using tvx::com::ComObject;
using tvx::com::ComPtr;

constexpr DWORD kEventMs = 10000;
constexpr DWORD kRunMs = 20000;

class SchedulerObjectTest : public ::testing::Test {
protected:
    void SetUp() override { ClearEngineFiles(); }

    ComPtr<IQVScheduler> NewScheduler()
    {
        ComPtr<IQVScheduler> scheduler;
        EXPECT_HRESULT_SUCCEEDED(ComObject<CQVScheduler>::Create(nullptr, IID_IQVScheduler, scheduler.ReceiveVoid()))
            << Narrow(TakeErrorDescription());
        return scheduler;
    }

    static ComPtr<IQVTaskCollection> Tasks(IQVScheduler* scheduler)
    {
        ComPtr<IQVTaskCollection> tasks;
        EXPECT_HRESULT_SUCCEEDED(scheduler->QueryInterface(IID_IQVTaskCollection, tasks.ReceiveVoid()));
        return tasks;
    }

    static long TaskCount(IQVScheduler* scheduler)
    {
        long count = -1;
        ComPtr<IQVTaskCollection> tasks = Tasks(scheduler);
        if (tasks)
            tasks->get_Count(&count);
        return count;
    }

    static short IndexOf(IQVScheduler* scheduler, const wchar_t* description)
    {
        short index = -1;
        ComPtr<IQVTaskCollection> tasks = Tasks(scheduler);
        if (tasks)
            tasks->FindTaskIndex(Bstr(description).Get(), &index);
        return index;
    }

    static long Interval(IQVScheduler* scheduler)
    {
        long value = 0;
        EXPECT_HRESULT_SUCCEEDED(scheduler->get_ScheduleInterval(&value));
        return value;
    }

    static bool IsRunning(IQVScheduler* scheduler)
    {
        long running = 0;
        return SUCCEEDED(scheduler->get_IsRunning(&running)) && running == 1;
    }

    tvx::com::CoInit com_{COINIT_MULTITHREADED};
};

// ---------------------------------------------------------------------------
// Settings

TEST_F(SchedulerObjectTest, SettingsHaveTheSettingsFileDefaultsFromConstruction)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    EXPECT_TRUE(FileExists(SettingsFilePath())) << "a missing settings file is created";
    long value = -1;
    EXPECT_EQ(Interval(scheduler.Get()), 10);
    scheduler->get_StartupDelay(&value);
    EXPECT_EQ(value, 0);
    scheduler->get_SendKeyDelay(&value);
    EXPECT_EQ(value, 50);
    scheduler->get_DisplayErrors(&value);
    EXPECT_EQ(value, 1);
    scheduler->get_LogErrors(&value);
    EXPECT_EQ(value, 1);
    scheduler->get_RunOnStartup(&value);
    EXPECT_EQ(value, 0);
    short order = -1;
    scheduler->get_SortOrder(&order);
    EXPECT_EQ(order, 0);
    const long work_days[7] = {1, 1, 1, 1, 1, 0, 0};
    for (short day = 0; day < 7; ++day) {
        ASSERT_HRESULT_SUCCEEDED(scheduler->get_IsWorkDay(day, &value));
        EXPECT_EQ(value, work_days[day]) << "day " << day;
    }
    Bstr file;
    scheduler->get_ErrorFileName(file.Receive());
    EXPECT_EQ(file.ToString(), EngineFolder() + L"Qvxerror.log");
}

TEST_F(SchedulerObjectTest, UnreadableSettingsFileLeavesTheDefaultsAndIsNeverOverwritten)
{
    {
        tvx::com::Handle file(CreateFileW(SettingsFilePath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.Get(), "\x02\x00\x00", 3, &written, nullptr));
    }
    const std::string before = ReadFileText(SettingsFilePath());
    {
        ComPtr<IQVScheduler> scheduler = NewScheduler();
        ASSERT_TRUE(scheduler);
        EXPECT_EQ(Interval(scheduler.Get()), 10);
        long value = 0;
        scheduler->get_SendKeyDelay(&value);
        EXPECT_EQ(value, 50);
        ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
        ASSERT_HRESULT_SUCCEEDED(scheduler->Stop());
        ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
    }
    EXPECT_EQ(ReadFileText(SettingsFilePath()), before);
    EXPECT_NE(ReadFileText(DiagnosticsLogPath()).find("Unable to read system option file."), std::string::npos);
}

TEST_F(SchedulerObjectTest, ScheduleIntervalBelowOneSecondIsRefusedAndTheIntervalKept)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    for (long refused : {0L, -1L, LONG_MIN}) {
        EXPECT_EQ(scheduler->put_ScheduleInterval(refused), E_INVALIDARG) << refused;
        EXPECT_FALSE(TakeErrorDescription().empty());
        EXPECT_EQ(Interval(scheduler.Get()), 10);
    }
    EXPECT_HRESULT_SUCCEEDED(scheduler->put_ScheduleInterval(1));
    EXPECT_EQ(Interval(scheduler.Get()), 1);
}

TEST_F(SchedulerObjectTest, StoredScheduleIntervalBelowOneSecondIsReadAsOne)
{
    // Every object stays until the end: the last release of one can come
    // from its folder watcher's round, a moment after the test let it go,
    // and its final write of the settings would undo a patch made since.
    std::vector<ComPtr<IQVScheduler>> schedulers;
    schedulers.push_back(NewScheduler());
    ASSERT_TRUE(schedulers.back());
    ASSERT_HRESULT_SUCCEEDED(schedulers.back()->WriteToStorage());
    for (long stored : {0L, -7L}) {
        ASSERT_TRUE(PatchSettingsField(2, stored));  // ScheduleInterval
        ASSERT_TRUE(PatchSettingsField(3, 4));       // StartupDelay, read after it
        schedulers.push_back(NewScheduler());
        IQVScheduler* scheduler = schedulers.back().Get();
        ASSERT_TRUE(scheduler);
        EXPECT_EQ(Interval(scheduler), 1) << "stored " << stored;
        long delay = 0;
        scheduler->get_StartupDelay(&delay);
        EXPECT_EQ(delay, 4) << "the fields after the interval are read too";
    }
}

TEST_F(SchedulerObjectTest, IndexesOutOfRangeAreRefusedAndChangeNothing)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->AddHoliday(46000.0));
    ASSERT_HRESULT_SUCCEEDED(scheduler->AddLogin(Bstr(L"Nightly").Get(), Bstr(L"CORP").Get(), Bstr(L"batch").Get(),
                                                 Bstr(L"secret").Get()));
    long value = 0;
    DATE date = 0;
    Bstr text;
    struct Call {
        const char* what;
        std::function<HRESULT()> call;
    };
    const Call refused[] = {
        {"IsWorkDay get -1", [&] { return scheduler->get_IsWorkDay(-1, &value); }},
        {"IsWorkDay get 7", [&] { return scheduler->get_IsWorkDay(7, &value); }},
        {"IsWorkDay put 7", [&] { return scheduler->put_IsWorkDay(7, 1); }},
        {"IsWorkDay put -1", [&] { return scheduler->put_IsWorkDay(-1, 1); }},
        {"Holiday get 1", [&] { return scheduler->get_Holiday(1, &date); }},
        {"Holiday get -1", [&] { return scheduler->get_Holiday(-1, &date); }},
        {"DeleteHoliday 1", [&] { return scheduler->DeleteHoliday(1); }},
        {"UpdateHoliday 1", [&] { return scheduler->UpdateHoliday(1, 46001.0); }},
        {"GetLoginInfo 1", [&] { return scheduler->GetLoginInfo(1, 1, text.Receive()); }},
        {"GetLoginInfo -1", [&] { return scheduler->GetLoginInfo(-1, 1, text.Receive()); }},
        {"DelLoginInfo 1", [&] { return scheduler->DelLoginInfo(1); }},
        {"DelLoginInfo -1", [&] { return scheduler->DelLoginInfo(-1); }},
    };
    for (const Call& c : refused)
        EXPECT_EQ(c.call(), E_INVALIDARG) << c.what;

    long count = 0;
    scheduler->GetHolidayCount(&count);
    EXPECT_EQ(count, 1);
    ASSERT_HRESULT_SUCCEEDED(scheduler->get_Holiday(0, &date));
    EXPECT_EQ(date, 46000.0);
    scheduler->GetLoginCount(&count);
    EXPECT_EQ(count, 1);
}

TEST_F(SchedulerObjectTest, LoginsKeepTheirFieldsAndOrder)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->AddLogin(Bstr(L"Nightly").Get(), Bstr(L"CORP").Get(), Bstr(L"batch").Get(),
                                                 Bstr(L"secret").Get()));
    ASSERT_HRESULT_SUCCEEDED(
        scheduler->AddLogin(Bstr(L"Local").Get(), Bstr(L"").Get(), Bstr(L"admin").Get(), Bstr(L"pw").Get()));
    const wchar_t* expected[] = {L"Local", L"", L"admin", L"pw"};
    for (short field = 1; field <= 4; ++field) {
        Bstr text;
        ASSERT_HRESULT_SUCCEEDED(scheduler->GetLoginInfo(1, field, text.Receive()));
        EXPECT_EQ(text.ToString(), expected[field - 1]) << "field " << field;
    }
    Bstr other;
    EXPECT_EQ(scheduler->GetLoginInfo(0, 5, other.Receive()), S_OK);
    EXPECT_TRUE(other.Empty());

    ASSERT_HRESULT_SUCCEEDED(scheduler->DelLoginInfo(0));
    long count = 0;
    scheduler->GetLoginCount(&count);
    EXPECT_EQ(count, 1);
    Bstr first;
    scheduler->GetLoginInfo(0, 1, first.Receive());
    EXPECT_EQ(first.ToString(), L"Local");

    ASSERT_HRESULT_SUCCEEDED(scheduler->WriteToStorage());
    ASSERT_HRESULT_SUCCEEDED(scheduler->ClearLogins());
    scheduler->GetLoginCount(&count);
    EXPECT_EQ(count, 0);
    ASSERT_HRESULT_SUCCEEDED(scheduler->ReadFromStorage());
    scheduler->GetLoginCount(&count);
    EXPECT_EQ(count, 1) << "the stored login comes back";
}

TEST_F(SchedulerObjectTest, ReadingTheSettingsAgainReplacesTheHolidaysInsteadOfAddingThem)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->AddHoliday(46000.0));
    ASSERT_HRESULT_SUCCEEDED(scheduler->AddHoliday(46010.0));
    ASSERT_HRESULT_SUCCEEDED(scheduler->UpdateHoliday(1, 46020.0));
    ASSERT_HRESULT_SUCCEEDED(scheduler->WriteToStorage());
    ASSERT_HRESULT_SUCCEEDED(scheduler->ReadFromStorage());
    long count = 0;
    scheduler->GetHolidayCount(&count);
    ASSERT_EQ(count, 2);
    DATE date = 0;
    scheduler->get_Holiday(1, &date);
    EXPECT_EQ(date, 46020.0);
}

// ---------------------------------------------------------------------------
// Task list

TEST_F(SchedulerObjectTest, TaskListIsTheCollectionAggregatedIntoTheScheduler)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ComPtr<IQVTaskCollection> tasks = Tasks(scheduler.Get());
    ASSERT_TRUE(tasks);
    EXPECT_TRUE(tvx::com::SameObject(tasks.Get(), scheduler.Get()));
    ComPtr<IQVScheduler> back;
    EXPECT_HRESULT_SUCCEEDED(tasks.As(back));
    EXPECT_EQ(scheduler->Initialize(), E_FAIL) << "the list exists already";
}

TEST_F(SchedulerObjectTest, TaskFilesOfTheFolderAreLoadedAtConstruction)
{
    WriteTaskFile(L"Backup", {L"// nothing"});
    WriteTaskFile(L"Report", {L"// nothing"});
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    EXPECT_EQ(TaskCount(scheduler.Get()), 2);
    EXPECT_GE(IndexOf(scheduler.Get(), L"Backup"), 0);
    EXPECT_GE(IndexOf(scheduler.Get(), L"Report"), 0);
}

TEST_F(SchedulerObjectTest, AddTaskOfADescriptionInTheListChangesNothing)
{
    WriteTaskFile(L"Backup", {L"// nothing"});
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_EQ(TaskCount(scheduler.Get()), 1);
    StatusConnection events(scheduler.Get());
    ASSERT_TRUE(events.Connected());
    for (const wchar_t* same : {L"Backup", L"BACKUP", L"backup"}) {
        EXPECT_EQ(scheduler->AddTask(Bstr(same).Get()), S_OK) << Narrow(same);
        EXPECT_EQ(TaskCount(scheduler.Get()), 1) << Narrow(same);
    }
    EXPECT_EQ(events.Sink().Count(kStatusTasks), 0);
}

TEST_F(SchedulerObjectTest, AddTaskLoadsANewTaskFileAndTellsTheClients)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_EQ(TaskCount(scheduler.Get()), 0);
    StatusConnection events(scheduler.Get());
    WriteTaskFile(L"Nightly", {L"// nothing"});
    ASSERT_EQ(scheduler->AddTask(Bstr(L"Nightly").Get()), S_OK) << Narrow(TakeErrorDescription());
    EXPECT_EQ(TaskCount(scheduler.Get()), 1);
    EXPECT_GE(IndexOf(scheduler.Get(), L"Nightly"), 0);
    EXPECT_GE(events.Sink().Count(kStatusTasks), 1);
}

TEST_F(SchedulerObjectTest, AddTaskOfAFileThatCannotBeReadFailsAndAddsNothing)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    EXPECT_EQ(scheduler->AddTask(Bstr(L"Missing").Get()), E_FAIL);
    EXPECT_NE(TakeErrorDescription().find(L"Missing"), std::wstring::npos);
    EXPECT_EQ(scheduler->AddTask(Bstr(L"").Get()), E_INVALIDARG);
    EXPECT_EQ(scheduler->AddTask(nullptr), E_INVALIDARG);
    EXPECT_EQ(TaskCount(scheduler.Get()), 0);
}

TEST_F(SchedulerObjectTest, ConcurrentAddTasksOfOneDescriptionAddItOnce)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    WriteTaskFile(L"Race", {L"// nothing"});
    ComPtr<IQVTaskCollection> tasks;
    ASSERT_HRESULT_SUCCEEDED(scheduler.As(tasks));
    std::vector<std::thread> clients;
    std::atomic<int> failures{0};
    std::atomic<int> unlisted{0};
    for (int i = 0; i < 8; ++i) {
        clients.emplace_back([&] {
            tvx::com::CoInit com(COINIT_MULTITHREADED);
            if (FAILED(scheduler->AddTask(Bstr(L"race").Get()))) {
                ++failures;
                return;
            }
            // Every caller that was told it worked finds the task listed,
            // also one whose addition was taken over by another caller.
            short index = -1;
            if (FAILED(tasks->FindTaskIndex(Bstr(L"Race").Get(), &index)) || index < 0)
                ++unlisted;
        });
    }
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(unlisted.load(), 0) << "AddTask succeeded before the task was listed";
    EXPECT_EQ(TaskCount(scheduler.Get()), 1);
}

TEST_F(SchedulerObjectTest, UnknownTaskNameFailsAndIsLoggedWithoutABox)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    const std::wstring log = EngineFolder() + L"Qvxerror.log";
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_ErrorFileName(Bstr(log).Get()));
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_LogErrors(1));
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_DisplayErrors(0));
    StatusConnection events(scheduler.Get());

    EXPECT_EQ(scheduler->EnableTask(Bstr(L"Nope").Get(), 1), E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), L"Task Nope Not Found");
    EXPECT_EQ(scheduler->ResetTrigger(Bstr(L"Nope").Get()), E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), L"Task Nope Not Found");

    const std::string text = ReadFileText(log);
    size_t lines = 0;
    for (size_t at = text.find("Task Nope Not Found"); at != std::string::npos;
         at = text.find("Task Nope Not Found", at + 1))
        ++lines;
    EXPECT_EQ(lines, 2u) << text;
    EXPECT_EQ(events.Sink().Count(kStatusTasks), 0);
}

BOOL CALLBACK AddOwnMessageBox(HWND window, LPARAM found)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[16] = {};
    if (process == GetCurrentProcessId() && GetClassNameA(window, name, sizeof name) &&
        std::strcmp(name, "#32770") == 0 && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// The message boxes this process shows (dialog class, top level).
std::vector<HWND> OwnMessageBoxes()
{
    std::vector<HWND> boxes;
    EnumWindows(AddOwnMessageBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

TEST_F(SchedulerObjectTest, ErrorToBeShownNeverKeepsTheCallerWaitingForABox)
{
    // As a service the error goes to the logs; as a process it is shown on
    // a thread of its own.
    for (long service : {1L, 0L}) {
        ComPtr<IQVScheduler> scheduler = NewScheduler();
        ASSERT_TRUE(scheduler);
        ASSERT_HRESULT_SUCCEEDED(scheduler->put_IsService(service));
        ASSERT_HRESULT_SUCCEEDED(scheduler->put_DisplayErrors(1));
        ASSERT_HRESULT_SUCCEEDED(scheduler->put_LogErrors(0));
        const DWORD start = GetTickCount();
        EXPECT_EQ(scheduler->EnableTask(Bstr(L"Nope").Get(), 1), E_FAIL) << "service " << service;
        EXPECT_EQ(scheduler->ResetTrigger(Bstr(L"Nope").Get()), E_FAIL) << "service " << service;
        EXPECT_LT(GetTickCount() - start, 3000u) << "service " << service;
    }
    // The process's two boxes are there, and are answered: a box still
    // being built when the program ends has its thread ended in the middle
    // of a window-system call, and Wine's exit of the whole process may
    // then hang until the server kills it.
    EXPECT_TRUE(WaitUntil([] { return OwnMessageBoxes().size() == 2; }, kEventMs))
        << OwnMessageBoxes().size() << " boxes shown";
    for (HWND box : OwnMessageBoxes())
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([] { return OwnMessageBoxes().empty(); }, kEventMs)) << "a box stayed";
}

TEST_F(SchedulerObjectTest, EnableTaskWritesTheTaskFileAndTellsTheClients)
{
    WriteTaskFile(L"Backup", {L"// nothing"});
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    StatusConnection events(scheduler.Get());
    ASSERT_EQ(scheduler->EnableTask(Bstr(L"BACKUP").Get(), 0), S_OK);
    EXPECT_EQ(events.Sink().Count(kStatusTasks), 1);

    ComPtr<IQVTask> stored;
    ASSERT_HRESULT_SUCCEEDED(stored.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER));
    ASSERT_HRESULT_SUCCEEDED(stored->put_Description(Bstr(L"Backup").Get()));
    ASSERT_HRESULT_SUCCEEDED(stored->ReadFromStorage(0));
    long enabled = 1;
    stored->get_Enabled(&enabled);
    EXPECT_EQ(enabled, 0);
}

// Another client's own task object of a listed task, read from its file.
ComPtr<IQVTask> ClientTask(const wchar_t* name)
{
    ComPtr<IQVTask> task;
    EXPECT_HRESULT_SUCCEEDED(task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER));
    if (!task)
        return task;
    EXPECT_HRESULT_SUCCEEDED(task->put_Description(Bstr(name).Get()));
    EXPECT_HRESULT_SUCCEEDED(task->ReadFromStorage(0)) << Narrow(TakeErrorDescription());
    return task;
}

struct StoredState {
    long enabled = -1;
    std::wstring log_file;
    DATE next = 0;
};

StoredState StateOf(IQVTask* task)
{
    StoredState state;
    task->get_Enabled(&state.enabled);
    Bstr log;
    task->get_LogFile(log.Receive());
    state.log_file = log.ToString();
    ComPtr<IQVSchedTrigger> schedule;
    if (SUCCEEDED(task->QueryInterface(IID_IQVSchedTrigger, schedule.ReceiveVoid())))
        schedule->get_NextSchedTime(&state.next);
    return state;
}

StoredState Stored(const wchar_t* name)
{
    ComPtr<IQVTask> task = ClientTask(name);
    return task ? StateOf(task.Get()) : StoredState();
}

// A client saves its own object of a task the engine holds (read, change,
// save) before the engine saves that task on another client's request: the
// engine's save keeps that change, and the engine's own task takes it too.
TEST_F(SchedulerObjectTest, EnableTaskAndResetTriggerKeepAChangeAnotherClientSavedMeanwhile)
{
    WriteTaskFile(L"Shared", {L"// nothing"}, [](IQVTask* task) {
        task->put_TriggerType(1);
        ComPtr<IQVSchedTrigger> schedule;
        task->QueryInterface(IID_IQVSchedTrigger, schedule.ReceiveVoid());
        schedule->put_Frequency(1);  // daily
        schedule->put_ScheduledIndefinately(1);
        schedule->put_NextSchedTime(40000.375);  // long ago, 09:00
    });
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ComPtr<IQVTask> engine_task;
    ASSERT_HRESULT_SUCCEEDED(Tasks(scheduler.Get())->Item(IndexOf(scheduler.Get(), L"Shared"), engine_task.Receive()));

    ComPtr<IQVTask> client = ClientTask(L"Shared");
    ASSERT_TRUE(client);
    client->put_LogFile(Bstr(L"client-1.log").Get());
    ASSERT_HRESULT_SUCCEEDED(client->WriteToStorage(0)) << Narrow(TakeErrorDescription());

    ASSERT_EQ(scheduler->EnableTask(Bstr(L"Shared").Get(), 0), S_OK) << Narrow(TakeErrorDescription());
    StoredState stored = Stored(L"Shared");
    EXPECT_EQ(stored.enabled, 0);
    EXPECT_EQ(stored.log_file, L"client-1.log") << "the client's save is kept";
    StoredState held = StateOf(engine_task.Get());
    EXPECT_EQ(held.enabled, 0);
    EXPECT_EQ(held.log_file, L"client-1.log") << "the engine's task took the client's save";

    client = ClientTask(L"Shared");
    ASSERT_TRUE(client);
    client->put_LogFile(Bstr(L"client-2.log").Get());
    ASSERT_HRESULT_SUCCEEDED(client->WriteToStorage(0)) << Narrow(TakeErrorDescription());
    ASSERT_EQ(scheduler->ResetTrigger(Bstr(L"Shared").Get()), S_OK) << Narrow(TakeErrorDescription());
    stored = Stored(L"Shared");
    EXPECT_EQ(stored.log_file, L"client-2.log") << "the client's save is kept";
    EXPECT_EQ(stored.enabled, 0) << "the earlier EnableTask is kept";
    EXPECT_GT(stored.next, 40000.375 + 1) << "the schedule was reset to a coming run";
}

// A client that read a task before the engine changed it on another
// client's request is refused its save, which would undo that change; read
// again, its change is saved beside the engine's.
TEST_F(SchedulerObjectTest, ClientSaveOfATaskReadBeforeEnableTaskIsRefusedAndLosesNothing)
{
    WriteTaskFile(L"Shared", {L"// nothing"});
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ComPtr<IQVTask> client = ClientTask(L"Shared");
    ASSERT_TRUE(client);
    ASSERT_EQ(scheduler->EnableTask(Bstr(L"Shared").Get(), 0), S_OK) << Narrow(TakeErrorDescription());

    client->put_LogFile(Bstr(L"late.log").Get());
    EXPECT_EQ(client->WriteToStorage(0), E_FAIL);
    EXPECT_NE(TakeErrorDescription().find(L"changed by another program"), std::wstring::npos);
    StoredState stored = Stored(L"Shared");
    EXPECT_EQ(stored.enabled, 0) << "EnableTask is not undone";

    client = ClientTask(L"Shared");
    ASSERT_TRUE(client);
    client->put_LogFile(Bstr(L"late.log").Get());
    ASSERT_HRESULT_SUCCEEDED(client->WriteToStorage(0)) << Narrow(TakeErrorDescription());
    stored = Stored(L"Shared");
    EXPECT_EQ(stored.enabled, 0);
    EXPECT_EQ(stored.log_file, L"late.log");
}

// RunTask saves the task before its run: a client's save of the task made
// since the engine read it is kept, and the run is that of the saved script.
TEST_F(SchedulerObjectTest, RunTaskRunsTheScriptAnotherClientSavedMeanwhile)
{
    const std::wstring log = EngineFolder() + L"run-saved.log";
    DeleteFileW(log.c_str());
    REQUIRE_COMMAND_AVAILABLE(L"LogToFile(" + log + L",probe)", "LogToFile");
    DeleteFileW(log.c_str());
    WriteTaskFile(L"Logger", {(L"LogToFile(" + log + L",the old script ran)").c_str()});
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    StatusConnection events(scheduler.Get());

    ComPtr<IQVTask> client = ClientTask(L"Logger");
    ASSERT_TRUE(client);
    ComPtr<IQVCmdCollection> lines;
    ASSERT_HRESULT_SUCCEEDED(client->QueryInterface(IID_IQVCmdCollection, lines.ReceiveVoid()));
    ASSERT_HRESULT_SUCCEEDED(lines->Remove(0));
    ComPtr<IQVCommand> line;
    ASSERT_HRESULT_SUCCEEDED(line.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER));
    line->put_FullCommand(Bstr(L"LogToFile(" + log + L",the new script ran)").Get());
    ASSERT_HRESULT_SUCCEEDED(lines->Add(line.Get()));
    ASSERT_HRESULT_SUCCEEDED(client->WriteToStorage(0)) << Narrow(TakeErrorDescription());

    ASSERT_EQ(scheduler->RunTask(IndexOf(scheduler.Get(), L"Logger")), S_OK);
    EXPECT_TRUE(events.Sink().WaitFor(kStatusTasks, 2, kRunMs)) << "a start and an end";
    const std::string ran = ReadFileText(log);
    EXPECT_NE(ran.find("the new script ran"), std::string::npos) << ran;
    EXPECT_EQ(ran.find("the old script ran"), std::string::npos) << ran;
    ComPtr<IQVTask> stored = ClientTask(L"Logger");
    ASSERT_TRUE(stored);
    ComPtr<IQVCmdCollection> stored_lines;
    ASSERT_HRESULT_SUCCEEDED(stored->QueryInterface(IID_IQVCmdCollection, stored_lines.ReceiveVoid()));
    long count = 0;
    stored_lines->get_Count(&count);
    ASSERT_EQ(count, 1);
    ComPtr<IQVCommand> stored_line;
    ASSERT_HRESULT_SUCCEEDED(stored_lines->Item(0, stored_line.Receive()));
    Bstr text;
    stored_line->get_FullCommand(text.Receive());
    EXPECT_NE(text.ToString().find(L"the new script ran"), std::wstring::npos);
    DeleteFileW(log.c_str());
}

// A task whose file went away under the engine can't be saved: EnableTask
// says so instead of bringing the file back or claiming success.
TEST_F(SchedulerObjectTest, EnableTaskOfATaskWhoseFileWentFailsAndBringsNothingBack)
{
    WriteTaskFile(L"Going", {L"// nothing"});
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_DisplayErrors(0));
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_LogErrors(0));
    ComPtr<IQVTask> engine_task;
    ASSERT_HRESULT_SUCCEEDED(Tasks(scheduler.Get())->Item(IndexOf(scheduler.Get(), L"Going"), engine_task.Receive()));
    ASSERT_TRUE(DeleteFileW(TaskFilePath(L"Going").c_str()));
    EXPECT_EQ(scheduler->EnableTask(Bstr(L"Going").Get(), 0), E_FAIL);
    EXPECT_NE(TakeErrorDescription().find(L"Going"), std::wstring::npos);
    EXPECT_FALSE(FileExists(TaskFilePath(L"Going")));
}

// 2001-01-01 as a FILETIME count.
constexpr unsigned long long kLongAgo = 126227808000000000ULL;

unsigned long long WriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

bool SetWriteTime(const std::wstring& path, unsigned long long time)
{
    tvx::com::Handle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file)
        return false;
    FILETIME when;
    when.dwLowDateTime = static_cast<DWORD>(time);
    when.dwHighDateTime = static_cast<DWORD>(time >> 32);
    return SetFileTime(file.Get(), nullptr, nullptr, &when) != FALSE;
}

TEST_F(SchedulerObjectTest, ResetTriggerOfEachKindOfTaskRewritesItAndTellsTheClients)
{
    WriteTaskFile(L"Manual", {L"// nothing"});
    WriteTaskFile(L"Scheduled", {L"// nothing"}, [](IQVTask* task) { task->put_TriggerType(1); });
    WriteTaskFile(L"Watch", {L"// nothing"}, [](IQVTask* task) { task->put_TriggerType(2); });
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    StatusConnection events(scheduler.Get());
    // The files are dated back rather than deleted: the engine follows its
    // folder, and a deleted file takes its task out of the list.
    for (const wchar_t* name : {L"Manual", L"Scheduled", L"Watch"}) {
        ASSERT_TRUE(SetWriteTime(TaskFilePath(name), kLongAgo)) << Narrow(name);
        EXPECT_EQ(scheduler->ResetTrigger(Bstr(name).Get()), S_OK) << Narrow(name);
        EXPECT_GT(WriteTime(TaskFilePath(name)), kLongAgo) << Narrow(name) << " is written again";
    }
    EXPECT_EQ(events.Sink().Count(kStatusTasks), 3);
}

// ---------------------------------------------------------------------------
// Runs

TEST_F(SchedulerObjectTest, RunTaskOfAnIndexOutOfRangeFails)
{
    WriteTaskFile(L"Only", {L"// nothing"});
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    EXPECT_EQ(scheduler->RunTask(1), E_FAIL);
    EXPECT_EQ(scheduler->RunTask(-1), E_FAIL);
}

TEST_F(SchedulerObjectTest, RunTaskRunsTheTaskAndTellsItsStartAndEnd)
{
    const std::wstring log = EngineFolder() + L"run.log";
    DeleteFileW(log.c_str());
    REQUIRE_COMMAND_AVAILABLE(L"LogToFile(" + log + L",probe)", "LogToFile");
    DeleteFileW(log.c_str());
    WriteTaskFile(L"Logger", {(L"LogToFile(" + log + L",the task ran)").c_str()});
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    StatusConnection events(scheduler.Get());
    ASSERT_EQ(scheduler->RunTask(IndexOf(scheduler.Get(), L"Logger")), S_OK);
    EXPECT_TRUE(events.Sink().WaitFor(kStatusTasks, 2, kRunMs)) << "a start and an end";
    EXPECT_NE(ReadFileText(log).find("the task ran"), std::string::npos) << ReadFileText(EngineFolder() + L"Qvxerror.log");
    EXPECT_EQ(TaskCount(scheduler.Get()), 1);
    DeleteFileW(log.c_str());
}

TEST_F(SchedulerObjectTest, TaskThatDeletesItselfAfterItsRunLeavesTheListAndTheFolder)
{
    WriteTaskFile(L"Once", {L"// nothing"}, [](IQVTask* task) { task->put_IsDeleteAfterExec(1); });
    WriteTaskFile(L"Stays", {L"// nothing"});
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_EQ(TaskCount(scheduler.Get()), 2);
    ASSERT_EQ(scheduler->RunTask(IndexOf(scheduler.Get(), L"Once")), S_OK);
    EXPECT_TRUE(WaitUntil([&] { return TaskCount(scheduler.Get()) == 1; }, kRunMs));
    EXPECT_FALSE(FileExists(TaskFilePath(L"Once")));
    EXPECT_EQ(IndexOf(scheduler.Get(), L"Once"), -1);
    EXPECT_GE(IndexOf(scheduler.Get(), L"Stays"), 0) << "the other task stays";
}

// ---------------------------------------------------------------------------
// Running state

TEST_F(SchedulerObjectTest, StartTwiceStartsOneThreadAndStopEndsItAndClearsRunOnStartup)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    StatusConnection events(scheduler.Get());
    ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
    ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
    ASSERT_TRUE(events.Sink().WaitFor(kStatusRunning, 2, kEventMs));
    EXPECT_TRUE(IsRunning(scheduler.Get()));
    EXPECT_EQ(events.Sink().Count(kStatusStarted), 3) << "each Start, and the one thread as it begins";
    EXPECT_EQ(StoredRunOnStartup(), 1);

    ASSERT_HRESULT_SUCCEEDED(scheduler->Stop());
    EXPECT_FALSE(IsRunning(scheduler.Get()));
    EXPECT_EQ(events.Sink().Count(kStatusStopped), 1);
    EXPECT_EQ(StoredRunOnStartup(), 0);
    const long ticks = events.Sink().Count(kStatusRunning);
    Sleep(2500);
    EXPECT_EQ(events.Sink().Count(kStatusRunning), ticks) << "no tick after the stop";
}

TEST_F(SchedulerObjectTest, StopWithoutARunningSchedulerFiresNothingAndWritesNothing)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_SendKeyDelay(77));  // not stored by a mere Stop
    StatusConnection events(scheduler.Get());
    const std::string before = ReadFileText(SettingsFilePath());
    ASSERT_HRESULT_SUCCEEDED(scheduler->Stop());
    EXPECT_TRUE(events.Sink().Codes().empty());
    EXPECT_EQ(ReadFileText(SettingsFilePath()), before);
}

TEST_F(SchedulerObjectTest, SuspendedSchedulerTicksWithTheSuspendedCode)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    StatusConnection events(scheduler.Get());
    ASSERT_HRESULT_SUCCEEDED(scheduler->SetSuspendScheduler(0));
    EXPECT_EQ(events.Sink().Codes(), std::vector<long>{kStatusStopped}) << "resumed while not running";

    ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
    ASSERT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs));
    ASSERT_HRESULT_SUCCEEDED(scheduler->SetSuspendScheduler(1));
    events.Sink().Clear();
    ASSERT_TRUE(events.Sink().WaitFor(kStatusSuspended, 2, kEventMs));
    EXPECT_EQ(events.Sink().Count(kStatusRunning), 0);

    ASSERT_HRESULT_SUCCEEDED(scheduler->SetSuspendScheduler(0));
    events.Sink().Clear();
    ASSERT_TRUE(events.Sink().WaitFor(kStatusRunning, 2, kEventMs));
    EXPECT_EQ(events.Sink().Count(kStatusSuspended), 0);
}

TEST_F(SchedulerObjectTest, DelayedStartCountsDownEverySecondThenStarts)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_StartupDelay(3));
    StatusConnection events(scheduler.Get());
    const DWORD start = GetTickCount();
    ASSERT_HRESULT_SUCCEEDED(scheduler->DelayedStart());
    EXPECT_GE(GetTickCount() - start, 2900u);
    std::vector<long> codes = events.Sink().Codes();
    ASSERT_GE(codes.size(), 4u);
    EXPECT_EQ(std::vector<long>(codes.begin(), codes.begin() + 4),
              (std::vector<long>{kStatusCountdown, kStatusCountdown, kStatusCountdown, kStatusStarted}));
    EXPECT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs));
}

// A countdown cut short by another caller, run on a thread of its own.
class Countdown {
public:
    explicit Countdown(IQVScheduler* scheduler) : scheduler_(scheduler)
    {
        thread_ = std::thread([this] {
            tvx::com::CoInit com(COINIT_MULTITHREADED);
            scheduler_->DelayedStart();
            returned_at_ = GetTickCount();
        });
    }
    ~Countdown() { Join(); }
    void Join()
    {
        if (thread_.joinable())
            thread_.join();
    }
    DWORD ReturnedAt() const { return returned_at_; }

private:
    IQVScheduler* scheduler_;
    std::atomic<DWORD> returned_at_{0};
    std::thread thread_;
};

TEST_F(SchedulerObjectTest, StartDuringTheCountdownStartsOnceAndEndsTheCountdown)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_StartupDelay(30));
    StatusConnection events(scheduler.Get());
    Countdown countdown(scheduler.Get());
    ASSERT_TRUE(events.Sink().WaitFor(kStatusCountdown, 1, kEventMs));
    const DWORD started = GetTickCount();
    ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
    countdown.Join();
    EXPECT_LT(countdown.ReturnedAt() - started, 1500u);
    ASSERT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs));
    Sleep(1500);
    EXPECT_EQ(events.Sink().Count(kStatusStarted), 2) << "the Start and its thread, no second start";
}

TEST_F(SchedulerObjectTest, StopDuringTheCountdownKeepsTheSchedulerStopped)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_StartupDelay(3));
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_RunOnStartup(1));
    ASSERT_HRESULT_SUCCEEDED(scheduler->WriteToStorage());
    StatusConnection events(scheduler.Get());
    Countdown countdown(scheduler.Get());
    ASSERT_TRUE(events.Sink().WaitFor(kStatusCountdown, 1, kEventMs));
    ASSERT_HRESULT_SUCCEEDED(scheduler->Stop());
    countdown.Join();
    Sleep(4000);
    EXPECT_FALSE(IsRunning(scheduler.Get()));
    EXPECT_EQ(events.Sink().Count(kStatusStarted), 0);
    EXPECT_EQ(events.Sink().Count(kStatusStopped), 1);
    EXPECT_EQ(StoredRunOnStartup(), 0);
}

TEST_F(SchedulerObjectTest, EngineEndDuringTheCountdownKeepsRunOnStartupForTheNextStart)
{
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_StartupDelay(30));
    ASSERT_HRESULT_SUCCEEDED(scheduler->put_RunOnStartup(1));
    ASSERT_HRESULT_SUCCEEDED(scheduler->WriteToStorage());
    ComPtr<IEngineScheduler> engine;
    ASSERT_HRESULT_SUCCEEDED(scheduler.As(engine));
    StatusConnection events(scheduler.Get());
    Countdown countdown(scheduler.Get());
    ASSERT_TRUE(events.Sink().WaitFor(kStatusCountdown, 1, kEventMs));
    const DWORD ended = GetTickCount();
    engine->EndCountdown();
    countdown.Join();
    EXPECT_LT(countdown.ReturnedAt() - ended, 1500u);
    engine->PrepareForEngineEnd();
    EXPECT_FALSE(IsRunning(scheduler.Get()));
    EXPECT_EQ(events.Sink().Count(kStatusStarted), 0);
    EXPECT_EQ(StoredRunOnStartup(), 1);
    EXPECT_HRESULT_SUCCEEDED(scheduler->DelayedStart()) << "no countdown once the engine ends";
    EXPECT_EQ(events.Sink().Count(kStatusStarted), 0);
}

TEST_F(SchedulerObjectTest, EngineEndOfARunningSchedulerStopsItAndStoresRunOnStartup)
{
    for (bool final_release : {false, true}) {
        ComPtr<IQVScheduler> scheduler = NewScheduler();
        ASSERT_TRUE(scheduler);
        ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
        ASSERT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs));
        if (final_release) {
            scheduler.Reset();
        } else {
            ComPtr<IEngineScheduler> engine;
            ASSERT_HRESULT_SUCCEEDED(scheduler.As(engine));
            engine->PrepareForEngineEnd();
            EXPECT_FALSE(IsRunning(scheduler.Get()));
        }
        EXPECT_EQ(StoredRunOnStartup(), 1) << (final_release ? "final release" : "engine end");
        ComPtr<IQVScheduler> next = NewScheduler();
        ASSERT_TRUE(next);
        long run_on_startup = 0;
        next->get_RunOnStartup(&run_on_startup);
        EXPECT_EQ(run_on_startup, 1);
        ClearEngineFiles();
    }
}

TEST_F(SchedulerObjectTest, ClientAnsweringAnEventWithCallsOfItsOwnIsNeverKeptWaiting)
{
    WriteTaskFile(L"Backup", {L"// nothing"});
    ComPtr<IQVScheduler> scheduler = NewScheduler();
    ASSERT_TRUE(scheduler);
    StatusConnection events(scheduler.Get());
    std::atomic<int> answered{0};
    std::atomic<int> kept_waiting{0};
    IQVScheduler* raw = scheduler.Get();
    // Each event is answered from another thread of the client, as a
    // multithreaded administrator would, while the event call is still in
    // progress: a lock held across the event would keep it waiting.
    events.Sink().OnEvent([&, raw](long) {
        std::atomic<bool> done{false};
        std::thread answer([&, raw] {
            tvx::com::CoInit com(COINIT_MULTITHREADED);
            long value = 0;
            raw->get_ScheduleInterval(&value);
            raw->GetLoginCount(&value);
            raw->AddHoliday(46000.0);
            raw->DeleteHoliday(0);
            done = true;
        });
        if (WaitUntil([&] { return done.load(); }, 5000))
            ++answered;
        else
            ++kept_waiting;
        answer.join();
    });
    ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
    ASSERT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs));
    ASSERT_HRESULT_SUCCEEDED(scheduler->SetSuspendScheduler(1));
    ASSERT_HRESULT_SUCCEEDED(scheduler->SetSuspendScheduler(0));
    ASSERT_HRESULT_SUCCEEDED(scheduler->EnableTask(Bstr(L"Backup").Get(), 1));
    WriteTaskFile(L"Second", {L"// nothing"});
    ASSERT_HRESULT_SUCCEEDED(scheduler->AddTask(Bstr(L"Second").Get()));
    ASSERT_HRESULT_SUCCEEDED(scheduler->Stop());
    events.Sink().OnEvent(nullptr);
    EXPECT_EQ(kept_waiting.load(), 0);
    EXPECT_GE(answered.load(), 6);
}

}  // namespace
}  // namespace enginetest
