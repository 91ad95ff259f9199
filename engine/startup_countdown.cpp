#include "engine/startup_countdown.h"

#include <chrono>

unsigned StartupCountdown::Begin(long seconds)
{
    std::lock_guard<std::mutex> hold(lock_);
    ++ticket_;
    remaining_ = closed_ ? 0 : seconds;
    changed_.notify_all();
    return ticket_;
}

bool StartupCountdown::WaitOneSecond(unsigned ticket)
{
    std::unique_lock<std::mutex> hold(lock_);
    changed_.wait_for(hold, std::chrono::seconds(1), [&] { return !Current(ticket); });
    return Current(ticket);
}

long StartupCountdown::Count(unsigned ticket)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (!Current(ticket))
        return -1;
    return --remaining_;
}

bool StartupCountdown::End()
{
    std::lock_guard<std::mutex> hold(lock_);
    bool running = remaining_ > 0;
    remaining_ = 0;
    changed_.notify_all();
    return running;
}

bool StartupCountdown::Running()
{
    std::lock_guard<std::mutex> hold(lock_);
    return remaining_ > 0;
}

void StartupCountdown::Close()
{
    std::lock_guard<std::mutex> hold(lock_);
    closed_ = true;
    remaining_ = 0;
    changed_.notify_all();
}
