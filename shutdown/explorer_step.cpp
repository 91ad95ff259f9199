#include "shutdown/explorer_step.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstring>

#include "platform/com/handle.h"
#include "shutdown/process_termination.h"

namespace {

using CreateSnapshotFn = HANDLE(WINAPI*)(DWORD, DWORD);
using WalkProcessesFn = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

// A library loaded at run time, freed with the object.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* name) : m_module(::LoadLibraryA(name)) {}
    ~LoadedLibrary()
    {
        if (m_module)
            ::FreeLibrary(m_module);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    template <typename Fn>
    Fn Find(const char* name) const
    {
        return m_module ? reinterpret_cast<Fn>(::GetProcAddress(m_module, name)) : nullptr;
    }

private:
    HMODULE m_module;
};

}  // namespace

bool IsExplorerPath(const char* path)
{
    if (!path)
        return false;
    const char* name = std::strrchr(path, '\\');
    name = name ? name + 1 : path;
    return ::lstrcmpiA(name, "explorer.exe") == 0;
}

void EndExplorerProcesses()
{
    LoadedLibrary kernel("Kernel32.DLL");
    auto createSnapshot = kernel.Find<CreateSnapshotFn>("CreateToolhelp32Snapshot");
    auto first = kernel.Find<WalkProcessesFn>("Process32First");
    auto next = kernel.Find<WalkProcessesFn>("Process32Next");
    if (!createSnapshot || !first || !next)
        return;

    tvx::com::Handle snapshot(createSnapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = first(snapshot.Get(), &entry); more; more = next(snapshot.Get(), &entry)) {
        if (IsExplorerPath(entry.szExeFile))
            TerminateProcessById(entry.th32ProcessID);
    }
}
