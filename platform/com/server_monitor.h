#pragma once

#include <windows.h>

#include <functional>
#include <thread>

#include "platform/com/handle.h"

namespace tvx::com {

// Ends a local server when nothing holds it any more: once the module's lock
// count has dropped to zero and stayed there for a whole quiet period
// (`idle_ms`), the class objects are suspended, new objects are refused
// (CO_E_SERVER_STOPPING) and WM_QUIT goes to the main thread, whose message
// loop ends; the main thread then revokes the class objects.
//
// A server that COM started for a client has no object until that client's
// request arrives, which on a busy machine can take longer than a quiet
// period; until its first object, the server waits up to `first_client_ms`
// instead. (Windows' service control manager starts a new server for a
// client turned away with CO_E_SERVER_STOPPING; Wine's does not, and the
// client's activation would fail.)
//
// `on_wake`, if given, runs on the monitor's thread each time it wakes (at
// least every `idle_ms`): the place for a server that holds an object of its
// own to let it go when it has nothing more to do.
class ServerMonitor {
public:
    static constexpr DWORD kFirstClientMs = 30000;

    ServerMonitor(DWORD main_thread_id, DWORD idle_ms, std::function<void()> on_wake = {},
                  DWORD first_client_ms = kFirstClientMs);
    ~ServerMonitor();  // stops the monitor if it still runs
    ServerMonitor(const ServerMonitor&) = delete;
    ServerMonitor& operator=(const ServerMonitor&) = delete;

    HRESULT Start();

private:
    void Run();
    // Waits until the server has had an object or the wait for the first
    // client is over; false when asked to stop.
    bool WaitForFirstObject();
    // Waits for the module's idle signal; false when asked to stop.
    bool Wait(DWORD timeout_ms, bool* signalled);

    DWORD main_thread_id_;
    DWORD idle_ms_;
    DWORD first_client_ms_;
    std::function<void()> on_wake_;
    Handle stop_;
    std::thread thread_;
};

}  // namespace tvx::com
