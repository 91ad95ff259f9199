// The schedule record: defaults, properties, the tests it offers (window,
// holidays, past due), expiry, refused schedules and the date routines.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "task/sched_trigger.h"
#include "tests/task/sched_test_support.h"

using namespace schedtest;

namespace {

TEST(SchedTriggerDefaults, FieldsTakeTheConstructionTime)
{
    // 13 January 2025 10:20:30 and four tenths of a second.
    const COleDateTime now(45670.0 + (10 * 3600 + 20 * 60 + 30.4) / 86400.0);
    CSchedTrigger trigger(now);
    EXPECT_EQ("2025-01-13 10:20:30", Iso(trigger.GetNextSchedTime()));
    EXPECT_EQ("2025-01-13 10:20:30", Iso(trigger.GetLastExecTime()));
    EXPECT_EQ("2025-01-13 10:20:30", Iso(trigger.GetLastSchedTime()));
    EXPECT_EQ("2025-01-13 10:20:30", Iso(trigger.GetDurationTime()));
    EXPECT_EQ("2025-01-13 08:00:00", Iso(trigger.GetIntervalStartingTime()));
    EXPECT_EQ("2025-01-13 17:00:00", Iso(trigger.GetIntervalEndingTime()));
    EXPECT_EQ(1, trigger.GetMultiplier());
    EXPECT_EQ(1, trigger.GetWorkDayOfMonth());
    EXPECT_EQ(1, trigger.GetIntervalAmount());
    EXPECT_EQ(1, trigger.GetScheduledIndefinately());
    EXPECT_EQ(1, trigger.GetIncludeHolidays());
    EXPECT_EQ(0, trigger.GetFrequency());
    EXPECT_EQ(0, trigger.GetMonthRunType());
    EXPECT_EQ(0, trigger.GetIsAdvOptions());
    EXPECT_EQ(0, trigger.GetIsIntervalRange());
    EXPECT_EQ(0, trigger.GetDayOfMonth());
    EXPECT_EQ(0, trigger.GetHolidayCount());
    for (long day = 0; day < 7; ++day) {
        long selected = -1;
        ASSERT_EQ(S_OK, trigger.GetWeekDaySelected(day, &selected));
        EXPECT_EQ(1, selected);
    }
    for (long month = 0; month < 12; ++month) {
        long scheduled = -1;
        ASSERT_EQ(S_OK, trigger.GetIsMonthScheduled(month, &scheduled));
        EXPECT_EQ(1, scheduled);
    }
}

TEST(SchedTriggerDefaults, WorkDaysStartMondayToFriday)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    const long expected[7] = {1, 1, 1, 1, 1, 0, 0};
    for (long day = 0; day < 7; ++day) {
        long value = -1;
        ASSERT_EQ(S_OK, trigger.GetWorkDay(day, &value));
        EXPECT_EQ(expected[day], value) << "day " << day;
    }
}

TEST(SchedTriggerProperties, DateSettersDropFractionsOfASecond)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    const DATE withFraction = 45670.0 + (9 * 3600 + 15.3) / 86400.0;
    trigger.SetNextSchedTime(COleDateTime(withFraction));
    trigger.SetDurationTime(COleDateTime(withFraction));
    trigger.SetIntervalStartingTime(COleDateTime(withFraction));
    EXPECT_EQ(45670.0 + (9 * 3600 + 15) / 86400.0, trigger.GetNextSchedTime().m_dt);
    EXPECT_EQ("2025-01-13 09:00:15", Iso(trigger.GetDurationTime()));
    EXPECT_EQ("2025-01-13 09:00:15", Iso(trigger.GetIntervalStartingTime()));
}

struct IndexCase {
    HRESULT (CSchedTrigger::*get)(long, long*) const;
    HRESULT (CSchedTrigger::*set)(long, long);
    long count;
};

