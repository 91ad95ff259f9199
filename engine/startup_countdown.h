// The seconds left of a DelayedStart. The countdown runs on the thread that
// asked for it; Start, Stop and the engine's end cut it short from other
// threads, and a DelayedStart asked for meanwhile takes it over.
#pragma once

#include <condition_variable>
#include <mutex>

class StartupCountdown {
public:
    // Begins a countdown of `seconds`; the ticket names it.
    unsigned Begin(long seconds);
    // Waits one second; false when the countdown ended or was taken over
    // meanwhile (the caller then ends without starting).
    bool WaitOneSecond(unsigned ticket);
    // One second counted: the seconds left, or -1 when the countdown ended
    // or was taken over meanwhile.
    long Count(unsigned ticket);
    // Ends a running countdown at once; true when one was running.
    bool End();
    // Ends a running countdown and every later one at once: the engine is
    // ending.
    void Close();
    bool Running();

private:
    bool Current(unsigned ticket) const { return ticket == ticket_ && remaining_ > 0; }

    std::mutex lock_;
    std::condition_variable changed_;
    unsigned ticket_ = 0;
    long remaining_ = 0;
    bool closed_ = false;
};
