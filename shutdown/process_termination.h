#pragma once

#include <windows.h>

// The exit code of a process the helper ends. A running process's own exit
// code reads STILL_ACTIVE (259); ended with that, it would look alive to
// anyone who asks for its exit code afterwards.
constexpr UINT kEndedProcessExitCode = 1;

// Ends the process at once; false when it cannot be opened or ended. The
// helper's own process is never ended here.
bool TerminateProcessById(DWORD processId);