TEST(SchedTriggerProperties, IndexesOutOfRangeAreRefusedAndChangeNothing)
{
    const IndexCase cases[] = {
        {&CSchedTrigger::GetWeekDaySelected, &CSchedTrigger::SetWeekDaySelected, 7},
        {&CSchedTrigger::GetIsMonthScheduled, &CSchedTrigger::SetIsMonthScheduled, 12},
        {&CSchedTrigger::GetWorkDay, &CSchedTrigger::SetWorkDay, 7},
    };
    for (const IndexCase& c : cases) {
        CSchedTrigger trigger(T("2025-01-13 10:00:00"));
        std::vector<long> before;
        for (long i = 0; i < c.count; ++i) {
            long value = 0;
            (trigger.*c.get)(i, &value);
            before.push_back(value);
        }
        for (long bad : {-1L, c.count, c.count + 1, 32767L}) {
            long value = 12345;
            EXPECT_EQ(E_INVALIDARG, (trigger.*c.get)(bad, &value)) << bad;
            EXPECT_EQ(12345, value);
            EXPECT_EQ(E_INVALIDARG, (trigger.*c.set)(bad, 7)) << bad;
        }
        EXPECT_EQ(E_POINTER, (trigger.*c.get)(0, nullptr));
        for (long i = 0; i < c.count; ++i) {
            long value = 0;
            (trigger.*c.get)(i, &value);
            EXPECT_EQ(before[i], value);
        }
        // The last index in range is writable.
        EXPECT_EQ(S_OK, (trigger.*c.set)(c.count - 1, 5));
        long value = 0;
        EXPECT_EQ(S_OK, (trigger.*c.get)(c.count - 1, &value));
        EXPECT_EQ(5, value);
    }
}

TEST(SchedTriggerProperties, WindowGettersMoveOntoTodayWithoutWriting)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.SetIntervalStartingTime(T("2020-05-05 22:00:00"));
    trigger.SetIntervalEndingTime(T("2020-05-05 06:00:00"));
    const COleDateTime today = T("2025-01-13 10:00:00");
    EXPECT_EQ("2025-01-13 22:00:00", Iso(trigger.GetIntervalStartingTimeOn(today)));
    EXPECT_EQ("2025-01-14 06:00:00", Iso(trigger.GetIntervalEndingTimeOn(today)));
    EXPECT_EQ("2020-05-05 22:00:00", Iso(trigger.GetIntervalStartingTime()));
    EXPECT_EQ("2020-05-05 06:00:00", Iso(trigger.GetIntervalEndingTime()));

    trigger.SetIntervalEndingTime(T("2020-05-04 23:30:00"));
    EXPECT_EQ("2025-01-13 23:30:00", Iso(trigger.GetIntervalEndingTimeOn(today)));
}

TEST(SchedTriggerReSchedule, StoredWindowSurvivesReschedulingWithAndWithoutRange)
{
    for (long range : {0L, 1L}) {
        CSchedTrigger trigger(T("2025-01-13 10:00:00"));
        trigger.SetFrequency(kFrequencyDaily);
        Repeat(trigger, 1, 1);
        trigger.SetIsIntervalRange(range);
        trigger.SetIntervalStartingTime(T("2020-05-05 07:30:00"));
        trigger.SetIntervalEndingTime(T("2020-05-05 18:45:00"));
        trigger.SetNextSchedTime(T("2025-01-13 09:30:00"));
        ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-13 10:00:00")));
        EXPECT_EQ("2025-01-13 10:30:00", Iso(trigger.GetNextSchedTime()));
        EXPECT_EQ("2020-05-05 07:30:00", Iso(trigger.GetIntervalStartingTime()));
        EXPECT_EQ("2020-05-05 18:45:00", Iso(trigger.GetIntervalEndingTime()));
    }
}

TEST(SchedTriggerReSchedule, SavesThePreviousNextRunAsLastScheduled)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.SetFrequency(kFrequencyDaily);
    trigger.SetNextSchedTime(T("2025-01-13 09:00:00"));
    trigger.SetLastSchedTime(T("2025-01-12 09:00:00"));
    ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-13 10:00:00")));
    EXPECT_EQ("2025-01-13 09:00:00", Iso(trigger.GetLastSchedTime()));
    EXPECT_EQ("2025-01-14 09:00:00", Iso(trigger.GetNextSchedTime()));
    EXPECT_EQ("2025-01-13 10:00:00", Iso(trigger.GetRefTime()));
}

