#include "command/desktop/window_actions.h"

namespace desktop {

void BringWindowToFront(HWND window)
{
    if (IsIconic(window))
        ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
}

bool CloseWindowWaiting(HWND window, DWORD limitMs)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, limitMs, &result) != 0;
}

}  // namespace desktop
