// When the scheduling passes fall: on every multiple of the schedule
// interval, counted in seconds from the full hour of the local clock (with
// 10 seconds, at :00, :10, :20 ... of every minute; with 7, the last pass of
// an hour is at 59:58 and the next at 00:00).
//
// The scheduler ticks about once a second, but a tick can come late (its own
// work, a busy machine), so a tick never tests only its own second: a pass
// is due whenever a pass time was crossed since the previous tick. Several
// crossed pass times make one pass.
#pragma once

#include <windows.h>

class PassClock {
public:
    // Seconds of the local clock, counted on without gaps across hours and
    // days (the local SYSTEMTIME read as if it were a FILETIME).
    static long long LocalSeconds(const SYSTEMTIME& local);

    // Whether a pass is due at this tick. An interval below 1 is taken as 1.
    bool Tick(long long now, long interval);

    // The first pass time after `now`.
    static long long NextPassTime(long long now, long interval);

private:
    bool started_ = false;
    long long previous_ = 0;
    long long next_ = 0;
    long interval_ = 0;
};
