#include "command/desktop/message_pump.h"

namespace desktop {

namespace {

constexpr DWORD kProcessWaitSliceMs = 500;

}  // namespace

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void WaitPumpingMessages(long long milliseconds)
{
    if (milliseconds <= 0)
        return;
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    // The wait below wakes only for messages that arrive after it began.
    PumpMessages();
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            return;
        const ULONGLONG left = end - now;
        // Slices below INFINITE, so a very long wait is never taken for "for ever".
        const DWORD slice = left >= INFINITE ? INFINITE - 1 : static_cast<DWORD>(left);
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT) == WAIT_OBJECT_0)
            PumpMessages();
    }
}

bool WaitForObjectPumping(HANDLE object, DWORD milliseconds)
{
    if (object == nullptr)
        return true;
    const ULONGLONG start = GetTickCount64();
    PumpMessages();
    for (;;) {
        DWORD slice = INFINITE;
        if (milliseconds != INFINITE) {
            const ULONGLONG spent = GetTickCount64() - start;
            slice = spent >= milliseconds ? 0 : static_cast<DWORD>(milliseconds - spent);
        }
        const DWORD result = MsgWaitForMultipleObjects(1, &object, FALSE, slice, QS_ALLINPUT);
        if (result == WAIT_OBJECT_0)
            return true;
        if (result == WAIT_OBJECT_0 + 1) {
            PumpMessages();
            continue;
        }
        // A time-out, or a handle that cannot be waited on.
        return false;
    }
}

bool WaitForProcessPumping(HANDLE process, long limit)
{
    if (process == nullptr) {
        WaitPumpingMessages(kProcessWaitSliceMs);
        return true;
    }
    const ULONGLONG start = GetTickCount64();
    DWORD result;
    do {
        WaitPumpingMessages(kProcessWaitSliceMs);
        result = WaitForSingleObject(process, kProcessWaitSliceMs);
    } while (result == WAIT_TIMEOUT && (limit < 0 || GetTickCount64() - start <= static_cast<ULONGLONG>(limit)));
    return result != WAIT_TIMEOUT;
}

}  // namespace desktop
