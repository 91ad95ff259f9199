// The clean-up after the product's set-up program: the set-up starts the
// helper with the action KILLSETUP just before it ends, and the helper then
// removes "setup.exe" from its own directory.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"

// How long the helper lets the set-up program end before deleting it.
constexpr DWORD kSetupEndWaitMs = 3000;

// Waits the given time, dispatching every message that arrives meanwhile.
void DispatchMessagesFor(DWORD milliseconds);

// Deletes "setup.exe" in the directory (which ends with a backslash) when it
// is there; true when a file was deleted.
bool DeleteSetupProgram(const CString& directory);

// The drive and directory of the running program, ending with a backslash;
// empty when the module file name cannot be read.
CString GetProgramDirectory();

// Waits kSetupEndWaitMs, then deletes setup.exe beside the program.
void CleanUpSetup();
