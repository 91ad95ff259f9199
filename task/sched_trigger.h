// CSchedTrigger: the schedule of one task and its next-run computation.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/framework/oledatetime.h"
#include "platform/framework/string.h"
#include "task/sched_holidays.h"

class CArchive;

// Frequency values.
enum SchedFrequency : long {
    kFrequencyOneTime = 0,
    kFrequencyDaily = 1,
    kFrequencyWeekly = 2,
    kFrequencyMonthly = 3,
    kFrequencyNotByTime = 4,
};

// MonthRunType values.
enum SchedMonthRunType : long {
    kMonthSameDay = 0,
    kMonthLastDay = 1,
    kMonthNthWeekday = 2,
    kMonthNthWorkDay = 3,
    kMonthLastWorkDay = 4,
};

// The record lives inside the schedule trigger COM object, which exposes
// every field as a property. Weekdays are numbered 0 Monday ... 6 Sunday,
// months 0 January ... 11 December. All times are local automation dates;
// every date stored through a setter is normalised to whole seconds.
//
// The record does no locking: whoever holds the task serialises calls.
class CSchedTrigger : public CObject {
    DECLARE_SERIAL(CSchedTrigger)

public:
    // Defaults taken from the current local time.
    CSchedTrigger();
    // Defaults taken from the given time: NextSchedTime, LastExecTime,
    // LastSchedTime and DurationTime are that time, the daily window runs
    // from 08:00:00 to 17:00:00 on its date.
    explicit CSchedTrigger(const COleDateTime& now);

    // Moves NextSchedTime to the next acceptable moment after now.
    // S_OK on success, with *expired (when given) telling whether an end
    // date is set and the new NextSchedTime has reached it.
    // A schedule that can never run (no weekday or month chosen, a step of
    // 0, no work day, a value out of range, no run time before the year
    // 10000) fails with E_INVALIDARG or E_FAIL; then GetErrorText() tells
    // why, and NextSchedTime and LastSchedTime are left as they were.
    HRESULT ReSchedule(const COleDateTime& now, bool* expired = nullptr);
    // Why the last ReSchedule failed; empty after a success.
    const CString& GetErrorText() const { return m_errorText; }

    // 1 when NextSchedTime < ref - offsetSeconds (the offset only counts
    // when positive), else 0.
    long IsNextPastDue(const COleDateTime& ref, long offsetSeconds) const;
    // t later than RefTime, in the daily window and allowed on holidays.
    bool IsValidRunTime(const COleDateTime& t) const;
    bool InDailyWindow(const COleDateTime& t) const;
    bool HolidayAllowed(const COleDateTime& t) const;
    bool IsHoliday(const COleDateTime& t) const;

    // The schedule as the task list shows it ("Weekly - Every 2 weeks on
    // M---F-- ").
    CString GetFrequencyText() const;
    // NextSchedTime as "%x %X" in the user's locale.
    CString GetNextScheduleText() const;
    // "LAST_EXECUTED" (also for an empty or null selector),
    // "LAST_SCHEDULED" or "NEXT_SCHEDULED" as "%x %X" in the user's locale;
    // any other selector formats the zero date.
    CString GetDateTimeString(const char* selector) const;

    // Date routines of the computation.
    // t plus n months (n = 0 counts as 1); a day the month lacks becomes
    // the month's last day. t unchanged when the result leaves the date
    // range.
    static COleDateTime AddMonths(const COleDateTime& t, int n);
    // The last day of the first scheduled month from t's month on, with t's
    // time of day.
    COleDateTime LastDayBeforeScheduledMonth(const COleDateTime& t) const;
    // 0 Monday ... 6 Sunday; -1 for a date that is not valid.
    static int WeekdayOf(const COleDateTime& t);
    // target's time of day on source's date.
    static COleDateTime SetDatePart(const COleDateTime& target, const COleDateTime& source);
    // target's date with source's time of day.
    static COleDateTime SetTimePart(const COleDateTime& target, const COleDateTime& source);
    static bool SameDay(const COleDateTime& a, const COleDateTime& b);

    // Dates.
    const COleDateTime& GetNextSchedTime() const { return m_NextSchedTime; }
    void SetNextSchedTime(const COleDateTime& value);
    const COleDateTime& GetLastExecTime() const { return m_LastExecTime; }
    void SetLastExecTime(const COleDateTime& value);
    const COleDateTime& GetLastSchedTime() const { return m_LastSchedTime; }
    void SetLastSchedTime(const COleDateTime& value);
    const COleDateTime& GetDurationTime() const { return m_DurationTime; }
    void SetDurationTime(const COleDateTime& value);
    const COleDateTime& GetRefTime() const { return m_RefTime; }
    // The stored window ends; only their times of day count.
    const COleDateTime& GetIntervalStartingTime() const { return m_IntervalStartingTime; }
    void SetIntervalStartingTime(const COleDateTime& value);
    const COleDateTime& GetIntervalEndingTime() const { return m_IntervalEndingTime; }
    void SetIntervalEndingTime(const COleDateTime& value);
    // The window as the property pages show it: the start on today's date,
    // and the end on today's date or, when it is before the start, on the
    // next day. Nothing stored changes.
    COleDateTime GetIntervalStartingTimeOn(const COleDateTime& today) const;
    COleDateTime GetIntervalEndingTimeOn(const COleDateTime& today) const;

