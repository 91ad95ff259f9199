// tvx_soak_client.exe: one of the clients of the engine's soak test. For
// the time given it adds, enables and disables, runs and deletes tasks whose
// names begin with its own prefix, through the engine it reaches by COM
// activation and through task files it writes and deletes itself, as the
// administrator program does. Placed beside the engine copy, its task files
// land in the engine's "tasks" folder.
//
//     tvx_soak_client.exe <prefix> <seconds> <seed>
//
// Every call has to succeed; the first one that does not ends the client
// with exit code 1 and a "failed:" line. At the end it checks that each of
// its tasks is in the engine's list and has its file, prints one "owns" line
// per task and a closing "done" line, and exits with 0.
//
// The task list is addressed by index (FindTaskIndex, Item, RunTask,
// Remove), and an addition or a removal (the list is kept sorted) moves the
// indexes of other tasks. So the clients agree, through a named mutex, that
// whoever changes the list or uses an index holds it until the list and the
// folder agree again: a task is written and added, or removed and its file
// deleted, or its file deleted and the engine's watcher seen to drop it, as
// one step. Enabling and disabling go by name, but change the task's place
// in the sorted list, so they take the mutex too.
#include <windows.h>

#include <cstdio>
#include <cwctype>
#include <random>
#include <string>
#include <vector>

#include "platform/com/com.h"
#include "qvxcmd.h"
#include "qvxtask.h"
#include "tarvex.h"

namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::Handle;

constexpr wchar_t kListMutexName[] = L"TarvexSoakTaskListLock";
constexpr DWORD kListMutexWaitMs = 60000;
// The watcher settles one second after a change; it may be busy with the
// changes of other clients before it comes to this one.
constexpr DWORD kWatcherDropMs = 30000;
constexpr std::size_t kMostTasks = 8;

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::wstring Upper(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return Lower(a) == Lower(b);
}

std::wstring ProgramFolder()
{
    std::wstring path = tvx::com::ModuleFileName(nullptr);
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ErrorText()
{
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Receive()) != S_OK || !info)
        return std::wstring();
    Bstr description;
    info->GetDescription(description.Receive());
    return description.ToString();
}

// Holds the clients' list mutex for a scope. An owner that died with it
// leaves it abandoned; the next waiter owns it all the same.
class ListLock {
public:
    ListLock(HANDLE mutex, DWORD wait_ms) : mutex_(mutex)
    {
        const DWORD got = WaitForSingleObject(mutex_, wait_ms);
        held_ = got == WAIT_OBJECT_0 || got == WAIT_ABANDONED;
    }
    ~ListLock()
    {
        if (held_)
            ReleaseMutex(mutex_);
    }
    ListLock(const ListLock&) = delete;
    ListLock& operator=(const ListLock&) = delete;
    bool Held() const { return held_; }

private:
    HANDLE mutex_;
    bool held_ = false;
};

struct OwnedTask {
    std::wstring name;  // the description the engine holds
    long enabled = 1;
};

class SoakClient {
public:
    SoakClient(std::wstring prefix, unsigned seed) : prefix_(std::move(prefix)), random_(seed) {}

    // 0 when everything went as it should, 1 on the first failure, 2 when
    // the client could not begin.
    int Run(DWORD seconds);

private:
    bool Connect();
    bool AddOne();
    bool ToggleOne();
    bool RunOne();
    bool RemoveOne();
    bool DropOne();
    bool CheckOwned();

    bool WriteTaskFile(const std::wstring& name, bool scheduled);
    // The task's index in the engine's list after checking that the task at
    // that index is the one of this name; -1 when it is not in the list.
    bool IndexOf(const std::wstring& name, short* index);
    bool WaitUntilGone(const std::wstring& name, DWORD limit_ms);
    bool StoredEnabled(const std::wstring& name, long* enabled);
    std::wstring TaskFilePath(const std::wstring& name) const;

    bool Failed(const char* what, const std::wstring& name, HRESULT hr = S_OK);
    std::size_t Pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }

    std::wstring prefix_;
    std::mt19937 random_;
    Handle list_mutex_;
    ComPtr<IQVScheduler> scheduler_;
    ComPtr<IQVTaskCollection> tasks_;
    std::vector<OwnedTask> owned_;
    unsigned next_number_ = 1;
    unsigned adds_ = 0, toggles_ = 0, runs_ = 0, removes_ = 0, drops_ = 0;
};

