#include "platform/com/error_info.h"

#include <ole2.h>

#include "platform/com/com_ptr.h"

namespace tvx::com {

HRESULT ReportError(HRESULT hr, REFIID iid, const wchar_t* description, const wchar_t* source)
{
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.Receive())))
        return hr;  // the failure itself still reaches the caller
    create->SetGUID(iid);
    create->SetDescription(const_cast<LPOLESTR>(description ? description : L""));
    if (source)
        create->SetSource(const_cast<LPOLESTR>(source));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(info)))
        SetErrorInfo(0, info.Get());
    return hr;
}

}  // namespace tvx::com
