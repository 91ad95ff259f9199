#include "storage/task_parts.h"

#include "platform/com/bstr.h"
#include "platform/com/module.h"
#include "storage/sched_item.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

namespace {

// Activation contexts of the command objects: whatever server the
// registration names.
constexpr DWORD kCommandContext = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;

// Reads a property into a record field; a failing getter leaves the field.
template <class Object, class Getter>
void GetLong(Object* object, Getter getter, LONG& field)
{
    long value = 0;
    if (SUCCEEDED((object->*getter)(&value)))
        field = value;
}

template <class Object, class Getter>
void GetShort(Object* object, Getter getter, LONG& field)
{
    short value = 0;
    if (SUCCEEDED((object->*getter)(&value)))
        field = value;
}

template <class Object, class Getter>
void GetText(Object* object, Getter getter, CString& field)
{
    Bstr value;
    if (SUCCEEDED((object->*getter)(value.Receive())))
        field = CString(value.c_str());
}

template <class Object, class Getter>
void GetDate(Object* object, Getter getter, COleDateTime& field)
{
    DATE value = 0;
    if (SUCCEEDED((object->*getter)(&value))) {
        field.m_dt = value;
        field.m_status = COleDateTime::valid;
    }
}

template <class Object, class Setter>
void PutText(Object* object, Setter setter, const CString& value)
{
    Bstr text;
    text.Attach(value.AllocSysString());
    (object->*setter)(text.Get());
}

short AsShort(LONG value)
{
    return static_cast<short>(value);
}

}  // namespace

HRESULT CTaskParts::Attach(IDispatch* object)
{
    m_Task = nullptr;
    m_Schedule = nullptr;
    m_Condition = nullptr;
    m_Commands = nullptr;
    if (object == nullptr)
        return E_INVALIDARG;
    if (FAILED(m_Task.QueryFrom(object)))
        return E_FAIL;
    m_Schedule.QueryFrom(object);
    m_Condition.QueryFrom(object);
    m_Commands.QueryFrom(object);
    return S_OK;
}

CString CTaskParts::GetDescription() const
{
    CString description;
    GetText(m_Task.Get(), &IQVTask::get_Description, description);
    return description;
}

CString CTaskParts::GetOldDescription() const
{
    CString description;
    GetText(m_Task.Get(), &IQVTask::get_OldDescription, description);
    return description;
}

void CTaskParts::ForgetOldDescription() const
{
    PutText(m_Task.Get(), &IQVTask::put_OldDescription, CString());
}

void CTaskParts::CopyTo(CSchedItem& item) const
{
    CopyTaskTo(item);
    if (m_Schedule)
        CopyScheduleTo(item);
    if (m_Condition)
        CopyConditionTo(item);
    if (m_Commands)
        CopyCommandsTo(item);
}

void CTaskParts::CopyFrom(const CSchedItem& item) const
{
    CopyTaskFrom(item);
    if (m_Schedule)
        CopyScheduleFrom(item);
    if (m_Condition)
        CopyConditionFrom(item);
    if (m_Commands)
        CopyCommandsFrom(item);
}

void CTaskParts::CopyTaskTo(CSchedItem& item) const
{
    IQVTask* task = m_Task.Get();
    GetText(task, &IQVTask::get_Description, item.m_Description);
    GetText(task, &IQVTask::get_LogFile, item.m_LogFile);
    GetText(task, &IQVTask::get_AlarmWaveFile, item.m_AlarmWaveFile);
    GetLong(task, &IQVTask::get_IsSchedIfPastDue, item.m_IsSchedIfPastDue);
    GetLong(task, &IQVTask::get_IsExecIfPastDue, item.m_IsExecIfPastDue);
    GetLong(task, &IQVTask::get_IsSuspendSchedule, item.m_IsSuspendSchedule);
    GetLong(task, &IQVTask::get_IsPromptBeforeExec, item.m_IsPromptBeforeExec);
    GetLong(task, &IQVTask::get_IsAlarm, item.m_IsAlarm);
    GetLong(task, &IQVTask::get_IsLog, item.m_IsLog);
    GetLong(task, &IQVTask::get_IsEnabled, item.m_IsEnabled);
    GetLong(task, &IQVTask::get_IsDisableAfterExec, item.m_IsDisableAfterExec);
    GetLong(task, &IQVTask::get_IsDeleteAfterExec, item.m_IsDeleteAfterExec);
    GetShort(task, &IQVTask::get_StopMinutes, item.m_StopMinutes);
    GetShort(task, &IQVTask::get_StopHours, item.m_StopHours);
    GetLong(task, &IQVTask::get_IsStopAfter, item.m_IsStopAfter);
    GetText(task, &IQVTask::get_Password, item.m_Password);
    GetText(task, &IQVTask::get_UserName, item.m_UserName);
    GetText(task, &IQVTask::get_AcctName, item.m_AcctName);
    GetLong(task, &IQVTask::get_RunAsSystem, item.m_RunAsSystem);
    GetLong(task, &IQVTask::get_IsInteractive, item.m_IsInteractive);
    GetShort(task, &IQVTask::get_TriggerType, item.m_TriggerType);
}

