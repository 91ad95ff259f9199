// The engine with a full task folder: start-up (the scheduler object reading
// every task file), one scheduling pass, memory per task and the idle CPU of
// the real engine, each against its goal.
//
// The program runs from the engine-copy folder (beside Tarvex.exe), writes
// its task files into "tasks\" there, and needs the task, storage and
// command components and the engine copy registered (scripts/bench-engine.sh
// does the set-up). It replaces the folder's task files and settings file.
//
//   engine_bench.exe [--tasks N] [--startup-runs N] [--passes N]
//                    [--idle-seconds S] [--keep-files] [--pieces]
//
// --pieces first prints where the time of a start-up and of a pass goes,
// call by call, over the first thousand files.
//
// Exit code 0 when every figure meets its goal, 1 when one misses it, 2 when
// the benchmark could not run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "bench_pieces.h"
#include "bench_task_files.h"
#include "process_figures.h"
#include "engine/engine_scheduler.h"
#include "engine/scheduler.h"
#include "platform/com/com.h"
#include "qvxstorg.h"
#include "qvxtask.h"
#include "tarvex.h"

namespace {

using tvx::com::Bstr;
using tvx::com::ComObject;
using tvx::com::ComPtr;
using tvx::com::Handle;

struct Options {
    int tasks = 10000;
    int startup_runs = 5;
    int passes = 20;
    int idle_seconds = 60;
    bool keep_files = false;
    bool pieces = false;
};

// The goals the figures are held against.
constexpr double kStartupGoalMs = 2000;
constexpr double kPassGoalMs = 20;
constexpr double kIdleCpuGoalPercent = 0.5;
constexpr double kBytesPerTaskGoal = 20 * 1024;

constexpr DWORD kEngineReadyMs = 180000;
constexpr DWORD kEngineEndMs = 30000;

bool ParseOptions(int argc, wchar_t** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::wstring name = argv[i];
        if (name == L"--keep-files") {
            options.keep_files = true;
            continue;
        }
        if (name == L"--pieces") {
            options.pieces = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const int value = _wtoi(argv[++i]);
        if (name == L"--tasks" && value > 0)
            options.tasks = value;
        else if (name == L"--startup-runs" && value > 0)
            options.startup_runs = value;
        else if (name == L"--passes" && value > 0)
            options.passes = value;
        else if (name == L"--idle-seconds" && value >= 0)
            options.idle_seconds = value;
        else
            return false;
    }
    return true;
}

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

long TaskCount(IUnknown* scheduler)
{
    ComPtr<IQVTaskCollection> tasks;
    long count = -1;
    if (SUCCEEDED(tasks.QueryFrom(scheduler)))
        tasks->get_Count(&count);
    return count;
}

void FirstTask(IUnknown* scheduler)
{
    ComPtr<IQVTaskCollection> tasks;
    ComPtr<IQVTask> task;
    if (SUCCEEDED(tasks.QueryFrom(scheduler)))
        tasks->Item(0, task.Receive());
}

// How many tasks of the list run, and the reference time a scheduled task
// was given last (0 when none is found).
void LookAtTasks(IUnknown* scheduler, long& running, DATE& scheduled_reference)
{
    running = 0;
    scheduled_reference = 0;
    ComPtr<IQVTaskCollection> tasks;
    long count = 0;
    if (FAILED(tasks.QueryFrom(scheduler)) || FAILED(tasks->get_Count(&count)))
        return;
    for (long i = 0; i < count; ++i) {
        ComPtr<IQVTask> task;
        if (FAILED(tasks->Item(i, task.Receive())))
            continue;
        long is_running = 0;
        task->get_IsRunning(&is_running);
        running += is_running != 0 ? 1 : 0;
        short trigger = 0;
        long enabled = 0;
        task->get_TriggerType(&trigger);
        task->get_IsEnabled(&enabled);
        if (scheduled_reference == 0 && trigger == 1 && enabled == 1)
            task->get_RefDateTime(&scheduled_reference);
    }
}

struct Figure {
    const char* name;
    double goal;
    double measured;
    const char* unit;
    bool measured_at_all;
};

std::wstring EngineFolder()
{
    std::wstring path = tvx::com::ModuleFileName(nullptr);
    return path.substr(0, path.find_last_of(L"\\/") + 1);
}

// The real engine, started by hand with its scheduler running.
class Engine {
public:
    bool Start(const std::wstring& folder)
    {
        std::wstring command_line = L"\"" + folder + L"Tarvex.exe\" -Start";
        std::vector<wchar_t> line(command_line.begin(), command_line.end());
        line.push_back(L'\0');
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                            &info))
            return false;
        process_.Reset(info.hProcess);
        Handle thread(info.hThread);
        folder_ = folder;
        return true;
    }

    HANDLE Process() const { return process_.Get(); }

    bool Ended(DWORD wait_ms) const { return WaitForSingleObject(process_.Get(), wait_ms) == WAIT_OBJECT_0; }

    // Stops the scheduler the way an operator does, and waits for the end;
    // an engine that outlives the wait is ended.
    void Stop()
    {
        if (!process_ || Ended(0))
            return;
        std::wstring command_line = L"\"" + folder_ + L"Tarvex.exe\" -Stop";
        std::vector<wchar_t> line(command_line.begin(), command_line.end());
        line.push_back(L'\0');
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                           &info)) {
            Handle stopper(info.hProcess);
            Handle thread(info.hThread);
            WaitForSingleObject(stopper.Get(), kEngineEndMs);
        }
        if (!Ended(kEngineEndMs)) {
            std::printf("engine_bench: the engine did not end after -Stop; ending it\n");
            TerminateProcess(process_.Get(), 1);
            Ended(5000);
        }
    }

    ~Engine() { Stop(); }

