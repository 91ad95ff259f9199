// FakeTask: a test double of the task object (QvxTask.QVTask) for the
// storage tests. It keeps every property of IQVTask, IQVSchedTrigger and
// IQVCondTrigger as written, in property bags the test reads directly, and
// answers for a real QvxCmd.QVCmdCollection as its command list (QvxCmd
// must be registered). Its storage members call the storage on a folder the
// test chooses, as the real task calls QVTaskStorage.
#pragma once

#include <string>
#include <vector>

#include "platform/com/com_ptr.h"
#include "property_bag.h"
#include "qvxcmd.h"
#include "qvxtask.h"
#include "storage/storage_folder.h"

class FakeTask;

class FakeSchedTrigger : public IQVSchedTrigger {
public:
    explicit FakeSchedTrigger(FakeTask* owner) : owner_(owner) {}
    PropertyBag values;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    FAKE_NO_DISPATCH
    STDMETHODIMP ReSchedule() override { return S_OK; }
    FAKE_PROPERTY(DATE, LastExecTime, "LastExecTime")
    FAKE_PROPERTY(short, Frequency, "Frequency")
    FAKE_PROPERTY(DATE, NextSchedTime, "NextSchedTime")
    STDMETHODIMP IsNextPastDue(DATE, short, LONG* pbVal) override { return values.Get("IsNextPastDue", pbVal); }
    FAKE_PROPERTY(short, DayOfMonth, "DayOfMonth")
    FAKE_PROPERTY(short, DayOfWeek, "DayOfWeek")
    FAKE_INDEXED_PROPERTY(LONG, WeekDaySelected, "WeekDaySelected")
    FAKE_PROPERTY(short, Multiplier, "Multiplier")
    FAKE_PROPERTY(short, WorkDayOfMonth, "WorkDayOfMonth")
    FAKE_PROPERTY(short, MonthRunType, "MonthRunType")
    FAKE_PROPERTY(short, UseWeekType, "UseWeekType")
    FAKE_INDEXED_PROPERTY(LONG, IsMonthScheduled, "IsMonthScheduled")
    FAKE_PROPERTY(LONG, IsAdvOptions, "IsAdvOptions")
    FAKE_PROPERTY(LONG, IsIntervalRange, "IsIntervalRange")
    FAKE_PROPERTY(short, IntervalAmount, "IntervalAmount")
    FAKE_PROPERTY(short, IntervalType, "IntervalType")
    FAKE_PROPERTY(DATE, IntervalStartingTime, "IntervalStartingTime")
    FAKE_PROPERTY(DATE, IntervalEndingTime, "IntervalEndingTime")
    FAKE_PROPERTY(short, ReschedType, "ReschedType")
    FAKE_PROPERTY(LONG, ScheduledIndefinately, "ScheduledIndefinately")
    FAKE_PROPERTY(DATE, DurationTime, "DurationTime")
    FAKE_PROPERTY(LONG, IncludeHolidays, "IncludeHolidays")
    STDMETHODIMP IsPastDue(LONG* pbVal) override { return values.Get("IsPastDue", pbVal); }
    STDMETHODIMP NextScheduleAsString(BSTR* pVal) override { return values.GetText("NextScheduleAsString", pVal); }
    STDMETHODIMP GetFrequencyAsString(BSTR* pVal) override { return values.GetText("FrequencyAsString", pVal); }
    STDMETHODIMP GetDateTimeString(BSTR, BSTR* pVal) override { return values.GetText("DateTimeString", pVal); }
    STDMETHODIMP AddHoliday(DATE) override { return S_OK; }
    STDMETHODIMP ClearHolidays() override { return S_OK; }
    STDMETHODIMP put_WorkDay(short day, LONG newVal) override { return values.Put("WorkDay" + std::to_string(day), newVal); }

private:
    FakeTask* owner_;
};