TEST(SchedTriggerReSchedule, KeepingAnAheadNextRunKeepsLastScheduled)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.SetFrequency(kFrequencyWeekly);
    Weekdays(trigger, "M------");
    trigger.SetNextSchedTime(T("2025-01-20 09:00:00"));
    trigger.SetLastSchedTime(T("2025-01-13 09:00:00"));
    ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-15 10:00:00")));
    EXPECT_EQ("2025-01-20 09:00:00", Iso(trigger.GetNextSchedTime()));
    EXPECT_EQ("2025-01-13 09:00:00", Iso(trigger.GetLastSchedTime()));
}

TEST(SchedTriggerReSchedule, AheadNextRunThatNoLongerFitsIsRecomputed)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.SetFrequency(kFrequencyWeekly);
    Weekdays(trigger, "-T-----");
    trigger.SetNextSchedTime(T("2025-01-20 09:00:00"));  // a Monday
    ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-15 10:00:00")));
    EXPECT_EQ("2025-01-21 09:00:00", Iso(trigger.GetNextSchedTime()));
}

TEST(SchedTriggerReSchedule, NotScheduledByTimeChangesNothing)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.SetFrequency(kFrequencyNotByTime);
    trigger.SetNextSchedTime(T("2025-01-10 09:00:00"));
    trigger.SetLastSchedTime(T("2025-01-09 09:00:00"));
    ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-13 10:00:00")));
    EXPECT_EQ("2025-01-10 09:00:00", Iso(trigger.GetNextSchedTime()));
    EXPECT_EQ("2025-01-09 09:00:00", Iso(trigger.GetLastSchedTime()));
}

TEST(SchedTriggerReSchedule, OneTimeWithoutRepeatStillSavesLastScheduled)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.SetNextSchedTime(T("2025-01-10 09:00:00"));
    trigger.SetLastSchedTime(T("2025-01-09 09:00:00"));
    ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-13 10:00:00")));
    EXPECT_EQ("2025-01-10 09:00:00", Iso(trigger.GetNextSchedTime()));
    EXPECT_EQ("2025-01-10 09:00:00", Iso(trigger.GetLastSchedTime()));
}

TEST(SchedTriggerReSchedule, OneTimeRepeatOverSetsLastScheduledToWindowEnd)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    Repeat(trigger, 1, 1, "08:00", "17:00");
    trigger.SetNextSchedTime(T("2025-01-13 18:00:00"));
    ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-13 18:00:00")));
    EXPECT_EQ("2025-01-13 17:00:00", Iso(trigger.GetNextSchedTime()));
    EXPECT_EQ("2025-01-13 17:00:00", Iso(trigger.GetLastSchedTime()));
}

struct ExpiryCase {
    long indefinitely;
    const char* end;
    bool expired;
};

TEST(SchedTriggerReSchedule, ExpiryComparesTheNewNextRunWithTheEndDate)
{
    // Daily at 09:00; the next run becomes 14 January 09:00.
    const ExpiryCase cases[] = {
        {0, "2025-01-14 09:00:01", false},
        {0, "2025-01-14 09:00:00", true},
        {0, "2025-01-13 12:00:00", true},
        {1, "2025-01-13 12:00:00", false},
        {1, "2030-01-01 00:00:00", false},
    };
    for (const ExpiryCase& c : cases) {
        CSchedTrigger trigger(T("2025-01-13 10:00:00"));
        trigger.SetFrequency(kFrequencyDaily);
        trigger.SetNextSchedTime(T("2025-01-13 09:00:00"));
        trigger.SetScheduledIndefinately(c.indefinitely);
        trigger.SetDurationTime(T(c.end));
        bool expired = !c.expired;
        ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-13 10:00:00"), &expired));
        EXPECT_EQ("2025-01-14 09:00:00", Iso(trigger.GetNextSchedTime()));
        EXPECT_EQ(c.expired, expired) << c.indefinitely << " " << c.end;
    }
}

struct RefusedCase {
    const char* name;
    Schedule setUp;
    HRESULT expected;
    const char* now;  // an hour after the next run when null
};

