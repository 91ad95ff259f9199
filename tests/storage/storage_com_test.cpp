// The registered QvxStorg server: its classes by ProgID, the reasons of its
// failures as error info, and real tasks (QvxTask.QVTask) written, read,
// renamed and loaded through it. The server's host directory is this test
// program's directory, so the tests take a lock on its tasks folder and
// clean up what they write.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "fake_scheduler.h"
#include "fake_task.h"
#include "platform/com/bstr.h"
#include "platform/com/co_init.h"
#include "qvxstorg.h"
#include "storage_test_values.h"
#include "task/shared/module_directory.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

namespace {

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::wstring TakeErrorDescription()
{
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Receive()) != S_OK || !info)
        return std::wstring();
    Bstr description;
    info->GetDescription(description.Receive());
    return description.ToString();
}

class StorageComTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(taskStorage_.CreateInstance(CLSID_QVTaskStorage, CLSCTX_INPROC_SERVER), S_OK)
            << "QvxStorg.dll is not registered";
        ASSERT_EQ(schedStorage_.CreateInstance(CLSID_QVSchedStorage, CLSCTX_INPROC_SERVER), S_OK);
    }
    void TearDown() override
    {
        for (const std::string& name : written_)
            DeleteFileA((HostTasks() + name + ".tsk").c_str());
        RemoveDirectoryA(HostTasks().c_str());
    }
    static std::string Host() { return GetModuleDirectory(); }
    static std::string HostTasks() { return Host() + "tasks\\"; }
    bool HostTaskExists(const std::string& name) const
    {
        return GetFileAttributesA((HostTasks() + name + ".tsk").c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // A name of this test's own, removed at the end.
    std::string TaskName(const std::string& base)
    {
        written_.push_back(base);
        return base;
    }
    // A real task, or nothing when QvxTask does not serve QVTask.
    ComPtr<IQVTask> NewRealTask()
    {
        ComPtr<IQVTask> task;
        const HRESULT hr = task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER);
        EXPECT_EQ(hr, S_OK) << "QvxTask.QVTask can't be made: is QvxTask.dll registered?";
        return task;
    }

    tvx::com::CoInit com_{COINIT_APARTMENTTHREADED};
    ComPtr<IQVTaskStorage> taskStorage_;
    ComPtr<IQVSchedStorage> schedStorage_;
    std::vector<std::string> written_;
};

void PutText(IQVTask* task, HRESULT (STDMETHODCALLTYPE IQVTask::*setter)(BSTR), const wchar_t* text)
{
    Bstr value(text);
    EXPECT_EQ((task->*setter)(value.Get()), S_OK);
}

std::wstring GetText(IQVTask* task, HRESULT (STDMETHODCALLTYPE IQVTask::*getter)(BSTR*))
{
    Bstr value;
    EXPECT_EQ((task->*getter)(value.Receive()), S_OK);
    return value.ToString();
}

TEST_F(StorageComTest, ServesBothClassesByProgIdWithErrorInfoSupport)
{
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(L"QvxStorg.QVTaskStorage", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_QVTaskStorage));
    ASSERT_EQ(CLSIDFromProgID(L"QvxStorg.QVSchedStorage", &clsid), S_OK);
    EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_QVSchedStorage));

    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(taskStorage_.As(support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IQVTaskStorage), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IQVSchedStorage), S_FALSE);
    ASSERT_EQ(schedStorage_.As(support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IQVSchedStorage), S_OK);
}

