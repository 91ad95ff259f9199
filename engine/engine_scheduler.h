// What the engine program asks of its own scheduler object beyond the
// clients' interface. Answered only by the object itself in the engine's
// process (it has no proxy): the engine reaches it from the service control
// handler and at its end.
#pragma once

#include <objbase.h>

struct IEngineScheduler : public IUnknown {
    // Ends a running DelayedStart countdown, and any later one, without
    // starting the scheduler and without changing RunOnStartup: the service
    // stops during the countdown, and its next start counts down again.
    virtual void STDMETHODCALLTYPE EndCountdown() = 0;

    // The engine ends: ends a countdown, stops the scheduler, stores the
    // settings with RunOnStartup 1 when the scheduler was running (the next
    // start resumes it), and lets go of the runs the launch threads watch,
    // waiting for those threads within a bound.
    virtual void STDMETHODCALLTYPE PrepareForEngineEnd() = 0;

    // Whether the object still has work of its own: a scheduler thread, a
    // countdown, or a run a launch thread watches. A local-server engine
    // keeps its object while it has.
    virtual bool STDMETHODCALLTYPE HasWork() = 0;

    // One scheduling pass now, at the current local time, whether or not the
    // scheduler thread runs (a suspended scheduler makes none): for the
    // engine's own tests and its benchmark, which time it.
    virtual void STDMETHODCALLTYPE RunSchedulingPass() = 0;
};

__CRT_UUID_DECL(IEngineScheduler, 0x8cb1453f, 0x75b6, 0x4a1b, 0x85, 0x9a, 0xce, 0xbf, 0x78, 0x8b, 0x5b, 0xe9)
