// CQVCmdCollection (QvxCmd.QVCmdCollection): the ordered command objects of
// a script. Tasks and condition triggers aggregate it. The object is its own
// enumerator, with one cursor shared by everyone who enumerates it.
#pragma once

#include <oaidl.h>

#include <vector>

#include "platform/com/com.h"
#include "qvxcmd.h"

class CQVCmdCollection : public tvx::com::ComClass<CQVCmdCollection>,
                         public tvx::com::DualInterface<IQVCmdCollection>,
                         public IEnumVARIANT,
                         public tvx::com::SupportErrorInfo<IQVCmdCollection> {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IQVCmdCollection>(),
            Interface<IDispatch, IQVCmdCollection>(),
            Interface<IEnumVARIANT>(),
            Interface<ISupportErrorInfo>(),
        };
        return entries;
    }
    static constexpr bool kAggregatable = true;

    // IDispatch: the type library's, plus the enumeration asked for as a
    // method (below).
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* arg_err) override;

    // IQVCmdCollection
    STDMETHODIMP Item(int Index, IQVCommand** pVal) override;
    STDMETHODIMP Add(IQVCommand* pNewVal) override;
    STDMETHODIMP get_Count(long* pVal) override;
    STDMETHODIMP Remove(int Index) override;
    STDMETHODIMP get__NewEnum(IUnknown** pVal) override;

    // IEnumVARIANT
    STDMETHODIMP Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) override;
    STDMETHODIMP Skip(ULONG celt) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumVARIANT** ppEnum) override;

private:
    bool IsIndex(int index) const { return index >= 0 && static_cast<size_t>(index) < m_commands.size(); }

    std::vector<tvx::com::ComPtr<IQVCommand>> m_commands;
    size_t m_cursor = 0;
};
