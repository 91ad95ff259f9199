#include "task/shared/windows_version.h"

BOOL IsWindowsNT()
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info))
        return FALSE;
    return info.dwPlatformId != VER_PLATFORM_WIN32_WINDOWS;
}
