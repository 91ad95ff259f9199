#pragma once

// Helpers of the tests that drive the sample servers from outside.

#include <windows.h>

#include <string>

#include "platform/com/handle.h"

namespace tvx::com::test {

// A file in the directory of this test program (where the build puts the
// sample servers too).
std::wstring FileBesideTest(const wchar_t* name);

// Runs a command line to its end; its exit code, or ~0u when it could not
// be started or did not end within timeout_ms (it is then ended).
DWORD RunToEnd(const std::wstring& command_line, DWORD timeout_ms = 60000);

// A process to wait for or end later, opened while it is known to run: the
// open handle keeps its id from being given to another process (Wine hands
// the ids of ended processes out again within seconds), so ending it later
// can never end a stranger.
Handle OpenRunningProcess(DWORD process_id);

// Waits for a process to end; a process that outlives the wait is ended, so
// that no test leaves one behind, and false is returned.
bool ProcessEnds(const Handle& process, DWORD timeout_ms);

}  // namespace tvx::com::test
