// The calling thread's last failure inside one of the mail libraries: a code
// and a text naming what failed. Each library compiles its own copy, so each
// keeps its own record per thread, as a library's "last error" does.
#pragma once

#include <windows.h>

#include <cstdio>

namespace mail_library {

// Process attach and detach of the library that carries the records.
bool StartFailureRecords();
void StopFailureRecords();
// Thread detach: frees the record of the ending thread.
void ReleaseThreadFailure();

// Records a failure of the calling thread. Always returns false, so that a
// failing entry point can end with "return RecordFailure(...)".
bool RecordFailure(long code, const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));
long LastFailureCode();

// Fills buffer (size bytes, always null-terminated when size > 0) with the
// text of code: the recorded text when code is the calling thread's last
// failure, else generic_text. False for a null buffer or size <= 0, or when
// generic_text is null and code is not the last failure.
BOOL CopyFailureText(long code, const char* generic_text, char* buffer, long size);

}  // namespace mail_library