void CTaskParts::CopyScheduleTo(CSchedItem& item) const
{
    IQVSchedTrigger* schedule = m_Schedule.Get();
    GetShort(schedule, &IQVSchedTrigger::get_Frequency, item.m_Frequency);
    GetDate(schedule, &IQVSchedTrigger::get_LastExecTime, item.m_LastExecTime);
    GetDate(schedule, &IQVSchedTrigger::get_NextSchedTime, item.m_NextSchedTime);
    GetShort(schedule, &IQVSchedTrigger::get_DayOfMonth, item.m_DayOfMonth);
    GetShort(schedule, &IQVSchedTrigger::get_DayOfWeek, item.m_DayOfWeek);
    for (short day = 0; day < 7; ++day) {
        long selected = 0;
        if (SUCCEEDED(schedule->get_WeekDaySelected(day, &selected)))
            item.m_WeekDaySelected[day] = selected;
    }
    GetShort(schedule, &IQVSchedTrigger::get_Multiplier, item.m_Multiplier);
    GetShort(schedule, &IQVSchedTrigger::get_WorkDayOfMonth, item.m_WorkDayOfMonth);
    GetShort(schedule, &IQVSchedTrigger::get_MonthRunType, item.m_MonthRunType);
    GetShort(schedule, &IQVSchedTrigger::get_UseWeekType, item.m_UseWeekType);
    for (short month = 0; month < 12; ++month) {
        long scheduled = 0;
        if (SUCCEEDED(schedule->get_IsMonthScheduled(month, &scheduled)))
            item.m_IsMonthScheduled[month] = scheduled;
    }
    GetLong(schedule, &IQVSchedTrigger::get_IsAdvOptions, item.m_IsAdvOptions);
    GetLong(schedule, &IQVSchedTrigger::get_IsIntervalRange, item.m_IsIntervalRange);
    GetShort(schedule, &IQVSchedTrigger::get_IntervalAmount, item.m_IntervalAmount);
    GetShort(schedule, &IQVSchedTrigger::get_IntervalType, item.m_IntervalType);
    GetDate(schedule, &IQVSchedTrigger::get_IntervalStartingTime, item.m_IntervalStartingTime);
    GetDate(schedule, &IQVSchedTrigger::get_IntervalEndingTime, item.m_IntervalEndingTime);
    GetShort(schedule, &IQVSchedTrigger::get_ReschedType, item.m_ReschedType);
    GetLong(schedule, &IQVSchedTrigger::get_ScheduledIndefinately, item.m_ScheduledIndefinately);
    GetDate(schedule, &IQVSchedTrigger::get_DurationTime, item.m_DurationTime);
    GetLong(schedule, &IQVSchedTrigger::get_IncludeHolidays, item.m_IncludeHolidays);
}

void CTaskParts::CopyConditionTo(CSchedItem& item) const
{
    IQVCondTrigger* condition = m_Condition.Get();
    GetShort(condition, &IQVCondTrigger::get_Action, item.m_CondAction);
    GetLong(condition, &IQVCondTrigger::get_Enabled, item.m_CondEnabled);
    GetShort(condition, &IQVCondTrigger::get_Frequency, item.m_CondFrequency);
    GetShort(condition, &IQVCondTrigger::get_CondType, item.m_CondType);
    GetText(condition, &IQVCondTrigger::get_CondName, item.m_CondName);
    GetLong(condition, &IQVCondTrigger::get_HasToggled, item.m_HasToggled);
    GetLong(condition, &IQVCondTrigger::get_AutoReset, item.m_AutoReset);
}

void CTaskParts::CopyCommandsTo(CSchedItem& item) const
{
    long count = 0;
    if (FAILED(m_Commands->get_Count(&count)))
        return;
    for (long index = 0; index < count; ++index) {
        ComPtr<IQVCommand> command;
        if (FAILED(m_Commands->Item(static_cast<int>(index), command.Receive())) || !command)
            continue;
        Bstr line;
        if (SUCCEEDED(command->get_FullCommand(line.Receive())))
            item.AddCommandLine(CString(line.c_str()));
    }
}

