#include "storage_test_values.h"

#include "storage/sched_item.h"

double OaDate(int year, int month, int day, int hour, int minute, int second)
{
    const double days = COleDateTime(year, month, day, 0, 0, 0).m_dt;
    return days + (hour * 3600 + minute * 60 + second) / 86400.0;
}

COleDateTime ValidDate(double value)
{
    COleDateTime date;
    date.m_dt = value;
    date.m_status = COleDateTime::valid;
    return date;
}

void FillDistinctValues(CSchedItem& item)
{
    item.m_Description = "Backup";
    item.m_LogFile = "C:\\logs\\backup.log";
    item.m_AlarmWaveFile = "ding.wav";
    item.m_Password = "pw";
    item.m_UserName = "bob";
    LONG* const taskFields[] = {&item.m_RunAsSystem,        &item.m_IsInteractive,     &item.m_IsLog,
                                &item.m_IsEnabled,          &item.m_IsAlarm,           &item.m_IsExecIfPastDue,
                                &item.m_IsSchedIfPastDue,   &item.m_IsDeleteAfterExec, &item.m_IsDisableAfterExec,
                                &item.m_IsPromptBeforeExec, &item.m_IsSuspendSchedule, &item.m_IsStopAfter,
                                &item.m_StopHours,          &item.m_StopMinutes};
    LONG value = 7;
    for (LONG* field : taskFields)
        *field = value++;
    item.m_CondEnabled = 21;
    item.m_CondType = 22;
    item.m_CondName = "notepad.exe";
    item.m_CondAction = 24;
    item.m_CondFrequency = 25;
    item.m_CondReserved = 26;
    item.m_HasToggled = 27;
    item.m_CommandLines.RemoveAll();
    item.AddCommandLine("RunProgram(notepad.exe)");
    item.AddCommandLine("Delay(5,Seconds)");
    item.m_ReservedDate = ValidDate(OaDate(2020, 1, 2, 3, 4, 5));
    item.m_LastExecTime = ValidDate(OaDate(2021, 2, 3, 4, 5, 6));
    item.m_NextSchedTime = ValidDate(OaDate(2022, 3, 4, 5, 6, 7));
    item.m_DurationTime = ValidDate(OaDate(2023, 4, 5, 6, 7, 8));
    item.m_IntervalStartingTime = ValidDate(OaDate(2024, 5, 6, 8, 0, 0));
    item.m_IntervalEndingTime = ValidDate(OaDate(2024, 5, 6, 17, 30, 0));
    LONG* const scheduleFields[] = {&item.m_Frequency,      &item.m_DayOfMonth,      &item.m_DayOfWeek,
                                    &item.m_Multiplier,     &item.m_WorkDayOfMonth,  &item.m_MonthRunType,
                                    &item.m_UseWeekType,    &item.m_IsAdvOptions,    &item.m_IsIntervalRange,
                                    &item.m_IntervalAmount, &item.m_IntervalType,    &item.m_ReschedType,
                                    &item.m_ScheduledIndefinately, &item.m_IncludeHolidays};
    value = 36;
    for (LONG* field : scheduleFields)
        *field = value++;
    for (LONG& month : item.m_IsMonthScheduled)
        month = value++;
    for (LONG& day : item.m_WeekDaySelected)
        day = value++;
    item.m_AcctName = "nightly";
    item.m_TriggerType = 70;
    item.m_AutoReset = 71;
}
