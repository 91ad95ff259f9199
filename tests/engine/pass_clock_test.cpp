// When the scheduling passes fall: on the multiples of the interval counted
// from the full hour, and never lost to a tick that came late.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "engine/pass_clock.h"

namespace {

// Seconds of a local time on one fixed day.
long long At(int hour, int minute, int second)
{
    SYSTEMTIME local{};
    local.wYear = 2026;
    local.wMonth = 12;
    local.wDay = 10;
    local.wHour = static_cast<WORD>(hour);
    local.wMinute = static_cast<WORD>(minute);
    local.wSecond = static_cast<WORD>(second);
    return PassClock::LocalSeconds(local);
}

struct TickCase {
    const char* name;
    long interval;
    std::vector<long long> ticks;
    std::vector<bool> passes;
};

class PassClockTicks : public ::testing::TestWithParam<TickCase> {};

TEST_P(PassClockTicks, PassesFallWhereExpected)
{
    const TickCase& c = GetParam();
    ASSERT_EQ(c.ticks.size(), c.passes.size());
    PassClock clock;
    for (std::size_t i = 0; i < c.ticks.size(); ++i)
        EXPECT_EQ(clock.Tick(c.ticks[i], c.interval), c.passes[i]) << c.name << ", tick " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Intervals, PassClockTicks,
    ::testing::Values(
        TickCase{"every ten seconds on time", 10,
                 {At(9, 0, 9), At(9, 0, 10), At(9, 0, 11), At(9, 0, 19), At(9, 0, 20)},
                 {false, true, false, false, true}},
        // A tick that comes a second late skips its second, not its pass.
        TickCase{"late tick keeps the pass", 10, {At(9, 0, 8), At(9, 0, 9), At(9, 0, 11), At(9, 0, 12)},
                 {false, false, true, false}},
        // Hours late: one pass, not one per missed pass time.
        TickCase{"hour-long gap gives one pass", 3600, {At(9, 59, 58), At(11, 30, 0), At(11, 30, 1)},
                 {false, true, false}},
        TickCase{"seven seconds: 59:58 then 00:00", 7,
                 {At(9, 59, 57), At(9, 59, 58), At(9, 59, 59), At(10, 0, 0), At(10, 0, 1), At(10, 0, 7)},
                 {false, true, false, true, false, true}},
        TickCase{"first tick counts only its own second", 10, {At(9, 0, 15), At(9, 0, 16)}, {false, false}},
        TickCase{"first tick on a pass time", 10, {At(9, 0, 30)}, {true}},
        // Set back an hour (end of summer time): nothing before the new
        // time was missed, and its pass times count again.
        TickCase{"clock set back", 10, {At(10, 0, 5), At(9, 0, 6), At(9, 0, 9), At(9, 0, 10)},
                 {false, false, false, true}},
        TickCase{"interval below one second is one", 0, {At(9, 0, 1), At(9, 0, 2)}, {true, true}},
        TickCase{"hourly passes at the full hour", 3600, {At(9, 59, 59), At(10, 0, 1)}, {false, true}}),
    [](const ::testing::TestParamInfo<TickCase>& info) {
        std::string name;
        for (const char* c = info.param.name; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

TEST(PassClock, ChangedIntervalCountsFromThePreviousTick)
{
    PassClock clock;
    EXPECT_FALSE(clock.Tick(At(9, 0, 1), 10));
    // The next pass time of a 3-second interval after :01 is :03.
    EXPECT_FALSE(clock.Tick(At(9, 0, 2), 3));
    EXPECT_TRUE(clock.Tick(At(9, 0, 4), 3));
}

TEST(PassClock, NextPassTimeStaysInsideTheHour)
{
    EXPECT_EQ(PassClock::NextPassTime(At(9, 0, 0), 10), At(9, 0, 10));
    EXPECT_EQ(PassClock::NextPassTime(At(9, 59, 58), 7), At(10, 0, 0));
    EXPECT_EQ(PassClock::NextPassTime(At(23, 59, 59), 10), At(0, 0, 0) + 24 * 3600);
    EXPECT_EQ(PassClock::NextPassTime(At(9, 30, 0), 5000), At(10, 0, 0));
}

}  // namespace
