#include "storage/com_boundary.h"

#include "platform/com/bstr.h"
#include "platform/com/error_info.h"
#include "storage/storage_texts.h"

HRESULT ReportStorageResult(HRESULT hr, REFIID iid, const CString& text, const wchar_t* progId)
{
    if (SUCCEEDED(hr))
        return hr;
    tvx::com::Bstr description;
    description.Attach(text.IsEmpty() ? CString(storage_text::kUnexpectedFailure).AllocSysString()
                                      : text.AllocSysString());
    return tvx::com::ReportError(hr, iid, description.c_str(), progId);
}