private:
    Handle process_;
    std::wstring folder_;
};

// Waits until the engine serves its scheduler with the whole task list
// loaded and running; the milliseconds that took, or a negative value.
double WaitUntilServing(const Engine& engine, long expected_tasks, double started_ms)
{
    while (NowMs() - started_ms < kEngineReadyMs) {
        if (engine.Ended(0))
            return -1;
        ComPtr<IQVScheduler> scheduler;
        if (SUCCEEDED(scheduler.CreateInstance(CLSID_QVScheduler, CLSCTX_LOCAL_SERVER))) {
            long running = 0;
            scheduler->get_IsRunning(&running);
            if (running == 1) {
                const long count = TaskCount(scheduler.Get());
                if (count != expected_tasks) {
                    std::printf("engine_bench: the engine lists %ld tasks, not %ld\n", count, expected_tasks);
                    return -1;
                }
                return NowMs() - started_ms;
            }
        }
        Sleep(250);
    }
    return -1;
}

void PrintFigures(const std::vector<Figure>& figures)
{
    std::printf("\n%-44s %12s %12s\n", "figure", "goal", "measured");
    for (const Figure& f : figures) {
        if (!f.measured_at_all) {
            std::printf("%-44s %9.1f %-2s %12s\n", f.name, f.goal, f.unit, "not run");
            continue;
        }
        std::printf("%-44s %9.1f %-2s %9.2f %-2s%s\n", f.name, f.goal, f.unit, f.measured, f.unit,
                    f.measured < f.goal ? "" : "  MISSED");
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // Each line as it comes, also into a pipe.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: engine_bench [--tasks N] [--startup-runs N] [--passes N] [--idle-seconds S] "
                     "[--keep-files] [--pieces]\n");
        return 2;
    }
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    if (!com.Succeeded())
        return 2;
    const std::wstring folder = EngineFolder();
    const unsigned long own_pid = benchfigures::OwnUnixProcessId();
    const unsigned long server_pid = benchfigures::WineServerUnixProcessId();
    if (benchfigures::UnderWine())
        std::printf("engine_bench: under Wine: CPU time and private memory are read from /proc "
                    "(RssAnon, utime + stime)%s\n", own_pid == 0 ? "; this process's entry was not found" : "");

    // The CPU this process and its wineserver used: on a shared machine the
    // wall-clock figures grow with the others' load, these much less.
    const auto cpu_now = [&](double& own, double& server) {
        own = benchfigures::CpuMs(GetCurrentProcess(), own_pid);
        server = server_pid != 0 ? benchfigures::CpuMs(nullptr, server_pid) : -1;
    };
    const auto print_cpu = [&](const char* what, double own_before, double server_before, int times) {
        double own = 0;
        double server = 0;
        cpu_now(own, server);
        if (own_before < 0 || own < 0)
            return;
        std::printf("engine_bench: %s, CPU: this process %.0f ms", what, (own - own_before) / times);
        if (server_before >= 0 && server >= 0)
            std::printf(", its wineserver %.0f ms", (server - server_before) / times);
        std::printf("%s\n", times > 1 ? " (each, of their sum over all)" : "");
    };

    // Keeps the components loaded, so that the memory measured is the tasks'.
    ComPtr<IQVTask> held_task;
    ComPtr<IQVSchedStorage> held_storage;
    if (FAILED(held_task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER)) ||
        FAILED(held_storage.CreateInstance(CLSID_QVSchedStorage, CLSCTX_INPROC_SERVER))) {
        std::printf("engine_bench: the task and storage components are not registered\n");
        return 2;
    }

    std::printf("engine_bench: writing %d task files in %lstasks\\\n", options.tasks, folder.c_str());
    benchfiles::TaskMix mix;
    const double writing_started = NowMs();
    if (!benchfiles::WriteTaskFolder(folder, options.tasks, mix)) {
        std::printf("engine_bench: the task files could not be written\n");
        return 2;
    }
    std::printf("engine_bench: %d scheduled (daily with repeats, weekly, monthly, one time), %d on a condition, "
                "%d disabled; %.1f s\n",
                mix.scheduled, mix.condition, mix.disabled, (NowMs() - writing_started) / 1000);

    if (options.pieces) {
        benchpieces::PrintStartupPieces(folder, 1000);
        benchpieces::PrintPassPieces(folder, 1000);
    }

    // Start-up: the scheduler object made in this process reads every file.
    std::vector<double> startup_ms;
    double bytes_per_task = 0;
    ComPtr<IQVScheduler> scheduler;
    for (int run = 0; run < options.startup_runs; ++run) {
        scheduler.Reset();
        const SIZE_T before = benchfigures::PrivateBytes(GetCurrentProcess(), own_pid);
        double own_cpu = 0;
        double server_cpu = 0;
        cpu_now(own_cpu, server_cpu);
        const double started = NowMs();
        const HRESULT hr = ComObject<CQVScheduler>::Create(nullptr, IID_IQVScheduler, scheduler.ReceiveVoid());
        // Until the list can be read: it may leave its sorting to the first
        // look at it.
        const double made = NowMs();
        if (SUCCEEDED(hr))
            FirstTask(scheduler.Get());
        const double took = NowMs() - started;
        const double first_look = NowMs() - made;
        const SIZE_T after = benchfigures::PrivateBytes(GetCurrentProcess(), own_pid);
        if (FAILED(hr)) {
            std::printf("engine_bench: the scheduler object could not be made (0x%08lX)\n",
                        static_cast<unsigned long>(hr));
            return 2;
        }
        const long count = TaskCount(scheduler.Get());
        if (count != options.tasks) {
            std::printf("engine_bench: the scheduler holds %ld tasks, not %d\n", count, options.tasks);
            return 2;
        }
        // The first run's growth is the tasks' own; later runs reuse what
        // the heap kept of the earlier ones.
        if (run == 0)
            bytes_per_task = static_cast<double>(after > before ? after - before : 0) / count;
        std::printf("engine_bench: start-up %d: %.0f ms, %ld tasks, private bytes +%.1f MB\n", run + 1, took, count,
                    static_cast<double>(after > before ? after - before : 0) / (1024 * 1024));
        std::printf("engine_bench:   of which the first look at the list (its sort) %.0f ms\n", first_look);
        print_cpu("  that start-up", own_cpu, server_cpu, 1);
        startup_ms.push_back(took);
    }

    // A scheduler that shows no message box and has the engine's default
    // interval; the settings file keeps both for the engine below.
    scheduler->put_DisplayErrors(0);
    scheduler->put_ScheduleInterval(10);

    ComPtr<IEngineScheduler> engine_side;
    if (FAILED(engine_side.QueryFrom(scheduler.Get()))) {
        std::printf("engine_bench: the scheduler object has no IEngineScheduler\n");
        return 2;
    }
    long running = 0;
    DATE reference_before = 0;
    LookAtTasks(scheduler.Get(), running, reference_before);
    engine_side->RunSchedulingPass();  // the first pass also warms the caches
    std::vector<double> pass_ms;
    double own_cpu = 0;
    double server_cpu = 0;
    cpu_now(own_cpu, server_cpu);
    for (int pass = 0; pass < options.passes; ++pass) {
        const double started = NowMs();
        engine_side->RunSchedulingPass();
        pass_ms.push_back(NowMs() - started);
    }
    print_cpu("the passes", own_cpu, server_cpu, options.passes);
    DATE reference_after = 0;
    LookAtTasks(scheduler.Get(), running, reference_after);
    std::printf("engine_bench: %d passes: median %.2f ms, fastest %.2f ms, slowest %.2f ms; %ld tasks running\n",
                options.passes, Median(pass_ms), *std::min_element(pass_ms.begin(), pass_ms.end()),
                *std::max_element(pass_ms.begin(), pass_ms.end()), running);
    if (reference_after == 0 || reference_after == reference_before)
        std::printf("engine_bench: WARNING: the passes gave no scheduled task a reference time; did they run?\n");
    if (running != 0)
        std::printf("engine_bench: WARNING: %ld tasks were due and run; the pass times include their launch\n",
                    running);
    engine_side.Reset();
    scheduler.Reset();

    std::vector<Figure> figures = {
        {"start-up, all tasks read (median)", kStartupGoalMs, Median(startup_ms), "ms", true},
        {"one scheduling pass (median)", kPassGoalMs, Median(pass_ms), "ms", true},
        {"memory per task (private bytes)", kBytesPerTaskGoal / 1024, bytes_per_task / 1024, "KB", true},
        {"engine idle CPU, one core", kIdleCpuGoalPercent, 0, "%", false},
    };

    if (options.idle_seconds > 0) {
        Engine engine;
        const double started = NowMs();
        if (!engine.Start(folder)) {
            std::printf("engine_bench: Tarvex.exe could not be started\n");
            return 2;
        }
        const double ready_ms = WaitUntilServing(engine, options.tasks, started);
        if (ready_ms < 0) {
            std::printf("engine_bench: the engine did not come to serve its tasks\n");
            return 2;
        }
        std::printf("engine_bench: the engine serves %d tasks, scheduler running, %.1f s after its start\n",
                    options.tasks, ready_ms / 1000);
        const unsigned long unix_pid = benchfigures::UnixProcessId(folder + L"Tarvex.exe", L"-Start");
        if (benchfigures::UnderWine() && unix_pid == 0) {
            std::printf("engine_bench: the engine's Linux process was not found\n");
            return 2;
        }
        // The client's connection goes before the measurement starts.
        Sleep(2000);
        const double cpu_before = benchfigures::CpuMs(engine.Process(), unix_pid);
        const double wall_before = NowMs();
        Sleep(static_cast<DWORD>(options.idle_seconds) * 1000);
        const double cpu_after = benchfigures::CpuMs(engine.Process(), unix_pid);
        const double wall = NowMs() - wall_before;
        if (engine.Ended(0) || cpu_before < 0 || cpu_after < 0) {
            std::printf("engine_bench: the engine ended during the measurement, or its CPU time can't be read\n");
            return 2;
        }
        const SIZE_T engine_bytes = benchfigures::PrivateBytes(engine.Process(), unix_pid);
        figures[3].measured = (cpu_after - cpu_before) * 100 / wall;
        figures[3].measured_at_all = true;
        std::printf("engine_bench: engine idle %.0f s: %.0f ms of CPU; private bytes %.1f MB\n", wall / 1000,
                    cpu_after - cpu_before, static_cast<double>(engine_bytes) / (1024 * 1024));
        engine.Stop();
    }

    if (!options.keep_files)
        benchfiles::ClearTaskFolder(folder);

    PrintFigures(figures);
    bool all_met = true;
    for (const Figure& f : figures) {
        if (f.measured_at_all && !(f.measured < f.goal))
            all_met = false;
    }
    return all_met ? 0 : 1;
}
