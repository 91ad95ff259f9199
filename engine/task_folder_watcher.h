// The task-folder watcher: a thread that keeps the engine's task list in
// step with the "tasks" folder the administrator writes to. A task whose
// file has gone is removed, a file without a task is loaded.
//
// A round reads the new files while the scheduler goes on, and then stops
// the scheduler once for all its changes of the list, so that thousands of
// files dropped at once cost one stop, not one per file; a round that
// changes nothing in the list leaves the scheduler alone. A file that can't
// be read as a task is read again only once it has changed, so a folder
// full of such files costs nothing from one round to the next. The stop is
// the watcher's own: it never counts as a client's decision, and a client
// that stops or starts the scheduler meanwhile is not overruled.
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
    // Stops the scheduler for a change of the list, when it runs, without
    // storing RunOnStartup.
    virtual void WatcherPauseScheduler() = 0;
    // Starts it again after the change, unless the pause stopped nothing
    // or a client has started or stopped the scheduler since.
    virtual void WatcherResumeScheduler() = 0;
    // The task of that name read from its file, not yet in the list; null
    // when the file can't be read as a task.
    virtual tvx::com::ComPtr<IQVTask> WatcherReadTask(const std::wstring& description) = 0;
    // Puts a task read by WatcherReadTask into the list, unless a task of
    // its name is there by then.
    virtual void WatcherListTask(const std::wstring& description, IQVTask* task) = 0;

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
