#include "platform/com/dual_interface.h"

#include "platform/com/module.h"

namespace tvx::com {

HRESULT DispatchGetTypeInfo(REFIID iid, UINT index, ITypeInfo** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (index != 0)
        return DISP_E_BADINDEX;
    InterfaceTypeInfo info;
    HRESULT hr = Module::Current().TypeInfos().TypeInfo(iid, info);
    if (FAILED(hr))
        return hr;
    return info.dispatch.CopyTo(out);
}

HRESULT DispatchGetIDsOfNames(REFIID iid, REFIID riid, LPOLESTR* names, UINT count, DISPID* ids)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids)
        return E_POINTER;
    InterfaceTypeInfo info;
    HRESULT hr = Module::Current().TypeInfos().TypeInfo(iid, info);
    if (FAILED(hr))
        return hr;
    return info.vtable->GetIDsOfNames(names, count, ids);
}

HRESULT DispatchInvoke(REFIID iid, void* instance, DISPID id, REFIID riid, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* excep, UINT* arg_err)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    InterfaceTypeInfo info;
    HRESULT hr = Module::Current().TypeInfos().TypeInfo(iid, info);
    if (FAILED(hr))
        return hr;
    hr = info.vtable->Invoke(instance, id, flags, params, result, excep, arg_err);
    if (hr == DISP_E_MEMBERNOTFOUND && flags == DISPATCH_METHOD) {
        // Script engines call a property like a method (Wine's JScript asks
        // for _NewEnum that way); automation lets a get answer such a call.
        hr = info.vtable->Invoke(instance, id, DISPATCH_PROPERTYGET, params, result, excep, arg_err);
    }
    return hr;
}

}  // namespace tvx::com
