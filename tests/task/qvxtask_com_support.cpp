#include "qvxtask_com_support.h"

#include <vector>

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::Variant;

ErrorInfoText TakeErrorInfo()
{
    ErrorInfoText text;
    ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.Receive()) != S_OK || !info)
        return text;
    text.present = true;
    Bstr description;
    info->GetDescription(description.Receive());
    text.description = description.ToString();
    Bstr source;
    info->GetSource(source.Receive());
    text.source = source.ToString();
    info->GetGUID(&text.guid);
    return text;
}

HRESULT InvokeByName(IDispatch* object, const wchar_t* name, WORD flags, std::initializer_list<Variant> args,
                     Variant* result, std::wstring* exception_text)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    // IDispatch takes the arguments last first.
    std::vector<VARIANT> reversed(args.size());
    size_t slot = args.size();
    for (const Variant& arg : args)
        reversed[--slot] = arg.Get();  // borrowed: the caller's Variants own them
    DISPID put_id = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if ((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
        params.rgdispidNamedArgs = &put_id;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception = {};
    UINT arg_error = 0;
    Variant ignored;
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                        result != nullptr ? result->Receive() : ignored.Receive(), &exception, &arg_error);
    if (hr == DISP_E_EXCEPTION && exception_text != nullptr && exception.bstrDescription != nullptr)
        *exception_text = exception.bstrDescription;
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrHelpFile);
    return hr;
}

HRESULT GetByName(IDispatch* object, const wchar_t* name, Variant& result, std::initializer_list<Variant> index)
{
    return InvokeByName(object, name, DISPATCH_PROPERTYGET, index, &result);
}

HRESULT PutByName(IDispatch* object, const wchar_t* name, const Variant& value, std::initializer_list<Variant> index)
{
    std::vector<Variant> args(index);
    args.push_back(value);
    switch (args.size()) {
    case 1:
        return InvokeByName(object, name, DISPATCH_PROPERTYPUT, {args[0]});
    case 2:
        return InvokeByName(object, name, DISPATCH_PROPERTYPUT, {args[0], args[1]});
    default:
        return E_INVALIDARG;
    }
}

HRESULT ModuleCanUnloadNow(const wchar_t* module)
{
    const HMODULE handle = ::GetModuleHandleW(module);
    if (handle == nullptr)
        return E_FAIL;
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    const auto entry = reinterpret_cast<CanUnloadNow>(::GetProcAddress(handle, "DllCanUnloadNow"));
    return entry != nullptr ? entry() : E_FAIL;
}
