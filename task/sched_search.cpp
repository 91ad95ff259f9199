#include "task/sched_search.h"

#include <algorithm>

#include "task/sched_trigger.h"

using namespace schedcal;

namespace {

const char kBadFrequency[] = "The schedule's frequency is not one of 0 to 4.";
const char kBadNextTime[] = "The next scheduled time is not a valid date.";
const char kBadLastExecTime[] = "The last execution time is not a valid date.";
const char kBadWindow[] = "The repeat interval's start or end time is not a valid date.";
const char kBadIntervalType[] = "The repeat interval's unit is neither minutes (0) nor hours (1).";
const char kBadIntervalAmount[] = "The repeat interval must be at least 1.";
const char kBadMultiplier[] = "The schedule's multiplier must be at least 1.";
const char kNoWeekday[] = "The weekly schedule has no day of the week selected.";
const char kNoMonth[] = "The monthly schedule has no month selected.";
const char kBadMonthRunType[] = "The monthly schedule's run type is not one of 0 to 4.";
const char kBadDayOfWeek[] = "The monthly schedule's day of the week is not one of 0 to 6.";
const char kNoWorkDay[] = "The monthly schedule counts work days, but no day is a work day.";
const char kPastDateRange[] = "The schedule has no run time before the end of the year 9999.";
const char kSearchLimit[] = "No run time of the schedule was found within the search limit.";

// Search steps allowed per rescheduling. A possible schedule needs a few
// dozen, plus some for every holiday it has to skip; a schedule that is
// still unfinished after this many is abandoned in well under a millisecond
// instead of stopping the scheduler.
constexpr long kSearchSteps = 50000;
constexpr long kSearchStepsPerHoliday = 64;
constexpr long kMaxHolidaySteps = 100000;

// The window test lets a run through up to this long after the window end.
constexpr Seconds kWindowSlack = 20;

int MonthIndexOf(Seconds t)
{
    return CivilOf(DayOf(t)).month - 1;
}

}  // namespace

CSchedSearch::CSchedSearch(const CSchedTrigger& trigger, Seconds ref)
    : m_trigger(trigger), m_ref(ref)
{
}

bool CSchedSearch::Fail(const char* text)
{
    m_errorText = text;
    return false;
}

HRESULT CSchedSearch::Refuse(HRESULT hr, const char* text)
{
    m_errorText = text;
    return hr;
}

bool CSchedSearch::Spend(Seconds t)
{
    if (!InRange(t))
        return Fail(kPastDateRange);
    if (--m_budget < 0)
        return Fail(kSearchLimit);
    return true;
}

bool CSchedSearch::Allowed(Seconds t) const
{
    return m_includeHolidays || !m_trigger.m_Holidays.ContainsDay(DayOf(t));
}

Seconds CSchedSearch::FirstGridAtOrAfter(Seconds anchor, Seconds bound) const
{
    if (bound <= anchor)
        return anchor;
    return anchor + (bound - anchor + m_step - 1) / m_step * m_step;
}