class FakeCondTrigger : public IQVCondTrigger {
public:
    explicit FakeCondTrigger(FakeTask* owner) : owner_(owner) {}
    PropertyBag values;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    FAKE_NO_DISPATCH
    STDMETHODIMP ConditionIsMet() override { return S_OK; }
    FAKE_PROPERTY(LONG, Enabled, "Enabled")
    FAKE_PROPERTY(short, Action, "Action")
    FAKE_PROPERTY(LONG, IsActive, "IsActive")
    FAKE_PROPERTY(LONG, HasToggled, "HasToggled")
    FAKE_PROPERTY(short, Frequency, "Frequency")
    FAKE_PROPERTY(short, CondType, "CondType")
    FAKE_TEXT_PROPERTY(CondString, "CondString")
    FAKE_TEXT_PROPERTY(CondName, "CondName")
    STDMETHODIMP GetConditionString(BSTR* pVal) override { return values.GetText("ConditionString", pVal); }
    STDMETHODIMP GetLastActiveString(BSTR* pVal) override { return values.GetText("LastActiveString", pVal); }
    STDMETHODIMP Reset() override { return values.Put("Reset", 1); }
    STDMETHODIMP SetUserInformation(BSTR, BSTR, LONG) override { return S_OK; }
    FAKE_PROPERTY(LONG, AutoReset, "AutoReset")
    FAKE_PROPERTY(LONG, Active, "Active")
    FAKE_TEXT_PROPERTY(LastErrorString, "LastErrorString")

private:
    FakeTask* owner_;
};

class FakeTask : public IQVTask {
public:
    // A new task with one reference, storing in the given host folder.
    static tvx::com::ComPtr<FakeTask> Create(const CStorageFolder& folder);

    PropertyBag values;
    FakeSchedTrigger schedule{this};
    FakeCondTrigger condition{this};
    // Which parts the object answers for.
    bool givesSchedule = true;
    bool givesCondition = true;
    bool givesCommands = true;

    IQVCmdCollection* Commands() const { return commands_.Get(); }
    void AddCommandLine(const std::wstring& line);
    std::vector<std::wstring> CommandLines() const;
    // No put of the task or its triggers, and no command added, since the
    // last ForgetChanges.
    bool Untouched() const;
    void ForgetChanges();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    FAKE_NO_DISPATCH

