// The DelayedStart countdown: counting, being cut short by another thread,
// being taken over by a newer countdown, and closing for the engine's end.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "engine/startup_countdown.h"

namespace {

TEST(StartupCountdown, CountsDownToZeroOneSecondAtATime)
{
    StartupCountdown countdown;
    const unsigned ticket = countdown.Begin(2);
    EXPECT_TRUE(countdown.Running());
    const DWORD start = GetTickCount();
    EXPECT_TRUE(countdown.WaitOneSecond(ticket));
    EXPECT_EQ(countdown.Count(ticket), 1);
    EXPECT_TRUE(countdown.WaitOneSecond(ticket));
    EXPECT_EQ(countdown.Count(ticket), 0);
    EXPECT_GE(GetTickCount() - start, 1900u);
    EXPECT_FALSE(countdown.Running());
}

TEST(StartupCountdown, EndFromAnotherThreadWakesTheWaiterWithoutAStart)
{
    StartupCountdown countdown;
    const unsigned ticket = countdown.Begin(30);
    std::thread ender([&] {
        Sleep(200);
        EXPECT_TRUE(countdown.End());
    });
    const DWORD start = GetTickCount();
    EXPECT_FALSE(countdown.WaitOneSecond(ticket));
    EXPECT_LT(GetTickCount() - start, 900u);
    ender.join();
    EXPECT_EQ(countdown.Count(ticket), -1);
    EXPECT_FALSE(countdown.End()) << "nothing was running any more";
}

TEST(StartupCountdown, NewerCountdownTakesOverFromTheOlder)
{
    StartupCountdown countdown;
    const unsigned older = countdown.Begin(5);
    const unsigned newer = countdown.Begin(5);
    EXPECT_FALSE(countdown.WaitOneSecond(older));
    EXPECT_EQ(countdown.Count(older), -1);
    EXPECT_EQ(countdown.Count(newer), 4);
}

TEST(StartupCountdown, ClosedCountdownRefusesEveryLaterOne)
{
    StartupCountdown countdown;
    const unsigned running = countdown.Begin(5);
    countdown.Close();
    EXPECT_FALSE(countdown.WaitOneSecond(running));
    const unsigned later = countdown.Begin(5);
    EXPECT_FALSE(countdown.Running());
    const DWORD start = GetTickCount();
    EXPECT_FALSE(countdown.WaitOneSecond(later));
    EXPECT_LT(GetTickCount() - start, 500u);
}

}  // namespace