// Schedules that can never run come back at once with a reason and leave
// the next run and the last scheduled time alone.
TEST(SchedTriggerReSchedule, ImpossibleSchedulesAreRefusedQuickly)
{
    const RefusedCase cases[] = {
        {"weekly without weekday",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             Weekdays(t, "-------");
         },
         E_FAIL},
        {"weekly every 0 weeks",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             t.SetMultiplier(0);
         },
         E_INVALIDARG},
        {"daily every 0 days",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             t.SetMultiplier(0);
         },
         E_INVALIDARG},
        {"daily every -3 days",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             t.SetMultiplier(-3);
         },
         E_INVALIDARG},
        {"repeat every 0 minutes",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             Repeat(t, 0, 0, "08:00", "17:00");
         },
         E_INVALIDARG},
        {"repeat in unknown units",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             Repeat(t, 5, 2);
         },
         E_INVALIDARG},
        {"one time repeat every 0 hours",
         [](CSchedTrigger& t) { Repeat(t, 0, 1); },
         E_INVALIDARG},
        {"monthly same day without month",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             Months(t, "------------");
         },
         E_FAIL},
        {"monthly last day without month",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthLastDay);
             Months(t, "------------");
         },
         E_FAIL},
        {"n-th work day without work day",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthNthWorkDay);
             WorkDays(t, "-------");
         },
         E_FAIL},
        {"last work day without work day",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthLastWorkDay);
             WorkDays(t, "-------");
         },
         E_FAIL},
        {"n-th weekday with weekday 7",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(kMonthNthWeekday);
             t.SetDayOfWeek(7);
         },
         E_INVALIDARG},
        {"monthly run type 5",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyMonthly);
             t.SetMonthRunType(5);
         },
         E_INVALIDARG},
        {"frequency 9", [](CSchedTrigger& t) { t.SetFrequency(9); }, E_INVALIDARG},
        {"next run not a valid date",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             COleDateTime invalid;
             invalid.SetStatus(COleDateTime::invalid);
             t.SetNextSchedTime(invalid);
         },
         E_FAIL},
        {"weekly every 999 weeks beyond the year 9999",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             t.SetMultiplier(999);
             Weekdays(t, "------S");
             t.SetNextSchedTime(T("9999-12-26 09:00:00"));
         },
         E_FAIL},
        // Catching up day by day over decades exhausts the search budget.
        {"weekly repeat 80 years behind",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             Weekdays(t, "MTWTF--");
             Repeat(t, 1, 1, "08:00", "17:00");
             t.SetNextSchedTime(T("1945-01-15 09:00:00"));
             t.SetLastExecTime(T("1945-01-15 09:00:00"));
         },
         E_FAIL, "2025-01-13 10:00:00"},
        {"daily every 999 days beyond the year 9999",
         [](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             t.SetMultiplier(999);
             t.SetNextSchedTime(T("9999-12-26 09:00:00"));
         },
         E_FAIL},
    };
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (const RefusedCase& c : cases) {
        CSchedTrigger trigger(T("2025-01-13 10:00:00"));
        trigger.SetNextSchedTime(T("2025-01-13 09:00:00"));
        trigger.SetLastSchedTime(T("2025-01-12 09:00:00"));
        c.setUp(trigger);
        const COleDateTime nextBefore = trigger.GetNextSchedTime();
        const COleDateTime now = c.now != nullptr ? T(c.now)
                                 : nextBefore.GetStatus() == COleDateTime::valid
                                     ? nextBefore + COleDateTimeSpan(0, 1, 0, 0)
                                     : T("2025-01-13 10:00:00");
        LARGE_INTEGER begin;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&begin);
        bool expired = true;
        const HRESULT hr = trigger.ReSchedule(now, &expired);
        QueryPerformanceCounter(&end);
        const double ms = (end.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart;
        EXPECT_EQ(c.expected, hr) << c.name;
        EXPECT_FALSE(trigger.GetErrorText().IsEmpty()) << c.name;
        EXPECT_FALSE(expired) << c.name;
        EXPECT_EQ(nextBefore.m_dt, trigger.GetNextSchedTime().m_dt) << c.name;
        EXPECT_EQ(nextBefore.GetStatus(), trigger.GetNextSchedTime().GetStatus()) << c.name;
        EXPECT_EQ("2025-01-12 09:00:00", Iso(trigger.GetLastSchedTime())) << c.name;
        EXPECT_LT(ms, 10.0) << c.name;
    }
}

