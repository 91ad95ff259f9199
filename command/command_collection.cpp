#include "command/command_collection.h"

STDMETHODIMP CQVCmdCollection::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                      VARIANT* result, EXCEPINFO* excep, UINT* arg_err)
{
    // Script enumerators (Wine's JScript among them) ask for _NewEnum with
    // the method flag alone, which the type library's property get does not
    // answer.
    const bool no_arguments = params == nullptr || params->cArgs == 0;
    if (id == DISPID_NEWENUM && (flags & DISPATCH_METHOD) != 0 && no_arguments && IsEqualIID(riid, IID_NULL)) {
        if (result == nullptr)
            return E_POINTER;
        ::VariantInit(result);
        const HRESULT hr = get__NewEnum(&V_UNKNOWN(result));
        if (SUCCEEDED(hr))
            V_VT(result) = VT_UNKNOWN;
        return hr;
    }
    return DualInterface<IQVCmdCollection>::Invoke(id, riid, lcid, flags, params, result, excep, arg_err);
}

STDMETHODIMP CQVCmdCollection::Item(int Index, IQVCommand** pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = nullptr;
    if (!IsIndex(Index) || !m_commands[Index])
        return E_INVALIDARG;
    return m_commands[Index]->QueryInterface(IID_IQVCommand, reinterpret_cast<void**>(pVal));
}

STDMETHODIMP CQVCmdCollection::Add(IQVCommand* pNewVal)
{
    if (pNewVal == nullptr)
        return E_POINTER;
    m_commands.emplace_back(pNewVal);
    return S_OK;
}

STDMETHODIMP CQVCmdCollection::get_Count(long* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = static_cast<long>(m_commands.size());
    return S_OK;
}

STDMETHODIMP CQVCmdCollection::Remove(int Index)
{
    if (!IsIndex(Index))
        return E_INVALIDARG;
    m_commands.erase(m_commands.begin() + Index);
    m_cursor = Index;
    return S_OK;
}

STDMETHODIMP CQVCmdCollection::get__NewEnum(IUnknown** pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    m_cursor = 0;
    // The enumerator interface itself: inside an aggregate, asking it for
    // IEnumVARIANT goes to the outer object.
    IEnumVARIANT* enumerator = this;
    enumerator->AddRef();
    *pVal = enumerator;
    return S_OK;
}

STDMETHODIMP CQVCmdCollection::Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched)
{
    if (pCeltFetched != nullptr)
        *pCeltFetched = 0;
    // One entry per call, also for a count of 0.
    if (celt >= 2)
        return E_INVALIDARG;
    if (rgVar == nullptr)
        return E_POINTER;
    ::VariantInit(rgVar);
    if (m_cursor >= m_commands.size())
        return S_FALSE;
    const tvx::com::ComPtr<IQVCommand>& command = m_commands[m_cursor];
    IDispatch* dispatch = nullptr;
    if (command)
        command->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    V_VT(rgVar) = VT_DISPATCH;
    V_DISPATCH(rgVar) = dispatch;
    ++m_cursor;
    if (pCeltFetched != nullptr)
        *pCeltFetched = 1;
    return S_OK;
}

STDMETHODIMP CQVCmdCollection::Skip(ULONG)
{
    // One entry whatever the count.
    if (m_cursor < m_commands.size())
        ++m_cursor;
    return m_cursor >= m_commands.size() ? E_INVALIDARG : S_OK;
}

STDMETHODIMP CQVCmdCollection::Reset()
{
    m_cursor = 0;
    return S_OK;
}

STDMETHODIMP CQVCmdCollection::Clone(IEnumVARIANT** ppEnum)
{
    if (ppEnum != nullptr)
        *ppEnum = nullptr;
    return E_NOTIMPL;
}
