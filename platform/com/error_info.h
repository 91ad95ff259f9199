#pragma once

#include <oaidl.h>

namespace tvx::com {

// Stores a rich error for the calling thread (CreateErrorInfo +
// SetErrorInfo) and returns hr, so a member can end with
//     return ReportError(E_FAIL, __uuidof(IQVTask), text);
// Automation clients show the description; source is usually the ProgID.
HRESULT ReportError(HRESULT hr, REFIID iid, const wchar_t* description, const wchar_t* source = nullptr);

// ISupportErrorInfo answering S_OK for the interfaces I... of the class.
template <class... I>
class SupportErrorInfo : public ISupportErrorInfo {
public:
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override
    {
        return (IsEqualIID(iid, __uuidof(I)) || ...) ? S_OK : S_FALSE;
    }
};

}  // namespace tvx::com
