// Nanoseconds per CSchedTrigger::ReSchedule, rule by rule.
//
// Each case starts from a next run one period behind the reference time, so
// that one rescheduling moves it one period on. A sample times a batch of
// reschedulings (each preceded by putting the next run back, which costs a
// few nanoseconds and is included); the figure printed is the median of the
// samples, the worst sample beside it. Run:
//   <build>/wine-run.sh <build>/task/sched_bench.exe
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "task/sched_trigger.h"

namespace {

constexpr int kMaxBatch = 2000;
constexpr int kSamples = 301;

struct Case {
    const char* name;
    std::function<void(CSchedTrigger&)> setUp;
    COleDateTime next;
    COleDateTime ref;
    double limitNs;
};

COleDateTime At(int y, int mo, int d, int h, int mi = 0, int s = 0)
{
    return COleDateTime(y, mo, d, h, mi, s);
}

void Intervals(CSchedTrigger& t, long amount, long type, bool range)
{
    t.SetIsAdvOptions(1);
    t.SetIntervalAmount(amount);
    t.SetIntervalType(type);
    t.SetIsIntervalRange(range ? 1 : 0);
    t.SetIntervalStartingTime(At(2025, 1, 1, 8));
    t.SetIntervalEndingTime(At(2025, 1, 1, 17));
}

void OnlyWeekdays(CSchedTrigger& t, std::initializer_list<int> days)
{
    for (long d = 0; d < 7; ++d)
        t.SetWeekDaySelected(d, 0);
    for (int d : days)
        t.SetWeekDaySelected(d, 1);
}

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Median nanoseconds per ReSchedule; false when a rescheduling fails
// unexpectedly or gives a time not later than the reference.
bool Measure(const Case& c, bool expectFailure, double& ns, double& worstNs)
{
    CSchedTrigger trigger(c.ref);
    c.setUp(trigger);
    trigger.SetNextSchedTime(c.next);
    trigger.SetLastExecTime(c.next);
    const HRESULT first = trigger.ReSchedule(c.ref);
    if (expectFailure != FAILED(first))
        return false;
    if (!expectFailure && !(trigger.GetNextSchedTime() > c.ref))
        return false;

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    // Batches of about a fifth of a millisecond, however slow the case.
    LARGE_INTEGER begin;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&begin);
    for (int i = 0; i < 10; ++i) {
        trigger.SetNextSchedTime(c.next);
        trigger.ReSchedule(c.ref);
    }
    QueryPerformanceCounter(&end);
    const double estimateNs = static_cast<double>(end.QuadPart - begin.QuadPart) * 1e9 /
                              static_cast<double>(frequency.QuadPart) / 10;
    const int batch = static_cast<int>(std::clamp(200000.0 / std::max(estimateNs, 1.0), 1.0,
                                                  static_cast<double>(kMaxBatch)));
    std::vector<double> samples;
    samples.reserve(kSamples);
    for (int s = 0; s < kSamples; ++s) {
        QueryPerformanceCounter(&begin);
        for (int i = 0; i < batch; ++i) {
            trigger.SetNextSchedTime(c.next);
            trigger.ReSchedule(c.ref);
        }
        QueryPerformanceCounter(&end);
        samples.push_back(static_cast<double>(end.QuadPart - begin.QuadPart) * 1e9 /
                          static_cast<double>(frequency.QuadPart) / batch);
    }
    ns = Median(samples);
    worstNs = *std::max_element(samples.begin(), samples.end());
    return true;
}

}  // namespace

