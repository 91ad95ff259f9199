#include "com_test_support.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

ComPtr<IQVCommand> NewCommand(const wchar_t* line)
{
    ComPtr<IQVCommand> command;
    const HRESULT hr = command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER);
    EXPECT_EQ(S_OK, hr) << "QvxCmd.QVCommand is not registered";
    if (command && line != nullptr) {
        const Bstr text(line);
        EXPECT_EQ(S_OK, command->put_FullCommand(text.Get()));
    }
    return command;
}

ComPtr<IQVCmdCollection> NewCollection()
{
    ComPtr<IQVCmdCollection> collection;
    EXPECT_EQ(S_OK, collection.CreateInstance(CLSID_QVCmdCollection, CLSCTX_INPROC_SERVER))
        << "QvxCmd.QVCmdCollection is not registered";
    return collection;
}

std::wstring TextOf(const Bstr& text)
{
    return text.ToString();
}

std::wstring ErrorDescription()
{
    ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.Receive()) != S_OK || !info)
        return L"";
    Bstr description;
    info->GetDescription(description.Receive());
    return description.ToString();
}

STDMETHODIMP ErrorSink::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, DIID__IQVCommandEvents)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ErrorSink::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

STDMETHODIMP ErrorSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*)
{
    if (id != 1 || params == nullptr || params->cArgs != 1 || V_VT(&params->rgvarg[0]) != VT_BSTR)
        errors.push_back(L"(unexpected event call)");
    else
        errors.emplace_back(V_BSTR(&params->rgvarg[0]), ::SysStringLen(V_BSTR(&params->rgvarg[0])));
    return S_OK;
}

ErrorSink::Connection::Connection(IQVCommand* command, ErrorSink& sink)
{
    ComPtr<IConnectionPointContainer> container;
    if (FAILED(container.QueryFrom(command)) ||
        FAILED(container->FindConnectionPoint(DIID__IQVCommandEvents, point_.Receive())) ||
        FAILED(point_->Advise(static_cast<IDispatch*>(&sink), &cookie_)))
        cookie_ = 0;
}

ErrorSink::Connection::~Connection()
{
    if (cookie_ != 0)
        point_->Unadvise(cookie_);
}
