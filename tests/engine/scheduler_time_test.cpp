// The scheduler object's GetTime gives the current time in UTC. CTest runs
// this program in a time zone five and a half hours east of UTC (TZ), so that
// the local time and UTC differ and a GetTime that answered the local time
// would be caught.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/scheduler.h"
#include "engine_test_support.h"

namespace enginetest {
namespace {

using tvx::com::ComObject;
using tvx::com::ComPtr;

constexpr double kSecond = 1.0 / 86400;

DATE AsDate(const SYSTEMTIME& time)
{
    DATE date = 0;
    SystemTimeToVariantTime(const_cast<SYSTEMTIME*>(&time), &date);
    return date;
}

TEST(SchedulerTime, GetTimeGivesTheCurrentTimeInUtcWhereLocalTimeIsAnother)
{
    ClearEngineFiles();
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    SYSTEMTIME utc_now;
    SYSTEMTIME local_now;
    GetSystemTime(&utc_now);
    GetLocalTime(&local_now);
    const double zone_hours = (AsDate(local_now) - AsDate(utc_now)) * 24;
    ASSERT_GT(std::fabs(zone_hours), 1.0) << "this test must run where local time is not UTC (set TZ)";

    ComPtr<IQVScheduler> scheduler;
    ASSERT_HRESULT_SUCCEEDED(ComObject<CQVScheduler>::Create(nullptr, IID_IQVScheduler, scheduler.ReceiveVoid()))
        << Narrow(TakeErrorDescription());
    SYSTEMTIME before;
    GetSystemTime(&before);
    DATE engine_time = 0;
    ASSERT_HRESULT_SUCCEEDED(scheduler->GetTime(&engine_time));
    SYSTEMTIME after;
    GetSystemTime(&after);
    EXPECT_GE(engine_time, AsDate(before) - kSecond);
    EXPECT_LE(engine_time, AsDate(after) + kSecond);
    EXPECT_EQ(scheduler->GetTime(nullptr), E_POINTER);
}

}  // namespace
}  // namespace enginetest
