// Calendar arithmetic of the schedule computation on a linear scale of whole
// seconds since 30 December 1899 00:00 (local time, no daylight saving: an
// automation date day is always 86400 seconds).
//
// The schedule rules step through days, weeks and months many times per
// rescheduling; doing that on automation dates would round at every step and
// decompose the double into a calendar date again and again. Here a date is
// converted once on the way in and once on the way out.
#pragma once

#include <cstdint>

#include "platform/framework/oledatetime.h"

namespace schedcal {

using Seconds = int64_t;

constexpr Seconds kDay = 86400;

// 1 January 100 and 31 December 9999, the automation date range.
constexpr int64_t kFirstDay = -657434;
constexpr int64_t kLastDay = 2958465;
constexpr Seconds kMinSeconds = kFirstDay * kDay;
constexpr Seconds kMaxSeconds = kLastDay * kDay + kDay - 1;

inline int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Day number (0 = 30 December 1899) of a time.
inline int64_t DayOf(Seconds t)
{
    return FloorDiv(t, kDay);
}

// Midnight at the start of the time's day.
inline Seconds DateOf(Seconds t)
{
    return DayOf(t) * kDay;
}

// Seconds since midnight.
inline Seconds TimeOf(Seconds t)
{
    return t - DateOf(t);
}

inline bool SameDay(Seconds a, Seconds b)
{
    return DayOf(a) == DayOf(b);
}

// 0 Monday ... 6 Sunday. Day 0 was a Saturday.
inline int WeekdayOfDay(int64_t day)
{
    return static_cast<int>(((day + 5) % 7 + 7) % 7);
}

inline int WeekdayOf(Seconds t)
{
    return WeekdayOfDay(DayOf(t));
}

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);  // month 1-12

struct CivilDate {
    int year;
    int month;  // 1-12
    int day;    // 1-31
};

// Proleptic Gregorian calendar; valid for the years 1-9999 and beyond.
int64_t DayNumber(int year, int month, int day);
CivilDate CivilOf(int64_t day);

inline bool InRange(Seconds t)
{
    return t >= kMinSeconds && t <= kMaxSeconds;
}

// t plus n months with t's time of day; a day the target month lacks becomes
// its last day (31 January + 1 month = 28 or 29 February). t unchanged when
// the result would leave the years 100-9999.
Seconds AddMonths(Seconds t, int n);

// The last day of the first month from t's month on whose flag in
// monthScheduled (12 flags, January first) is set, with t's time of day;
// with no month set, the last day of the month before t's month a year on.
Seconds LastDayBeforeScheduledMonth(Seconds t, const long* monthScheduled);

// The linear seconds of a valid automation date, rounded to the nearest
// second as the date type itself does; false for dates that are not valid.
bool ToSeconds(const COleDateTime& date, Seconds& seconds);

// The automation date of a time within the range above.
COleDateTime ToDate(Seconds seconds);

// Whole seconds of a date, rebuilt from its fields: fractions of a second
// are dropped. Dates that are not valid keep their value and status.
COleDateTime Normalised(const COleDateTime& date);

}  // namespace schedcal
