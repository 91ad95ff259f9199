#include "system_calls_recorder.h"

#include <cstring>

namespace {

std::string Text(LPCSTR text)
{
    if (!text)
        return "(null)";
    if (IS_INTRESOURCE(text))
        return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(text));
    return text;
}

}  // namespace

RecordingSystemCalls::RecordingSystemCalls() : m_previous(ReplaceSystemCalls(this)) {}

RecordingSystemCalls::~RecordingSystemCalls()
{
    ReplaceSystemCalls(m_previous);
}

size_t RecordingSystemCalls::Count(const std::string& name) const
{
    size_t count = 0;
    for (const std::string& line : log) {
        if (line == name || line.compare(0, name.size() + 1, name + " ") == 0)
            ++count;
    }
    return count;
}

BOOL RecordingSystemCalls::MessageBeep(UINT type)
{
    log.push_back("MessageBeep " + std::to_string(type));
    return TRUE;
}

void RecordingSystemCalls::Sleep(DWORD milliseconds)
{
    log.push_back("Sleep " + std::to_string(milliseconds));
}

BOOL RecordingSystemCalls::PlaySound(LPCSTR sound, HMODULE, DWORD flags)
{
    log.push_back("PlaySound " + Text(sound) + " " + std::to_string(flags));
    return TRUE;
}

HINSTANCE RecordingSystemCalls::ShellExecute(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                             INT show)
{
    log.push_back("ShellExecute " + Text(operation) + " " + Text(file) + " " + Text(parameters) + " " +
                  Text(directory) + " " + std::to_string(show));
    return reinterpret_cast<HINSTANCE>(shellExecuteAnswer);
}

DWORD RecordingSystemCalls::SearchPath(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD bufferLength,
                                       LPSTR buffer, LPSTR* filePart)
{
    log.push_back("SearchPath " + Text(path) + " " + Text(fileName) + " " + Text(extension));
    if (searchPathAnswer.empty())
        return 0;
    if (bufferLength <= searchPathAnswer.size())
        return static_cast<DWORD>(searchPathAnswer.size() + 1);
    std::memcpy(buffer, searchPathAnswer.c_str(), searchPathAnswer.size() + 1);
    if (filePart) {
        const size_t separator = searchPathAnswer.find_last_of('\\');
        *filePart = buffer + (separator == std::string::npos ? 0 : separator + 1);
    }
    return static_cast<DWORD>(searchPathAnswer.size());
}

DWORD_PTR RecordingSystemCalls::SHGetFileInfo(LPCSTR path, DWORD fileAttributes, SHFILEINFOA* info, UINT infoSize,
                                              UINT flags)
{
    log.push_back("SHGetFileInfo " + Text(path) + " " + std::to_string(flags));
    if (info && infoSize >= sizeof(SHFILEINFOA))
        std::memset(info, 0, sizeof(SHFILEINFOA));
    return 0;
}

BOOL RecordingSystemCalls::WinHelp(HWND, LPCSTR helpFile, UINT command, ULONG_PTR data)
{
    log.push_back("WinHelp " + Text(helpFile) + " " + std::to_string(command) + " " + std::to_string(data));
    return TRUE;
}
