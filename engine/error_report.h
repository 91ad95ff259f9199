// Where the scheduler object's errors go. The engine never waits on a
// message box: as a service it has nobody to answer one, so its errors go to
// the logs; as a process it shows them without waiting for the answer.
#pragma once

#include <string>

struct ErrorReporting {
    bool display = false;    // DisplayErrors
    bool log = false;        // LogErrors
    std::wstring log_file;   // ErrorFileName
    bool service = true;     // IsService
};

// An error of a task look-up or a pass: one line in the error log when
// LogErrors is set and a file is named; then, when DisplayErrors is set, an
// error event (service) or a message box on a thread of its own (process).
void ReportSchedulerError(const std::wstring& text, const ErrorReporting& how);

// An error of the engine itself (settings file, scheduler thread): into the
// diagnostics log, and as an error event when the engine runs as a service.
void ReportEngineError(const char* text, bool service);

// "Tarvex": string resource 100 of the program, the service's name and the
// source of its events.
std::wstring EngineServiceName();
