// The task-folder watcher: a thread that keeps the engine's task list in
// step with the "tasks" folder the administrator writes to. A task whose
// file has gone is removed, a file without a task is loaded; the scheduler
// is stopped around each change and started again when it was running.
//
// Names compare without regard to letter case, as the file system does, so
// one file never becomes two tasks.
//
// The thread reaches the scheduler object only while it holds a counted
// reference on it, taken through a gate that the object closes when it goes:
// a reference is never taken from an object already being destroyed, and
// the object never ends while a round works on it. A round whose reference
// was the last one ends the object on the watcher's own thread; stopping the
// watcher from that thread then does not wait for itself.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "platform/com/com_ptr.h"
#include "platform/com/handle.h"
#include "qvxtask.h"

// What the watcher needs of the scheduler object.
class WatcherHost {
public:
    // A counted reference on the object; null once it is being destroyed.
    virtual tvx::com::ComPtr<IUnknown> WatcherHold() = 0;
    // The task list (the caller holds the object).
    virtual IQVTaskCollection* WatcherTaskList() = 0;
    virtual bool WatcherSchedulerRunning() = 0;
    virtual void WatcherStopScheduler() = 0;
    virtual void WatcherStartScheduler() = 0;
    // Reads the task of that name from its file into the list.
    virtual void WatcherAddTask(const std::wstring& description) = 0;

protected:
    ~WatcherHost() = default;
};

class TaskFolderWatcher {
public:
    // Watches `folder` (with a trailing backslash), creating it when it is
    // missing. Null when the thread could not be started.
    static std::unique_ptr<TaskFolderWatcher> Start(WatcherHost& host, const std::wstring& folder);

    // Stops the thread (bounded wait) and closes the gate.
    ~TaskFolderWatcher();
    TaskFolderWatcher(const TaskFolderWatcher&) = delete;
    TaskFolderWatcher& operator=(const TaskFolderWatcher&) = delete;

    // Asks the thread to stop and waits up to wait_ms for its answer; the
    // host is not reached afterwards in any case. True when it answered.
    bool Stop(DWORD wait_ms);

private:
    struct State;
    explicit TaskFolderWatcher(std::shared_ptr<State> state);
    static DWORD WINAPI Run(void* state);

    std::shared_ptr<State> state_;
    tvx::com::Handle thread_;
    DWORD thread_id_ = 0;
};