TEST_F(StorageComTest, RefusalsCarryTheirReasonAsErrorInfo)
{
    EXPECT_EQ(taskStorage_->Read(nullptr, 0), E_INVALIDARG);
    EXPECT_FALSE(TakeErrorDescription().empty());

    ComPtr<FakeTask> task = FakeTask::Create(CStorageFolder());
    task->values.SetText("Description", L"..\\escape");
    EXPECT_EQ(taskStorage_->Write(static_cast<IQVTask*>(task.Get()), 0), E_INVALIDARG);
    EXPECT_NE(TakeErrorDescription().find(L"can't name a task file"), std::wstring::npos);

    task->values.SetText("Description", Wide(TaskName("Never written")).c_str());
    task->values.SetText("ErrorLogFile", Wide(Host() + "storage_com_errors.log"));
    EXPECT_EQ(taskStorage_->Read(static_cast<IQVTask*>(task.Get()), 0), E_FAIL);
    EXPECT_NE(TakeErrorDescription().find(Wide(HostTasks() + "Never written.tsk")), std::wstring::npos);
    DeleteFileA((Host() + "storage_com_errors.log").c_str());

    EXPECT_EQ(schedStorage_->ReadAllTask(nullptr), E_INVALIDARG);
    EXPECT_FALSE(TakeErrorDescription().empty());
    EXPECT_EQ(schedStorage_->Write(static_cast<IQVTask*>(task.Get())), E_FAIL);
    EXPECT_NE(TakeErrorDescription().find(L"IQVScheduler"), std::wstring::npos);
}

