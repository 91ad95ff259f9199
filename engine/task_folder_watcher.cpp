#include "engine/task_folder_watcher.h"

#include <cwctype>
#include <set>
#include <vector>

#include "platform/com/bstr.h"
#include "platform/com/co_init.h"
#include "platform/com/critical_section.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::ScopedLock;

namespace {

// Gives the writer of a change the time to finish before the folder is read.
constexpr DWORD kSettleMs = 1000;
constexpr wchar_t kTaskExtension[] = L".tsk";
constexpr std::size_t kTaskExtensionLength = 4;

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

// A change-notification handle, closed by its own function.
class ChangeNotification {
public:
    explicit ChangeNotification(const std::wstring& folder)
        : handle_(FindFirstChangeNotificationW(folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME))
    {
    }
    ~ChangeNotification()
    {
        if (Valid())
            FindCloseChangeNotification(handle_);
    }
    ChangeNotification(const ChangeNotification&) = delete;
    ChangeNotification& operator=(const ChangeNotification&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }
    bool Next() { return FindNextChangeNotification(handle_) != FALSE; }

private:
    HANDLE handle_;
};

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// The names (without ".tsk") of the task files, in the order of the
// directory search. The search pattern also finds longer extensions that
// begin with "tsk" (the short-name rule); those are no task files.
std::vector<std::wstring> TaskFileNames(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW((folder + L"*.tsk").c_str(), &found));
    if (!search.Valid())
        return names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const std::wstring name = found.cFileName;
        if (name.size() <= kTaskExtensionLength ||
            _wcsicmp(name.c_str() + name.size() - kTaskExtensionLength, kTaskExtension) != 0)
            continue;
        names.push_back(name.substr(0, name.size() - kTaskExtensionLength));
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring DescriptionOf(IQVTask* task)
{
    Bstr description;
    if (FAILED(task->get_Description(description.Receive())))
        return std::wstring();
    return description.ToString();
}

}  // namespace

struct TaskFolderWatcher::State {
    std::wstring folder;
    tvx::com::Handle stop;     // manual reset
    tvx::com::Handle stopped;  // manual reset
    // The gate: the host, until the object that is the host goes.
    tvx::com::CriticalSection gate;
    WatcherHost* host = nullptr;

    bool Stopping() const { return WaitForSingleObject(stop.Get(), 0) != WAIT_TIMEOUT; }
    void Round();
    // Stops the scheduler around one change when it runs.
    template <class Change>
    void AroundChange(WatcherHost& host, Change change);
};

template <class Change>
void TaskFolderWatcher::State::AroundChange(WatcherHost& target, Change change)
{
    const bool running = target.WatcherSchedulerRunning();
    if (running)
        target.WatcherStopScheduler();
    change();
    if (running)
        target.WatcherStartScheduler();
}

void TaskFolderWatcher::State::Round()
{
    ComPtr<IUnknown> hold;
    WatcherHost* target = nullptr;
    {
        ScopedLock open(gate);
        if (!host)
            return;
        hold = host->WatcherHold();
        if (!hold)
            return;
        target = host;
    }
    IQVTaskCollection* list = target->WatcherTaskList();
    if (!list)
        return;

    std::vector<std::wstring> files = TaskFileNames(folder);
    std::set<std::wstring> listed;
    for (const std::wstring& name : files)
        listed.insert(Lower(name));

    // Tasks whose file has gone. The task that moves into a freed index is
    // examined next.
    long count = 0;
    list->get_Count(&count);
    for (long index = 0; index < count && !Stopping();) {
        ComPtr<IQVTask> task;
        if (FAILED(list->Item(index, task.Receive())) || !task) {
            ++index;
            continue;
        }
        const std::wstring description = DescriptionOf(task.Get());
        // A file written after the folder was read counts too.
        if (listed.count(Lower(description)) != 0 || FileExists(folder + description + kTaskExtension)) {
            ++index;
            continue;
        }
        AroundChange(*target, [&] {
            // Found again by identity: the list may have changed meanwhile.
            long now_count = 0;
            list->get_Count(&now_count);
            for (long i = 0; i < now_count; ++i) {
                ComPtr<IQVTask> listed_task;
                if (SUCCEEDED(list->Item(i, listed_task.Receive())) &&
                    tvx::com::SameObject(listed_task.Get(), task.Get())) {
                    list->Remove(i);
                    break;
                }
            }
        });
        list->get_Count(&count);
    }

    // Files without a task.
    std::set<std::wstring> tasks;
    list->get_Count(&count);
    for (long index = 0; index < count; ++index) {
        ComPtr<IQVTask> task;
        if (SUCCEEDED(list->Item(index, task.Receive())) && task)
            tasks.insert(Lower(DescriptionOf(task.Get())));
    }
    for (const std::wstring& name : files) {
        if (Stopping())
            return;
        if (!tasks.insert(Lower(name)).second)
            continue;
        AroundChange(*target, [&] { target->WatcherAddTask(name); });
    }
}

TaskFolderWatcher::TaskFolderWatcher(std::shared_ptr<State> state) : state_(std::move(state)) {}

std::unique_ptr<TaskFolderWatcher> TaskFolderWatcher::Start(WatcherHost& host, const std::wstring& folder)
{
    auto state = std::make_shared<State>();
    state->folder = folder;
    state->host = &host;
    state->stop.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    state->stopped.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!state->stop || !state->stopped)
        return nullptr;
    std::unique_ptr<TaskFolderWatcher> watcher(new TaskFolderWatcher(state));
    // The thread owns a share of the state: it may outlive this object.
    auto* share = new std::shared_ptr<State>(state);
    watcher->thread_.Reset(CreateThread(nullptr, 0, &TaskFolderWatcher::Run, share, 0, &watcher->thread_id_));
    if (!watcher->thread_) {
        delete share;
        return nullptr;
    }
    return watcher;
}

TaskFolderWatcher::~TaskFolderWatcher()
{
    Stop(0);
}

bool TaskFolderWatcher::Stop(DWORD wait_ms)
{
    SetEvent(state_->stop.Get());
    bool answered = true;
    // From its own thread (its round let go of the last reference) the
    // watcher can't wait for itself; it ends once that round returns.
    if (GetCurrentThreadId() != thread_id_)
        answered = WaitForSingleObject(state_->stopped.Get(), wait_ms) == WAIT_OBJECT_0;
    ScopedLock close(state_->gate);
    state_->host = nullptr;
    return answered;
}

DWORD WINAPI TaskFolderWatcher::Run(void* param)
{
    std::unique_ptr<std::shared_ptr<State>> share(static_cast<std::shared_ptr<State>*>(param));
    State& state = **share;
    {
        tvx::com::CoInit com(COINIT_MULTITHREADED);
        CreateDirectoryW(state.folder.c_str(), nullptr);
        ChangeNotification change(state.folder);
        if (change.Valid()) {
            // The tasks were loaded before the watch began: what changed in
            // between would otherwise wait for some later change.
            state.Round();
            const HANDLE waits[] = {change.Get(), state.stop.Get()};
            while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
                if (WaitForSingleObject(state.stop.Get(), kSettleMs) != WAIT_TIMEOUT)
                    break;
                // The watch is renewed before the folder is read: a change
                // made while the round runs signals again and gets a round
                // of its own, instead of depending on the system to keep it
                // until the watch is renewed.
                if (!change.Next())
                    break;
                state.Round();
            }
        }
    }
    // Also when the folder could not be watched: nobody waits in vain.
    SetEvent(state.stopped.Get());
    return 0;
}
