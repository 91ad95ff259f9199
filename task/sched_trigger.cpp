#include "task/sched_trigger.h"

#include <clocale>
#include <cstring>

#include "platform/framework/archive.h"
#include "task/sched_calendar.h"
#include "task/sched_search.h"
#include "task/shared/locale_guard.h"

using namespace schedcal;

IMPLEMENT_SERIAL(CSchedTrigger, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

const char kBadNow[] = "The current time is not a valid date.";

// Version of the record stream.
constexpr LONG kStreamVersion = 1;

// The time of day of time on the date of date; date itself when either is
// not a valid date.
COleDateTime TimeOnDate(const COleDateTime& date, const COleDateTime& time)
{
    Seconds d;
    Seconds t;
    if (!ToSeconds(date, d) || !ToSeconds(time, t))
        return date;
    return ToDate(DateOf(d) + TimeOf(t));
}

// "%x %X" in the user's locale: the runtime library formats dates as its
// current locale says, which is not the user's unless switched.
CString FormatInUserLocale(const COleDateTime& date)
{
    CLocaleGuard guard(LC_TIME, GetUserDefaultLCID());
    return date.Format("%x %X");
}

}  // namespace

CSchedTrigger::CSchedTrigger()
{
    SetDefaults(COleDateTime::GetCurrentTime());
}

CSchedTrigger::CSchedTrigger(const COleDateTime& now)
{
    SetDefaults(now);
}

void CSchedTrigger::SetDefaults(const COleDateTime& now)
{
    const COleDateTime time = Normalised(now);
    m_Holidays.Clear();
    // Monday to Friday until the engine passes the scheduler's work days.
    for (int day = 0; day < 7; ++day)
        m_WorkDays[day] = day < 5 ? 1 : 0;
    m_NextSchedTime = time;
    m_LastExecTime = time;
    m_LastSchedTime = time;
    m_DurationTime = time;
    m_RefTime = time;
    Seconds seconds;
    if (ToSeconds(time, seconds)) {
        m_IntervalStartingTime = ToDate(DateOf(seconds) + 8 * 3600);
        m_IntervalEndingTime = ToDate(DateOf(seconds) + 17 * 3600);
    } else {
        m_IntervalStartingTime = COleDateTime(1899, 12, 30, 8, 0, 0);
        m_IntervalEndingTime = COleDateTime(1899, 12, 30, 17, 0, 0);
    }
    m_Multiplier = 1;
    m_UseWeekType = 0;
    m_DayOfMonth = 0;
    m_WorkDayOfMonth = 1;
    m_Frequency = kFrequencyOneTime;
    m_MonthRunType = kMonthSameDay;
    m_DayOfWeek = 0;
    for (long& selected : m_WeekDaySelected)
        selected = 1;
    for (long& scheduled : m_IsMonthScheduled)
        scheduled = 1;
    m_IsAdvOptions = 0;
    m_IntervalAmount = 1;
    m_IntervalType = 0;
    m_ReschedType = 0;
    m_IsIntervalRange = 0;
    m_ScheduledIndefinately = 1;
    m_Reserved = 0;
    m_IncludeHolidays = 1;
}

HRESULT CSchedTrigger::ReSchedule(const COleDateTime& now, bool* expired)
{
    if (expired != nullptr)
        *expired = false;
    Seconds ref;
    if (!ToSeconds(now, ref)) {
        m_errorText = kBadNow;
        return E_INVALIDARG;
    }
    m_RefTime = ToDate(ref);
    CSchedSearch search(*this, ref);
    const HRESULT hr = search.Run();
    if (FAILED(hr)) {
        m_errorText = search.GetErrorText();
        return hr;
    }
    m_errorText.Empty();
    if (search.Changed()) {
        m_LastSchedTime = ToDate(search.GetLastSched());
        m_NextSchedTime = ToDate(search.GetNext());
    }
    if (expired != nullptr && m_ScheduledIndefinately == 0) {
        Seconds next;
        Seconds end;
        *expired =
            ToSeconds(m_NextSchedTime, next) && ToSeconds(m_DurationTime, end) && next >= end;
    }
    return S_OK;
}

long CSchedTrigger::IsNextPastDue(const COleDateTime& ref, long offsetSeconds) const
{
    Seconds next;
    Seconds bound;
    if (!ToSeconds(m_NextSchedTime, next) || !ToSeconds(ref, bound))
        return 0;
    if (offsetSeconds > 0)
        bound -= offsetSeconds;
    return next < bound ? 1 : 0;
}

bool CSchedTrigger::IsValidRunTime(const COleDateTime& t) const
{
    Seconds time;
    Seconds ref;
    if (!ToSeconds(t, time) || !ToSeconds(m_RefTime, ref))
        return false;
    return time > ref && InDailyWindow(t) && HolidayAllowed(t);
}

