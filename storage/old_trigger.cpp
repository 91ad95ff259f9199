#include "storage/old_trigger.h"

#include "platform/framework/archive.h"

IMPLEMENT_SERIAL(COldTrigger, CObject, VERSIONABLE_SCHEMA | 1)

COldTrigger::COldTrigger()
    : m_Version(1),
      m_IsAdvOptions(0),
      m_IsIntervalRange(0),
      m_Unused(0),
      m_IncludeHolidays(0),
      m_ScheduledIndefinately(0),
      m_Frequency(0),
      m_IntervalType(0),
      m_ReschedType(0),
      m_MonthRunType(0),
      m_DayOfWeek(0),
      m_IntervalAmount(0),
      m_Multiplier(0),
      m_UseWeekType(0),
      m_DayOfMonth(0),
      m_WorkDayOfMonth(0),
      m_WeekDaySelected{},
      m_IsMonthScheduled{}
{
}

void COldTrigger::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_Version << m_NextSchedTime << m_CreatedTime << m_LastExecTime << m_DurationTime << m_IsAdvOptions
           << m_IntervalStartingTime << m_IntervalEndingTime << m_IsIntervalRange << m_Unused << m_IncludeHolidays
           << m_ScheduledIndefinately << m_Frequency << m_IntervalType << m_ReschedType << m_MonthRunType
           << m_DayOfWeek << m_IntervalAmount << m_Multiplier << m_UseWeekType << m_DayOfMonth << m_WorkDayOfMonth;
        for (LONG day : m_WeekDaySelected)
            ar << day;
        for (LONG month : m_IsMonthScheduled)
            ar << month;
        return;
    }
    ar >> m_Version >> m_NextSchedTime >> m_CreatedTime >> m_LastExecTime >> m_DurationTime >> m_IsAdvOptions >>
        m_IntervalStartingTime >> m_IntervalEndingTime >> m_IsIntervalRange >> m_Unused >> m_IncludeHolidays >>
        m_ScheduledIndefinately >> m_Frequency >> m_IntervalType >> m_ReschedType >> m_MonthRunType >>
        m_DayOfWeek >> m_IntervalAmount >> m_Multiplier >> m_UseWeekType >> m_DayOfMonth >> m_WorkDayOfMonth;
    for (LONG& day : m_WeekDaySelected)
        ar >> day;
    for (LONG& month : m_IsMonthScheduled)
        ar >> month;
}
