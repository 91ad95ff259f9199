// Waiting without freezing the caller: every wait of the desktop commands
// keeps dispatching the calling thread's messages, so that a caller with
// windows (the administrator testing a line) stays responsive.
#pragma once

#include <windows.h>

namespace desktop {

// Removes and dispatches every message waiting in the calling thread's queue.
void PumpMessages();

// Waits until the time has passed, dispatching messages whenever any arrive.
// Zero or a negative time returns at once.
void WaitPumpingMessages(long long milliseconds);

// Waits until the object is signalled or the time has passed, dispatching
// messages meanwhile; INFINITE waits without limit. True when signalled
// (also for a null handle, which is treated as already signalled).
bool WaitForObjectPumping(HANDLE object, DWORD milliseconds);

// WaitForProgram's wait: half a second of dispatching, then half a second on
// the process, again and again while the process runs and the limit (in
// milliseconds; negative for none) has not passed. True when the process
// ended; a missing process counts as ended.
bool WaitForProcessPumping(HANDLE process, long limit);

}  // namespace desktop
