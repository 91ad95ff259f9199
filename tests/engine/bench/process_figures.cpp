#include "process_figures.h"

#include <psapi.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace benchfigures {
namespace {

// Linux counts process times in ticks of 1/100 s on every architecture
// Wine runs on here.
constexpr double kMsPerTick = 10.0;

bool ReadText(const std::wstring& path, std::string& text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    text.clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return !text.empty();
}

// Not "self": Wine's server opens the files, so "self" would be the server.
std::wstring ProcEntry(unsigned long pid, const wchar_t* entry)
{
    return L"Z:\\proc\\" + std::to_wstring(pid) + L"\\" + entry;
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text)
        narrow.push_back(static_cast<char>(c));
    return narrow;
}

}  // namespace

bool UnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

SIZE_T PrivateBytes(HANDLE process, unsigned long unix_pid)
{
    if (UnderWine()) {
        std::string status;
        if (unix_pid == 0 || !ReadText(ProcEntry(unix_pid, L"status"), status))
            return 0;
        const size_t at = status.find("RssAnon:");
        if (at == std::string::npos)
            return 0;
        return static_cast<SIZE_T>(std::strtoull(status.c_str() + at + 8, nullptr, 10)) * 1024;
    }
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        return 0;
    return counters.PrivateUsage;
}

double CpuMs(HANDLE process, unsigned long unix_pid)
{
    if (UnderWine()) {
        std::string stat;
        if (unix_pid == 0 || !ReadText(ProcEntry(unix_pid, L"stat"), stat))
            return -1;
        // Fields after the command name in parentheses: state is the 3rd
        // field, utime the 14th and stime the 15th.
        const size_t close = stat.rfind(')');
        if (close == std::string::npos)
            return -1;
        const char* p = stat.c_str() + close + 1;
        char* end = nullptr;
        double ticks = 0;
        for (int field = 3; field <= 15; ++field) {
            while (*p == ' ')
                ++p;
            if (field == 3) {
                ++p;
                continue;
            }
            const unsigned long long value = std::strtoull(p, &end, 10);
            if (end == p)
                return -1;
            if (field >= 14)
                ticks += static_cast<double>(value);
            p = end;
        }
        return ticks * kMsPerTick;
    }
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user))
        return -1;
    const auto ms = [](const FILETIME& t) {
        return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

namespace {

// The first Linux process for which matches answers true, or 0.
unsigned long FindUnixProcess(const std::function<bool(unsigned long pid)>& matches)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    unsigned long pid = 0;
    do {
        wchar_t* end = nullptr;
        const unsigned long candidate = std::wcstoul(found.cFileName, &end, 10);
        if (candidate != 0 && *end == L'\0' && matches(candidate)) {
            pid = candidate;
            break;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return pid;
}

}  // namespace

unsigned long UnixProcessId(const std::wstring& program, const std::wstring& argument)
{
    if (!UnderWine())
        return 0;
    // Wine gives the Linux process the Windows command line as its argv.
    std::string wanted = Narrow(program);
    wanted.push_back('\0');
    if (!argument.empty()) {
        wanted += Narrow(argument);
        wanted.push_back('\0');
    }
    return FindUnixProcess([&](unsigned long pid) {
        std::string command_line;
        return ReadText(ProcEntry(pid, L"cmdline"), command_line) && command_line.compare(0, wanted.size(), wanted) == 0;
    });
}

unsigned long OwnUnixProcessId()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 0;
    return UnixProcessId(path, std::wstring());
}

unsigned long WineServerUnixProcessId()
{
    wchar_t prefix[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH);
    if (!UnderWine() || length == 0 || length >= MAX_PATH)
        return 0;
    const std::string wanted = std::string(1, '\0') + "WINEPREFIX=" + Narrow(prefix) + std::string(1, '\0');
    return FindUnixProcess([&](unsigned long pid) {
        std::string command_line;
        std::string environment;
        return ReadText(ProcEntry(pid, L"cmdline"), command_line) &&
               command_line.find("wineserver") != std::string::npos &&
               ReadText(ProcEntry(pid, L"environ"), environment) &&
               (std::string(1, '\0') + environment).find(wanted) != std::string::npos;
    });
}

}  // namespace benchfigures
