#pragma once

#include <windows.h>

namespace tvx::com {

// Dispatches the thread's messages until WM_QUIT; returns its exit code.
int RunMessageLoop();

// Waits for `handle` while dispatching messages, as a single-threaded
// apartment must to take calls and events meanwhile. True when the handle
// was signalled before the timeout.
bool WaitWithMessageLoop(HANDLE handle, DWORD timeout_ms);

// Makes sure the calling thread has a message queue, so that
// PostThreadMessage to it can't fail.
void EnsureMessageQueue();

}  // namespace tvx::com
