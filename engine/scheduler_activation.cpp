#include "engine/scheduler_activation.h"

#include <windows.h>

HRESULT ActivateSchedulerOnThisComputer(tvx::com::ComPtr<IQVScheduler>& scheduler)
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &size))
        return HRESULT_FROM_WIN32(GetLastError());
    COSERVERINFO server = {0, name, nullptr, 0};
    MULTI_QI query = {&IID_IQVScheduler, nullptr, S_OK};
    HRESULT hr =
        CoCreateInstanceEx(CLSID_QVScheduler, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER, &server, 1, &query);
    if (FAILED(hr))
        return hr;
    if (FAILED(query.hr))
        return query.hr;
    scheduler.Attach(static_cast<IQVScheduler*>(query.pItf));
    return S_OK;
}