HRESULT CSchedSearch::CheckSchedule()
{
    const CSchedTrigger& t = m_trigger;
    if (t.m_Frequency < kFrequencyOneTime || t.m_Frequency > kFrequencyNotByTime)
        return Refuse(E_INVALIDARG, kBadFrequency);
    if (t.m_Frequency == kFrequencyNotByTime)
        return S_OK;
    if (!ToSeconds(t.m_NextSchedTime, m_next))
        return Refuse(E_FAIL, kBadNextTime);
    m_lastExecValid = ToSeconds(t.m_LastExecTime, m_lastExec);
    if (m_adv) {
        if (t.m_IntervalType != 0 && t.m_IntervalType != 1)
            return Refuse(E_INVALIDARG, kBadIntervalType);
        if (t.m_IntervalAmount < 1)
            return Refuse(E_INVALIDARG, kBadIntervalAmount);
        m_step = static_cast<Seconds>(t.m_IntervalAmount) * (t.m_IntervalType == 0 ? 60 : 3600);
        if (!m_lastExecValid)
            return Refuse(E_FAIL, kBadLastExecTime);
    }
    if (m_adv && m_range) {
        Seconds start;
        Seconds end;
        if (!ToSeconds(t.m_IntervalStartingTime, start) || !ToSeconds(t.m_IntervalEndingTime, end))
            return Refuse(E_FAIL, kBadWindow);
        m_startTod = TimeOf(start);
        m_endTod = TimeOf(end);
    } else {
        m_startTod = 0;
        m_endTod = kDay - 1;
    }
    if (t.m_Frequency == kFrequencyDaily || t.m_Frequency == kFrequencyWeekly) {
        if (t.m_Multiplier < 1)
            return Refuse(E_INVALIDARG, kBadMultiplier);
    }
    if (t.m_Frequency == kFrequencyWeekly &&
        std::none_of(t.m_WeekDaySelected, t.m_WeekDaySelected + 7, [](long v) { return v != 0; }))
        return Refuse(E_FAIL, kNoWeekday);
    if (t.m_Frequency == kFrequencyMonthly) {
        if (t.m_MonthRunType < kMonthSameDay || t.m_MonthRunType > kMonthLastWorkDay)
            return Refuse(E_INVALIDARG, kBadMonthRunType);
        if (std::none_of(t.m_IsMonthScheduled, t.m_IsMonthScheduled + 12,
                         [](long v) { return v != 0; }))
            return Refuse(E_FAIL, kNoMonth);
        if (t.m_MonthRunType == kMonthNthWeekday && (t.m_DayOfWeek < 0 || t.m_DayOfWeek > 6))
            return Refuse(E_INVALIDARG, kBadDayOfWeek);
        // The n-th work day counts days whose flag is exactly 1; the last
        // work day steps back to any day whose flag is set.
        if (t.m_MonthRunType == kMonthNthWorkDay &&
            std::none_of(t.m_WorkDays, t.m_WorkDays + 7, [](long v) { return v == 1; }))
            return Refuse(E_FAIL, kNoWorkDay);
        if (t.m_MonthRunType == kMonthLastWorkDay &&
            std::none_of(t.m_WorkDays, t.m_WorkDays + 7, [](long v) { return v != 0; }))
            return Refuse(E_FAIL, kNoWorkDay);
    }
    return S_OK;
}

HRESULT CSchedSearch::Run()
{
    const CSchedTrigger& t = m_trigger;
    m_adv = t.m_IsAdvOptions != 0;
    m_range = t.m_IsIntervalRange != 0;
    m_includeHolidays = t.m_IncludeHolidays != 0;
    m_budget = kSearchSteps +
               kSearchStepsPerHoliday * std::min<long>(t.m_Holidays.GetCount(), kMaxHolidaySteps);
    m_changed = false;

    const HRESULT checked = CheckSchedule();
    if (FAILED(checked) || t.m_Frequency == kFrequencyNotByTime)
        return checked;

    // A next run that is still ahead and still fits the schedule stays:
    // rescheduling by hand must not skip a week or a month.
    if ((t.m_Frequency != kFrequencyOneTime || m_adv) && StillValid())
        return S_OK;

    m_lastSched = m_next;
    bool done = false;
    switch (t.m_Frequency) {
    case kFrequencyOneTime:
        done = OneTime();
        break;
    case kFrequencyDaily:
        done = Daily();
        break;
    case kFrequencyWeekly:
        done = m_adv ? WeeklyIntervals() : Weekly();
        break;
    case kFrequencyMonthly:
        switch (t.m_MonthRunType) {
        case kMonthSameDay:
            done = MonthlySameDay();
            break;
        case kMonthLastDay:
            done = MonthlyLastDay();
            break;
        case kMonthNthWeekday:
            done = MonthlyNthWeekday();
            break;
        case kMonthNthWorkDay:
            done = MonthlyNthWorkDay();
            break;
        default:
            done = MonthlyLastWorkDay();
            break;
        }
        break;
    }
    if (!done)
        return E_FAIL;
    if (!InRange(m_next))
        return Refuse(E_FAIL, kPastDateRange);
    m_changed = true;
    return S_OK;
}