bool CSchedTrigger::InDailyWindow(const COleDateTime& t) const
{
    if (m_IsIntervalRange == 0)
        return true;
    Seconds time;
    Seconds ref;
    Seconds startTime;
    Seconds endTime;
    if (!ToSeconds(t, time) || !ToSeconds(m_RefTime, ref) ||
        !ToSeconds(m_IntervalStartingTime, startTime) || !ToSeconds(m_IntervalEndingTime, endTime))
        return false;
    Seconds start = DateOf(time) + TimeOf(startTime);
    Seconds end = DateOf(time) + TimeOf(endTime);
    if (end < start) {
        // A window across midnight: the part that ends on t's day until the
        // start has passed, then the part that begins on it.
        if (ref < start)
            start -= kDay;
        else
            end += kDay;
    }
    // A run found a few seconds late still belongs to its window.
    end += 20;
    if (end > start)
        return start <= time && time <= end;
    return true;
}

bool CSchedTrigger::HolidayAllowed(const COleDateTime& t) const
{
    return m_IncludeHolidays != 0 || !IsHoliday(t);
}

bool CSchedTrigger::IsHoliday(const COleDateTime& t) const
{
    Seconds time;
    return ToSeconds(t, time) && m_Holidays.ContainsDay(DayOf(time));
}

CString CSchedTrigger::GetNextScheduleText() const
{
    return FormatInUserLocale(m_NextSchedTime);
}

CString CSchedTrigger::GetDateTimeString(const char* selector) const
{
    if (selector == nullptr || *selector == '\0' || std::strcmp(selector, "LAST_EXECUTED") == 0)
        return FormatInUserLocale(m_LastExecTime);
    if (std::strcmp(selector, "LAST_SCHEDULED") == 0)
        return FormatInUserLocale(m_LastSchedTime);
    if (std::strcmp(selector, "NEXT_SCHEDULED") == 0)
        return FormatInUserLocale(m_NextSchedTime);
    return FormatInUserLocale(COleDateTime());
}

COleDateTime CSchedTrigger::AddMonths(const COleDateTime& t, int n)
{
    Seconds time;
    if (!ToSeconds(t, time))
        return t;
    return ToDate(schedcal::AddMonths(time, n == 0 ? 1 : n));
}

COleDateTime CSchedTrigger::LastDayBeforeScheduledMonth(const COleDateTime& t) const
{
    Seconds time;
    if (!ToSeconds(t, time))
        return t;
    return ToDate(schedcal::LastDayBeforeScheduledMonth(time, m_IsMonthScheduled));
}

int CSchedTrigger::WeekdayOf(const COleDateTime& t)
{
    Seconds time;
    return ToSeconds(t, time) ? schedcal::WeekdayOf(time) : -1;
}

COleDateTime CSchedTrigger::SetDatePart(const COleDateTime& target, const COleDateTime& source)
{
    return TimeOnDate(source, target);
}

COleDateTime CSchedTrigger::SetTimePart(const COleDateTime& target, const COleDateTime& source)
{
    return TimeOnDate(target, source);
}

bool CSchedTrigger::SameDay(const COleDateTime& a, const COleDateTime& b)
{
    Seconds first;
    Seconds second;
    return ToSeconds(a, first) && ToSeconds(b, second) && schedcal::SameDay(first, second);
}

void CSchedTrigger::SetNextSchedTime(const COleDateTime& value)
{
    m_NextSchedTime = Normalised(value);
}

void CSchedTrigger::SetLastExecTime(const COleDateTime& value)
{
    m_LastExecTime = Normalised(value);
}

void CSchedTrigger::SetLastSchedTime(const COleDateTime& value)
{
    m_LastSchedTime = Normalised(value);
}

void CSchedTrigger::SetDurationTime(const COleDateTime& value)
{
    m_DurationTime = Normalised(value);
}

void CSchedTrigger::SetIntervalStartingTime(const COleDateTime& value)
{
    m_IntervalStartingTime = Normalised(value);
}

void CSchedTrigger::SetIntervalEndingTime(const COleDateTime& value)
{
    m_IntervalEndingTime = Normalised(value);
}

COleDateTime CSchedTrigger::GetIntervalStartingTimeOn(const COleDateTime& today) const
{
    Seconds day;
    if (!ToSeconds(today, day))
        return m_IntervalStartingTime;
    return TimeOnDate(ToDate(DateOf(day)), m_IntervalStartingTime);
}

COleDateTime CSchedTrigger::GetIntervalEndingTimeOn(const COleDateTime& today) const
{
    Seconds day;
    Seconds start;
    Seconds end;
    if (!ToSeconds(today, day) || !ToSeconds(m_IntervalStartingTime, start) ||
        !ToSeconds(m_IntervalEndingTime, end))
        return m_IntervalEndingTime;
    const Seconds startToday = DateOf(day) + TimeOf(start);
    Seconds endToday = DateOf(day) + TimeOf(end);
    if (endToday < startToday)
        endToday += kDay;
    return ToDate(endToday);
}

