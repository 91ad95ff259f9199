#pragma once

#include <oaidl.h>

namespace tvx::com {

// IDispatch of a dual interface, served from the type library embedded in
// this module (TYPELIB resource 1; see Module and TypeInfoCache).
HRESULT DispatchGetTypeInfo(REFIID iid, UINT index, ITypeInfo** out);
HRESULT DispatchGetIDsOfNames(REFIID iid, REFIID riid, LPOLESTR* names, UINT count, DISPID* ids);
HRESULT DispatchInvoke(REFIID iid, void* instance, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* excep, UINT* arg_err);

// Implements the IDispatch part of dual interface I; the class implements
// the rest of I. List it with Interface<I>() and Interface<IDispatch, I>().
template <class I>
class DualInterface : public I {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** out) override
    {
        return DispatchGetTypeInfo(__uuidof(I), index, out);
    }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        return DispatchGetIDsOfNames(__uuidof(I), riid, names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* arg_err) override
    {
        return DispatchInvoke(__uuidof(I), static_cast<I*>(this), id, riid, flags, params, result, excep, arg_err);
    }
};

}  // namespace tvx::com