bool SoakClient::Failed(const char* what, const std::wstring& name, HRESULT hr)
{
    const std::wstring error = ErrorText();
    std::printf("soak_client %ls: failed: %s \"%ls\" (0x%08lX) %ls\n", prefix_.c_str(), what, name.c_str(),
                static_cast<unsigned long>(hr), error.c_str());
    std::fflush(stdout);
    return false;
}

std::wstring SoakClient::TaskFilePath(const std::wstring& name) const
{
    return ProgramFolder() + L"tasks\\" + name + L".tsk";
}

bool SoakClient::Connect()
{
    list_mutex_.Reset(CreateMutexW(nullptr, FALSE, kListMutexName));
    if (!list_mutex_)
        return Failed("creating the list mutex", kListMutexName, HRESULT_FROM_WIN32(GetLastError()));
    HRESULT hr = scheduler_.CreateInstance(CLSID_QVScheduler, CLSCTX_LOCAL_SERVER);
    if (FAILED(hr))
        return Failed("activating", L"Tarvex.QVScheduler", hr);
    hr = scheduler_.As(tasks_);
    if (FAILED(hr))
        return Failed("asking for the task list", L"IQVTaskCollection", hr);
    return true;
}

bool SoakClient::WriteTaskFile(const std::wstring& name, bool scheduled)
{
    ComPtr<IQVTask> task;
    HRESULT hr = task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER);
    if (FAILED(hr))
        return Failed("creating a QVTask for", name, hr);
    task->put_Description(Bstr(name).Get());
    task->put_Enabled(1);
    task->put_RunAsSystem(1);
    task->put_TriggerType(scheduled ? 1 : 0);
    if (scheduled) {
        // Every minute, all day long: each such task is due at every minute
        // the soak lasts into.
        ComPtr<IQVSchedTrigger> schedule;
        if (FAILED(hr = task.As(schedule)))
            return Failed("asking for the schedule of", name, hr);
        schedule->put_Frequency(1);
        schedule->put_Multiplier(1);
        schedule->put_IsAdvOptions(1);
        schedule->put_IntervalType(0);
        schedule->put_IntervalAmount(1);
        schedule->put_IsIntervalRange(0);
        schedule->put_ScheduledIndefinately(1);
        if (FAILED(hr = task->ReSchedule()))
            return Failed("scheduling", name, hr);
    }
    ComPtr<IQVCmdCollection> commands;
    if (FAILED(hr = task.As(commands)))
        return Failed("asking for the commands of", name, hr);
    ComPtr<IQVCommand> line;
    if (FAILED(hr = line.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER)))
        return Failed("creating a QVCommand for", name, hr);
    const std::wstring text = L"LogToFile(soak-" + prefix_ + L".log," + name + L" ran)";
    line->put_FullCommand(Bstr(text).Get());
    if (FAILED(hr = commands->Add(line.Get())))
        return Failed("adding the command of", name, hr);
    if (FAILED(hr = task->WriteToStorage(0)))
        return Failed("writing the task file of", name, hr);
    if (!FileExists(TaskFilePath(name)))
        return Failed("finding the file just written of", name);
    return true;
}

bool SoakClient::IndexOf(const std::wstring& name, short* index)
{
    *index = -1;
    HRESULT hr = tasks_->FindTaskIndex(Bstr(name).Get(), index);
    if (FAILED(hr))
        return Failed("FindTaskIndex", name, hr);
    if (*index < 0)
        return true;
    ComPtr<IQVTask> task;
    if (FAILED(hr = tasks_->Item(*index, task.Receive())) || !task)
        return Failed("Item at the index found for", name, hr);
    Bstr description;
    task->get_Description(description.Receive());
    if (!SameName(description.ToString(), name)) {
        std::printf("soak_client %ls: index %d holds \"%ls\"\n", prefix_.c_str(), *index, description.c_str());
        return Failed("finding at its index (the list moved under the lock)", name);
    }
    return true;
}

bool SoakClient::WaitUntilGone(const std::wstring& name, DWORD limit_ms)
{
    // A watcher round that read the folder before the file went may be
    // loading the task again right now, and would list it after this client
    // let go of the lock. An addition of the same name waits for that one to
    // end; with the file gone it adds nothing itself.
    scheduler_->AddTask(Bstr(name).Get());
    const DWORD start = GetTickCount();
    for (;;) {
        short index = -1;
        const HRESULT hr = tasks_->FindTaskIndex(Bstr(name).Get(), &index);
        if (FAILED(hr))
            return Failed("FindTaskIndex", name, hr);
        if (index < 0)
            return true;
        if (GetTickCount() - start >= limit_ms)
            return Failed("seeing the task leave the engine's list after its file went", name);
        Sleep(100);
    }
}

