#include "task/shared_snapshots.h"

#include <memory>

namespace {

struct Snapshots {
    int depth = 0;
    bool processesTaken = false;
    std::vector<ProcessEntry> processes;
    bool windowsTaken = false;
    std::vector<WindowEntry> windows;
};

// A plain pointer rather than an object with a destructor: the library may
// be unloaded while a thread that used it lives on, and no thread-exit
// destructor may then call into it. The state exists only inside a scope.
thread_local Snapshots* t_snapshots = nullptr;

BOOL CALLBACK CollectWindow(HWND window, LPARAM context)
{
    auto* windows = reinterpret_cast<std::vector<WindowEntry>*>(context);
    WindowEntry entry;
    entry.window = window;
    const int length = GetWindowTextLengthA(window);
    if (length > 0) {
        std::string title(static_cast<std::size_t>(length) + 1, '\0');
        const int read = GetWindowTextA(window, &title[0], length + 1);
        title.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
        entry.title.swap(title);
    }
    entry.searchable = IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr;
    windows->push_back(std::move(entry));
    return TRUE;
}

}  // namespace

void BeginSharedSnapshots()
{
    if (t_snapshots == nullptr)
        t_snapshots = new Snapshots;
    ++t_snapshots->depth;
}

void EndSharedSnapshots()
{
    if (t_snapshots == nullptr)
        return;
    if (--t_snapshots->depth > 0)
        return;
    delete t_snapshots;
    t_snapshots = nullptr;
}

const std::vector<ProcessEntry>* SharedProcessList()
{
    Snapshots* snapshots = t_snapshots;
    if (snapshots == nullptr)
        return nullptr;
    if (!snapshots->processesTaken) {
        const std::unique_ptr<CProcessList> list = CreateProcessList();
        list->Refresh();
        while (const ProcessEntry* entry = list->GetNext())
            snapshots->processes.push_back(*entry);
        snapshots->processesTaken = true;
    }
    return &snapshots->processes;
}

const std::vector<WindowEntry>* SharedWindowList()
{
    Snapshots* snapshots = t_snapshots;
    if (snapshots == nullptr)
        return nullptr;
    if (!snapshots->windowsTaken) {
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&snapshots->windows));
        snapshots->windowsTaken = true;
    }
    return &snapshots->windows;
}
