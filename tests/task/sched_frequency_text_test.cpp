// The schedule's description in the task list.
#include <gtest/gtest.h>

#include <string>

#include "task/sched_trigger.h"
#include "tests/task/sched_test_support.h"

using namespace schedtest;

namespace {

struct TextCase {
    Schedule setUp;
    const char* expected;
};

void Monthly(CSchedTrigger& t, long runType)
{
    t.SetFrequency(kFrequencyMonthly);
    t.SetMonthRunType(runType);
}

TEST(SchedFrequencyText, ReadsAsASentence)
{
    const TextCase cases[] = {
        {[](CSchedTrigger& t) { t.SetFrequency(kFrequencyOneTime); }, "One Time "},
        {[](CSchedTrigger& t) { t.SetFrequency(kFrequencyDaily); }, "Daily "},
        {[](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             t.SetMultiplier(3);
         },
         "Daily - Every 3 days "},
        {[](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             t.SetMultiplier(2);
             Weekdays(t, "M---F--");
         },
         "Weekly - Every 2 weeks on M---F-- "},
        {[](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             t.SetUseWeekType(1);
             Weekdays(t, "MTWTF--");
         },
         "Workdays on MTWTF-- "},
        {[](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             t.SetUseWeekType(2);
             Weekdays(t, "-----SS");
         },
         "Non Workdays on -----SS "},
        // Only a flag of exactly 1 shows its letter.
        {[](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             Weekdays(t, "-------");
             t.SetWeekDaySelected(0, 2);
             t.SetWeekDaySelected(6, 1);
         },
         "Weekly on ------S "},
        {[](CSchedTrigger& t) { Monthly(t, kMonthSameDay); },
         "Monthly - on the next scheduled time"},
        {[](CSchedTrigger& t) { Monthly(t, kMonthLastDay); },
         "Monthly - on the last day of the month"},
        {[](CSchedTrigger& t) {
             Monthly(t, kMonthNthWeekday);
             t.SetDayOfMonth(2);
             t.SetDayOfWeek(1);
         },
         "Monthly - on the second Tues. "},
        {[](CSchedTrigger& t) {
             Monthly(t, kMonthNthWeekday);
             t.SetDayOfMonth(6);
             t.SetDayOfWeek(6);
         },
         "Monthly - on the last Sun. "},
        {[](CSchedTrigger& t) { Monthly(t, kMonthLastWorkDay); },
         "Monthly - on the last work day "},
        {[](CSchedTrigger& t) { t.SetFrequency(kFrequencyNotByTime); }, "On Condition"},
        {[](CSchedTrigger& t) { t.SetFrequency(7); }, ""},
        // The interval part, with a blank before it where the text so far
        // has none.
        {[](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             Repeat(t, 5, 0);
         },
         "Daily at 5 minute intervals"},
        {[](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyWeekly);
             Weekdays(t, "MTWTF--");
             Repeat(t, 30, 0);
         },
         "Weekly on MTWTF-- at 30 minute intervals"},
        {[](CSchedTrigger& t) {
             Monthly(t, kMonthSameDay);
             Repeat(t, 15, 0);
         },
         "Monthly - on the next scheduled time at 15 minute intervals"},
        {[](CSchedTrigger& t) {
             Monthly(t, kMonthLastDay);
             Repeat(t, 2, 1);
         },
         "Monthly - on the last day of the month at 2 hour intervals"},
        {[](CSchedTrigger& t) {
             Monthly(t, kMonthLastWorkDay);
             Repeat(t, 1, 1);
         },
         "Monthly - on the last work day at 1 hour intervals"},
        {[](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyNotByTime);
             Repeat(t, 10, 0);
         },
         "On Condition at 10 minute intervals"},
        {[](CSchedTrigger& t) {
             t.SetFrequency(kFrequencyDaily);
             Repeat(t, 10, 2);
         },
         "Daily "},
    };
    for (const TextCase& c : cases) {
        CSchedTrigger trigger(T("2025-01-13 10:00:00"));
        c.setUp(trigger);
        EXPECT_STREQ(c.expected, trigger.GetFrequencyText());
    }
}

struct WeekdayOrdinalCase {
    long dayOfMonth;
    const char* ordinal;
};

// The n-th weekday rule runs on the first occurrence for a DayOfMonth below
// 2 and on the last for one of 6 or more; the text names the occurrence the
// run really falls on.
TEST(SchedFrequencyText, NthWeekdayNamesTheOccurrenceTheRuleRunsOn)
{
    const WeekdayOrdinalCase cases[] = {
        {-4, "first"}, {0, "first"}, {1, "first"}, {2, "second"}, {3, "third"}, {4, "fourth"},
        {5, "fifth"},  {6, "last"},  {7, "last"},  {31, "last"},   {32767, "last"},
    };
    for (const WeekdayOrdinalCase& c : cases) {
        CSchedTrigger trigger(T("2025-01-13 10:00:00"));
        Monthly(trigger, kMonthNthWeekday);
        trigger.SetDayOfMonth(c.dayOfMonth);
        trigger.SetDayOfWeek(2);  // Wednesday
        EXPECT_EQ(std::string("Monthly - on the ") + c.ordinal + " Wed. ", static_cast<const char*>(trigger.GetFrequencyText()))
            << "DayOfMonth " << c.dayOfMonth;

        const std::string ordinal = c.ordinal;
        if (ordinal != "first" && ordinal != "last")
            continue;
        trigger.SetNextSchedTime(T("2025-01-13 09:00:00"));
        trigger.SetLastExecTime(T("2025-01-13 09:00:00"));
        ASSERT_EQ(S_OK, trigger.ReSchedule(T("2025-01-13 10:00:00"))) << trigger.GetErrorText();
        // After 13 January 2025 the first Wednesday is 5 February, the last
        // one 29 January.
        EXPECT_EQ(ordinal == "first" ? "2025-02-05 09:00:00" : "2025-01-29 09:00:00",
                  Iso(trigger.GetNextSchedTime()))
            << "DayOfMonth " << c.dayOfMonth;
    }
}

struct OrdinalCase {
    long n;
    const char* expected;
};

TEST(SchedFrequencyText, WorkDayOrdinalsAreEnglish)
{
    const OrdinalCase cases[] = {
        {1, "Monthly - on the 1st work day "},   {2, "Monthly - on the 2nd work day "},
        {3, "Monthly - on the 3rd work day "},   {4, "Monthly - on the 4th work day "},
        {11, "Monthly - on the 11th work day "}, {12, "Monthly - on the 12th work day "},
        {13, "Monthly - on the 13th work day "}, {21, "Monthly - on the 21st work day "},
        {22, "Monthly - on the 22nd work day "}, {23, "Monthly - on the 23rd work day "},
        {24, "Monthly - on the 24th work day "}, {31, "Monthly - on the 31st work day "},
        {111, "Monthly - on the 111th work day "},
    };
    for (const OrdinalCase& c : cases) {
        CSchedTrigger trigger(T("2025-01-13 10:00:00"));
        Monthly(trigger, kMonthNthWorkDay);
        trigger.SetWorkDayOfMonth(c.n);
        EXPECT_STREQ(c.expected, trigger.GetFrequencyText());
    }
}

}  // namespace
