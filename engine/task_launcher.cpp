#include "engine/task_launcher.h"

#include <new>

#include "platform/com/co_init.h"
#include "platform/com/com_ptr.h"

namespace {

constexpr DWORD kPollMs = 1000;
// Gives the new thread the time to start the task, so that the caller finds
// it running.
constexpr DWORD kLaunchSettleMs = 200;

// StatusChange: a task started or ended.
constexpr long kTaskStatus = 4;

}  // namespace

struct TaskLaunches::Run {
    TaskLaunches* launches;
    LaunchHost* host;
    tvx::com::ComPtr<IUnknown> owner;
    tvx::com::ComPtr<IQVTask> task;
};

TaskLaunches::TaskLaunches()
    : let_go_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), none_(CreateEventW(nullptr, TRUE, TRUE, nullptr))
{
}

bool TaskLaunches::Launch(LaunchHost& host, IQVTask* task)
{
    if (!task || !let_go_ || !none_)
        return false;
    tvx::com::ComPtr<IUnknown> owner = host.LaunchOwner();
    if (!owner)
        return false;
    auto* launch = new (std::nothrow) Run{this, &host, std::move(owner), task};
    if (!launch)
        return false;
    {
        tvx::com::ScopedLock hold(lock_);
        ++active_;
        ResetEvent(none_.Get());
    }
    tvx::com::Handle thread(CreateThread(nullptr, 0, &TaskLaunches::Watch, launch, 0, nullptr));
    if (!thread) {
        delete launch;
        Finished();
        return false;
    }
    Sleep(kLaunchSettleMs);
    return true;
}

void TaskLaunches::LetGo(DWORD timeout_ms)
{
    SetEvent(let_go_.Get());
    WaitForSingleObject(none_.Get(), timeout_ms);
}

long TaskLaunches::Active()
{
    tvx::com::ScopedLock hold(lock_);
    return active_;
}

void TaskLaunches::Finished()
{
    tvx::com::ScopedLock hold(lock_);
    if (--active_ == 0)
        SetEvent(none_.Get());
}

DWORD WINAPI TaskLaunches::Watch(void* param)
{
    Run* launch = static_cast<Run*>(param);
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    IQVTask* task = launch->task.Get();
    LaunchHost* host = launch->host;
    // The task may have left the list between the launch and now.
    if (host->IsInTaskList(task)) {
        task->Start();
        host->Fire_StatusChange(kTaskStatus);
        bool ended = false;
        while (WaitForSingleObject(launch->launches->let_go_.Get(), kPollMs) == WAIT_TIMEOUT) {
            long running = 0;
            if (FAILED(task->get_IsRunning(&running)) || running == 0) {
                ended = true;
                break;
            }
        }
        if (ended) {
            host->Fire_StatusChange(kTaskStatus);
            long delete_after = 0;
            task->get_IsDeleteAfterExec(&delete_after);
            if (delete_after != 0) {
                task->DeleteFromStorage(0);
                host->RemoveFromTaskList(task);
            }
        }
    }
    // The owner goes last, still inside the apartment: releasing it may end
    // the scheduler object (its final release works through COM), and the
    // launch list with it.
    tvx::com::ComPtr<IUnknown> owner = std::move(launch->owner);
    TaskLaunches* launches = launch->launches;
    delete launch;
    launches->Finished();
    owner.Reset();
    return 0;
}