int main()
{
    // Monday 13 January 2025 10:00 is the reference time of the cases.
    const COleDateTime ref = At(2025, 1, 13, 10);
    std::vector<Case> cases = {
        {"one time, every hour", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyOneTime);
             Intervals(t, 1, 1, false);
         }, At(2025, 1, 13, 9), ref, 300},
        {"daily", [](CSchedTrigger& t) { t.SetFrequency(kFrequencyDaily); },
         At(2025, 1, 12, 9), ref, 300},
        {"daily, every 3 days", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             t.SetMultiplier(3);
         }, At(2025, 1, 10, 9), ref, 300},
        {"daily, every hour 08-17", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             Intervals(t, 1, 1, true);
         }, At(2025, 1, 13, 9), ref, 300},
        {"weekly, Monday", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             OnlyWeekdays(t, {0});
         }, At(2025, 1, 6, 9), ref, 300},
        {"weekly, every 2 weeks Mon+Wed", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             t.SetMultiplier(2);
             OnlyWeekdays(t, {0, 2});
         }, At(2024, 12, 30, 9), ref, 300},
        {"weekly Mon-Fri, every 30 min 08-17", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             OnlyWeekdays(t, {0, 1, 2, 3, 4});
             Intervals(t, 30, 0, true);
         }, At(2025, 1, 13, 9, 30), ref, 300},
        {"monthly, same day", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthSameDay);
         }, At(2024, 12, 13, 9), ref, 300},
        {"monthly, same day every hour", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthSameDay);
             Intervals(t, 1, 1, true);
         }, At(2025, 1, 13, 9), ref, 300},
        {"monthly, last day", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthLastDay);
         }, At(2024, 12, 31, 9), ref, 300},
        {"monthly, second Tuesday", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthNthWeekday);
             t.SetDayOfMonth(2);
             t.SetDayOfWeek(1);
         }, At(2024, 12, 10, 9), ref, 300},
        {"monthly, last Friday", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthNthWeekday);
             t.SetDayOfMonth(6);
             t.SetDayOfWeek(4);
         }, At(2024, 12, 27, 9), ref, 300},
        {"monthly, 10th work day", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthNthWorkDay);
             t.SetWorkDayOfMonth(10);
         }, At(2024, 12, 13, 9), ref, 300},
        {"monthly, last work day", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthLastWorkDay);
         }, At(2024, 12, 31, 9), ref, 300},
        {"daily, a year of holidays ahead", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             t.SetIncludeHolidays(0);
             for (int d = 1; d <= 365; ++d)
                 t.AddHoliday(At(2025, 1, 13, 0) + COleDateTimeSpan(d, 0, 0, 0));
         }, At(2025, 1, 13, 9), ref, 5000},
        {"weekly Mon-Fri, a year of public holidays", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             OnlyWeekdays(t, {0, 1, 2, 3, 4});
             t.SetIncludeHolidays(0);
             const int holidays[][2] = {{1, 1}, {1, 14}, {1, 15}, {1, 16}, {1, 17}, {1, 20},
                                        {4, 18}, {4, 21}, {5, 1}, {5, 29}, {6, 9}, {8, 15},
                                        {10, 3}, {11, 1}, {12, 24}, {12, 25}, {12, 26}};
             for (const auto& h : holidays)
                 t.AddHoliday(At(2025, h[0], h[1], 0));
         }, At(2025, 1, 10, 9), ref, 5000},
    };
    std::vector<Case> impossible = {
        {"weekly, no weekday", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             OnlyWeekdays(t, {});
         }, At(2025, 1, 6, 9), ref, 1e6},
        {"monthly, no month", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             for (long m = 0; m < 12; ++m)
                 t.SetIsMonthScheduled(m, 0);
         }, At(2024, 12, 13, 9), ref, 1e6},
        {"monthly n-th work day, no work day", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthNthWorkDay);
             for (long d = 0; d < 7; ++d)
                 t.SetWorkDay(d, 0);
         }, At(2024, 12, 13, 9), ref, 1e6},
        {"daily, multiplier 0", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             t.SetMultiplier(0);
         }, At(2025, 1, 12, 9), ref, 1e6},
        {"daily, interval amount 0", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             Intervals(t, 0, 0, true);
         }, At(2025, 1, 12, 9), ref, 1e6},
        // Catching up day by day from a run 80 years back exhausts the
        // search budget: the worst a schedule can cost.
        {"weekly repeat, 80 years behind (search limit)", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             OnlyWeekdays(t, {0, 1, 2, 3, 4});
             Intervals(t, 1, 1, true);
         }, At(1945, 1, 15, 9), ref, 1e6},
        {"weekly every 999 weeks, beyond the year 9999", [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             t.SetMultiplier(999);
             OnlyWeekdays(t, {6});
         }, At(9999, 12, 27, 9), At(9999, 12, 27, 10), 1e6},
    };

    int failures = 0;
    std::printf("%-46s %12s %12s %10s\n", "case", "median ns", "worst ns", "limit ns");
    auto run = [&](const Case& c, bool expectFailure) {
        double ns = 0;
        double worst = 0;
        if (!Measure(c, expectFailure, ns, worst)) {
            std::printf("%-46s unexpected result\n", c.name);
            ++failures;
            return;
        }
        const bool ok = ns < c.limitNs;
        failures += ok ? 0 : 1;
        std::printf("%-46s %12.1f %12.1f %10.0f%s\n", c.name, ns, worst, c.limitNs,
                    ok ? "" : "  OVER");
    };
    for (const Case& c : cases)
        run(c, false);
    std::printf("impossible schedules (refused):\n");
    for (const Case& c : impossible)
        run(c, true);
    return failures == 0 ? 0 : 1;
}