bool CSchedSearch::WindowHolds(Seconds t) const
{
    if (!m_adv || !m_range)
        return true;
    const Seconds tod = TimeOf(t);
    if (m_endTod >= m_startTod)
        return tod >= m_startTod && tod <= m_endTod + kWindowSlack;
    return tod >= m_startTod || tod <= m_endTod + kWindowSlack;
}

bool CSchedSearch::StillValid()
{
    const CSchedTrigger& t = m_trigger;
    if (m_next <= m_ref)
        return false;
    switch (t.m_Frequency) {
    case kFrequencyOneTime:
        return true;
    case kFrequencyDaily:
        return Allowed(m_next) && WindowHolds(m_next);
    case kFrequencyWeekly:
        return t.m_WeekDaySelected[WeekdayOf(m_next)] != 0 && Allowed(m_next) &&
               WindowHolds(m_next);
    default:
        break;
    }
    if (!MonthScheduled(m_next) || !Allowed(m_next) || !WindowHolds(m_next))
        return false;
    const int64_t day = DayOf(m_next);
    switch (t.m_MonthRunType) {
    case kMonthSameDay:
        return true;
    case kMonthLastDay:
        return DayOf(LastDayBeforeScheduledMonth(m_next)) == day;
    case kMonthNthWeekday:
        return WeekdayRuleDay(m_next) == day;
    case kMonthNthWorkDay:
        return DayOf(WorkDaySearch(m_next)) == day;
    default: {
        Seconds last;
        return LastWorkDay(m_next, last) && DayOf(last) == day;
    }
    }
}

// One time: without repetition the next run stays. With it, the runs step
// through the base's day; once they are over, the next run is the window
// end (the task disables a one-time schedule after rescheduling anyway).
bool CSchedSearch::OneTime()
{
    if (!m_adv)
        return true;
    Seconds base = m_trigger.m_ReschedType == 1 ? m_lastExec : m_next;
    const Seconds dayStart = DateOf(base);
    const int64_t firstDay = DayOf(base);
    Seconds end = dayStart + m_endTod;
    if (m_range && end < dayStart + m_startTod)
        end += kDay;
    for (;;) {
        if (base > end) {
            m_next = end;
            m_lastSched = end;
            return true;
        }
        if (!Spend(base))
            return false;
        const int64_t day = DayOf(base);
        // Only values on the base's first day are within the day bounds.
        if (day == firstDay) {
            const Seconds first = base > m_ref ? base : FirstGridAtOrAfter(base, m_ref + 1);
            if (DayOf(first) == day) {
                m_next = first;
                return true;
            }
        }
        base = FirstGridAtOrAfter(base, (day + 1) * kDay);
    }
}

bool CSchedSearch::Daily()
{
    const Seconds period = static_cast<Seconds>(m_trigger.m_Multiplier) * kDay;
    Seconds candidate;
    if (!m_adv) {
        candidate = m_next;
        if (candidate <= m_ref)
            candidate += ((m_ref - candidate) / period + 1) * period;
    } else {
        candidate = m_trigger.m_ReschedType != 0 ? m_ref : m_lastSched;
        Seconds start = DateOf(candidate) + m_startTod;
        Seconds end = DateOf(candidate) + m_endTod;
        if (end < start)
            end += kDay;
        if (m_ref > end) {
            const Seconds periods = (m_ref - end + period - 1) / period;
            start += periods * period;
            end += periods * period;
        }
        if (candidate <= m_ref)
            candidate = FirstGridAtOrAfter(candidate, m_ref + 1);
        if (candidate > end) {
            start += period;
            end += period;
        }
        if (candidate < start)
            candidate = FirstGridAtOrAfter(candidate, start);
    }
    if (!m_includeHolidays) {
        const long steps = m_trigger.m_Holidays.StepsToFreeDay(
            DayOf(candidate), m_trigger.m_Multiplier, std::max(m_budget, 0L) + 1);
        candidate += steps * period;
        m_budget -= steps;
        if (!Spend(candidate))
            return false;
    }
    m_next = candidate;
    return true;
}

