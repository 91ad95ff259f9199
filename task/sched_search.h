// The next-run computation of a schedule record, for one reference time.
#pragma once

#include <windows.h>

#include "task/sched_calendar.h"

class CSchedTrigger;

// Reads the record, computes the new NextSchedTime and LastSchedTime on the
// linear second scale and leaves writing them back to the record, so that a
// failed computation leaves the record as it was.
//
// Every search is bounded: values that make a search endless are refused
// before it starts, and a budget of steps and the end of the date range stop
// anything else.
class CSchedSearch {
public:
    CSchedSearch(const CSchedTrigger& trigger, schedcal::Seconds ref);

    // S_OK, or E_INVALIDARG / E_FAIL with GetErrorText() set.
    HRESULT Run();

    // After a successful Run: whether NextSchedTime and LastSchedTime are to
    // be replaced by GetNext() and GetLastSched().
    bool Changed() const { return m_changed; }
    schedcal::Seconds GetNext() const { return m_next; }
    schedcal::Seconds GetLastSched() const { return m_lastSched; }
    const char* GetErrorText() const { return m_errorText; }

private:
    using Seconds = schedcal::Seconds;

    enum class RepeatKind { Found, Placed, Exhausted };
    struct Repeat {
        Seconds time;
        RepeatKind kind;
    };

    HRESULT CheckSchedule();
    bool StillValid();

    bool OneTime();
    bool Daily();
    bool Weekly();
    bool WeeklyIntervals();
    bool MonthlySameDay();
    bool MonthlyLastDay();
    bool MonthlyNthWeekday();
    bool MonthlyNthWorkDay();
    bool MonthlyLastWorkDay();

    // Interval repetition on the day of a monthly candidate.
    Repeat RepeatOnDay(Seconds candidate) const;
    // The run on a chosen monthly day, or on the following chosen days
    // when that day's repetitions are over.
    bool FinishWithIntervals(Seconds candidate, Seconds& result);
    bool NextOccurrence(Seconds candidate, Seconds& next);

    // Monthly date routines.
    bool MonthScheduled(Seconds t) const;
    Seconds LastDayBeforeScheduledMonth(Seconds t) const;
    Seconds MonthStep(Seconds base, Seconds timeOfDay) const;
    int64_t WeekdayRuleDay(Seconds t) const;
    Seconds WorkDaySearch(Seconds t) const;
    bool LastWorkDay(Seconds t, Seconds& result);

    bool Allowed(Seconds t) const;
    bool WindowHolds(Seconds t) const;

    Seconds FirstGridAtOrAfter(Seconds anchor, Seconds bound) const;

    // Counts one search step for a candidate; false (with the reason set)
    // when the budget is spent or the candidate has left the date range.
    bool Spend(Seconds t);
    bool Fail(const char* text);
    HRESULT Refuse(HRESULT hr, const char* text);

    const CSchedTrigger& m_trigger;
    const Seconds m_ref;
    Seconds m_next = 0;
    Seconds m_lastSched = 0;
    Seconds m_lastExec = 0;
    bool m_lastExecValid = false;
    Seconds m_startTod = 0;  // window times of day, 0 and 86399 without a range
    Seconds m_endTod = 0;
    Seconds m_step = 0;
    bool m_adv = false;
    bool m_range = false;
    bool m_includeHolidays = true;
    bool m_changed = false;
    long m_budget = 0;
    const char* m_errorText = "";
};
