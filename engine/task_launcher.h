// Task runs launched by the engine: each on a thread of its own that starts
// the task, tells the clients, watches the run until it ends and then deletes
// the task when it asks for that.
//
// A launch thread holds a reference on the scheduler object for as long as
// it watches its run, so that an engine running as a COM local server does
// not end under a run it started. At the engine's end the threads are told
// to let go and are waited for within a bound.
#pragma once

#include <windows.h>

#include "platform/com/com_ptr.h"
#include "platform/com/critical_section.h"
#include "platform/com/handle.h"
#include "qvxtask.h"

// What a launch thread needs of the scheduler object.
class LaunchHost {
public:
    // A counted reference on the object, held by the thread; null when the
    // object is already going (nothing is launched then).
    virtual tvx::com::ComPtr<IUnknown> LaunchOwner() = 0;
    virtual void Fire_StatusChange(long code) = 0;
    // Whether the very task object is (still) in the task list.
    virtual bool IsInTaskList(IQVTask* task) = 0;
    // Removes the very task object from the task list, wherever it stands now.
    virtual void RemoveFromTaskList(IQVTask* task) = 0;

protected:
    ~LaunchHost() = default;
};

class TaskLaunches {
public:
    TaskLaunches();
    ~TaskLaunches() = default;
    TaskLaunches(const TaskLaunches&) = delete;
    TaskLaunches& operator=(const TaskLaunches&) = delete;

    // Starts a launch thread for the task; false when no thread could be
    // started.
    bool Launch(LaunchHost& host, IQVTask* task);

    // Tells every launch thread to stop watching its run and waits up to
    // timeout_ms for them to end. Runs launched later are not watched.
    void LetGo(DWORD timeout_ms);

    long Active();

private:
    struct Run;
    static DWORD WINAPI Watch(void* launch);
    void Finished();

    tvx::com::CriticalSection lock_;
    long active_ = 0;
    tvx::com::Handle let_go_;  // manual reset
    tvx::com::Handle none_;    // manual reset: set while no thread runs
};
