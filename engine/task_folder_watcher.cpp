#include "engine/task_folder_watcher.h"

#include <cwctype>
#include <map>
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

// What tells one version of a file from another without reading it.
struct FileStamp {
    FILETIME created = {};
    FILETIME written = {};
    ULONGLONG size = 0;

    bool operator==(const FileStamp& other) const
    {
        return CompareFileTime(&created, &other.created) == 0 && CompareFileTime(&written, &other.written) == 0 &&
               size == other.size;
    }
};

struct TaskFile {
    std::wstring name;  // without ".tsk"
    FileStamp stamp;
};

// The task files, in the order of the directory search. The search pattern
// also finds longer extensions that begin with "tsk" (the short-name rule);
// those are no task files.
std::vector<TaskFile> TaskFiles(const std::wstring& folder)
{
    std::vector<TaskFile> files;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW((folder + L"*.tsk").c_str(), &found));
    if (!search.Valid())
        return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const std::wstring name = found.cFileName;
        if (name.size() <= kTaskExtensionLength ||
            _wcsicmp(name.c_str() + name.size() - kTaskExtensionLength, kTaskExtension) != 0)
            continue;
        TaskFile file;
        file.name = name.substr(0, name.size() - kTaskExtensionLength);
        file.stamp.created = found.ftCreationTime;
        file.stamp.written = found.ftLastWriteTime;
        file.stamp.size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        files.push_back(std::move(file));
    } while (FindNextFileW(search.Get(), &found));
    return files;
}

// False while another program holds the file open against readers: a read
// that failed then says nothing about what the file holds.
bool CanBeOpened(const std::wstring& path)
{
    const tvx::com::Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
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

// The scheduler stopped for one change of the list, and started again after
// it however the change ends.
class ListChange {
public:
    explicit ListChange(WatcherHost& host) : host_(host) { host_.WatcherPauseScheduler(); }
    ~ListChange() { host_.WatcherResumeScheduler(); }
    ListChange(const ListChange&) = delete;
    ListChange& operator=(const ListChange&) = delete;

private:
    WatcherHost& host_;
};

// The identity of a COM object, for comparing references.
IUnknown* IdentityOf(IUnknown* object, ComPtr<IUnknown>& keep)
{
    if (FAILED(object->QueryInterface(IID_IUnknown, keep.ReceiveVoid())))
        return nullptr;
    return keep.Get();
}

}  // namespace

struct TaskFolderWatcher::State {
    std::wstring folder;
    tvx::com::Handle stop;     // manual reset
    tvx::com::Handle stopped;  // manual reset
    // The gate: the host, until the object that is the host goes.
    tvx::com::CriticalSection gate;
    WatcherHost* host = nullptr;
    // Files found not to hold a task (lower-case name), as they were then.
    // Only the watcher's thread uses them.
    std::map<std::wstring, FileStamp> unreadable;

    bool Stopping() const { return WaitForSingleObject(stop.Get(), 0) != WAIT_TIMEOUT; }
    void Round();
    // The new task of a file, or null; remembers a file that holds none.
    ComPtr<IQVTask> ReadNewTask(WatcherHost& target, const TaskFile& file);
    static void RemoveTasks(IQVTaskCollection* list, const std::vector<ComPtr<IQVTask>>& gone,
                            const std::wstring& folder);
};

ComPtr<IQVTask> TaskFolderWatcher::State::ReadNewTask(WatcherHost& target, const TaskFile& file)
{
    const std::wstring key = Lower(file.name);
    const auto known = unreadable.find(key);
    if (known != unreadable.end() && known->second == file.stamp)
        return nullptr;
    ComPtr<IQVTask> task = target.WatcherReadTask(file.name);
    if (task || !CanBeOpened(folder + file.name + kTaskExtension))
        unreadable.erase(key);
    else
        unreadable[key] = file.stamp;
    return task;
}

void TaskFolderWatcher::State::RemoveTasks(IQVTaskCollection* list, const std::vector<ComPtr<IQVTask>>& gone,
                                           const std::wstring& folder)
{
    if (gone.empty())
        return;
    // Found again by identity, in one sweep from the end: the list may have
    // changed since, and indexes behind a removal stay as they were.
    std::vector<ComPtr<IUnknown>> kept(gone.size());
    std::set<IUnknown*> identities;
    for (std::size_t i = 0; i < gone.size(); ++i) {
        if (IUnknown* identity = IdentityOf(gone[i].Get(), kept[i]))
            identities.insert(identity);
    }
    long count = 0;
    list->get_Count(&count);
    for (long index = count - 1; index >= 0; --index) {
        ComPtr<IQVTask> task;
        ComPtr<IUnknown> identity;
        if (FAILED(list->Item(index, task.Receive())) || !task || !IdentityOf(task.Get(), identity) ||
            identities.count(identity.Get()) == 0)
            continue;
        // Written again while the round read the new files: it stays.
        if (FileExists(folder + DescriptionOf(task.Get()) + kTaskExtension))
            continue;
        list->Remove(index);
    }
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

    const std::vector<TaskFile> files = TaskFiles(folder);
    std::set<std::wstring> on_disk;
    for (const TaskFile& file : files)
        on_disk.insert(Lower(file.name));
    for (auto known = unreadable.begin(); known != unreadable.end();) {
        if (on_disk.count(known->first) == 0)
            known = unreadable.erase(known);
        else
            ++known;
    }

    // Tasks whose file has gone.
    std::vector<ComPtr<IQVTask>> gone;
    std::set<std::wstring> listed;
    long count = 0;
    list->get_Count(&count);
    for (long index = 0; index < count; ++index) {
        ComPtr<IQVTask> task;
        if (FAILED(list->Item(index, task.Receive())) || !task)
            continue;
        const std::wstring description = DescriptionOf(task.Get());
        // A file written after the folder was read counts too.
        if (on_disk.count(Lower(description)) != 0 || FileExists(folder + description + kTaskExtension))
            listed.insert(Lower(description));
        else
            gone.push_back(task);
    }

    // Files without a task, read while the scheduler goes on.
    std::vector<std::pair<std::wstring, ComPtr<IQVTask>>> added;
    for (const TaskFile& file : files) {
        if (Stopping())
            return;
        if (!listed.insert(Lower(file.name)).second)
            continue;
        ComPtr<IQVTask> task = ReadNewTask(*target, file);
        if (task)
            added.emplace_back(file.name, std::move(task));
    }
    if (gone.empty() && added.empty())
        return;

    const ListChange change(*target);
    RemoveTasks(list, gone, folder);
    for (const auto& task : added)
        target->WatcherListTask(task.first, task.second.Get());
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