// Everything a task holds goes through its file and comes back: the real
// task object, its real triggers and commands, the registered storage.
TEST_F(StorageComTest, RealTaskRoundTripsEveryPropertyThroughItsFile)
{
    const std::string name = TaskName("Round trip");
    ComPtr<IQVTask> task = NewRealTask();
    ASSERT_TRUE(task);
    ComPtr<IQVSchedTrigger> schedule;
    ComPtr<IQVCondTrigger> condition;
    ComPtr<IQVCmdCollection> commands;
    ASSERT_EQ(task.As(schedule), S_OK);
    ASSERT_EQ(task.As(condition), S_OK);
    ASSERT_EQ(task.As(commands), S_OK);

    PutText(task.Get(), &IQVTask::put_Description, Wide(name).c_str());
    PutText(task.Get(), &IQVTask::put_LogFile, L"C:\\logs\\round trip.log");
    PutText(task.Get(), &IQVTask::put_AlarmWaveFile, L"ding.wav");
    PutText(task.Get(), &IQVTask::put_Password, L"p\xE9ss w0rd!");
    PutText(task.Get(), &IQVTask::put_UserName, L"someone");
    PutText(task.Get(), &IQVTask::put_AcctName, L"nightly");
    const std::pair<HRESULT (STDMETHODCALLTYPE IQVTask::*)(LONG), LONG> flags[] = {
        {&IQVTask::put_RunAsSystem, 1},       {&IQVTask::put_IsInteractive, 1},   {&IQVTask::put_IsLog, 1},
        {&IQVTask::put_IsEnabled, 1},         {&IQVTask::put_IsAlarm, 1},         {&IQVTask::put_IsExecIfPastDue, 1},
        {&IQVTask::put_IsSchedIfPastDue, 0},  {&IQVTask::put_IsDeleteAfterExec, 1}, {&IQVTask::put_IsDisableAfterExec, 1},
        {&IQVTask::put_IsPromptBeforeExec, 1}, {&IQVTask::put_IsSuspendSchedule, 1}, {&IQVTask::put_IsStopAfter, 1},
    };
    for (const auto& flag : flags)
        EXPECT_EQ((task.Get()->*flag.first)(flag.second), S_OK);
    task->put_StopHours(2);
    task->put_StopMinutes(45);
    task->put_TriggerType(1);

    const DATE last = OaDate(2024, 5, 1, 10, 0, 0);
    const DATE next = OaDate(2024, 6, 1, 10, 0, 0);
    const DATE end = OaDate(2025, 12, 31, 23, 59, 59);
    schedule->put_Frequency(3);
    schedule->put_LastExecTime(last);
    schedule->put_NextSchedTime(next);
    schedule->put_DayOfMonth(15);
    schedule->put_DayOfWeek(4);
    for (short day = 0; day < 7; ++day)
        schedule->put_WeekDaySelected(day, day % 2);
    schedule->put_Multiplier(2);
    schedule->put_WorkDayOfMonth(3);
    schedule->put_MonthRunType(2);
    schedule->put_UseWeekType(1);
    for (short month = 0; month < 12; ++month)
        schedule->put_IsMonthScheduled(month, month < 6 ? 1 : 0);
    schedule->put_IsAdvOptions(1);
    schedule->put_IsIntervalRange(1);
    schedule->put_IntervalAmount(30);
    schedule->put_IntervalType(1);
    schedule->put_IntervalStartingTime(OaDate(2024, 5, 1, 7, 30, 0));
    schedule->put_IntervalEndingTime(OaDate(2024, 5, 1, 18, 15, 0));
    schedule->put_ReschedType(1);
    schedule->put_ScheduledIndefinately(0);
    schedule->put_DurationTime(end);
    schedule->put_IncludeHolidays(0);

    condition->put_Enabled(1);
    condition->put_Action(2);
    condition->put_Frequency(5);
    condition->put_CondType(6);
    Bstr watched(L"C:\\in\\ready.flg");
    condition->put_CondName(watched.Get());
    condition->put_HasToggled(1);
    condition->put_AutoReset(1);

    const wchar_t* const lines[] = {L"RunProgram(notepad.exe,,Maximized,1)", L"// a comment",
                                    L"SendKeys(Hello, World{ENTER})"};
    for (const wchar_t* line : lines) {
        ComPtr<IQVCommand> command;
        ASSERT_EQ(command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER), S_OK);
        Bstr text(line);
        command->put_FullCommand(text.Get());
        commands->Add(command.Get());
    }
    ASSERT_EQ(task->WriteToStorage(0), S_OK) << TakeErrorDescription();
    ASSERT_TRUE(HostTaskExists(name));

    ComPtr<IQVTask> read = NewRealTask();
    ASSERT_TRUE(read);
    PutText(read.Get(), &IQVTask::put_Description, Wide(name).c_str());
    ASSERT_EQ(read->ReadFromStorage(0), S_OK) << TakeErrorDescription();

    EXPECT_EQ(GetText(read.Get(), &IQVTask::get_LogFile), L"C:\\logs\\round trip.log");
    EXPECT_EQ(GetText(read.Get(), &IQVTask::get_AlarmWaveFile), L"ding.wav");
    EXPECT_EQ(GetText(read.Get(), &IQVTask::get_Password), L"p\xE9ss w0rd!");
    EXPECT_EQ(GetText(read.Get(), &IQVTask::get_UserName), L"someone");
    EXPECT_EQ(GetText(read.Get(), &IQVTask::get_AcctName), L"nightly");
    const std::pair<HRESULT (STDMETHODCALLTYPE IQVTask::*)(LONG*), LONG> readFlags[] = {
        {&IQVTask::get_RunAsSystem, 1},       {&IQVTask::get_IsInteractive, 1},   {&IQVTask::get_IsLog, 1},
        {&IQVTask::get_IsEnabled, 1},         {&IQVTask::get_IsAlarm, 1},         {&IQVTask::get_IsExecIfPastDue, 1},
        {&IQVTask::get_IsSchedIfPastDue, 0},  {&IQVTask::get_IsDeleteAfterExec, 1}, {&IQVTask::get_IsDisableAfterExec, 1},
        {&IQVTask::get_IsPromptBeforeExec, 1}, {&IQVTask::get_IsSuspendSchedule, 1}, {&IQVTask::get_IsStopAfter, 1},
        {&IQVTask::get_IsActive, 1},
    };
    for (size_t i = 0; i < sizeof readFlags / sizeof readFlags[0]; ++i) {
        LONG value = -1;
        EXPECT_EQ((read.Get()->*readFlags[i].first)(&value), S_OK);
        EXPECT_EQ(value, readFlags[i].second) << "flag " << i;
    }
    short number = 0;
    read->get_StopHours(&number);
    EXPECT_EQ(number, 2);
    read->get_StopMinutes(&number);
    EXPECT_EQ(number, 45);
    read->get_TriggerType(&number);
    EXPECT_EQ(number, 1);

    ComPtr<IQVSchedTrigger> readSchedule;
    ComPtr<IQVCondTrigger> readCondition;
    ComPtr<IQVCmdCollection> readCommands;
    ASSERT_EQ(read.As(readSchedule), S_OK);
    ASSERT_EQ(read.As(readCondition), S_OK);
    ASSERT_EQ(read.As(readCommands), S_OK);
    DATE date = 0;
    readSchedule->get_LastExecTime(&date);
    EXPECT_EQ(date, last);
    readSchedule->get_NextSchedTime(&date);
    EXPECT_EQ(date, next);
    readSchedule->get_DurationTime(&date);
    EXPECT_EQ(date, end);
    // The daily window reads back on today's date; its times of day count.
    readSchedule->get_IntervalStartingTime(&date);
    EXPECT_EQ(COleDateTime(date).GetHour() * 60 + COleDateTime(date).GetMinute(), 7 * 60 + 30);
    readSchedule->get_IntervalEndingTime(&date);
    EXPECT_EQ(COleDateTime(date).GetHour() * 60 + COleDateTime(date).GetMinute(), 18 * 60 + 15);
    const std::pair<HRESULT (STDMETHODCALLTYPE IQVSchedTrigger::*)(short*), short> shorts[] = {
        {&IQVSchedTrigger::get_Frequency, 3},      {&IQVSchedTrigger::get_DayOfMonth, 15},
        {&IQVSchedTrigger::get_DayOfWeek, 4},      {&IQVSchedTrigger::get_Multiplier, 2},
        {&IQVSchedTrigger::get_WorkDayOfMonth, 3}, {&IQVSchedTrigger::get_MonthRunType, 2},
        {&IQVSchedTrigger::get_UseWeekType, 1},    {&IQVSchedTrigger::get_IntervalAmount, 30},
        {&IQVSchedTrigger::get_IntervalType, 1},   {&IQVSchedTrigger::get_ReschedType, 1},
    };
    for (size_t i = 0; i < sizeof shorts / sizeof shorts[0]; ++i) {
        short value = -1;
        (readSchedule.Get()->*shorts[i].first)(&value);
        EXPECT_EQ(value, shorts[i].second) << "schedule value " << i;
    }
    LONG flag = -1;
    readSchedule->get_IsAdvOptions(&flag);
    EXPECT_EQ(flag, 1);
    readSchedule->get_IsIntervalRange(&flag);
    EXPECT_EQ(flag, 1);
    readSchedule->get_ScheduledIndefinately(&flag);
    EXPECT_EQ(flag, 0);
    readSchedule->get_IncludeHolidays(&flag);
    EXPECT_EQ(flag, 0);
    for (short day = 0; day < 7; ++day) {
        readSchedule->get_WeekDaySelected(day, &flag);
        EXPECT_EQ(flag, day % 2) << "weekday " << day;
    }
    for (short month = 0; month < 12; ++month) {
        readSchedule->get_IsMonthScheduled(month, &flag);
        EXPECT_EQ(flag, month < 6 ? 1 : 0) << "month " << month;
    }

    readCondition->get_Enabled(&flag);
    EXPECT_EQ(flag, 1);
    readCondition->get_HasToggled(&flag);
    EXPECT_EQ(flag, 1);
    readCondition->get_AutoReset(&flag);
    EXPECT_EQ(flag, 1);
    readCondition->get_Active(&flag);
    EXPECT_EQ(flag, 1);
    readCondition->get_Action(&number);
    EXPECT_EQ(number, 2);
    readCondition->get_Frequency(&number);
    EXPECT_EQ(number, 5);
    readCondition->get_CondType(&number);
    EXPECT_EQ(number, 6);
    Bstr condName;
    readCondition->get_CondName(condName.Receive());
    EXPECT_EQ(condName.ToString(), L"C:\\in\\ready.flg");

    LONG count = 0;
    readCommands->get_Count(&count);
    ASSERT_EQ(count, 3);
    for (int index = 0; index < 3; ++index) {
        ComPtr<IQVCommand> command;
        ASSERT_EQ(readCommands->Item(index, command.Receive()), S_OK);
        Bstr line;
        command->get_FullCommand(line.Receive());
        EXPECT_EQ(line.ToString(), lines[index]);
    }

    ASSERT_EQ(read->DeleteFromStorage(0), S_OK);
    EXPECT_FALSE(HostTaskExists(name));
}