TEST(SchedTriggerReSchedule, ErrorTextClearedByNextSuccess)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.SetFrequency(kFrequencyWeekly);
    Weekdays(trigger, "-------");
    trigger.SetNextSchedTime(T("2025-01-13 09:00:00"));
    ASSERT_EQ(E_FAIL, trigger.ReSchedule(T("2025-01-13 10:00:00")));
    EXPECT_STREQ("The weekly schedule has no day of the week selected.", trigger.GetErrorText());
    Weekdays(trigger, "M------");
    ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-13 10:00:00")));
    EXPECT_TRUE(trigger.GetErrorText().IsEmpty());
    EXPECT_EQ("2025-01-20 09:00:00", Iso(trigger.GetNextSchedTime()));
}

struct PastDueCase {
    const char* next;
    long offset;
    long expected;
};

TEST(SchedTriggerPastDue, NextBeforeReferenceLessOffset)
{
    const COleDateTime ref = T("2025-01-13 10:00:00");
    const PastDueCase cases[] = {
        {"2025-01-13 10:00:00", 0, 0},  {"2025-01-13 09:59:59", 0, 1},
        {"2025-01-13 09:59:50", 10, 0}, {"2025-01-13 09:59:49", 10, 1},
        {"2025-01-13 09:59:59", -5, 1}, {"2025-01-13 10:00:01", 0, 0},
        {"2025-01-13 09:59:30", 10, 1},
    };
    for (const PastDueCase& c : cases) {
        CSchedTrigger trigger(ref);
        trigger.SetNextSchedTime(T(c.next));
        EXPECT_EQ(c.expected, trigger.IsNextPastDue(ref, c.offset)) << c.next << " " << c.offset;
    }
}

struct WindowCase {
    const char* start;
    const char* end;
    long range;
    const char* ref;
    const char* t;
    bool inside;
};

TEST(SchedTriggerWindow, DailyWindowTest)
{
    const WindowCase cases[] = {
        {"08:00", "17:00", 1, "2025-01-13 07:00:00", "2025-01-13 08:00:00", true},
        {"08:00", "17:00", 1, "2025-01-13 07:00:00", "2025-01-13 07:59:59", false},
        {"08:00", "17:00", 1, "2025-01-13 07:00:00", "2025-01-13 17:00:20", true},
        {"08:00", "17:00", 1, "2025-01-13 07:00:00", "2025-01-13 17:00:21", false},
        {"08:00", "17:00", 0, "2025-01-13 07:00:00", "2025-01-13 03:00:00", true},
        {"22:00", "02:00", 1, "2025-01-13 23:00:00", "2025-01-14 01:00:00", true},
        {"22:00", "02:00", 1, "2025-01-13 23:00:00", "2025-01-14 02:00:20", true},
        {"22:00", "02:00", 1, "2025-01-13 23:00:00", "2025-01-14 02:00:21", false},
        {"22:00", "02:00", 1, "2025-01-13 23:00:00", "2025-01-13 23:30:00", true},
        {"22:00", "02:00", 1, "2025-01-13 23:00:00", "2025-01-13 21:59:59", false},
    };
    for (const WindowCase& c : cases) {
        CSchedTrigger trigger(T("2025-01-13 10:00:00"));
        trigger.SetFrequency(kFrequencyNotByTime);
        trigger.SetIsIntervalRange(c.range);
        trigger.SetIntervalStartingTime(T((std::string("2000-06-15 ") + c.start).c_str()));
        trigger.SetIntervalEndingTime(T((std::string("2000-06-15 ") + c.end).c_str()));
        ASSERT_EQ(S_OK, trigger.ReSchedule(T(c.ref)));  // sets RefTime
        EXPECT_EQ(c.inside, trigger.InDailyWindow(T(c.t))) << c.start << "-" << c.end << " " << c.t;
    }
}

