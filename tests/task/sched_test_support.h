// Helpers shared by the schedule tests: readable dates and schedule set-ups.
#pragma once

#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>

#include "task/sched_trigger.h"

namespace schedtest {

// "2025-01-13 10:00:00" (seconds optional).
inline COleDateTime T(const char* text)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    std::sscanf(text, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s);
    return COleDateTime(y, mo, d, h, mi, s);
}

inline std::string Iso(const COleDateTime& date)
{
    if (date.GetStatus() != COleDateTime::valid)
        return "(not a valid date)";
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", date.GetYear(),
                  date.GetMonth(), date.GetDay(), date.GetHour(), date.GetMinute(),
                  date.GetSecond());
    return text;
}

using Schedule = std::function<void(CSchedTrigger&)>;

// Weekday flags from a pattern like "M-W----" (Monday first; '-' = off).
inline void Weekdays(CSchedTrigger& t, const char* pattern)
{
    for (long day = 0; day < 7; ++day)
        t.SetWeekDaySelected(day, pattern[day] != '-' ? 1 : 0);
}

inline void WorkDays(CSchedTrigger& t, const char* pattern)
{
    for (long day = 0; day < 7; ++day)
        t.SetWorkDay(day, pattern[day] != '-' ? 1 : 0);
}

// Month flags from a pattern of twelve characters (January first).
inline void Months(CSchedTrigger& t, const char* pattern)
{
    for (long month = 0; month < 12; ++month)
        t.SetIsMonthScheduled(month, pattern[month] != '-' ? 1 : 0);
}

// Repetition every amount minutes (type 0) or hours (type 1); with a window
// when start and end are given ("08:00").
inline void Repeat(CSchedTrigger& t, long amount, long type, const char* start = nullptr,
                   const char* end = nullptr, long reschedType = 0)
{
    t.SetIsAdvOptions(1);
    t.SetIntervalAmount(amount);
    t.SetIntervalType(type);
    t.SetReschedType(reschedType);
    if (start != nullptr) {
        t.SetIsIntervalRange(1);
        t.SetIntervalStartingTime(T((std::string("2000-06-15 ") + start).c_str()));
        t.SetIntervalEndingTime(T((std::string("2000-06-15 ") + end).c_str()));
    }
}

inline void Holidays(CSchedTrigger& t, std::initializer_list<const char*> dates)
{
    t.SetIncludeHolidays(0);
    for (const char* date : dates)
        t.AddHoliday(T(date));
}

}  // namespace schedtest
