// The system calls whose effect nothing else can observe (sounds, pauses,
// programs started, help shown) or that depend on the machine (file look-ups
// and icons). Product code makes them through CurrentSystemCalls(), which is
// the system itself unless a test has put a recording or scripted table in
// its place.
#pragma once

#include <windows.h>
#include <shellapi.h>

class SystemCalls {
public:
    virtual ~SystemCalls();

    virtual BOOL MessageBeep(UINT type);
    virtual void Sleep(DWORD milliseconds);
    virtual BOOL PlaySound(LPCSTR sound, HMODULE module, DWORD flags);
    virtual HINSTANCE ShellExecute(HWND window, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                   LPCSTR directory, INT show);
    virtual DWORD SearchPath(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD bufferLength,
                             LPSTR buffer, LPSTR* filePart);
    virtual DWORD_PTR SHGetFileInfo(LPCSTR path, DWORD fileAttributes, SHFILEINFOA* info, UINT infoSize,
                                    UINT flags);
    virtual BOOL WinHelp(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data);
};

// The table in use: the system's unless replaced.
SystemCalls& CurrentSystemCalls();

// Puts a table in place (null: the system's again) and answers the previous
// one. The table must outlive its use; the user-interface thread only.
SystemCalls* ReplaceSystemCalls(SystemCalls* calls);