bool CSchedSearch::Weekly()
{
    const long* selected = m_trigger.m_WeekDaySelected;
    const long multiplier = m_trigger.m_Multiplier;
    Seconds candidate = m_next;
    Seconds weekStart = candidate - WeekdayOf(candidate) * kDay;
    Seconds weekEnd = weekStart + 6 * kDay;
    if (multiplier <= 1) {
        // Days up to the reference time are all refused.
        if (candidate + kDay <= m_ref)
            candidate += (m_ref - candidate) / kDay * kDay;
        for (;;) {
            candidate += kDay;
            if (!Spend(candidate))
                return false;
            if (selected[WeekdayOf(candidate)] != 0 && candidate > m_ref && Allowed(candidate))
                break;
        }
    } else {
        const Seconds cycle = 7 * static_cast<Seconds>(multiplier) * kDay;
        if (weekEnd <= m_ref) {
            const Seconds cycles = (m_ref - weekEnd) / cycle + 1;
            weekStart += cycles * cycle;
            weekEnd += cycles * cycle;
            candidate = weekStart - kDay;
        }
        for (;;) {
            candidate += kDay;
            if (!Spend(candidate))
                return false;
            bool accepted =
                selected[WeekdayOf(candidate)] != 0 && candidate > m_ref && Allowed(candidate);
            if (candidate > weekEnd) {
                accepted = false;
                weekStart += cycle;
                weekEnd += cycle;
                candidate = weekStart - kDay;
            }
            if (accepted)
                break;
        }
    }
    m_next = candidate;
    return true;
}

// The weekly search with repetition: the runs of a selected day step on the
// grid of intervals anchored at the previous scheduled time; after every
// Multiplier weeks the grid is carried over to the next week to run.
bool CSchedSearch::WeeklyIntervals()
{
    const CSchedTrigger& t = m_trigger;
    const long* selected = t.m_WeekDaySelected;
    const Seconds unit = t.m_IntervalType == 0 ? 60 : 3600;
    const long amount = t.m_IntervalAmount;
    const Seconds cycle = 7 * static_cast<Seconds>(t.m_Multiplier) * kDay;

    Seconds candidate = m_lastSched;
    Seconds grid = m_lastSched;
    Seconds weekStart = DateOf(candidate) - WeekdayOf(candidate) * kDay;
    Seconds weekEnd = weekStart + 7 * kDay - 1;
    bool stepped = false;
    int state = 1;
    for (;;) {
        if (!Spend(candidate))
            return false;
        switch (state) {
        case 1:
            if (candidate > weekEnd) {
                state = 3;
            } else if (selected[WeekdayOf(candidate)] != 0 && Allowed(candidate)) {
                state = 2;
            } else {
                candidate = FirstGridAtOrAfter(candidate, DateOf(candidate) + kDay);
                stepped = true;
            }
            break;
        case 2: {
            const int64_t day = DayOf(candidate);
            const Seconds first =
                FirstGridAtOrAfter(candidate, std::max(m_ref + 1, weekStart));
            if (DayOf(first) == day) {
                candidate = first;
                state = 4;
            } else {
                candidate = FirstGridAtOrAfter(candidate, (day + 1) * kDay);
                state = 1;
            }
            break;
        }
        case 3: {
            weekStart += cycle;
            weekEnd += cycle;
            grid += cycle / m_step * m_step;
            // The span from the week start to the grid base in whole units;
            // a base before the week start truncates towards zero.
            const Seconds offset = grid - weekStart;
            const Seconds units = offset >= 0 ? offset / unit : -((-offset - 1) / unit);
            grid -= amount * (units / amount + 1) * unit;
            if (grid >= weekStart)
                grid -= ((grid - weekStart) / m_step + 1) * m_step;
            candidate = grid;
            state = 1;
            break;
        }
        default: {
            if (!m_range) {
                m_next = candidate;
                return true;
            }
            Seconds start = DateOf(candidate) + m_startTod;
            Seconds end = DateOf(candidate) + m_endTod;
            if (end < start) {
                start -= kDay;
                if (end < candidate) {
                    start += kDay;
                    end += kDay;
                }
            }
            const Seconds atStart = DateOf(candidate) + TimeOf(start);
            if (candidate < start) {
                m_next = atStart;
                return true;
            }
            // The first run of a day that was stepped to starts with the
            // window, unless the window start has already passed.
            if (stepped && atStart > m_ref) {
                m_next = atStart;
                return true;
            }
            if (candidate > end) {
                candidate = start + kDay;
                state = 1;
                break;
            }
            m_next = candidate;
            return true;
        }
        }
    }
}

