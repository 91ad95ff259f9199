#include "task/sched_holidays.h"

#include <algorithm>

#include "task/sched_calendar.h"

void CSchedHolidays::Add(const COleDateTime& date)
{
    m_dates.push_back(date);
    schedcal::Seconds seconds;
    // A date that is not valid has no day; it is kept in the list but can
    // never match.
    if (!schedcal::ToSeconds(date, seconds))
        return;
    const int64_t day = schedcal::DayOf(seconds);
    const auto at = std::lower_bound(m_sortedDays.begin(), m_sortedDays.end(), day);
    if (at == m_sortedDays.end() || *at != day)
        m_sortedDays.insert(at, day);
}

void CSchedHolidays::Clear()
{
    m_dates.clear();
    m_sortedDays.clear();
}

bool CSchedHolidays::ContainsDay(int64_t day) const
{
    return std::binary_search(m_sortedDays.begin(), m_sortedDays.end(), day);
}

long CSchedHolidays::StepsToFreeDay(int64_t day, int64_t step_days, long max_steps) const
{
    auto at = std::lower_bound(m_sortedDays.begin(), m_sortedDays.end(), day);
    long steps = 0;
    while (at != m_sortedDays.end() && *at == day && steps < max_steps) {
        day += step_days;
        ++steps;
        while (at != m_sortedDays.end() && *at < day)
            ++at;
    }
    return steps;
}
