#include "task/shared/log_line.h"

#include "task/shared/module_directory.h"

#include <cctype>
#include <cstdio>

namespace {

// Another writer (an editor, a second scheduler instance, a log viewer that
// opened the file for writing) may hold the log for a moment; the line is
// retried for about half a second before it is given up.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryPauseMs = 50;

// Owns the log file's handle for the length of one append.
class LogFileHandle {
public:
    explicit LogFileHandle(HANDLE handle) : m_handle(handle) {}
    ~LogFileHandle()
    {
        if (IsOpen())
            CloseHandle(m_handle);
    }
    LogFileHandle(const LogFileHandle&) = delete;
    LogFileHandle& operator=(const LogFileHandle&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool IsPathSeparator(char c)
{
    return c == '\\' || c == '/';
}

// "\logs\x.log", "\\server\share\x.log", "C:\x.log" and "C:x.log" name their
// place themselves; everything else is relative to the program directory.
bool NamesItsOwnLocation(const std::string& fileName)
{
    if (!fileName.empty() && IsPathSeparator(fileName[0]))
        return true;
    return fileName.size() >= 2 && fileName[1] == ':' &&
           std::isalpha(static_cast<unsigned char>(fileName[0]));
}

// Opens (creating when missing) for reading and writing while denying other
// writers, waiting a little while another writer holds the file.
HANDLE OpenLogFile(const std::string& path)
{
    for (int attempt = 1;; ++attempt) {
        HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE)
            return handle;
        if (GetLastError() != ERROR_SHARING_VIOLATION || attempt == kOpenAttempts)
            return INVALID_HANDLE_VALUE;
        Sleep(kOpenRetryPauseMs);
    }
}

}  // namespace

std::string ResolveLogFilePath(const std::string& fileName, const std::string& programDirectory)
{
    if (NamesItsOwnLocation(fileName) || programDirectory.empty())
        return fileName;
    std::string path = programDirectory;
    if (!IsPathSeparator(path.back()) && path.back() != ':')
        path += '\\';
    return path + fileName;
}

std::string FormatLogLine(const SYSTEMTIME& localTime, const char* text)
{
    // Roomier than any short date or time a locale can produce, so a long
    // format is written whole instead of being dropped.
    char date[80] = "";
    char time[80] = "";
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &localTime, nullptr, date, sizeof date))
        date[0] = '\0';
    if (!GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_FORCE24HOURFORMAT | TIME_NOTIMEMARKER, &localTime,
                        nullptr, time, sizeof time))
        time[0] = '\0';

    if (text == nullptr)
        text = "";
    const int length = std::snprintf(nullptr, 0, "%-10s %-8s %s\r\n", date, time, text);
    if (length <= 0)
        return std::string();
    std::string line(static_cast<size_t>(length), '\0');
    std::snprintf(&line[0], line.size() + 1, "%-10s %-8s %s\r\n", date, time, text);
    return line;
}

bool AppendLogLine(const char* fileName, const char* text)
{
    if (fileName == nullptr || *fileName == '\0')
        return false;

    const std::string path = ResolveLogFilePath(fileName, GetModuleDirectory());
    LogFileHandle file(OpenLogFile(path));
    if (!file.IsOpen())
        return false;

    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::string line = FormatLogLine(now, text);

    if (SetFilePointer(file.Get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return false;
    DWORD written = 0;
    return WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
}
