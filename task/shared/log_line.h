#pragma once

#include <windows.h>

#include <string>

// Appends one dated line ("%-10s %-8s %s\r\n": the user's short date, the
// user's 24-hour time, the text) to a log file, creating the file when it is
// missing. A relative name is placed in the program directory; a rooted,
// drive-qualified or UNC name is used as it stands. Returns false when the
// line could not be written.
bool AppendLogLine(const char* fileName, const char* text);

// The path AppendLogLine writes to for fileName, given the program directory.
std::string ResolveLogFilePath(const std::string& fileName, const std::string& programDirectory);

// One log line for the given local time, ending with CR LF.
std::string FormatLogLine(const SYSTEMTIME& localTime, const char* text);
