#include "bench_pieces.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "platform/com/com.h"
#include "qvxcmd.h"
#include "qvxstorg.h"
#include "qvxtask.h"

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

std::vector<std::wstring> TaskNames(const std::wstring& folder, int limit)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"tasks\\*.tsk").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::wstring name = found.cFileName;
        names.push_back(name.substr(0, name.size() - 4));
    } while (static_cast<int>(names.size()) < limit && FindNextFileW(search, &found));
    FindClose(search);
    return names;
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
    ComPtr<IQVTaskCollection> collection;
    if (FAILED(collection.CreateInstance(CLSID_QVTaskCollection, CLSCTX_INPROC_SERVER)))
        return;
    Time("IQVTaskCollection::Add (the list growing to all of them)", n,
         [&](size_t i) { collection->Add(tasks[i].Get()); });
}

void PrintPassPieces(const std::wstring& folder, int limit)
{
    const std::vector<std::wstring> names = TaskNames(folder, limit);
    std::vector<ComPtr<IQVTask>> tasks = ReadTasks(names);
    std::printf("pass pieces over %zu tasks, per task of the kind:\n", tasks.size());
    SYSTEMTIME local;
    GetLocalTime(&local);
    DATE now = 0;
    SystemTimeToVariantTime(&local, &now);
    Time("Sleep(0)", tasks.size(), [&](size_t) { Sleep(0); });
    Time("IsEnabled, IsRunning, RunAsSystem, TriggerType", tasks.size(), [&](size_t i) {
        long value = 0;
        short trigger = 0;
        tasks[i]->get_IsEnabled(&value);
        tasks[i]->get_IsRunning(&value);
        tasks[i]->get_RunAsSystem(&value);
        tasks[i]->get_TriggerType(&trigger);
    });
    for (short trigger = 1; trigger <= 5; ++trigger) {
        std::vector<IQVTask*> kind;
        for (const ComPtr<IQVTask>& task : tasks) {
            short t = 0;
            long enabled = 0;
            task->get_TriggerType(&t);
            task->get_IsEnabled(&enabled);
            if (t == trigger && enabled == 1)
                kind.push_back(task.Get());
        }
        if (kind.empty())
            continue;
        if (trigger == 1) {
            Time("scheduled: holidays and work days given", kind.size(), [&](size_t i) {
                kind[i]->ClearHolidays();
                for (short d = 0; d < 7; ++d)
                    kind[i]->PutWorkDay(d, d < 5 ? 1 : 0);
            });
            Time("scheduled: IntervalOffSet, RefDateTime, DoSchedule", kind.size(), [&](size_t i) {
                long due = 0;
                kind[i]->put_IntervalOffSet(10);
                kind[i]->put_RefDateTime(now);
                kind[i]->DoSchedule(&due);
            });
        } else {
            char name[80];
            std::snprintf(name, sizeof name, "condition, trigger type %d: NeedToCheckCondition, DoCondition", trigger);
            Time(name, kind.size(), [&](size_t i) {
                long check = 0;
                long due = 0;
                kind[i]->NeedToCheckCondition(&check);
                kind[i]->DoCondition(&due);
            });
        }
    }
}

}  // namespace benchpieces
