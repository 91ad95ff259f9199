#include "platform/com/message_loop.h"

namespace tvx::com {

int RunMessageLoop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool WaitWithMessageLoop(HANDLE handle, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        DWORD left = elapsed >= timeout_ms ? 0 : timeout_ms - elapsed;
        DWORD r = MsgWaitForMultipleObjectsEx(1, &handle, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (r == WAIT_OBJECT_0)
            return true;
        if (r != WAIT_OBJECT_0 + 1)
            return false;  // timeout or failure
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Not ours to take: leave it for the thread's own loop.
                PostQuitMessage(static_cast<int>(msg.wParam));
                return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void EnsureMessageQueue()
{
    MSG msg;
    PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
}

}  // namespace tvx::com