    FAKE_TEXT_PROPERTY(Description, "Description")
    FAKE_PROPERTY(LONG, IsRunning, "IsRunning")
    FAKE_PROPERTY(LONG, StopAfter, "IsStopAfter")
    FAKE_PROPERTY(short, StopHours, "StopHours")
    FAKE_PROPERTY(short, StopMinutes, "StopMinutes")
    FAKE_PROPERTY(DATE, RefDateTime, "RefDateTime")
    STDMETHODIMP KillProcess() override { return S_OK; }
    STDMETHODIMP get_IsTimeToStop(LONG* pVal) override { return values.Get("IsTimeToStop", pVal); }
    STDMETHODIMP Initialize() override { return S_OK; }
    STDMETHODIMP InitSchedTrigger() override { return S_OK; }
    STDMETHODIMP InitCondTrigger() override { return S_OK; }
    STDMETHODIMP NeedToCheckCondition(LONG* pVal) override { return values.Get("NeedToCheckCondition", pVal); }
    FAKE_PROPERTY(LONG, Enabled, "IsEnabled")
    STDMETHODIMP DoCondition(LONG* pVal) override { return values.Get("DoCondition", pVal); }
    STDMETHODIMP CheckAndLaunch(LONG, LONG* pVal) override { return values.Get("CheckAndLaunch", pVal); }
    STDMETHODIMP DoSchedule(LONG* pVal) override { return values.Get("DoSchedule", pVal); }
    FAKE_PROPERTY(LONG, IntervalOffSet, "IntervalOffSet")
    FAKE_PROPERTY(short, PastDueOption, "PastDueOption")
    STDMETHODIMP AutoLaunch(LONG* pVal) override { return values.Get("AutoLaunch", pVal); }
    FAKE_PROPERTY(LONG, Suspend, "Suspend")
    STDMETHODIMP InitCmdCollection() override { return S_OK; }
    FAKE_PROPERTY(short, ActionType, "ActionType")
    STDMETHODIMP InitializeValues() override { return S_OK; }
    FAKE_PROPERTY(LONG, IsStopAfter, "IsStopAfter")
    FAKE_PROPERTY(short, StopHrs, "StopHours")
    FAKE_PROPERTY(short, StopMins, "StopMinutes")
    FAKE_PROPERTY(LONG, IsDeleteAfterExec, "IsDeleteAfterExec")
    FAKE_PROPERTY(LONG, IsDisableAfterExec, "IsDisableAfterExec")
    FAKE_PROPERTY(LONG, IsEnabled, "IsEnabled")
    FAKE_PROPERTY(LONG, IsLog, "IsLog")
    FAKE_PROPERTY(LONG, IsAlarm, "IsAlarm")
    FAKE_TEXT_PROPERTY(LogFile, "LogFile")
    FAKE_TEXT_PROPERTY(AlarmWaveFile, "AlarmWaveFile")
    FAKE_PROPERTY(LONG, IsPromptBeforeExec, "IsPromptBeforeExec")
    FAKE_PROPERTY(LONG, IsSuspendSchedule, "IsSuspendSchedule")
    FAKE_PROPERTY(LONG, IsExecIfPastDue, "IsExecIfPastDue")
    FAKE_PROPERTY(LONG, IsSchedIfPastDue, "IsSchedIfPastDue")
    FAKE_TEXT_PROPERTY(Password, "Password")
    FAKE_TEXT_PROPERTY(UserName, "UserName")
    FAKE_PROPERTY(LONG, IsInteractive, "IsInteractive")
    FAKE_PROPERTY(LONG, RunAsSystem, "RunAsSystem")
    STDMETHODIMP WriteToStorage(short nType) override;
    STDMETHODIMP ReadFromStorage(short nType) override;
    STDMETHODIMP DeleteFromStorage(short nType) override;
    FAKE_TEXT_PROPERTY(OldDescription, "OldDescription")
    STDMETHODIMP Run() override { return S_OK; }
    STDMETHODIMP SetProcessInfo(LONG, LONG, LONG, LONG) override { return S_OK; }
    STDMETHODIMP GetProcessInfo(LONG*, LONG*, LONG*, LONG*) override { return E_NOTIMPL; }
    FAKE_PROPERTY(LONG, StartedByScheduler, "StartedByScheduler")
    FAKE_PROPERTY(LONG, IsDirty, "IsDirty")
    FAKE_PROPERTY(LONG, SendKeyDelay, "SendKeyDelay")
    FAKE_TEXT_PROPERTY(LastErrorString, "LastErrorString")
    FAKE_PROPERTY(LONG, DisplayErrors, "DisplayErrors")
    FAKE_PROPERTY(LONG, LogErrors, "LogErrors")
    FAKE_TEXT_PROPERTY(ErrorLogFile, "ErrorLogFile")
    STDMETHODIMP GetFrequencyAsString(BSTR* pVal) override { return values.GetText("FrequencyAsString", pVal); }
    STDMETHODIMP GetStatusAsString(BSTR* pVal) override { return values.GetText("StatusAsString", pVal); }
    STDMETHODIMP GetNextScheduledAsString(BSTR* pVal) override { return values.GetText("NextScheduledAsString", pVal); }
    STDMETHODIMP ReSchedule() override { return S_OK; }
    STDMETHODIMP AddHoliday(DATE) override { return S_OK; }
    STDMETHODIMP ClearHolidays() override { return S_OK; }
    STDMETHODIMP PutWorkDay(short, LONG) override { return S_OK; }
    STDMETHODIMP Start() override { return S_OK; }
    STDMETHODIMP Stop() override { return S_OK; }
    STDMETHODIMP StopExecution() override { return S_OK; }
    FAKE_TEXT_PROPERTY(AcctName, "AcctName")
    FAKE_PROPERTY(short, TriggerType, "TriggerType")
    STDMETHODIMP SetHasToggled(LONG) override { return S_OK; }
    FAKE_PROPERTY(LONG, IsActive, "IsActive")

private:
    explicit FakeTask(const CStorageFolder& folder) : folder_(folder) {}
    virtual ~FakeTask() = default;

    LONG refs_ = 1;
    CStorageFolder folder_;
    tvx::com::ComPtr<IQVCmdCollection> commands_;
    size_t commandsAtForget_ = 0;
};

// Makes FakeTask objects for the task-folder loader, as the QVTask class
// object would.
class FakeTaskFactory : public IClassFactory {
public:
    explicit FakeTaskFactory(const CStorageFolder& folder) : folder_(folder) {}

    // Every task made, in order.
    std::vector<tvx::com::ComPtr<FakeTask>> made;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

private:
    CStorageFolder folder_;
};
