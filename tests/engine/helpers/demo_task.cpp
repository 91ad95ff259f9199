// tvx_demo_task.exe: writes the demo task beside itself, through the task
// component as the administrator does: a scheduled task that appends a line
// to "demo.log" (in the program folder) every minute. Placed beside the
// engine, its task file lands in the engine's "tasks" folder, which the
// engine reads when it starts. Used by scripts/run.sh.
//
//     tvx_demo_task.exe [description]
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/com/com.h"
#include "qvxcmd.h"
#include "qvxtask.h"

namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;

constexpr wchar_t kDefaultDescription[] = L"Demo - a line every minute";
constexpr wchar_t kCommand[] = L"LogToFile(demo.log,The demo task ran)";

int Fail(const char* step, HRESULT hr)
{
    std::fprintf(stderr, "tvx_demo_task: %s failed (0x%08lX)\n", step, static_cast<unsigned long>(hr));
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring description = argc > 1 ? argv[1] : kDefaultDescription;
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    if (!com.Succeeded())
        return Fail("CoInitializeEx", com.Result());

    ComPtr<IQVTask> task;
    HRESULT hr = task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER);
    if (FAILED(hr))
        return Fail("QvxTask.QVTask", hr);
    task->put_Description(Bstr(description).Get());
    task->put_TriggerType(1);
    task->put_Enabled(1);
    task->put_RunAsSystem(1);

    // Daily, repeated every minute all day long, without an end.
    ComPtr<IQVSchedTrigger> schedule;
    if (FAILED(hr = task.As(schedule)))
        return Fail("IQVSchedTrigger", hr);
    schedule->put_Frequency(1);
    schedule->put_Multiplier(1);
    schedule->put_IsAdvOptions(1);
    schedule->put_IntervalType(0);
    schedule->put_IntervalAmount(1);
    schedule->put_IsIntervalRange(0);
    schedule->put_ScheduledIndefinately(1);
    if (FAILED(hr = task->ReSchedule()))
        return Fail("ReSchedule", hr);

    ComPtr<IQVCmdCollection> commands;
    if (FAILED(hr = task.As(commands)))
        return Fail("IQVCmdCollection", hr);
    ComPtr<IQVCommand> line;
    if (FAILED(hr = line.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER)))
        return Fail("QvxCmd.QVCommand", hr);
    line->put_FullCommand(Bstr(kCommand).Get());
    if (FAILED(hr = commands->Add(line.Get())))
        return Fail("adding the command", hr);

    if (FAILED(hr = task->WriteToStorage(0)))
        return Fail("WriteToStorage", hr);
    Bstr next;
    task->GetNextScheduledAsString(next.Receive());
    std::printf("tvx_demo_task: wrote the task \"%ls\", next run %ls\n", description.c_str(), next.c_str());
    return 0;
}
