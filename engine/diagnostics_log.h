// The diagnostics log "qvdiag.log" beside the program: where registration
// and start-up failures go. The engine often runs where nobody could answer
// a message box (as a service, or started by COM), so it shows none: each
// text is appended to the log and written to standard error.
#pragma once

#include <windows.h>

#include <cstdio>

// Formats one failure ("Call to ... failed: %x") and records it at once,
// followed by the line "Last system error code: %d" with the thread's last
// system error as it was when the failure was recorded.
void RecordDiagnostic(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)));