bool CSchedSearch::MonthScheduled(Seconds t) const
{
    return m_trigger.m_IsMonthScheduled[MonthIndexOf(t)] != 0;
}

Seconds CSchedSearch::LastDayBeforeScheduledMonth(Seconds t) const
{
    return schedcal::LastDayBeforeScheduledMonth(t, m_trigger.m_IsMonthScheduled);
}

// The same-day rule's month step: the base's day in the next scheduled
// month, clamped to that month's last day.
Seconds CSchedSearch::MonthStep(Seconds base, Seconds timeOfDay) const
{
    const CivilDate date = CivilOf(DayOf(base));
    int stepped = date.month;  // the month after the base's, counted from 0
    for (int k = 1; k < 12; ++k, ++stepped) {
        if (m_trigger.m_IsMonthScheduled[stepped % 12] != 0)
            break;
    }
    const int year = date.year + stepped / 12;
    const int month = stepped % 12 + 1;
    const int day = std::min(date.day, DaysInMonth(year, month));
    return DayNumber(year, month, day) * kDay + timeOfDay;
}

int64_t CSchedSearch::WeekdayRuleDay(Seconds t) const
{
    const CSchedTrigger& trigger = m_trigger;
    const int weekday = static_cast<int>(trigger.m_DayOfWeek);
    if (trigger.m_DayOfMonth >= 6) {
        const int64_t last = DayOf(LastDayBeforeScheduledMonth(t));
        return last - (WeekdayOfDay(last) - weekday + 7) % 7;
    }
    const long n = trigger.m_DayOfMonth < 2 ? 1 : trigger.m_DayOfMonth;
    const CivilDate date = CivilOf(DayOf(t));
    int month = date.month - 1;
    for (int k = 0; k < 12; ++k) {
        if (trigger.m_IsMonthScheduled[(date.month - 1 + k) % 12] != 0) {
            month = date.month - 1 + k;
            break;
        }
    }
    const int64_t first = DayNumber(date.year + month / 12, month % 12 + 1, 1);
    int64_t day = first + (weekday - WeekdayOfDay(first) + 7) % 7;
    const int64_t weeks = 7 * (n - 1);
    int fromMonth = CivilOf(day).month;
    day += weeks;
    // A month without a fifth such weekday: the count runs on from where it
    // landed, which gives the fifth of the next month that has one. Every
    // third month at the latest has one.
    for (int guard = 0; guard < 12 && CivilOf(day).month != fromMonth; ++guard) {
        fromMonth = CivilOf(day).month;
        day += weeks;
    }
    return day;
}

// The n-th work day of the first scheduled month from t's month on, with t's
// time of day; the month's last day when it has fewer (the last day itself
// is never counted).
Seconds CSchedSearch::WorkDaySearch(Seconds t) const
{
    const CSchedTrigger& trigger = m_trigger;
    const CivilDate date = CivilOf(DayOf(t));
    int month = date.month - 1;
    for (int k = 0; k < 12; ++k) {
        if (trigger.m_IsMonthScheduled[(date.month - 1 + k) % 12] != 0) {
            month = date.month - 1 + k;
            break;
        }
    }
    const int year = date.year + month / 12;
    const int last = DaysInMonth(year, month % 12 + 1);
    const int64_t first = DayNumber(year, month % 12 + 1, 1);
    const long n = trigger.m_WorkDayOfMonth;
    long counted = 0;
    for (int d = 0; d < last - 1; ++d) {
        const int64_t day = first + d;
        if (trigger.m_WorkDays[WeekdayOfDay(day)] == 1 && Allowed(day * kDay) && ++counted == n)
            return day * kDay + TimeOf(t);
    }
    return (first + last - 1) * kDay + TimeOf(t);
}