TEST(SchedTriggerWindow, ValidRunTimeNeedsLaterWindowAndNoHoliday)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.SetFrequency(kFrequencyNotByTime);
    Repeat(trigger, 1, 1, "08:00", "17:00");
    Holidays(trigger, {"2025-01-14 00:00:00"});
    ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-13 10:00:00")));
    EXPECT_TRUE(trigger.IsValidRunTime(T("2025-01-13 10:00:01")));
    EXPECT_FALSE(trigger.IsValidRunTime(T("2025-01-13 10:00:00")));
    EXPECT_FALSE(trigger.IsValidRunTime(T("2025-01-13 18:00:00")));
    EXPECT_FALSE(trigger.IsValidRunTime(T("2025-01-14 09:00:00")));
    EXPECT_TRUE(trigger.IsValidRunTime(T("2025-01-15 09:00:00")));
}

TEST(SchedTriggerHolidays, HolidayMatchesAnyTimeOnItsDate)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.AddHoliday(T("2025-01-14 15:30:00"));
    trigger.AddHoliday(T("2024-02-29 00:00:00"));
    EXPECT_TRUE(trigger.IsHoliday(T("2025-01-14 00:00:00")));
    EXPECT_TRUE(trigger.IsHoliday(T("2025-01-14 23:59:59")));
    EXPECT_FALSE(trigger.IsHoliday(T("2025-01-15 00:00:00")));
    EXPECT_FALSE(trigger.IsHoliday(T("2025-01-13 23:59:59")));
    EXPECT_FALSE(trigger.IsHoliday(T("1925-01-14 12:00:00")));
    EXPECT_TRUE(trigger.IsHoliday(T("2024-02-29 12:00:00")));
    // Holidays count only when excluded.
    EXPECT_TRUE(trigger.HolidayAllowed(T("2025-01-14 12:00:00")));
    trigger.SetIncludeHolidays(0);
    EXPECT_FALSE(trigger.HolidayAllowed(T("2025-01-14 12:00:00")));
    EXPECT_TRUE(trigger.HolidayAllowed(T("2025-01-15 12:00:00")));
    trigger.ClearHolidays();
    EXPECT_EQ(0, trigger.GetHolidayCount());
    EXPECT_TRUE(trigger.HolidayAllowed(T("2025-01-14 12:00:00")));
}

struct AddMonthsCase {
    const char* t;
    int n;
    const char* expected;
};

TEST(SchedTriggerDates, AddMonthsClampsToTheMonthsLastDay)
{
    const AddMonthsCase cases[] = {
        {"2025-01-31 10:00:00", 1, "2025-02-28 10:00:00"},
        {"2024-01-31 10:00:00", 1, "2024-02-29 10:00:00"},
        {"2025-01-31 10:00:00", 0, "2025-02-28 10:00:00"},
        {"2025-03-31 10:00:00", 1, "2025-04-30 10:00:00"},
        {"2025-11-30 10:00:00", 3, "2026-02-28 10:00:00"},
        {"2025-12-15 10:00:00", 1, "2026-01-15 10:00:00"},
        {"2025-01-29 10:00:00", 13, "2026-02-28 10:00:00"},
        {"2024-02-29 10:00:00", 12, "2025-02-28 10:00:00"},
        {"9999-12-15 10:00:00", 1, "9999-12-15 10:00:00"},
    };
    for (const AddMonthsCase& c : cases)
        EXPECT_EQ(c.expected, Iso(CSchedTrigger::AddMonths(T(c.t), c.n))) << c.t << " + " << c.n;
}

struct LastDayCase {
    const char* months;
    const char* t;
    const char* expected;
};

TEST(SchedTriggerDates, LastDayOfFirstScheduledMonth)
{
    const LastDayCase cases[] = {
        {"JFMAMJJASOND", "2025-02-10 07:00:00", "2025-02-28 07:00:00"},
        {"JFMAMJJASOND", "2024-02-10 07:00:00", "2024-02-29 07:00:00"},
        {"-----------D", "2025-11-05 08:00:00", "2025-12-31 08:00:00"},
        {"J-----------", "2025-11-05 08:00:00", "2026-01-31 08:00:00"},
        {"-F----------", "2023-03-01 08:00:00", "2024-02-29 08:00:00"},
        {"------------", "2025-03-10 06:00:00", "2026-02-28 06:00:00"},
    };
    for (const LastDayCase& c : cases) {
        CSchedTrigger trigger(T("2025-01-13 10:00:00"));
        Months(trigger, c.months);
        EXPECT_EQ(c.expected, Iso(trigger.LastDayBeforeScheduledMonth(T(c.t)))) << c.months;
    }
}