void CTaskParts::CopyTaskFrom(const CSchedItem& item) const
{
    IQVTask* task = m_Task.Get();
    PutText(task, &IQVTask::put_Description, item.m_Description);
    PutText(task, &IQVTask::put_LogFile, item.m_LogFile);
    PutText(task, &IQVTask::put_AlarmWaveFile, item.m_AlarmWaveFile);
    PutText(task, &IQVTask::put_Password, item.m_Password);
    PutText(task, &IQVTask::put_UserName, item.m_UserName);
    task->put_RunAsSystem(item.m_RunAsSystem);
    task->put_IsInteractive(item.m_IsInteractive);
    task->put_IsSchedIfPastDue(item.m_IsSchedIfPastDue);
    task->put_IsExecIfPastDue(item.m_IsExecIfPastDue);
    task->put_IsSuspendSchedule(item.m_IsSuspendSchedule);
    task->put_IsPromptBeforeExec(item.m_IsPromptBeforeExec);
    task->put_IsAlarm(item.m_IsAlarm);
    task->put_IsLog(item.m_IsLog);
    task->put_IsEnabled(item.m_IsEnabled);
    task->put_IsDisableAfterExec(item.m_IsDisableAfterExec);
    task->put_IsDeleteAfterExec(item.m_IsDeleteAfterExec);
    task->put_StopMinutes(AsShort(item.m_StopMinutes));
    task->put_StopHours(AsShort(item.m_StopHours));
    task->put_IsStopAfter(item.m_IsStopAfter);
    PutText(task, &IQVTask::put_AcctName, item.m_AcctName);
    task->put_TriggerType(AsShort(item.m_TriggerType));
    task->put_IsActive(item.m_IsEnabled);
}

void CTaskParts::CopyScheduleFrom(const CSchedItem& item) const
{
    IQVSchedTrigger* schedule = m_Schedule.Get();
    schedule->put_Frequency(AsShort(item.m_Frequency));
    schedule->put_LastExecTime(item.m_LastExecTime.m_dt);
    schedule->put_NextSchedTime(item.m_NextSchedTime.m_dt);
    schedule->put_DayOfMonth(AsShort(item.m_DayOfMonth));
    schedule->put_DayOfWeek(AsShort(item.m_DayOfWeek));
    for (short day = 0; day < 7; ++day)
        schedule->put_WeekDaySelected(day, item.m_WeekDaySelected[day]);
    schedule->put_Multiplier(AsShort(item.m_Multiplier));
    schedule->put_WorkDayOfMonth(AsShort(item.m_WorkDayOfMonth));
    schedule->put_MonthRunType(AsShort(item.m_MonthRunType));
    schedule->put_UseWeekType(AsShort(item.m_UseWeekType));
    for (short month = 0; month < 12; ++month)
        schedule->put_IsMonthScheduled(month, item.m_IsMonthScheduled[month]);
    schedule->put_IsAdvOptions(item.m_IsAdvOptions);
    schedule->put_IsIntervalRange(item.m_IsIntervalRange);
    schedule->put_IntervalAmount(AsShort(item.m_IntervalAmount));
    schedule->put_IntervalType(AsShort(item.m_IntervalType));
    schedule->put_IntervalStartingTime(item.m_IntervalStartingTime.m_dt);
    schedule->put_IntervalEndingTime(item.m_IntervalEndingTime.m_dt);
    schedule->put_ReschedType(AsShort(item.m_ReschedType));
    schedule->put_ScheduledIndefinately(item.m_ScheduledIndefinately);
    schedule->put_DurationTime(item.m_DurationTime.m_dt);
    schedule->put_IncludeHolidays(item.m_IncludeHolidays);
}

void CTaskParts::CopyConditionFrom(const CSchedItem& item) const
{
    IQVCondTrigger* condition = m_Condition.Get();
    condition->put_Enabled(item.m_CondEnabled);
    condition->put_Action(AsShort(item.m_CondAction));
    condition->put_Frequency(AsShort(item.m_CondFrequency));
    condition->put_CondType(AsShort(item.m_CondType));
    condition->put_AutoReset(item.m_AutoReset);
    condition->put_Active(item.m_IsEnabled);
    PutText(condition, &IQVCondTrigger::put_CondName, item.m_CondName);
    condition->put_HasToggled(item.m_HasToggled);
}

void CTaskParts::CopyCommandsFrom(const CSchedItem& item) const
{
    for (int index = 0; index < item.GetCommandCount(); ++index) {
        // The in-process class object is kept: a task file is read for
        // every task at the engine's start, a command object per line.
        ComPtr<IQVCommand> command;
        if (FAILED(tvx::com::Module::Current().ClassObjects().CreateInstance(CLSID_QVCommand, nullptr,
                                                                             IID_IQVCommand,
                                                                             command.ReceiveVoid())) &&
            FAILED(command.CreateInstance(CLSID_QVCommand, kCommandContext)))
            continue;
        PutText(command.Get(), &IQVCommand::put_FullCommand, item.GetCommandLine(index));
        m_Commands->Add(command.Get());
    }
}
