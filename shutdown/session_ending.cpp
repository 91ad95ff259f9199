#include "shutdown/session_ending.h"

#include "shutdown/process_termination.h"

namespace {

bool SendInTime(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                 kEndSessionSendTimeoutMs, &answer) != 0;
}

BOOL CALLBACK EndSessionProc(HWND window, LPARAM endSessionFlag)
{
    EndWindowSession(window, endSessionFlag);
    // Every window is visited, whatever became of the one before.
    return TRUE;
}

}  // namespace

bool EndWindowSession(HWND window, LPARAM endSessionFlag)
{
    if (SendInTime(window, WM_QUIT, 0, endSessionFlag) &&
        SendInTime(window, WM_QUERYENDSESSION, 0, endSessionFlag) &&
        SendInTime(window, WM_ENDSESSION, TRUE, endSessionFlag))
        return true;

    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    TerminateProcessById(processId);
    return false;
}

void EndSessionOfAllTopLevelWindows(LPARAM endSessionFlag)
{
    ::EnumWindows(EndSessionProc, endSessionFlag);
}
