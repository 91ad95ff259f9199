#include "command/desktop/window_actions.h"

#include "command/desktop/message_pump.h"

namespace desktop {

namespace {

constexpr long kForegroundPollMs = 10;

bool IsForeground(HWND window)
{
    const HWND foreground = GetForegroundWindow();
    return foreground != nullptr && (foreground == window || GetAncestor(foreground, GA_ROOTOWNER) == window);
}

void BringWindowToFront(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
}

}  // namespace

bool ActivateForInput(HWND window, DWORD limitMs)
{
    const ULONGLONG start = GetTickCount64();
    auto left = [&]() -> DWORD {
        const ULONGLONG spent = GetTickCount64() - start;
        return spent >= limitMs ? 0 : static_cast<DWORD>(limitMs - spent);
    };
    BringWindowToFront(window);
    while (!IsForeground(window)) {
        if (left() == 0)
            return false;
        WaitPumpingMessages(kForegroundPollMs);
    }
    // The foreground moves at once, but a window of another thread is
    // activated by a message to that thread, and only while handling it
    // does the window put the focus where keys should go; a key typed
    // before then is lost. Messages sent to a thread are handled in the
    // order they were sent, so once this one is answered the activation
    // has been handled too.
    DWORD_PTR answer = 0;
    const DWORD wait = left();
    if (wait == 0 || !SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, wait, &answer))
        return false;
    return IsForeground(window);
}

bool CloseWindowWaiting(HWND window, DWORD limitMs)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, limitMs, &result) != 0;
}

}  // namespace desktop