HRESULT CSchedTrigger::GetWeekDaySelected(long day, long* value) const
{
    if (value == nullptr)
        return E_POINTER;
    if (day < 0 || day > 6)
        return E_INVALIDARG;
    *value = m_WeekDaySelected[day];
    return S_OK;
}

HRESULT CSchedTrigger::SetWeekDaySelected(long day, long value)
{
    if (day < 0 || day > 6)
        return E_INVALIDARG;
    m_WeekDaySelected[day] = value;
    return S_OK;
}

HRESULT CSchedTrigger::GetIsMonthScheduled(long month, long* value) const
{
    if (value == nullptr)
        return E_POINTER;
    if (month < 0 || month > 11)
        return E_INVALIDARG;
    *value = m_IsMonthScheduled[month];
    return S_OK;
}

HRESULT CSchedTrigger::SetIsMonthScheduled(long month, long value)
{
    if (month < 0 || month > 11)
        return E_INVALIDARG;
    m_IsMonthScheduled[month] = value;
    return S_OK;
}

HRESULT CSchedTrigger::GetWorkDay(long day, long* value) const
{
    if (value == nullptr)
        return E_POINTER;
    if (day < 0 || day > 6)
        return E_INVALIDARG;
    *value = m_WorkDays[day];
    return S_OK;
}

HRESULT CSchedTrigger::SetWorkDay(long day, long value)
{
    if (day < 0 || day > 6)
        return E_INVALIDARG;
    m_WorkDays[day] = value;
    return S_OK;
}

void CSchedTrigger::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << kStreamVersion;
        ar << m_NextSchedTime << m_LastSchedTime << m_LastExecTime << m_DurationTime;
        ar << static_cast<LONG>(m_IsAdvOptions);
        ar << m_IntervalStartingTime << m_IntervalEndingTime;
        ar << static_cast<LONG>(m_IsIntervalRange) << static_cast<LONG>(m_Reserved)
           << static_cast<LONG>(m_IncludeHolidays) << static_cast<LONG>(m_ScheduledIndefinately)
           << static_cast<LONG>(m_Frequency) << static_cast<LONG>(m_IntervalType)
           << static_cast<LONG>(m_ReschedType) << static_cast<LONG>(m_MonthRunType)
           << static_cast<LONG>(m_DayOfWeek) << static_cast<LONG>(m_IntervalAmount)
           << static_cast<LONG>(m_Multiplier) << static_cast<LONG>(m_UseWeekType)
           << static_cast<LONG>(m_DayOfMonth) << static_cast<LONG>(m_WorkDayOfMonth);
        for (long selected : m_WeekDaySelected)
            ar << static_cast<LONG>(selected);
        for (long scheduled : m_IsMonthScheduled)
            ar << static_cast<LONG>(scheduled);
        return;
    }

    // Read everything before changing anything, so that a stream that ends
    // early leaves the record as it was.
    LONG version = 0;
    ar >> version;
    if (version != kStreamVersion)
        throw CArchiveException(CArchiveException::badSchema);
    COleDateTime next, lastSched, lastExec, duration, start, end;
    ar >> next >> lastSched >> lastExec >> duration;
    LONG values[15];
    ar >> values[0] >> start >> end;
    for (int i = 1; i < 15; ++i)
        ar >> values[i];
    LONG weekDays[7];
    LONG months[12];
    for (LONG& selected : weekDays)
        ar >> selected;
    for (LONG& scheduled : months)
        ar >> scheduled;

    m_NextSchedTime = next;
    m_LastSchedTime = lastSched;
    m_LastExecTime = lastExec;
    m_DurationTime = duration;
    m_IsAdvOptions = values[0];
    m_IntervalStartingTime = start;
    m_IntervalEndingTime = end;
    m_IsIntervalRange = values[1];
    m_Reserved = values[2];
    m_IncludeHolidays = values[3];
    m_ScheduledIndefinately = values[4];
    m_Frequency = values[5];
    m_IntervalType = values[6];
    m_ReschedType = values[7];
    m_MonthRunType = values[8];
    m_DayOfWeek = values[9];
    m_IntervalAmount = values[10];
    m_Multiplier = values[11];
    m_UseWeekType = values[12];
    m_DayOfMonth = values[13];
    m_WorkDayOfMonth = values[14];
    for (int i = 0; i < 7; ++i)
        m_WeekDaySelected[i] = weekDays[i];
    for (int i = 0; i < 12; ++i)
        m_IsMonthScheduled[i] = months[i];
}

void CSchedTrigger::SerializeHolidays(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_Holidays.GetCount()));
        for (int i = 0; i < m_Holidays.GetCount(); ++i)
            ar.WriteRawDate(m_Holidays.GetAt(i));
        return;
    }
    const DWORD count = ar.ReadCount();
    CSchedHolidays loaded;
    for (DWORD i = 0; i < count; ++i) {
        COleDateTime date;
        ar.ReadRawDate(date);
        loaded.Add(date);
    }
    m_Holidays = loaded;
}
