#include "engine/diagnostics_log.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "engine/engine_texts.h"
#include "task/shared/log_line.h"

namespace {

void WriteToStandardError(const std::string& text)
{
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE)
        return;
    std::string line = text + "\r\n";
    DWORD written = 0;
    WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void Record(const std::string& text)
{
    AppendLogLine(engine_text::kDiagnosticsLogFile, text.c_str());
    WriteToStandardError(text);
}

}  // namespace

void RecordDiagnostic(const char* format, ...)
{
    const DWORD last_error = GetLastError();
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Record(text);

    char error_line[64];
    snprintf(error_line, sizeof error_line, engine_text::kLastSystemError, static_cast<int>(last_error));
    Record(error_line);
    SetLastError(last_error);
}
