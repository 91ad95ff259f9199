// RecordingSystemCalls: takes the place of the system calls that product
// code makes through CurrentSystemCalls() for the object's life, writes each
// call into a log and answers without touching the system (no sound, no
// pause, no program started, no help window).
#pragma once

#include <string>
#include <vector>

#include "platform/ui/system_calls.h"

class RecordingSystemCalls : public SystemCalls {
public:
    RecordingSystemCalls();
    ~RecordingSystemCalls() override;

    RecordingSystemCalls(const RecordingSystemCalls&) = delete;
    RecordingSystemCalls& operator=(const RecordingSystemCalls&) = delete;

    BOOL MessageBeep(UINT type) override;
    void Sleep(DWORD milliseconds) override;
    BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags) override;
    HINSTANCE ShellExecute(HWND window, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                           INT show) override;
    DWORD SearchPath(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD bufferLength, LPSTR buffer,
                     LPSTR* filePart) override;
    DWORD_PTR SHGetFileInfo(LPCSTR path, DWORD fileAttributes, SHFILEINFOA* info, UINT infoSize,
                            UINT flags) override;
    BOOL WinHelp(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data) override;

    // One line per call: the call's name and its arguments, blank-separated.
    std::vector<std::string> log;
    // How many calls of that name were made.
    size_t Count(const std::string& name) const;

    // What ShellExecute answers (above 32 is success).
    INT_PTR shellExecuteAnswer = 42;
    // What SearchPath finds: empty for nothing.
    std::string searchPathAnswer;

private:
    SystemCalls* m_previous;
};
