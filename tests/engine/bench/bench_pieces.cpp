#include "bench_pieces.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "interfaces/shared_snapshots.h"
#include "platform/com/com.h"
#include "platform/framework/string.h"
#include "qvxcmd.h"
#include "qvxstorg.h"
#include "qvxtask.h"
#include "storage/sched_item.h"
#include "storage/storage_folder.h"
#include "storage/storage_log.h"
#include "storage/task_file_lock.h"
#include "storage/task_parts.h"

namespace benchpieces {
namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;

double NowUs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

// At most `limit` task names, taken evenly over the whole folder so that
// every kind of task is among them.
std::vector<std::wstring> TaskNames(const std::wstring& folder, int limit)
{
    std::vector<std::wstring> all;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"tasks\\*.tsk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return all;
    do {
        std::wstring name = found.cFileName;
        all.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    if (limit <= 0 || all.size() <= static_cast<size_t>(limit))
        return all;
    std::vector<std::wstring> names;
    const double step = static_cast<double>(all.size()) / limit;
    for (int i = 0; i < limit; ++i)
        names.push_back(all[static_cast<size_t>(i * step)]);
    return names;
}

// One window of the list, the way the shared window list takes it.
BOOL CALLBACK CountWindowWithTitle(HWND window, LPARAM count)
{
    char title[512];
    if (GetWindowTextLengthA(window) > 0)
        GetWindowTextA(window, title, sizeof title);
    IsWindowVisible(window);
    GetWindow(window, GW_OWNER);
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

CString AnsiOf(const std::wstring& text)
{
    return CString(text.c_str());
}

// Runs `piece` once per item and prints the microseconds per item.
void Time(const char* name, size_t count, const std::function<void(size_t)>& piece)
{
    const double started = NowUs();
    for (size_t i = 0; i < count; ++i)
        piece(i);
    std::printf("  %-58s %10.1f us\n", name, count ? (NowUs() - started) / count : 0.0);
}

std::vector<ComPtr<IQVTask>> ReadTasks(const std::vector<std::wstring>& names)
{
    std::vector<ComPtr<IQVTask>> tasks;
    for (const std::wstring& name : names) {
        ComPtr<IQVTask> task;
        if (FAILED(task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER)))
            continue;
        task->put_Description(Bstr(name.c_str()).Get());
        if (SUCCEEDED(task->ReadFromStorage(0)))
            tasks.push_back(task);
    }
    return tasks;
}

}  // namespace

void PrintStartupPieces(const std::wstring& folder, int limit)
{
    const std::vector<std::wstring> names = TaskNames(folder, limit);
    const size_t n = names.size();
    std::printf("start-up pieces over %zu task files, per task:\n", n);
    ComPtr<IClassFactory> task_class;
    if (FAILED(CoGetClassObject(CLSID_QVTask, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                task_class.ReceiveVoid())))
        return;
    std::vector<ComPtr<IQVTask>> tasks(n);
    Time("QVTask from its class object (three parts aggregated)", n, [&](size_t i) {
        task_class->CreateInstance(nullptr, IID_IQVTask, tasks[i].ReceiveVoid());
    });
    Time("ReadFromStorage(0)", n, [&](size_t i) {
        tasks[i]->put_Description(Bstr(names[i].c_str()).Get());
        tasks[i]->ReadFromStorage(0);
    });
    struct Made {
        const char* name;
        const CLSID* clsid;
    };
    for (const Made& m : {Made{"QVSchedTrigger", &CLSID_QVSchedTrigger}, Made{"QVCondTrigger", &CLSID_QVCondTrigger},
                          Made{"QVCmdCollection", &CLSID_QVCmdCollection}, Made{"QVCommand", &CLSID_QVCommand},
                          Made{"QVTaskStorage", &CLSID_QVTaskStorage}}) {
        char label[96];
        std::snprintf(label, sizeof label, "CoGetClassObject %s", m.name);
        Time(label, n, [&](size_t) {
            ComPtr<IClassFactory> factory;
            CoGetClassObject(*m.clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.ReceiveVoid());
        });
        ComPtr<IClassFactory> factory;
        CoGetClassObject(*m.clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.ReceiveVoid());
        std::vector<ComPtr<IUnknown>> made(n);
        std::snprintf(label, sizeof label, "%s from a kept class object", m.name);
        Time(label, n, [&](size_t i) { factory->CreateInstance(nullptr, IID_IUnknown, made[i].ReceiveVoid()); });
    }
    {
        std::vector<ComPtr<IUnknown>> made(n);
        Time("CoCreateInstance QVSchedTrigger", n, [&](size_t i) {
            made[i].CreateInstance(CLSID_QVSchedTrigger, CLSCTX_INPROC_SERVER);
        });
    }
    {
        std::vector<ComPtr<IUnknown>> made(n);
        Time("CoCreateInstance QVCondTrigger", n, [&](size_t i) {
            made[i].CreateInstance(CLSID_QVCondTrigger, CLSCTX_INPROC_SERVER);
        });
    }
    {
        std::vector<ComPtr<IUnknown>> made(n);
        Time("CoCreateInstance QVCmdCollection", n, [&](size_t i) {
            made[i].CreateInstance(CLSID_QVCmdCollection, CLSCTX_INPROC_SERVER);
        });
    }
    {
        std::vector<ComPtr<IUnknown>> made(n);
        Time("CoCreateInstance QVCommand", n, [&](size_t i) {
            made[i].CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER);
        });
    }
    {
        std::vector<ComPtr<IUnknown>> made(n);
        Time("CoCreateInstance QVTaskStorage", n, [&](size_t i) {
            made[i].CreateInstance(CLSID_QVTaskStorage, CLSCTX_INPROC_SERVER);
        });
    }
    {
        ComPtr<IQVCommand> command;
        command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER);
        const Bstr line(L"RunProgram(C:\\Tools\\report.exe,,Hidden,1)");
        Time("IQVCommand::FullCommand put (a line parsed)", n,
             [&](size_t) { command->put_FullCommand(line.Get()); });
    }
    Time("a task file opened and read", n, [&](size_t i) {
        const std::wstring path = folder + L"tasks\\" + names[i] + L".tsk";
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return;
        char buffer[4096];
        DWORD got = 0;
        ReadFile(file, buffer, sizeof buffer, &got, nullptr);
        CloseHandle(file);
    });
    Time("a task file opened and closed, nothing read", n, [&](size_t i) {
        const std::wstring path = folder + L"tasks\\" + names[i] + L".tsk";
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    });
    // The storage's own steps of a read, without the COM calls around them.
    const CStorageFolder storageFolder(AnsiOf(folder));
    Time("storage: task file lock taken and let go (named mutex)", n,
         [&](size_t) { CTaskFileLock lock(storageFolder); });
    Time("storage: task file loaded into its record", n, [&](size_t i) {
        CSchedItem item;
        CStorageLog log;
        ULONGLONG version = 0;
        item.LoadFromFile(storageFolder, AnsiOf(names[i]), log, &version);
    });
    {
        std::vector<CSchedItem> items(n);
        for (size_t i = 0; i < n; ++i) {
            CStorageLog log;
            items[i].LoadFromFile(storageFolder, AnsiOf(names[i]), log);
        }
        std::vector<ComPtr<IQVTask>> fresh(n);
        for (size_t i = 0; i < n; ++i)
            task_class->CreateInstance(nullptr, IID_IQVTask, fresh[i].ReceiveVoid());
        Time("storage: record copied into a new task, commands made", n, [&](size_t i) {
            CTaskParts parts;
            if (fresh[i] && SUCCEEDED(parts.Attach(fresh[i].Get())))
                parts.CopyFrom(items[i]);
        });
    }
    {
        // A nested lock of the same thread, as the folder loader holds one
        // around its reads.
        CTaskFileLock outer(storageFolder);
        Time("storage: task file lock inside one the thread holds", n,
             [&](size_t) { CTaskFileLock lock(storageFolder); });
    }
    Time("Wine alone: OutputDebugStringA of one line", n,
         [&](size_t) { OutputDebugStringA("Somebody called\n"); });
    Time("Wine alone: named mutex made, waited for, released, closed", n, [&](size_t) {
        HANDLE mutex = CreateMutexA(nullptr, FALSE, "TarvexBenchMutex");
        if (mutex == nullptr)
            return;
        WaitForSingleObject(mutex, INFINITE);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    });
    ComPtr<IQVTaskCollection> collection;
    if (FAILED(collection.CreateInstance(CLSID_QVTaskCollection, CLSCTX_INPROC_SERVER)))
        return;
    Time("IQVTaskCollection::Add (the list growing to all of them)", n,
         [&](size_t i) { collection->Add(tasks[i].Get()); });
}

