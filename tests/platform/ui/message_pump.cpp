#include "message_pump.h"

#include "platform/ui/win_thread.h"
#include "platform/ui/wnd.h"

namespace {

void HandleOne(MSG& message)
{
    CWinThread* thread = AfxGetThread();
    const BOOL taken = thread ? thread->PreTranslateMessage(&message)
                              : (message.hwnd && CWnd::WalkPreTranslateTree(nullptr, &message));
    if (!taken) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (done && done())
            return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return done ? done() : true;
        MSG message;
        if (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Leave it for the loop that owns it.
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return done ? done() : true;
            }
            HandleOne(message);
            continue;
        }
        const DWORD wait = static_cast<DWORD>(deadline - now < 20 ? deadline - now : 20);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
}

void PumpMessages(DWORD milliseconds)
{
    PumpUntil(nullptr, milliseconds);
}