    // 32-bit fields; the COM face passes short properties sign-extended.
    long GetFrequency() const { return m_Frequency; }
    void SetFrequency(long value) { m_Frequency = value; }
    long GetMultiplier() const { return m_Multiplier; }
    void SetMultiplier(long value) { m_Multiplier = value; }
    long GetUseWeekType() const { return m_UseWeekType; }
    void SetUseWeekType(long value) { m_UseWeekType = value; }
    long GetDayOfMonth() const { return m_DayOfMonth; }
    void SetDayOfMonth(long value) { m_DayOfMonth = value; }
    long GetWorkDayOfMonth() const { return m_WorkDayOfMonth; }
    void SetWorkDayOfMonth(long value) { m_WorkDayOfMonth = value; }
    long GetMonthRunType() const { return m_MonthRunType; }
    void SetMonthRunType(long value) { m_MonthRunType = value; }
    long GetDayOfWeek() const { return m_DayOfWeek; }
    void SetDayOfWeek(long value) { m_DayOfWeek = value; }
    long GetIsAdvOptions() const { return m_IsAdvOptions; }
    void SetIsAdvOptions(long value) { m_IsAdvOptions = value; }
    long GetIntervalAmount() const { return m_IntervalAmount; }
    void SetIntervalAmount(long value) { m_IntervalAmount = value; }
    long GetIntervalType() const { return m_IntervalType; }
    void SetIntervalType(long value) { m_IntervalType = value; }
    long GetReschedType() const { return m_ReschedType; }
    void SetReschedType(long value) { m_ReschedType = value; }
    long GetIsIntervalRange() const { return m_IsIntervalRange; }
    void SetIsIntervalRange(long value) { m_IsIntervalRange = value; }
    long GetScheduledIndefinately() const { return m_ScheduledIndefinately; }
    void SetScheduledIndefinately(long value) { m_ScheduledIndefinately = value; }
    long GetIncludeHolidays() const { return m_IncludeHolidays; }
    void SetIncludeHolidays(long value) { m_IncludeHolidays = value; }

    // Flags by index: E_INVALIDARG (and nothing read or written) for a
    // weekday outside 0-6 or a month outside 0-11; E_POINTER for a null
    // out pointer.
    HRESULT GetWeekDaySelected(long day, long* value) const;
    HRESULT SetWeekDaySelected(long day, long value);
    HRESULT GetIsMonthScheduled(long month, long* value) const;
    HRESULT SetIsMonthScheduled(long month, long value);
    HRESULT GetWorkDay(long day, long* value) const;
    HRESULT SetWorkDay(long day, long value);

    // Holidays.
    void AddHoliday(const COleDateTime& date) { m_Holidays.Add(date); }
    void ClearHolidays() { m_Holidays.Clear(); }
    int GetHolidayCount() const { return m_Holidays.GetCount(); }
    const COleDateTime& GetHoliday(int index) const { return m_Holidays.GetAt(index); }
    const CSchedHolidays& GetHolidays() const { return m_Holidays; }

    // The record stream: version 1 and the fields (not the holidays, not
    // the work days). Loading a stream of another version throws the
    // archive's bad-schema error and changes nothing.
    void Serialize(CArchive& ar) override;
    // The holiday list's own stream: the count, then each date's raw
    // 12 bytes (the 8-byte value, then the 4-byte status).
    void SerializeHolidays(CArchive& ar);

private:
    friend class CSchedSearch;

    void SetDefaults(const COleDateTime& now);

    CSchedHolidays m_Holidays;
    long m_WorkDays[7];
    COleDateTime m_NextSchedTime;
    COleDateTime m_LastExecTime;
    COleDateTime m_LastSchedTime;
    COleDateTime m_IntervalStartingTime;
    COleDateTime m_IntervalEndingTime;
    long m_Multiplier;
    long m_UseWeekType;
    long m_DayOfMonth;
    long m_WorkDayOfMonth;
    long m_Frequency;
    long m_MonthRunType;
    long m_DayOfWeek;
    long m_WeekDaySelected[7];
    long m_IsMonthScheduled[12];
    long m_IsAdvOptions;
    long m_IntervalAmount;
    long m_IntervalType;
    long m_ReschedType;
    long m_IsIntervalRange;
    long m_ScheduledIndefinately;
    COleDateTime m_DurationTime;
    long m_Reserved;  // always 0; only the record stream carries it
    long m_IncludeHolidays;
    COleDateTime m_RefTime;

    CString m_errorText;
};
