// CQVSchedTrigger (QvxTask.QVSchedTrigger): the COM face of one task's
// schedule record. A task aggregates one; the engine, the task storage and
// the administrator's schedule page reach it through IQVSchedTrigger.
#pragma once

#include "platform/com/com.h"
#include "qvxtask.h"
#include "task/sched_trigger.h"

class CQVSchedTrigger : public tvx::com::ComClass<CQVSchedTrigger>,
                        public tvx::com::DualInterface<IQVSchedTrigger>,
                        public tvx::com::SupportErrorInfo<IQVSchedTrigger>,
                        public tvx::com::ConnectionPointContainer {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IQVSchedTrigger>(),
            Interface<IDispatch, IQVSchedTrigger>(),
            Interface<ISupportErrorInfo>(),
            Interface<IConnectionPointContainer>(),
        };
        return entries;
    }
    static constexpr bool kAggregatable = true;

    CQVSchedTrigger();

    // IQVSchedTrigger
    STDMETHODIMP ReSchedule() override;
    STDMETHODIMP get_LastExecTime(DATE* pVal) override;
    STDMETHODIMP put_LastExecTime(DATE newVal) override;
    STDMETHODIMP get_Frequency(short* pVal) override;
    STDMETHODIMP put_Frequency(short newVal) override;
    STDMETHODIMP get_NextSchedTime(DATE* pVal) override;
    STDMETHODIMP put_NextSchedTime(DATE newVal) override;
    STDMETHODIMP IsNextPastDue(DATE dRef, short nOffSet, long* pbVal) override;
    STDMETHODIMP get_DayOfMonth(short* pVal) override;
    STDMETHODIMP put_DayOfMonth(short newVal) override;
    STDMETHODIMP get_DayOfWeek(short* pVal) override;
    STDMETHODIMP put_DayOfWeek(short newVal) override;
    STDMETHODIMP get_WeekDaySelected(short nDayOfWeek, long* pVal) override;
    STDMETHODIMP put_WeekDaySelected(short nDayOfWeek, long newVal) override;
    STDMETHODIMP get_Multiplier(short* pVal) override;
    STDMETHODIMP put_Multiplier(short newVal) override;
    STDMETHODIMP get_WorkDayOfMonth(short* pVal) override;
    STDMETHODIMP put_WorkDayOfMonth(short newVal) override;
    STDMETHODIMP get_MonthRunType(short* pVal) override;
    STDMETHODIMP put_MonthRunType(short newVal) override;
    STDMETHODIMP get_UseWeekType(short* pVal) override;
    STDMETHODIMP put_UseWeekType(short newVal) override;
    STDMETHODIMP get_IsMonthScheduled(short nMonth, long* pVal) override;
    STDMETHODIMP put_IsMonthScheduled(short nMonth, long newVal) override;
    STDMETHODIMP get_IsAdvOptions(long* pVal) override;
    STDMETHODIMP put_IsAdvOptions(long newVal) override;
    STDMETHODIMP get_IsIntervalRange(long* pVal) override;
    STDMETHODIMP put_IsIntervalRange(long newVal) override;
    STDMETHODIMP get_IntervalAmount(short* pVal) override;
    STDMETHODIMP put_IntervalAmount(short newVal) override;
    STDMETHODIMP get_IntervalType(short* pVal) override;
    STDMETHODIMP put_IntervalType(short newVal) override;
    STDMETHODIMP get_IntervalStartingTime(DATE* pVal) override;
    STDMETHODIMP put_IntervalStartingTime(DATE newVal) override;
    STDMETHODIMP get_IntervalEndingTime(DATE* pVal) override;
    STDMETHODIMP put_IntervalEndingTime(DATE newVal) override;
    STDMETHODIMP get_ReschedType(short* pVal) override;
    STDMETHODIMP put_ReschedType(short newVal) override;
    STDMETHODIMP get_ScheduledIndefinately(long* pVal) override;
    STDMETHODIMP put_ScheduledIndefinately(long newVal) override;
    STDMETHODIMP get_DurationTime(DATE* pVal) override;
    STDMETHODIMP put_DurationTime(DATE newVal) override;
    STDMETHODIMP get_IncludeHolidays(long* pVal) override;
    STDMETHODIMP put_IncludeHolidays(long newVal) override;
    STDMETHODIMP IsPastDue(long* pbVal) override;
    STDMETHODIMP NextScheduleAsString(BSTR* pVal) override;
    STDMETHODIMP GetFrequencyAsString(BSTR* pVal) override;
    STDMETHODIMP GetDateTimeString(BSTR sSel, BSTR* pVal) override;
    STDMETHODIMP AddHoliday(DATE dtHoliday) override;
    STDMETHODIMP ClearHolidays() override;
    STDMETHODIMP put_WorkDay(short nDayOfWeek, long newVal) override;

private:
    // Getters and setters of the record's plain fields.
    using LongGetter = long (CSchedTrigger::*)() const;
    using LongSetter = void (CSchedTrigger::*)(long);
    using DateSetter = void (CSchedTrigger::*)(const COleDateTime&);
    HRESULT GetShort(LongGetter getter, short* pVal);
    HRESULT PutShort(LongSetter setter, short newVal);
    HRESULT GetLong(LongGetter getter, long* pVal);
    HRESULT PutLong(LongSetter setter, long newVal);
    HRESULT PutDate(DateSetter setter, DATE newVal, const wchar_t* name);

    // Hands a text of the record to the caller as a new BSTR.
    static HRESULT ReturnText(const CString& text, BSTR* pVal);
    // E_INVALIDARG with a description for a DATE no date can be made of.
    static HRESULT RejectDate(const wchar_t* what);

    // The engine's threads, the task's run thread and clients may call at
    // once; each member works on the record alone.
    tvx::com::CriticalSection m_lock;
    CSchedTrigger m_trigger;
    // LastExecTime reads back as written, before normalisation.
    DATE m_lastExecTime;
    // Clients may connect to the event interface the class declares; nothing
    // is fired on it.
    tvx::com::ConnectionPoint m_events{*this, DIID__IQVSchedTriggerEvents};
};
