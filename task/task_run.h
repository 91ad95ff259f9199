// The worker thread of a task run started with IQVTask::Start, and what the
// task and that thread share about it. Both hold the run through a shared
// pointer, so neither ever waits on or signals a handle the other has closed.
#pragma once

#include <windows.h>

#include "platform/com/handle.h"

// How long the worker waits before it runs the script: a Stop within this
// second cancels the run before anything has happened.
constexpr DWORD kRunGraceMs = 1000;
// How long Stop waits for the worker to acknowledge. A run inside a long
// command line (a program it waits for) can't acknowledge sooner than that
// line ends; Stop then returns and the run ends by itself, its queue
// cancelled before the next line.
constexpr DWORD kStopWaitMs = 5000;

class CTaskRunThread {
public:
    // The stop and done events, manual-reset and unsignalled; Ready() is
    // false when they could not be made.
    CTaskRunThread();
    CTaskRunThread(const CTaskRunThread&) = delete;
    CTaskRunThread& operator=(const CTaskRunThread&) = delete;

    bool Ready() const { return m_stop.Valid() && m_done.Valid(); }

    // Runs body(param) on a new thread. The thread holds a reference on the
    // module that contains this code until its very end, so the component
    // can't be unloaded under a run that is finishing. False when no thread
    // was started (body is then not called).
    bool Begin(void (*body)(void* param), void* param);

    void RequestStop() { SetEvent(m_stop.Get()); }
    // True when a stop was requested within the time.
    bool WaitForStopRequest(DWORD ms) const { return WaitForSingleObject(m_stop.Get(), ms) == WAIT_OBJECT_0; }

    void SignalDone() { SetEvent(m_done.Get()); }
    // True when the worker acknowledged within the time.
    bool WaitDone(DWORD ms) const { return WaitForSingleObject(m_done.Get(), ms) == WAIT_OBJECT_0; }

private:
    tvx::com::Handle m_stop;
    tvx::com::Handle m_done;
    tvx::com::Handle m_thread;
};

// Signals the run's done event when the worker leaves its scope, whichever
// way it leaves.
class CRunDoneSignal {
public:
    explicit CRunDoneSignal(CTaskRunThread& run) : m_run(run) {}
    ~CRunDoneSignal() { m_run.SignalDone(); }
    CRunDoneSignal(const CRunDoneSignal&) = delete;
    CRunDoneSignal& operator=(const CRunDoneSignal&) = delete;

private:
    CTaskRunThread& m_run;
};