TEST_F(StorageComTest, RealTaskRenameLeavesOnlyTheNewFile)
{
    const std::string before = TaskName("Before rename");
    const std::string after = TaskName("After rename");
    ComPtr<IQVTask> task = NewRealTask();
    ASSERT_TRUE(task);
    PutText(task.Get(), &IQVTask::put_Description, Wide(before).c_str());
    ASSERT_EQ(task->WriteToStorage(0), S_OK) << TakeErrorDescription();
    PutText(task.Get(), &IQVTask::put_OldDescription, Wide(before).c_str());
    PutText(task.Get(), &IQVTask::put_Description, Wide(after).c_str());
    ASSERT_EQ(task->WriteToStorage(0), S_OK) << TakeErrorDescription();
    EXPECT_FALSE(HostTaskExists(before));
    EXPECT_TRUE(HostTaskExists(after));
    EXPECT_EQ(GetText(task.Get(), &IQVTask::get_OldDescription), L"");
}

TEST_F(StorageComTest, ReadAllTaskLoadsTheHostFolderAsRealTasks)
{
    const std::string first = TaskName("Folder one");
    const std::string second = TaskName("Folder two");
    const std::string broken = TaskName("Folder broken");
    for (const std::string& name : {first, second}) {
        ComPtr<IQVTask> task = NewRealTask();
        ASSERT_TRUE(task);
        PutText(task.Get(), &IQVTask::put_Description, Wide(name).c_str());
        ASSERT_EQ(task->WriteToStorage(0), S_OK) << TakeErrorDescription();
    }
    {
        HANDLE file = CreateFileA((HostTasks() + broken + ".tsk").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, "\x05\x00\x00\x00\x10", 5, &written, nullptr);
        CloseHandle(file);
    }
    ComPtr<FakeScheduler> scheduler = FakeScheduler::Create();
    ASSERT_EQ(schedStorage_->ReadAllTask(static_cast<IQVScheduler*>(scheduler.Get())), S_OK);
    std::vector<std::wstring> names = scheduler->collection.Descriptions();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{Wide(first), Wide(second)}));
    for (const ComPtr<IQVTask>& task : scheduler->collection.tasks) {
        ComPtr<IQVSchedTrigger> schedule;
        EXPECT_EQ(task.As(schedule), S_OK) << "a real task answers for its schedule";
    }
    DeleteFileA((Host() + "Qvxerror.log").c_str());
}

TEST_F(StorageComTest, SettingsGoThroughTheHostSettingsFile)
{
    const std::string settings = Host() + "$qvxsys.dat";
    DeleteFileA(settings.c_str());
    ComPtr<FakeScheduler> writer = FakeScheduler::Create();
    writer->values.SetNumber("ScheduleInterval", 25);
    writer->holidays = {OaDate(2025, 12, 25)};
    writer->logins = {{L"Office", L"CORP", L"jsmith", L"Pa55word"}};
    ASSERT_EQ(schedStorage_->Write(static_cast<IQVScheduler*>(writer.Get())), S_OK) << TakeErrorDescription();
    ComPtr<FakeScheduler> reader = FakeScheduler::Create();
    ASSERT_EQ(schedStorage_->Read(static_cast<IQVScheduler*>(reader.Get())), S_OK) << TakeErrorDescription();
    EXPECT_EQ(reader->values.Number("ScheduleInterval"), 25);
    EXPECT_EQ(reader->holidays, writer->holidays);
    EXPECT_EQ(reader->logins, writer->logins);
    DeleteFileA(settings.c_str());
}

}  // namespace
