#include "task/sched_calendar.h"

#include <algorithm>
#include <cmath>

namespace schedcal {

namespace {

// Days from 1 March of year 0 to 30 December 1899.
constexpr int64_t kEpochShift = 693899;

}  // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int64_t DayNumber(int year, int month, int day)
{
    // Counting from March puts the leap day at the end of each year.
    const int64_t y = month <= 2 ? year - 1 : year;
    const int64_t era = FloorDiv(y, 400);
    const int64_t year_of_era = y - era * 400;
    const int64_t month_from_march = month > 2 ? month - 3 : month + 9;
    const int64_t day_of_year = (153 * month_from_march + 2) / 5 + day - 1;
    const int64_t day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - kEpochShift;
}

CivilDate CivilOf(int64_t day)
{
    const int64_t z = day + kEpochShift;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t day_of_era = z - era * 146097;
    const int64_t year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const int64_t day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const int64_t month_from_march = (5 * day_of_year + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(day_of_year - (153 * month_from_march + 2) / 5 + 1);
    date.month =
        static_cast<int>(month_from_march < 10 ? month_from_march + 3 : month_from_march - 9);
    date.year = static_cast<int>(year_of_era + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

Seconds AddMonths(Seconds t, int n)
{
    const CivilDate date = CivilOf(DayOf(t));
    const int64_t total = static_cast<int64_t>(date.year) * 12 + (date.month - 1) + n;
    const int64_t year = FloorDiv(total, 12);
    const int month = static_cast<int>(total - year * 12) + 1;
    if (year < 100 || year > 9999)
        return t;
    const int day = std::min(date.day, DaysInMonth(static_cast<int>(year), month));
    return DayNumber(static_cast<int>(year), month, day) * kDay + TimeOf(t);
}

Seconds LastDayBeforeScheduledMonth(Seconds t, const long* monthScheduled)
{
    const CivilDate date = CivilOf(DayOf(t));
    // Months counted from January of t's year, 0-based: step forward from
    // the month after t's until the month before the stepped one is
    // scheduled, or a year has passed.
    int stepped = date.month;
    for (int k = 1; k < 12; ++k, ++stepped) {
        if (monthScheduled[(stepped - 1) % 12] != 0)
            break;
    }
    const int year = date.year + stepped / 12;
    return (DayNumber(year, stepped % 12 + 1, 1) - 1) * kDay + TimeOf(t);
}

bool ToSeconds(const COleDateTime& date, Seconds& seconds)
{
    if (date.m_status != COleDateTime::valid)
        return false;
    const double dt = date.m_dt;
    if (!(dt > static_cast<double>(kFirstDay - 1) && dt < static_cast<double>(kLastDay + 1)))
        return false;
    // Before 1900 the fraction counts forward from the whole (negative) day.
    const double whole = std::trunc(dt);
    const double fraction = std::fabs(dt - whole);
    seconds = static_cast<int64_t>(whole) * kDay + std::llround(fraction * kDay);
    return InRange(seconds);
}

COleDateTime ToDate(Seconds seconds)
{
    const int64_t day = DayOf(seconds);
    const double fraction = static_cast<double>(seconds - day * kDay) / kDay;
    COleDateTime date;
    date.m_dt = day >= 0 ? static_cast<double>(day) + fraction
                         : static_cast<double>(day) - fraction;
    date.m_status = InRange(seconds) ? COleDateTime::valid : COleDateTime::invalid;
    return date;
}

COleDateTime Normalised(const COleDateTime& date)
{
    Seconds seconds;
    if (!ToSeconds(date, seconds))
        return date;
    return ToDate(seconds);
}

}  // namespace schedcal
