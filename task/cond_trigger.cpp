#include "task/cond_trigger.h"

using tvx::com::Bstr;
using tvx::com::ScopedLock;

HRESULT CQVCondTrigger::FinalConstruct()
{
    if (m_commands != nullptr)
        return E_FAIL;
    if (FAILED(CreateAggregateFromKeptClass(CLSID_QVCmdCollection, m_commandsInner)))
        return E_FAIL;
    tvx::com::ComPtr<IQVCmdCollection> commands;
    if (FAILED(m_commandsInner.As(commands))) {
        m_commandsInner.Reset();
        return E_FAIL;
    }
    // The interface came with a reference on this object; keeping it would
    // keep this object alive for ever.
    m_commands = commands.Detach();
    ControllingUnknown()->Release();
    return S_OK;
}

void CQVCondTrigger::FinalRelease()
{
    if (m_commands != nullptr) {
        long count = 0;
        while (SUCCEEDED(m_commands->get_Count(&count)) && count > 0) {
            if (FAILED(m_commands->Remove(0)))
                break;
        }
        // Give back the reference the cached interface stood for before the
        // interface lets it go.
        ControllingUnknown()->AddRef();
        m_commands->Release();
        m_commands = nullptr;
    }
    m_commandsInner.Reset();
}

HRESULT CQVCondTrigger::GetLong(long* out, long (CCondition::*get)() const)
{
    if (out == nullptr)
        return E_POINTER;
    ScopedLock lock(m_lock);
    *out = (m_condition.*get)();
    return S_OK;
}

HRESULT CQVCondTrigger::PutLong(long value, void (CCondition::*set)(long))
{
    ScopedLock lock(m_lock);
    (m_condition.*set)(value);
    return S_OK;
}

HRESULT CQVCondTrigger::GetShort(short* out, long (CCondition::*get)() const)
{
    if (out == nullptr)
        return E_POINTER;
    ScopedLock lock(m_lock);
    *out = static_cast<short>((m_condition.*get)());
    return S_OK;
}

HRESULT CQVCondTrigger::GetText(BSTR* out, const CString& text)
{
    if (out == nullptr)
        return E_POINTER;
    *out = text.AllocSysString();
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CQVCondTrigger::ConditionIsMet()
{
    return S_OK;
}

STDMETHODIMP CQVCondTrigger::get_Enabled(long* pVal)
{
    return GetLong(pVal, &CCondition::GetEnabled);
}

STDMETHODIMP CQVCondTrigger::put_Enabled(long newVal)
{
    return PutLong(newVal, &CCondition::SetEnabled);
}

STDMETHODIMP CQVCondTrigger::get_Action(short* pVal)
{
    return GetShort(pVal, &CCondition::GetAction);
}

STDMETHODIMP CQVCondTrigger::put_Action(short newVal)
{
    return PutLong(newVal, &CCondition::SetAction);
}

STDMETHODIMP CQVCondTrigger::get_IsActive(long* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    CString error;
    {
        ScopedLock lock(m_lock);
        *pVal = m_condition.Check();
        error = m_condition.GetErrorText();
    }
    if (error.IsEmpty())
        return S_OK;
    Bstr description;
    description.Attach(error.AllocSysString());
    return tvx::com::ReportError(E_FAIL, IID_IQVCondTrigger, description.c_str(), L"QvxTask.QVCondTrigger");
}

STDMETHODIMP CQVCondTrigger::put_IsActive(long newVal)
{
    return PutLong(newVal, &CCondition::SetActive);
}

STDMETHODIMP CQVCondTrigger::get_HasToggled(long* pVal)
{
    return GetLong(pVal, &CCondition::GetHasToggled);
}

STDMETHODIMP CQVCondTrigger::put_HasToggled(long newVal)
{
    return PutLong(newVal, &CCondition::SetHasToggled);
}

STDMETHODIMP CQVCondTrigger::get_Frequency(short* pVal)
{
    return GetShort(pVal, &CCondition::GetFrequency);
}

STDMETHODIMP CQVCondTrigger::put_Frequency(short newVal)
{
    return PutLong(newVal, &CCondition::SetFrequency);
}

STDMETHODIMP CQVCondTrigger::get_CondType(short* pVal)
{
    return GetShort(pVal, &CCondition::GetCondType);
}

STDMETHODIMP CQVCondTrigger::put_CondType(short newVal)
{
    return PutLong(newVal, &CCondition::SetCondType);
}

STDMETHODIMP CQVCondTrigger::get_CondString(BSTR* pVal)
{
    // The stored text is not read back: the name of the type answers.
    return GetConditionString(pVal);
}

STDMETHODIMP CQVCondTrigger::put_CondString(BSTR newVal)
{
    ScopedLock lock(m_lock);
    m_condString = newVal;
    return S_OK;
}

STDMETHODIMP CQVCondTrigger::get_CondName(BSTR* pVal)
{
    ScopedLock lock(m_lock);
    return GetText(pVal, m_condition.GetCondName());
}

STDMETHODIMP CQVCondTrigger::put_CondName(BSTR newVal)
{
    ScopedLock lock(m_lock);
    m_condition.SetCondName(CString(newVal));
    return S_OK;
}

STDMETHODIMP CQVCondTrigger::GetConditionString(BSTR* pVal)
{
    ScopedLock lock(m_lock);
    return GetText(pVal, m_condition.GetConditionString());
}

STDMETHODIMP CQVCondTrigger::GetLastActiveString(BSTR* pVal)
{
    ScopedLock lock(m_lock);
    return GetText(pVal, m_condition.GetLastActiveString());
}

STDMETHODIMP CQVCondTrigger::Reset()
{
    ScopedLock lock(m_lock);
    m_condition.Reset();
    return S_OK;
}

STDMETHODIMP CQVCondTrigger::SetUserInformation(BSTR bstrUser, BSTR bstrPassword, long bInteractive)
{
    ScopedLock lock(m_lock);
    m_condition.SetUserInformation(CString(bstrUser), CString(bstrPassword), bInteractive);
    return S_OK;
}

STDMETHODIMP CQVCondTrigger::get_AutoReset(long* pVal)
{
    return GetLong(pVal, &CCondition::GetAutoReset);
}

STDMETHODIMP CQVCondTrigger::put_AutoReset(long newVal)
{
    return PutLong(newVal, &CCondition::SetAutoReset);
}

STDMETHODIMP CQVCondTrigger::get_Active(long* pVal)
{
    return GetLong(pVal, &CCondition::GetActive);
}

STDMETHODIMP CQVCondTrigger::put_Active(long newVal)
{
    return PutLong(newVal, &CCondition::SetActive);
}

STDMETHODIMP CQVCondTrigger::get_LastErrorString(BSTR* pVal)
{
    ScopedLock lock(m_lock);
    return GetText(pVal, m_condition.GetErrorText());
}

STDMETHODIMP CQVCondTrigger::put_LastErrorString(BSTR)
{
    return S_OK;
}