TEST(SchedTriggerDates, WeekdayFromMonday)
{
    EXPECT_EQ(0, CSchedTrigger::WeekdayOf(T("2025-01-13 10:00:00")));
    EXPECT_EQ(2, CSchedTrigger::WeekdayOf(T("2025-01-01 00:00:00")));
    EXPECT_EQ(6, CSchedTrigger::WeekdayOf(T("2025-01-19 23:59:59")));
    EXPECT_EQ(3, CSchedTrigger::WeekdayOf(T("2024-02-29 12:00:00")));
    // 30 December 1899, the zero date, was a Saturday; the day before a Friday.
    EXPECT_EQ(5, CSchedTrigger::WeekdayOf(COleDateTime(0.0)));
    EXPECT_EQ(4, CSchedTrigger::WeekdayOf(COleDateTime(-1.25)));
}

TEST(SchedTriggerDates, DateAndTimeParts)
{
    const COleDateTime a = T("2025-01-13 10:20:30");
    const COleDateTime b = T("2024-02-29 23:59:58");
    EXPECT_EQ("2024-02-29 10:20:30", Iso(CSchedTrigger::SetDatePart(a, b)));
    EXPECT_EQ("2025-01-13 23:59:58", Iso(CSchedTrigger::SetTimePart(a, b)));
    EXPECT_TRUE(CSchedTrigger::SameDay(T("2025-01-13 00:00:00"), T("2025-01-13 23:59:59")));
    EXPECT_FALSE(CSchedTrigger::SameDay(T("2025-01-13 23:59:59"), T("2025-01-14 00:00:00")));
    // Before 1900 the fraction of an automation date counts forward.
    EXPECT_TRUE(CSchedTrigger::SameDay(COleDateTime(-1.25), COleDateTime(-1.75)));
    EXPECT_FALSE(CSchedTrigger::SameDay(COleDateTime(-1.25), COleDateTime(-0.75)));
}

TEST(SchedTriggerTexts, DateTimeStringSelectors)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    trigger.SetLastExecTime(T("2025-01-11 10:00:07"));
    trigger.SetLastSchedTime(T("2025-01-12 11:00:08"));
    trigger.SetNextSchedTime(T("2025-01-13 09:00:09"));

    const CString executed = trigger.GetDateTimeString("LAST_EXECUTED");
    const CString scheduled = trigger.GetDateTimeString("LAST_SCHEDULED");
    const CString next = trigger.GetDateTimeString("NEXT_SCHEDULED");
    EXPECT_NE(-1, executed.Find("10:00:07")) << executed;
    EXPECT_NE(-1, executed.Find("11")) << executed;
    EXPECT_NE(-1, scheduled.Find("11:00:08")) << scheduled;
    EXPECT_NE(-1, next.Find("9:00:09")) << next;
    EXPECT_EQ(executed, trigger.GetDateTimeString(""));
    EXPECT_EQ(executed, trigger.GetDateTimeString(nullptr));
    EXPECT_EQ(next, trigger.GetNextScheduleText());

    // Selectors are exact; anything else formats the zero date.
    CSchedTrigger zero(T("2025-01-13 10:00:00"));
    zero.SetLastExecTime(COleDateTime(0.0));
    const CString zeroText = zero.GetDateTimeString("LAST_EXECUTED");
    for (const char* unknown : {"next_scheduled", "NEXT", "LAST_EXECUTED "}) {
        EXPECT_EQ(zeroText, trigger.GetDateTimeString(unknown)) << unknown;
        EXPECT_NE(next, trigger.GetDateTimeString(unknown)) << unknown;
        EXPECT_NE(executed, trigger.GetDateTimeString(unknown)) << unknown;
    }
}

}  // namespace