void PrintPassPieces(const std::wstring& folder, int limit)
{
    const size_t all = TaskNames(folder, 0).size();
    const std::vector<std::wstring> names = TaskNames(folder, limit);
    std::vector<ComPtr<IQVTask>> tasks = ReadTasks(names);
    if (tasks.empty())
        return;
    // The sample is spread evenly over the folder: each piece's share of a
    // pass over all of it is its time scaled by this.
    const double scale = static_cast<double>(all) / static_cast<double>(tasks.size());
    std::printf("pass pieces over %zu of %zu tasks: per task of the kind, and the estimated share of one pass "
                "over all of them:\n",
                tasks.size(), all);
    SYSTEMTIME local;
    GetLocalTime(&local);
    DATE now = 0;
    SystemTimeToVariantTime(&local, &now);
    const auto timed = [&](const char* name, size_t count, const std::function<void(size_t)>& piece) {
        const double started = NowUs();
        for (size_t i = 0; i < count; ++i)
            piece(i);
        const double took = NowUs() - started;
        std::printf("  %-58s %10.1f us %8.2f ms in a pass\n", name, count ? took / count : 0.0,
                    took * scale / 1000);
    };
    std::vector<IQVTask*> enabled;
    for (const ComPtr<IQVTask>& task : tasks) {
        long on = 0;
        task->get_IsEnabled(&on);
        if (on == 1)
            enabled.push_back(task.Get());
    }
    timed("Wine alone: Sleep(0), the yield before each task", tasks.size(), [&](size_t) { Sleep(0); });
    timed("Wine alone: SwitchToThread()", tasks.size(), [&](size_t) { SwitchToThread(); });
    ComPtr<IQVTaskCollection> list;
    if (FAILED(list.CreateInstance(CLSID_QVTaskCollection, CLSCTX_INPROC_SERVER)))
        return;
    for (const ComPtr<IQVTask>& task : tasks)
        list->Add(task.Get());
    timed("Item, IsRunning, IsEnabled (every task)", tasks.size(), [&](size_t i) {
        ComPtr<IQVTask> task;
        list->Item(static_cast<long>(i), task.Receive());
        long value = 0;
        task->get_IsRunning(&value);
        task->get_IsEnabled(&value);
    });
    timed("RunAsSystem, AcctName, UserName, Password (enabled tasks)", enabled.size(), [&](size_t i) {
        long value = 0;
        enabled[i]->get_RunAsSystem(&value);
        Bstr text;
        enabled[i]->get_AcctName(text.Receive());
        Bstr user;
        enabled[i]->get_UserName(user.Receive());
        Bstr password;
        enabled[i]->get_Password(password.Receive());
    });
    ComPtr<IQVSharedSnapshots> shared;
    shared.QueryFrom(list.Get());
    if (shared)
        shared->BeginSharedSnapshots();
    for (short trigger = 1; trigger <= 5; ++trigger) {
        std::vector<IQVTask*> kind;
        for (IQVTask* task : enabled) {
            short t = 0;
            task->get_TriggerType(&t);
            if (t == trigger)
                kind.push_back(task);
        }
        if (kind.empty())
            continue;
        if (trigger == 1) {
            timed("scheduled: holidays and work days given", kind.size(), [&](size_t i) {
                kind[i]->ClearHolidays();
                for (short d = 0; d < 7; ++d)
                    kind[i]->PutWorkDay(d, d < 5 ? 1 : 0);
            });
            timed("scheduled: IntervalOffSet, RefDateTime, DoSchedule", kind.size(), [&](size_t i) {
                long due = 0;
                kind[i]->put_IntervalOffSet(10);
                kind[i]->put_RefDateTime(now);
                kind[i]->DoSchedule(&due);
            });
            continue;
        }
        // Within a pass the process and window tests share one list of each,
        // taken by the first test that needs it: that one is timed alone.
        const auto test = [&](size_t i) {
            long check = 0;
            long due = 0;
            kind[i]->NeedToCheckCondition(&check);
            kind[i]->DoCondition(&due);
        };
        char name[96];
        std::snprintf(name, sizeof name, "condition, trigger type %d: first test of the pass", trigger);
        const double started = NowUs();
        test(0);
        std::printf("  %-58s %10.1f us %8.2f ms in a pass\n", name, NowUs() - started, (NowUs() - started) / 1000);
        std::snprintf(name, sizeof name, "condition, trigger type %d: NeedToCheckCondition, DoCondition", trigger);
        timed(name, kind.size() - 1, [&](size_t i) { test(i + 1); });
        if (trigger == 2) {
            timed("Wine alone: FindFirstFile of a missing file, per file watch", kind.size(), [&](size_t) {
                WIN32_FIND_DATAA found;
                HANDLE search = FindFirstFileA("C:\\Inbound\\orders\\ready-*.xml", &found);
                if (search != INVALID_HANDLE_VALUE)
                    FindClose(search);
            });
        }
    }
    if (shared)
        shared->EndSharedSnapshots();
    // What the lists of a pass cost Wine alone, the way the shared lists
    // take them: the titles of all top-level windows, and the processes.
    {
        const double started = NowUs();
        int windows = 0;
        EnumWindows(CountWindowWithTitle, reinterpret_cast<LPARAM>(&windows));
        const double took = NowUs() - started;
        char name[96];
        std::snprintf(name, sizeof name, "Wine alone: %d top-level windows listed with titles", windows);
        std::printf("  %-58s %10.1f us %8.2f ms in a pass\n", name, took, took / 1000);
    }
    {
        const double started = NowUs();
        int processes = 0;
        HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (snapshot != INVALID_HANDLE_VALUE) {
            PROCESSENTRY32W entry = {};
            entry.dwSize = sizeof entry;
            for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
                ++processes;
            CloseHandle(snapshot);
        }
        const double took = NowUs() - started;
        char name[96];
        std::snprintf(name, sizeof name, "Wine alone: %d processes listed (toolhelp snapshot)", processes);
        std::printf("  %-58s %10.1f us %8.2f ms in a pass\n", name, took, took / 1000);
    }
}

}  // namespace benchpieces
