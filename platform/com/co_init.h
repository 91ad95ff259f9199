#pragma once

#include <objbase.h>

namespace tvx::com {

// Joins a COM apartment for the lifetime of the scope. Leaves it only when
// the join succeeded (S_OK or S_FALSE), as CoUninitialize must balance a
// successful CoInitializeEx and nothing else.
class CoInit {
public:
    explicit CoInit(DWORD model = COINIT_MULTITHREADED) : hr_(CoInitializeEx(nullptr, model)) {}
    ~CoInit()
    {
        if (SUCCEEDED(hr_))
            CoUninitialize();
    }
    CoInit(const CoInit&) = delete;
    CoInit& operator=(const CoInit&) = delete;

    HRESULT Result() const { return hr_; }
    bool Succeeded() const { return SUCCEEDED(hr_); }

private:
    HRESULT hr_;
};

}  // namespace tvx::com
