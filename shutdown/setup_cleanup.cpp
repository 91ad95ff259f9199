#include "shutdown/setup_cleanup.h"

#include <cstdlib>

#include "platform/framework/filefind.h"

void DispatchMessagesFor(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= milliseconds)
            return;
        // Sleeps until a message arrives or the time is up, instead of
        // spinning on the tick count.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

bool DeleteSetupProgram(const CString& directory)
{
    CString path;
    path.Format("%ssetup.exe", static_cast<const char*>(directory));

    CFileFind finder;
    bool found = false;
    bool more = finder.FindFile(path);
    while (more) {
        more = finder.FindNextFile();
        if (!finder.IsDots() && !finder.IsDirectory())
            found = true;
    }
    finder.Close();
    return found && ::DeleteFileA(path) != FALSE;
}

CString GetProgramDirectory()
{
    char module[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    char drive[_MAX_DRIVE] = "";
    char directory[_MAX_DIR] = "";
    _splitpath(module, drive, directory, nullptr, nullptr);
    CString result;
    result.Format("%s%s", drive, directory);
    return result;
}

void CleanUpSetup()
{
    DispatchMessagesFor(kSetupEndWaitMs);
    const CString directory = GetProgramDirectory();
    if (!directory.IsEmpty())
        DeleteSetupProgram(directory);
}
