#include "sample_server_object.h"

namespace tvx::com::sample {

namespace {

constexpr DISPID kTick = 1;
constexpr long kMostTicks = 100;
constexpr DWORD kTickGapMs = 20;

}  // namespace

InterfaceTable CSampleServer::Interfaces()
{
    static const InterfaceEntry entries[] = {
        Interface<ISampleServer>(),
        Interface<IDispatch, ISampleServer>(),
        Interface<ISupportErrorInfo>(),
        Interface<IConnectionPointContainer>(),
    };
    return entries;
}

void CSampleServer::FinalRelease()
{
    JoinTicker();
}

void CSampleServer::JoinTicker()
{
    ScopedLock hold(ticker_lock_);
    if (ticker_.joinable())
        ticker_.join();
}

STDMETHODIMP CSampleServer::get_ProcessId(long* id)
{
    if (!id)
        return E_POINTER;
    *id = static_cast<long>(GetCurrentProcessId());
    return S_OK;
}

STDMETHODIMP CSampleServer::FireNow(long code, long* delivered)
{
    if (!delivered)
        return E_POINTER;
    *delivered = static_cast<long>(events_.Fire(kTick, {Variant(code)}));
    return S_OK;
}

STDMETHODIMP CSampleServer::FireLater(long code, long count)
{
    if (count < 1 || count > kMostTicks)
        return ReportError(E_INVALIDARG, __uuidof(ISampleServer), L"The count must be 1 to 100.");
    ScopedLock hold(ticker_lock_);
    if (ticker_.joinable())
        ticker_.join();  // one run of ticks at a time
    ticker_ = std::thread([this, code, count] {
        CoInit com(COINIT_MULTITHREADED);
        for (long i = 0; i < count; ++i) {
            Sleep(kTickGapMs);
            events_.Fire(kTick, {Variant(code + i)});
        }
    });
    return S_OK;
}

STDMETHODIMP CSampleServer::get_SinkCount(long* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<long>(events_.SinkCount());
    return S_OK;
}

}  // namespace tvx::com::sample
