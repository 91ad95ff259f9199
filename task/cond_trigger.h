// CQVCondTrigger (QvxTask.QVCondTrigger): the COM face of one CCondition.
// A task aggregates it; it aggregates a command collection of its own, which
// none of its members reaches.
#pragma once

#include "platform/com/com.h"
#include "qvxcmd.h"
#include "qvxtask.h"
#include "task/condition.h"

class CQVCondTrigger : public tvx::com::ComClass<CQVCondTrigger>,
                       public tvx::com::DualInterface<IQVCondTrigger>,
                       public tvx::com::SupportErrorInfo<IQVCondTrigger>,
                       public tvx::com::ConnectionPointContainer {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IQVCondTrigger>(),
            Interface<IDispatch, IQVCondTrigger>(),
            Interface<ISupportErrorInfo>(),
            Interface<IConnectionPointContainer>(),
            // The collection's enumerator is the collection itself: it has to
            // be answered through this object as well, or _NewEnum fails.
            Aggregate<IQVCmdCollection, &CQVCondTrigger::m_commandsInner>(),
            Aggregate<IEnumVARIANT, &CQVCondTrigger::m_commandsInner>(),
        };
        return entries;
    }
    static constexpr bool kAggregatable = true;

    HRESULT FinalConstruct();
    void FinalRelease();

    // IQVCondTrigger
    STDMETHODIMP ConditionIsMet() override;
    STDMETHODIMP get_Enabled(long* pVal) override;
    STDMETHODIMP put_Enabled(long newVal) override;
    STDMETHODIMP get_Action(short* pVal) override;
    STDMETHODIMP put_Action(short newVal) override;
    STDMETHODIMP get_IsActive(long* pVal) override;
    STDMETHODIMP put_IsActive(long newVal) override;
    STDMETHODIMP get_HasToggled(long* pVal) override;
    STDMETHODIMP put_HasToggled(long newVal) override;
    STDMETHODIMP get_Frequency(short* pVal) override;
    STDMETHODIMP put_Frequency(short newVal) override;
    STDMETHODIMP get_CondType(short* pVal) override;
    STDMETHODIMP put_CondType(short newVal) override;
    STDMETHODIMP get_CondString(BSTR* pVal) override;
    STDMETHODIMP put_CondString(BSTR newVal) override;
    STDMETHODIMP get_CondName(BSTR* pVal) override;
    STDMETHODIMP put_CondName(BSTR newVal) override;
    STDMETHODIMP GetConditionString(BSTR* pVal) override;
    STDMETHODIMP GetLastActiveString(BSTR* pVal) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP SetUserInformation(BSTR bstrUser, BSTR bstrPassword, long bInteractive) override;
    STDMETHODIMP get_AutoReset(long* pVal) override;
    STDMETHODIMP put_AutoReset(long newVal) override;
    STDMETHODIMP get_Active(long* pVal) override;
    STDMETHODIMP put_Active(long newVal) override;
    STDMETHODIMP get_LastErrorString(BSTR* pVal) override;
    STDMETHODIMP put_LastErrorString(BSTR newVal) override;

private:
    HRESULT GetLong(long* out, long (CCondition::*get)() const);
    HRESULT PutLong(long value, void (CCondition::*set)(long));
    HRESULT GetShort(short* out, long (CCondition::*get)() const);
    HRESULT GetText(BSTR* out, const CString& text);

    // Callers from several threads (the scheduler, the administrator's
    // calls) meet in the record; the lock keeps its texts whole.
    tvx::com::CriticalSection m_lock;
    CCondition m_condition;
    CString m_condString;  // written through CondString, read by nobody
    tvx::com::ComPtr<IUnknown> m_commandsInner;
    // Held without a reference on this object (taken back at creation),
    // which the collection's interfaces would otherwise keep alive.
    IQVCmdCollection* m_commands = nullptr;
    tvx::com::ConnectionPoint m_events{*this, DIID__IQVCondTriggerEvents};
};
