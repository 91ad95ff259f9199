#include "platform/com/server_monitor.h"

#include <objbase.h>

#include <algorithm>

#include "platform/com/co_init.h"
#include "platform/com/message_loop.h"
#include "platform/com/module.h"

namespace tvx::com {

ServerMonitor::ServerMonitor(DWORD main_thread_id, DWORD idle_ms, std::function<void()> on_wake,
                             DWORD first_client_ms)
    : main_thread_id_(main_thread_id), idle_ms_(idle_ms), first_client_ms_(first_client_ms),
      on_wake_(std::move(on_wake))
{
}

ServerMonitor::~ServerMonitor()
{
    if (thread_.joinable()) {
        SetEvent(stop_.Get());
        thread_.join();
    }
}

HRESULT ServerMonitor::Start()
{
    if (thread_.joinable())
        return S_FALSE;
    if (!Module::Current().IdleEvent())
        return HRESULT_FROM_WIN32(GetLastError());
    stop_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!stop_)
        return HRESULT_FROM_WIN32(GetLastError());
    if (GetCurrentThreadId() == main_thread_id_)
        EnsureMessageQueue();
    thread_ = std::thread([this] { Run(); });
    return S_OK;
}

bool ServerMonitor::Wait(DWORD timeout_ms, bool* signalled)
{
    HANDLE handles[] = {stop_.Get(), Module::Current().IdleEvent()};
    DWORD r = WaitForMultipleObjects(2, handles, FALSE, timeout_ms);
    *signalled = r == WAIT_OBJECT_0 + 1;
    return r != WAIT_OBJECT_0;
}

bool ServerMonitor::WaitForFirstObject()
{
    // An object that lives holds the count above zero; one that came and went
    // signalled the idle event. Polled briefly: this phase lasts only until
    // the first client arrives.
    constexpr DWORD kPollMs = 50;
    Module& module = Module::Current();
    const ULONGLONG end = GetTickCount64() + first_client_ms_;
    bool signalled = false;
    while (module.LockCount() == 0) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return true;
        if (!Wait(static_cast<DWORD>(std::min<ULONGLONG>(kPollMs, end - now)), &signalled))
            return false;
        if (signalled)
            return true;
    }
    return true;
}

void ServerMonitor::Run()
{
    CoInit com(COINIT_MULTITHREADED);  // for the class objects and on_wake
    Module& module = Module::Current();
    if (!WaitForFirstObject())
        return;
    bool signalled = false;
    for (;;) {
        if (!Wait(idle_ms_, &signalled))
            return;
        if (on_wake_)
            on_wake_();
        // A quiet period: a whole round in which the count never dropped
        // to zero again.
        do {
            module.TakeActivity();
            if (!Wait(idle_ms_, &signalled))
                return;
        } while (signalled);
        if (module.TakeActivity() || module.LockCount() > 0)
            continue;
        CoSuspendClassObjects();
        if (!module.TakeActivity() && module.BeginStopping())
            break;
        // A client came in meanwhile: serve on.
        CoResumeClassObjects();
    }
    PostThreadMessageW(main_thread_id_, WM_QUIT, 0, 0);
}

}  // namespace tvx::com