bool SoakClient::StoredEnabled(const std::wstring& name, long* enabled)
{
    ComPtr<IQVTask> task;
    HRESULT hr = task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER);
    if (FAILED(hr))
        return Failed("creating a QVTask for", name, hr);
    task->put_Description(Bstr(name).Get());
    if (FAILED(hr = task->ReadFromStorage(0)))
        return Failed("reading the task file of", name, hr);
    return SUCCEEDED(task->get_Enabled(enabled)) || Failed("reading Enabled of", name);
}

bool SoakClient::AddOne()
{
    wchar_t number[16];
    swprintf(number, 16, L"%u", next_number_++);
    const std::wstring name = prefix_ + L"-Task" + number;
    const bool scheduled = Pick(2) == 0;
    // The engine and the folder know no letter case: any spelling of the
    // name is the same task.
    const std::wstring spellings[] = {name, Lower(name), Upper(name)};
    const std::wstring spelling = spellings[Pick(3)];

    ListLock lock(list_mutex_.Get(), kListMutexWaitMs);
    if (!lock.Held())
        return Failed("taking the list mutex to add", name);
    if (!WriteTaskFile(name, scheduled))
        return false;
    HRESULT hr = scheduler_->AddTask(Bstr(spelling).Get());
    if (FAILED(hr))
        return Failed("AddTask", spelling, hr);
    if (Pick(3) == 0) {
        // A second addition under another spelling finds the task there.
        const std::wstring again = spellings[Pick(3)];
        if (FAILED(hr = scheduler_->AddTask(Bstr(again).Get())))
            return Failed("AddTask a second time", again, hr);
    }
    short index = -1;
    if (!IndexOf(name, &index))
        return false;
    if (index < 0)
        return Failed("finding the task just added", name);
    ComPtr<IQVTask> task;
    if (FAILED(hr = tasks_->Item(index, task.Receive())))
        return Failed("Item of the task just added", name, hr);
    Bstr held;
    task->get_Description(held.Receive());
    owned_.push_back({held.ToString(), 1});
    ++adds_;
    return true;
}

bool SoakClient::ToggleOne()
{
    OwnedTask& task = owned_[Pick(owned_.size())];
    const long state = task.enabled ? 0 : 1;
    // A change of a task can move it in the sorted list when the list next
    // sorts itself, so enabling takes the lock as well.
    ListLock lock(list_mutex_.Get(), kListMutexWaitMs);
    if (!lock.Held())
        return Failed("taking the list mutex to toggle", task.name);
    const HRESULT hr = scheduler_->EnableTask(Bstr(task.name).Get(), state);
    if (FAILED(hr))
        return Failed(state ? "EnableTask(1)" : "EnableTask(0)", task.name, hr);
    task.enabled = state;
    long stored = -1;
    if (!StoredEnabled(task.name, &stored))
        return false;
    if (stored != state) {
        std::printf("soak_client %ls: the file holds Enabled %ld\n", prefix_.c_str(), stored);
        return Failed("finding the state just set in the task file", task.name);
    }
    ++toggles_;
    return true;
}

bool SoakClient::RunOne()
{
    const OwnedTask& task = owned_[Pick(owned_.size())];
    ListLock lock(list_mutex_.Get(), kListMutexWaitMs);
    if (!lock.Held())
        return Failed("taking the list mutex to run", task.name);
    short index = -1;
    if (!IndexOf(task.name, &index))
        return false;
    if (index < 0)
        return Failed("finding the task to run", task.name);
    const HRESULT hr = scheduler_->RunTask(index);
    if (FAILED(hr))
        return Failed("RunTask", task.name, hr);
    ++runs_;
    return true;
}

