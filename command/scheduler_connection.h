// The engine's scheduler object as the task-control commands reach it: one
// reference, made on first use and kept with the COM apartment entered for
// it until the connection ends.
#pragma once

#include <windows.h>

#include "platform/com/com_ptr.h"
#include "tarvex.h"

class SchedulerConnection {
public:
    SchedulerConnection() = default;
    ~SchedulerConnection() { Reset(); }
    SchedulerConnection(const SchedulerConnection&) = delete;
    SchedulerConnection& operator=(const SchedulerConnection&) = delete;

    // Joins the multithreaded apartment and activates the scheduler on this
    // computer. With a reference held it succeeds at once. A failure keeps
    // nothing, so the next call tries again; the result is the code of the
    // step that failed.
    HRESULT Connect();

    // Takes a reference of the caller's scheduler instead of activating one;
    // no apartment is joined for it.
    void Use(IQVScheduler* scheduler);

    IQVScheduler* Get() const { return m_scheduler.Get(); }

    // Releases the reference, then leaves the apartment joined for it.
    void Reset();

private:
    tvx::com::ComPtr<IQVScheduler> m_scheduler;
    bool m_bJoinedApartment = false;
};
