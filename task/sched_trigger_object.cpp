#include "task/sched_trigger_object.h"

#include <string>

using tvx::com::ScopedLock;

namespace {

const wchar_t kProgId[] = L"QvxTask.QVSchedTrigger";
const wchar_t kWeekdayRange[] = L"The day of the week must be 0 (Monday) to 6 (Sunday).";
const wchar_t kMonthRange[] = L"The month must be 0 (January) to 11 (December).";

// The record refuses an index outside its arrays with E_INVALIDARG; a
// script also gets the reason.
HRESULT IndexResult(HRESULT hr, const wchar_t* range)
{
    if (hr == E_INVALIDARG)
        return tvx::com::ReportError(hr, IID_IQVSchedTrigger, range, kProgId);
    return hr;
}

// A DATE the record can hold: a valid date of the years 100-9999.
bool IsDate(DATE value)
{
    return COleDateTime(value).GetStatus() == COleDateTime::valid;
}

}  // namespace

CQVSchedTrigger::CQVSchedTrigger() : m_lastExecTime(m_trigger.GetLastExecTime())
{
}

STDMETHODIMP CQVSchedTrigger::ReSchedule()
{
    const COleDateTime now = COleDateTime::GetCurrentTime();
    CString error;
    HRESULT hr;
    {
        ScopedLock lock(m_lock);
        hr = m_trigger.ReSchedule(now);
        if (FAILED(hr))
            error = m_trigger.GetErrorText();
    }
    if (FAILED(hr)) {
        tvx::com::Bstr description;
        description.Attach(error.AllocSysString());
        return tvx::com::ReportError(hr, IID_IQVSchedTrigger, description.c_str(), kProgId);
    }
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::get_LastExecTime(DATE* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    ScopedLock lock(m_lock);
    *pVal = m_lastExecTime;
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::put_LastExecTime(DATE newVal)
{
    if (!IsDate(newVal))
        return RejectDate(L"LastExecTime");
    ScopedLock lock(m_lock);
    m_lastExecTime = newVal;
    m_trigger.SetLastExecTime(COleDateTime(newVal));
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::get_Frequency(short* pVal)
{
    return GetShort(&CSchedTrigger::GetFrequency, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_Frequency(short newVal)
{
    return PutShort(&CSchedTrigger::SetFrequency, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_NextSchedTime(DATE* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    ScopedLock lock(m_lock);
    *pVal = m_trigger.GetNextSchedTime();
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::put_NextSchedTime(DATE newVal)
{
    return PutDate(&CSchedTrigger::SetNextSchedTime, newVal, L"NextSchedTime");
}

STDMETHODIMP CQVSchedTrigger::IsNextPastDue(DATE dRef, short nOffSet, long* pbVal)
{
    if (pbVal == nullptr)
        return E_POINTER;
    if (!IsDate(dRef))
        return RejectDate(L"The reference time");
    ScopedLock lock(m_lock);
    *pbVal = m_trigger.IsNextPastDue(COleDateTime(dRef), nOffSet);
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::get_DayOfMonth(short* pVal)
{
    return GetShort(&CSchedTrigger::GetDayOfMonth, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_DayOfMonth(short newVal)
{
    return PutShort(&CSchedTrigger::SetDayOfMonth, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_DayOfWeek(short* pVal)
{
    return GetShort(&CSchedTrigger::GetDayOfWeek, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_DayOfWeek(short newVal)
{
    return PutShort(&CSchedTrigger::SetDayOfWeek, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_WeekDaySelected(short nDayOfWeek, long* pVal)
{
    ScopedLock lock(m_lock);
    return IndexResult(m_trigger.GetWeekDaySelected(nDayOfWeek, pVal), kWeekdayRange);
}

STDMETHODIMP CQVSchedTrigger::put_WeekDaySelected(short nDayOfWeek, long newVal)
{
    ScopedLock lock(m_lock);
    return IndexResult(m_trigger.SetWeekDaySelected(nDayOfWeek, newVal), kWeekdayRange);
}

STDMETHODIMP CQVSchedTrigger::get_Multiplier(short* pVal)
{
    return GetShort(&CSchedTrigger::GetMultiplier, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_Multiplier(short newVal)
{
    return PutShort(&CSchedTrigger::SetMultiplier, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_WorkDayOfMonth(short* pVal)
{
    return GetShort(&CSchedTrigger::GetWorkDayOfMonth, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_WorkDayOfMonth(short newVal)
{
    return PutShort(&CSchedTrigger::SetWorkDayOfMonth, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_MonthRunType(short* pVal)
{
    return GetShort(&CSchedTrigger::GetMonthRunType, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_MonthRunType(short newVal)
{
    return PutShort(&CSchedTrigger::SetMonthRunType, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_UseWeekType(short* pVal)
{
    return GetShort(&CSchedTrigger::GetUseWeekType, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_UseWeekType(short newVal)
{
    return PutShort(&CSchedTrigger::SetUseWeekType, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_IsMonthScheduled(short nMonth, long* pVal)
{
    ScopedLock lock(m_lock);
    return IndexResult(m_trigger.GetIsMonthScheduled(nMonth, pVal), kMonthRange);
}

STDMETHODIMP CQVSchedTrigger::put_IsMonthScheduled(short nMonth, long newVal)
{
    ScopedLock lock(m_lock);
    return IndexResult(m_trigger.SetIsMonthScheduled(nMonth, newVal), kMonthRange);
}

STDMETHODIMP CQVSchedTrigger::get_IsAdvOptions(long* pVal)
{
    return GetLong(&CSchedTrigger::GetIsAdvOptions, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_IsAdvOptions(long newVal)
{
    return PutLong(&CSchedTrigger::SetIsAdvOptions, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_IsIntervalRange(long* pVal)
{
    return GetLong(&CSchedTrigger::GetIsIntervalRange, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_IsIntervalRange(long newVal)
{
    return PutLong(&CSchedTrigger::SetIsIntervalRange, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_IntervalAmount(short* pVal)
{
    return GetShort(&CSchedTrigger::GetIntervalAmount, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_IntervalAmount(short newVal)
{
    return PutShort(&CSchedTrigger::SetIntervalAmount, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_IntervalType(short* pVal)
{
    return GetShort(&CSchedTrigger::GetIntervalType, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_IntervalType(short newVal)
{
    return PutShort(&CSchedTrigger::SetIntervalType, newVal);
}

// The window ends are shown on today's date; reading them changes nothing
// stored, so a read can't move the window a later rescheduling works from.
STDMETHODIMP CQVSchedTrigger::get_IntervalStartingTime(DATE* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    const COleDateTime today = COleDateTime::GetCurrentTime();
    ScopedLock lock(m_lock);
    *pVal = m_trigger.GetIntervalStartingTimeOn(today);
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::put_IntervalStartingTime(DATE newVal)
{
    return PutDate(&CSchedTrigger::SetIntervalStartingTime, newVal, L"IntervalStartingTime");
}

STDMETHODIMP CQVSchedTrigger::get_IntervalEndingTime(DATE* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    const COleDateTime today = COleDateTime::GetCurrentTime();
    ScopedLock lock(m_lock);
    *pVal = m_trigger.GetIntervalEndingTimeOn(today);
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::put_IntervalEndingTime(DATE newVal)
{
    return PutDate(&CSchedTrigger::SetIntervalEndingTime, newVal, L"IntervalEndingTime");
}

STDMETHODIMP CQVSchedTrigger::get_ReschedType(short* pVal)
{
    return GetShort(&CSchedTrigger::GetReschedType, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_ReschedType(short newVal)
{
    return PutShort(&CSchedTrigger::SetReschedType, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_ScheduledIndefinately(long* pVal)
{
    return GetLong(&CSchedTrigger::GetScheduledIndefinately, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_ScheduledIndefinately(long newVal)
{
    return PutLong(&CSchedTrigger::SetScheduledIndefinately, newVal);
}

STDMETHODIMP CQVSchedTrigger::get_DurationTime(DATE* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    ScopedLock lock(m_lock);
    *pVal = m_trigger.GetDurationTime();
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::put_DurationTime(DATE newVal)
{
    return PutDate(&CSchedTrigger::SetDurationTime, newVal, L"DurationTime");
}

STDMETHODIMP CQVSchedTrigger::get_IncludeHolidays(long* pVal)
{
    return GetLong(&CSchedTrigger::GetIncludeHolidays, pVal);
}

STDMETHODIMP CQVSchedTrigger::put_IncludeHolidays(long newVal)
{
    return PutLong(&CSchedTrigger::SetIncludeHolidays, newVal);
}

// Always 0: callers ask IsNextPastDue, which knows the reference time.
STDMETHODIMP CQVSchedTrigger::IsPastDue(long* pbVal)
{
    if (pbVal == nullptr)
        return E_POINTER;
    *pbVal = 0;
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::NextScheduleAsString(BSTR* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    ScopedLock lock(m_lock);
    return ReturnText(m_trigger.GetNextScheduleText(), pVal);
}

STDMETHODIMP CQVSchedTrigger::GetFrequencyAsString(BSTR* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    ScopedLock lock(m_lock);
    return ReturnText(m_trigger.GetFrequencyText(), pVal);
}

STDMETHODIMP CQVSchedTrigger::GetDateTimeString(BSTR sSel, BSTR* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    const CString selector(static_cast<const wchar_t*>(sSel));
    ScopedLock lock(m_lock);
    return ReturnText(m_trigger.GetDateTimeString(selector), pVal);
}

STDMETHODIMP CQVSchedTrigger::AddHoliday(DATE dtHoliday)
{
    if (!IsDate(dtHoliday))
        return RejectDate(L"A holiday");
    ScopedLock lock(m_lock);
    m_trigger.AddHoliday(COleDateTime(dtHoliday));
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::ClearHolidays()
{
    ScopedLock lock(m_lock);
    m_trigger.ClearHolidays();
    return S_OK;
}

STDMETHODIMP CQVSchedTrigger::put_WorkDay(short nDayOfWeek, long newVal)
{
    ScopedLock lock(m_lock);
    return IndexResult(m_trigger.SetWorkDay(nDayOfWeek, newVal), kWeekdayRange);
}

HRESULT CQVSchedTrigger::GetShort(LongGetter getter, short* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    ScopedLock lock(m_lock);
    *pVal = static_cast<short>((m_trigger.*getter)());
    return S_OK;
}

HRESULT CQVSchedTrigger::PutShort(LongSetter setter, short newVal)
{
    ScopedLock lock(m_lock);
    (m_trigger.*setter)(newVal);  // sign-extended into the 32-bit field
    return S_OK;
}

HRESULT CQVSchedTrigger::GetLong(LongGetter getter, long* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    ScopedLock lock(m_lock);
    *pVal = (m_trigger.*getter)();
    return S_OK;
}

HRESULT CQVSchedTrigger::PutLong(LongSetter setter, long newVal)
{
    ScopedLock lock(m_lock);
    (m_trigger.*setter)(newVal);
    return S_OK;
}

HRESULT CQVSchedTrigger::PutDate(DateSetter setter, DATE newVal, const wchar_t* name)
{
    if (!IsDate(newVal))
        return RejectDate(name);
    ScopedLock lock(m_lock);
    (m_trigger.*setter)(COleDateTime(newVal));
    return S_OK;
}

HRESULT CQVSchedTrigger::ReturnText(const CString& text, BSTR* pVal)
{
    *pVal = text.AllocSysString();
    return *pVal != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CQVSchedTrigger::RejectDate(const wchar_t* what)
{
    std::wstring description(what);
    description += L" is not a date of the years 100 to 9999.";
    return tvx::com::ReportError(E_INVALIDARG, IID_IQVSchedTrigger, description.c_str(), kProgId);
}
