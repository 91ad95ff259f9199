#include "engine/pass_clock.h"

namespace {

constexpr long long kHour = 3600;
constexpr long long kFileTimeUnitsPerSecond = 10000000;

}  // namespace

long long PassClock::LocalSeconds(const SYSTEMTIME& local)
{
    FILETIME linear{};
    if (!SystemTimeToFileTime(&local, &linear))
        return 0;
    ULARGE_INTEGER units;
    units.LowPart = linear.dwLowDateTime;
    units.HighPart = linear.dwHighDateTime;
    return static_cast<long long>(units.QuadPart / kFileTimeUnitsPerSecond);
}

long long PassClock::NextPassTime(long long now, long interval)
{
    const long long step = interval < 1 ? 1 : interval;
    const long long hour = now - now % kHour;
    const long long next = (now % kHour / step + 1) * step;
    return next >= kHour ? hour + kHour : hour + next;
}

bool PassClock::Tick(long long now, long interval)
{
    if (interval < 1)
        interval = 1;
    bool due = false;
    if (!started_ || now < previous_) {
        // The first tick, or the clock was set back: only this very second
        // counts; nothing before it was missed.
        due = now % kHour % interval == 0;
    } else {
        if (interval != interval_)
            next_ = NextPassTime(previous_, interval);
        due = now >= next_;
    }
    started_ = true;
    previous_ = now;
    interval_ = interval;
    next_ = NextPassTime(now, interval);
    return due;
}
