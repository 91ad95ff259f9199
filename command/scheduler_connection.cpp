#include "command/scheduler_connection.h"

namespace {

// The name that the activation gives as server: the own computer, so that
// the local engine answers.
constexpr DWORD kComputerNameLength = MAX_COMPUTERNAME_LENGTH + 1;

}  // namespace

HRESULT SchedulerConnection::Connect()
{
    if (m_scheduler)
        return S_OK;

    const HRESULT joined = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(joined))
        return joined;
    m_bJoinedApartment = true;

    wchar_t computer[kComputerNameLength] = {};
    DWORD length = kComputerNameLength;
    HRESULT hr = E_FAIL;
    if (::GetComputerNameW(computer, &length)) {
        COSERVERINFO server{};
        server.pwszName = computer;
        MULTI_QI query{&IID_IQVScheduler, nullptr, S_OK};
        hr = ::CoCreateInstanceEx(CLSID_QVScheduler, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
                                  &server, 1, &query);
        if (SUCCEEDED(hr) && FAILED(query.hr))
            hr = query.hr;
        if (SUCCEEDED(hr))
            m_scheduler.Attach(static_cast<IQVScheduler*>(query.pItf));
        else if (query.pItf != nullptr)
            query.pItf->Release();
    }
    if (!m_scheduler)
        Reset();
    return hr;
}

void SchedulerConnection::Use(IQVScheduler* scheduler)
{
    Reset();
    m_scheduler = scheduler;
}

void SchedulerConnection::Reset()
{
    m_scheduler.Reset();
    if (m_bJoinedApartment) {
        m_bJoinedApartment = false;
        ::CoUninitialize();
    }
}
