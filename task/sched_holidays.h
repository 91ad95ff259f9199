// The holiday dates a schedule honours.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/framework/oledatetime.h"

// Keeps the dates in the order they were added (that order is what the
// record's stream writes) and, beside them, the sorted day numbers of the
// valid ones, so that a search stepping through a year of days with a year
// of holidays asks a binary search rather than comparing every entry.
// A holiday matches any time on its date.
class CSchedHolidays {
public:
    void Add(const COleDateTime& date);
    void Clear();

    int GetCount() const { return static_cast<int>(m_dates.size()); }
    const COleDateTime& GetAt(int index) const { return m_dates[index]; }

    // Day number as in schedcal::DayOf.
    bool ContainsDay(int64_t day) const;
    // How many steps of step_days (> 0) lead from day to the first day that
    // is not a holiday (0 when day is none), counting at most max_steps.
    // One pass over the sorted days rather than a search per step.
    long StepsToFreeDay(int64_t day, int64_t step_days, long max_steps) const;

private:
    std::vector<COleDateTime> m_dates;
    std::vector<int64_t> m_sortedDays;
};
