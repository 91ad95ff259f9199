// What the desktop commands need of the command object that runs them.
#pragma once

#include <windows.h>

#include <atomic>

#include "command/desktop/process_slot.h"
#include "platform/framework/string.h"

namespace desktop {

struct DesktopContext {
    DesktopContext(CString& lastError, ProcessSlot& process) : lastError(lastError), process(process) {}

    // The reason of the last failure; a command that fails sets it.
    CString& lastError;
    // The program started last without waiting; WaitForProgram waits for it.
    ProcessSlot& process;
    // Where InputBox leaves its answer; none keeps no answer.
    CString* inputAnswer = nullptr;

    // Programs started without a logon go to the interactive desktop when
    // set, else to a desktop of their own.
    BOOL interactive = TRUE;
    // Milliseconds between the items of a typed key text.
    long keyDelay = 100;
    // Set from another thread when the run is asked to stop; typing ends
    // at the next key. None: typing is never stopped.
    const std::atomic<bool>* stopRequested = nullptr;

    // During a queue run under a stored logon the programs start as that
    // user, with the user's token, creation flags and environment block, on
    // the run desktop when the run is not interactive.
    bool impersonating = false;
    HANDLE logonToken = nullptr;
    DWORD creationFlags = 0;
    void* environment = nullptr;
    CString runDesktopName;
};

}  // namespace desktop
