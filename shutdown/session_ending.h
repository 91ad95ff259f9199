#pragma once

#include <windows.h>

// How long one window may take over each end-session message.
constexpr UINT kEndSessionSendTimeoutMs = 2000;

// Sends the window WM_QUIT, WM_QUERYENDSESSION and WM_ENDSESSION (TRUE), each
// with the end-session flag (0 or ENDSESSION_LOGOFF) and each only when the
// previous one was answered in time. When any is not, the window's process is
// ended. True when the window answered all three.
bool EndWindowSession(HWND window, LPARAM endSessionFlag);

// EndWindowSession for every top-level window.
void EndSessionOfAllTopLevelWindows(LPARAM endSessionFlag);
