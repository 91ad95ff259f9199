#include "shutdown/shutdown_privilege.h"

#include <windows.h>

#include "platform/com/handle.h"

bool EnableProcessShutdownPrivilege()
{
    HANDLE rawToken = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken))
        return false;
    tvx::com::Handle token(rawToken);

    TOKEN_PRIVILEGES privileges = {};
    if (!::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return false;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;

    ::SetLastError(ERROR_SUCCESS);
    ::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    return ::GetLastError() == ERROR_SUCCESS;
}
