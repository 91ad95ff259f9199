#include "platform/ui/system_calls.h"

#include <mmsystem.h>

namespace {

SystemCalls g_system;
SystemCalls* g_current = &g_system;

}  // namespace

SystemCalls::~SystemCalls() = default;

BOOL SystemCalls::MessageBeep(UINT type)
{
    return ::MessageBeep(type);
}

void SystemCalls::Sleep(DWORD milliseconds)
{
    ::Sleep(milliseconds);
}

BOOL SystemCalls::PlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    return ::PlaySoundA(sound, module, flags);
}

HINSTANCE SystemCalls::ShellExecute(HWND window, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                    LPCSTR directory, INT show)
{
    return ::ShellExecuteA(window, operation, file, parameters, directory, show);
}

DWORD SystemCalls::SearchPath(LPCSTR path, LPCSTR fileName, LPCSTR extension, DWORD bufferLength,
                              LPSTR buffer, LPSTR* filePart)
{
    return ::SearchPathA(path, fileName, extension, bufferLength, buffer, filePart);
}

DWORD_PTR SystemCalls::SHGetFileInfo(LPCSTR path, DWORD fileAttributes, SHFILEINFOA* info, UINT infoSize,
                                     UINT flags)
{
    return ::SHGetFileInfoA(path, fileAttributes, info, infoSize, flags);
}

BOOL SystemCalls::WinHelp(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data)
{
    return ::WinHelpA(window, helpFile, command, data);
}

SystemCalls& CurrentSystemCalls()
{
    return *g_current;
}

SystemCalls* ReplaceSystemCalls(SystemCalls* calls)
{
    SystemCalls* previous = g_current;
    g_current = calls ? calls : &g_system;
    return previous;
}
