// COldTrigger: the schedule of a task file of the old layout (record
// versions 1 and 2). Only CSchedItem::ConvertOldFormat reads it; storing
// mirrors loading. Dates keep their stored status.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/framework/oledatetime.h"

class COldTrigger : public CObject {
    DECLARE_SERIAL(COldTrigger)

public:
    COldTrigger();

    void Serialize(CArchive& ar) override;

    LONG m_Version;  // written 1, not checked on reading
    COleDateTime m_NextSchedTime;
    COleDateTime m_CreatedTime;
    COleDateTime m_LastExecTime;
    COleDateTime m_DurationTime;
    LONG m_IsAdvOptions;
    COleDateTime m_IntervalStartingTime;
    COleDateTime m_IntervalEndingTime;
    LONG m_IsIntervalRange;
    LONG m_Unused;
    LONG m_IncludeHolidays;
    LONG m_ScheduledIndefinately;
    LONG m_Frequency;
    LONG m_IntervalType;
    LONG m_ReschedType;
    LONG m_MonthRunType;
    LONG m_DayOfWeek;
    LONG m_IntervalAmount;
    LONG m_Multiplier;
    LONG m_UseWeekType;
    LONG m_DayOfMonth;
    LONG m_WorkDayOfMonth;
    LONG m_WeekDaySelected[7];    // Monday first
    LONG m_IsMonthScheduled[12];  // January first
};
