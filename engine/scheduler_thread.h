// The scheduler thread: from Start to Stop it wakes once a second, in the
// multithreaded apartment, and tells its target.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/com/handle.h"

class SchedulerTickTarget {
public:
    // On the scheduler thread, once it has joined its apartment.
    virtual void OnSchedulerThreadBegin() = 0;
    // On the scheduler thread, each second.
    virtual void OnSchedulerTick() = 0;

protected:
    ~SchedulerTickTarget() = default;
};

class SchedulerThread {
public:
    // The running thread, or null when it could not be started.
    static std::unique_ptr<SchedulerThread> Start(SchedulerTickTarget& target);

    // Ends the thread if it still runs (bounded wait).
    ~SchedulerThread();
    SchedulerThread(const SchedulerThread&) = delete;
    SchedulerThread& operator=(const SchedulerThread&) = delete;

    // Asks the thread to stop and waits for its answer, `attempts` times
    // `wait_ms` at most; true when it answered.
    bool Stop(int attempts, DWORD wait_ms);

private:
    explicit SchedulerThread(SchedulerTickTarget& target);
    static DWORD WINAPI Run(void* self);

    SchedulerTickTarget& target_;
    tvx::com::Handle stop_;
    tvx::com::Handle stopped_;
    tvx::com::Handle thread_;
};
