// A message box that closes itself. Task runs in the engine show their
// prompt and their errors on threads that nobody may be there to answer for;
// a box left open would hold the run (and the task) for ever.
#pragma once

#include <windows.h>

// How long a box of a task run waits for an answer.
constexpr DWORD kTaskMessageBoxTimeoutMs = 60000;

// MessageBoxW over owner; when nobody answers within timeoutMs the box is
// closed as if timeoutAnswer (IDOK, IDCANCEL) had been clicked, and that
// answer is returned. MessageBoxTimeout would do this on Windows, but Wine
// ignores its time-out, so a watcher thread finds the box among the calling
// thread's windows (class "#32770", the caption) and posts the command.
int ShowTimedMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type, DWORD timeoutMs,
                        int timeoutAnswer);