bool CSchedSearch::LastWorkDay(Seconds t, Seconds& result)
{
    Seconds day = LastDayBeforeScheduledMonth(t);
    while (m_trigger.m_WorkDays[WeekdayOf(day)] == 0 || !Allowed(day)) {
        day -= kDay;
        if (!Spend(day))
            return false;
    }
    result = day;
    return true;
}

CSchedSearch::Repeat CSchedSearch::RepeatOnDay(Seconds candidate) const
{
    if (!SameDay(candidate, m_ref))
        return {DateOf(candidate) + m_startTod, RepeatKind::Placed};
    const Seconds date = DateOf(m_ref);
    const Seconds anchor =
        m_trigger.m_ReschedType == 0 ? date + TimeOf(m_lastSched) : candidate;
    // The times of this day that the window test lets through. A window
    // across midnight belongs to the day it ends on until its start has
    // passed.
    Seconds low;
    Seconds high;
    if (m_endTod >= m_startTod) {
        low = date + m_startTod;
        high = date + m_endTod + kWindowSlack;
    } else if (m_ref < date + m_startTod) {
        low = date;
        high = date + m_endTod + kWindowSlack;
    } else {
        low = date + m_startTod;
        high = date + kDay - 1;
    }
    high = std::min(high, date + kDay - 1);
    const Seconds bound = std::max({low, m_ref + 1, anchor + m_step});
    const Seconds first = FirstGridAtOrAfter(anchor, bound);
    if (first <= high && Allowed(first))
        return {first, RepeatKind::Found};
    return {0, RepeatKind::Exhausted};
}

bool CSchedSearch::NextOccurrence(Seconds candidate, Seconds& next)
{
    switch (m_trigger.m_MonthRunType) {
    case kMonthLastDay:
        next = LastDayBeforeScheduledMonth(candidate + kDay);
        return true;
    case kMonthNthWeekday:
        next = WeekdayRuleDay(AddMonths(candidate, 1)) * kDay + TimeOf(candidate);
        return true;
    case kMonthNthWorkDay:
        next = WorkDaySearch(AddMonths(candidate, 1));
        return true;
    default:
        return LastWorkDay(AddMonths(candidate, 1), next);
    }
}

// With repetition a chosen day runs from its window start, or, on the
// reference day itself, at the next interval step; when that day's runs are
// over (or the day has passed) the following chosen day takes over.
bool CSchedSearch::FinishWithIntervals(Seconds candidate, Seconds& result)
{
    const int64_t today = DayOf(m_ref);
    for (;;) {
        if (!Spend(candidate))
            return false;
        const int64_t day = DayOf(candidate);
        if (day == today) {
            const Repeat repeat = RepeatOnDay(candidate);
            if (repeat.kind == RepeatKind::Found) {
                result = repeat.time;
                return true;
            }
        } else if (day > today && Allowed(candidate)) {
            result = DateOf(candidate) + m_startTod;
            return true;
        }
        if (!NextOccurrence(candidate, candidate))
            return false;
    }
}