bool SoakClient::RemoveOne()
{
    const std::size_t which = Pick(owned_.size());
    const std::wstring name = owned_[which].name;
    ListLock lock(list_mutex_.Get(), kListMutexWaitMs);
    if (!lock.Held())
        return Failed("taking the list mutex to remove", name);
    // Out of the list first, then the file: the watcher never sees this task
    // listed without its file, so nobody else removes an index meanwhile.
    short index = -1;
    if (!IndexOf(name, &index))
        return false;
    if (index < 0)
        return Failed("finding the task to remove", name);
    HRESULT hr = tasks_->Remove(index);
    if (FAILED(hr))
        return Failed("Remove", name, hr);
    ComPtr<IQVTask> task;
    if (FAILED(hr = task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER)))
        return Failed("creating a QVTask for", name, hr);
    task->put_Description(Bstr(name).Get());
    if (FAILED(hr = task->DeleteFromStorage(0)))
        return Failed("DeleteFromStorage", name, hr);
    if (FileExists(TaskFilePath(name)))
        return Failed("finding the file gone after DeleteFromStorage", name);
    // A watcher round that read the folder before the file went may have
    // loaded the task again; it drops it at its next round.
    if (!WaitUntilGone(name, kWatcherDropMs))
        return false;
    owned_.erase(owned_.begin() + static_cast<std::ptrdiff_t>(which));
    ++removes_;
    return true;
}

bool SoakClient::DropOne()
{
    const std::size_t which = Pick(owned_.size());
    const std::wstring name = owned_[which].name;
    ListLock lock(list_mutex_.Get(), kListMutexWaitMs);
    if (!lock.Held())
        return Failed("taking the list mutex to drop", name);
    if (!DeleteFileW(TaskFilePath(name).c_str()))
        return Failed("deleting the task file of", name, HRESULT_FROM_WIN32(GetLastError()));
    if (!WaitUntilGone(name, kWatcherDropMs))
        return false;
    owned_.erase(owned_.begin() + static_cast<std::ptrdiff_t>(which));
    ++drops_;
    return true;
}

bool SoakClient::CheckOwned()
{
    // Other clients may still be changing the list: its indexes hold only
    // under the lock.
    ListLock lock(list_mutex_.Get(), kListMutexWaitMs);
    if (!lock.Held())
        return Failed("taking the list mutex to check its tasks", prefix_);
    for (const OwnedTask& task : owned_) {
        short index = -1;
        if (!IndexOf(task.name, &index))
            return false;
        if (index < 0)
            return Failed("finding its task at the end", task.name);
        if (!FileExists(TaskFilePath(task.name)))
            return Failed("finding the file of its task at the end", task.name);
        long stored = -1;
        if (!StoredEnabled(task.name, &stored))
            return false;
        if (stored != task.enabled)
            return Failed("finding the state it set last in the task file at the end", task.name);
    }
    return true;
}

int SoakClient::Run(DWORD seconds)
{
    if (!Connect())
        return 2;
    const DWORD start = GetTickCount();
    bool ok = true;
    while (ok && GetTickCount() - start < seconds * 1000) {
        const std::size_t roll = Pick(100);
        if (owned_.empty() || (roll < 25 && owned_.size() < kMostTasks))
            ok = AddOne();
        else if (roll < 60)
            ok = ToggleOne();
        else if (roll < 78)
            ok = RunOne();
        else if (roll < 92)
            ok = RemoveOne();
        else
            ok = DropOne();
        Sleep(static_cast<DWORD>(10 + Pick(60)));
    }
    // The dice may never have chosen a run on a slow machine; the soak
    // checks that every client's runs wrote their lines, so each makes one.
    if (ok && runs_ == 0) {
        if (owned_.empty())
            ok = AddOne();
        ok = ok && RunOne();
    }
    ok = ok && CheckOwned();
    for (const OwnedTask& task : owned_)
        std::printf("soak_client %ls: owns %ls\n", prefix_.c_str(), task.name.c_str());
    std::printf("soak_client %ls: %s adds=%u toggles=%u runs=%u removes=%u drops=%u\n", prefix_.c_str(),
                ok ? "done" : "stopped", adds_, toggles_, runs_, removes_, drops_);
    std::fflush(stdout);
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: tvx_soak_client <prefix> <seconds> <seed>\n");
        return 2;
    }
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    if (!com.Succeeded()) {
        std::printf("soak_client: failed: CoInitializeEx (0x%08lX)\n", static_cast<unsigned long>(com.Result()));
        return 2;
    }
    SoakClient client(argv[1], static_cast<unsigned>(wcstoul(argv[3], nullptr, 10)));
    return client.Run(static_cast<DWORD>(wcstoul(argv[2], nullptr, 10)));
}