bool CSchedSearch::MonthlySameDay()
{
    const CSchedTrigger& t = m_trigger;
    Seconds base = m_adv && t.m_ReschedType == 1 ? m_lastExec : m_next;
    Seconds timeOfDay = TimeOf(m_next);
    if (m_adv && Allowed(base)) {
        const Repeat repeat = RepeatOnDay(base);
        const Seconds windowStart = DateOf(m_ref) + m_startTod;
        const Seconds windowEnd = DateOf(m_ref) + m_endTod;
        if (repeat.kind != RepeatKind::Exhausted && repeat.time <= windowEnd &&
            repeat.time > m_ref) {
            m_next = repeat.time;
            return true;
        }
        if (repeat.kind == RepeatKind::Placed && repeat.time <= m_ref) {
            // A missed day: the month step starts from it, so the day of the
            // month stays.
            base = repeat.time;
        } else {
            base = windowStart;
        }
        timeOfDay = TimeOf(base);
    }
    // One step at least; more while the result is refused or not later
    // than now, so that a missed month does not cause a burst of runs.
    do {
        base = MonthStep(base, timeOfDay);
        if (!Spend(base))
            return false;
    } while (!Allowed(base) || base <= m_ref);
    m_next = base;
    return true;
}

bool CSchedSearch::MonthlyLastDay()
{
    const CSchedTrigger& t = m_trigger;
    Seconds candidate = m_adv && t.m_ReschedType == 0 ? m_lastExec : m_next;
    candidate = LastDayBeforeScheduledMonth(candidate);
    if (SameDay(candidate, m_lastSched) && Allowed(candidate))
        candidate = DateOf(candidate) + TimeOf(m_lastSched);
    if (m_adv)
        return FinishWithIntervals(candidate, m_next);
    while (candidate <= m_ref || !Allowed(candidate) || !MonthScheduled(candidate)) {
        candidate = LastDayBeforeScheduledMonth(candidate + kDay);
        if (!Spend(candidate))
            return false;
    }
    m_next = candidate;
    return true;
}

bool CSchedSearch::MonthlyNthWeekday()
{
    const CSchedTrigger& t = m_trigger;
    const Seconds timeOfDay = TimeOf(m_lastSched);
    const Seconds refAtTime = DateOf(m_ref) + timeOfDay;
    Seconds from = m_adv && t.m_ReschedType == 0 ? m_lastExec : m_ref;
    Seconds candidate;
    for (;;) {
        candidate = WeekdayRuleDay(from) * kDay + timeOfDay;
        if (!Spend(candidate))
            return false;
        if (candidate >= refAtTime && Allowed(candidate))
            break;
        from = AddMonths(candidate, 1);
    }
    if (m_adv)
        return FinishWithIntervals(candidate, m_next);
    while (candidate <= m_ref) {
        do {
            candidate = WeekdayRuleDay(AddMonths(candidate, 1)) * kDay + timeOfDay;
            if (!Spend(candidate))
                return false;
        } while (candidate < refAtTime || !Allowed(candidate));
    }
    m_next = candidate;
    return true;
}

bool CSchedSearch::MonthlyNthWorkDay()
{
    const CSchedTrigger& t = m_trigger;
    const Seconds timeOfDay =
        m_adv && t.m_ReschedType == 1 ? TimeOf(m_lastExec) : TimeOf(m_lastSched);
    Seconds candidate = DateOf(m_ref) + timeOfDay;
    for (;;) {
        const Seconds result = WorkDaySearch(candidate);
        if (!Spend(result))
            return false;
        if (result >= DateOf(m_ref) + TimeOf(candidate) && Allowed(result)) {
            if (m_adv)
                return FinishWithIntervals(result, m_next);
            if (result > m_ref) {
                m_next = result;
                return true;
            }
        }
        candidate = AddMonths(result, 1);
    }
}

bool CSchedSearch::MonthlyLastWorkDay()
{
    const CSchedTrigger& t = m_trigger;
    Seconds candidate = m_lastSched;
    if (m_adv && SameDay(candidate, m_ref) && Allowed(candidate)) {
        const Seconds timeOfDay = t.m_ReschedType == 1 ? TimeOf(m_lastExec) : TimeOf(m_lastSched);
        return FinishWithIntervals(DateOf(candidate) + timeOfDay, m_next);
    }
    Seconds result;
    for (;;) {
        if (!LastWorkDay(candidate, result))
            return false;
        if (result > m_ref)
            break;
        candidate = AddMonths(result, 1);
        if (!Spend(candidate))
            return false;
    }
    if (m_adv)
        return FinishWithIntervals(result, m_next);
    m_next = result;
    return true;
}
