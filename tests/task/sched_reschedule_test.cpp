// Next run after ReSchedule, rule by rule. Every expected date was worked
// out by hand from the calendar (1 January 2025 is a Wednesday; 2024 is a
// leap year) and the rules of the schedule, not by running the code.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "task/sched_trigger.h"
#include "tests/task/sched_test_support.h"

using namespace schedtest;

namespace {

struct NextRunCase {
    const char* name;
    Schedule setUp;
    const char* next;      // NextSchedTime before
    const char* ref;       // the current time given to ReSchedule
    const char* expected;  // NextSchedTime after
    const char* lastExec;  // LastExecTime; the next time when null
};

void PrintTo(const NextRunCase& c, std::ostream* os)
{
    *os << c.name;
}

class NextRun : public testing::TestWithParam<NextRunCase> {};

TEST_P(NextRun, ReScheduleGivesTheWorkedOutDate)
{
    const NextRunCase& c = GetParam();
    CSchedTrigger trigger(T(c.ref));
    c.setUp(trigger);
    trigger.SetNextSchedTime(T(c.next));
    trigger.SetLastExecTime(T(c.lastExec != nullptr ? c.lastExec : c.next));

    ASSERT_EQ(S_OK, trigger.ReSchedule(T(c.ref))) << trigger.GetErrorText();
    EXPECT_EQ(c.expected, Iso(trigger.GetNextSchedTime()));
    EXPECT_TRUE(trigger.GetErrorText().IsEmpty());
    EXPECT_EQ(c.ref, Iso(trigger.GetRefTime()).substr(0, std::string(c.ref).size()));
}

std::string CaseName(const testing::TestParamInfo<NextRunCase>& info)
{
    return info.param.name;
}

void Daily(CSchedTrigger& t, long multiplier = 1)
{
    t.SetFrequency(kFrequencyDaily);
    t.SetMultiplier(multiplier);
}

void Weekly(CSchedTrigger& t, const char* days, long multiplier = 1)
{
    t.SetFrequency(kFrequencyWeekly);
    t.SetMultiplier(multiplier);
    Weekdays(t, days);
}

void Monthly(CSchedTrigger& t, long runType)
{
    t.SetFrequency(kFrequencyMonthly);
    t.SetMonthRunType(runType);
}

void NthWeekday(CSchedTrigger& t, long ordinal, long weekday)
{
    Monthly(t, kMonthNthWeekday);
    t.SetDayOfMonth(ordinal);
    t.SetDayOfWeek(weekday);
}

void NthWorkDay(CSchedTrigger& t, long n)
{
    Monthly(t, kMonthNthWorkDay);
    t.SetWorkDayOfMonth(n);
}

const NextRunCase kOneTime[] = {
    {"WithoutRepeatStays", [](CSchedTrigger& t) { t.SetFrequency(kFrequencyOneTime); },
     "2025-01-10 09:00:00", "2025-01-13 10:00:00", "2025-01-10 09:00:00"},
    {"RepeatStepsToNextHourOfTheDay",
     [](CSchedTrigger& t) { Repeat(t, 1, 1); },
     "2025-01-13 09:00:00", "2025-01-13 09:00:00", "2025-01-13 10:00:00"},
    {"RepeatFromExecutionTime",
     [](CSchedTrigger& t) { Repeat(t, 1, 1, nullptr, nullptr, 1); },
     "2025-01-13 09:00:00", "2025-01-13 09:30:00", "2025-01-13 10:20:00",
     "2025-01-13 09:20:00"},
    {"RepeatOverAtMidnightEndsAtDayEnd",
     [](CSchedTrigger& t) { Repeat(t, 1, 1); },
     "2025-01-13 23:30:00", "2025-01-13 23:30:00", "2025-01-13 23:59:59"},
    {"RepeatAfterWindowEndEndsAtWindowEnd",
     [](CSchedTrigger& t) { Repeat(t, 1, 1, "08:00", "17:00"); },
     "2025-01-13 18:00:00", "2025-01-13 18:00:00", "2025-01-13 17:00:00"},
};
INSTANTIATE_TEST_SUITE_P(OneTime, NextRun, testing::ValuesIn(kOneTime), CaseName);

const NextRunCase kDaily[] = {
    {"NextYesterdayGivesTomorrow", [](CSchedTrigger& t) { Daily(t); },
     "2025-01-12 09:00:00", "2025-01-13 10:00:00", "2025-01-14 09:00:00"},
    {"NowEqualToTodaysTimeIsNotLater", [](CSchedTrigger& t) { Daily(t); },
     "2025-01-12 09:00:00", "2025-01-13 09:00:00", "2025-01-14 09:00:00"},
    {"DueNowGivesTomorrow", [](CSchedTrigger& t) { Daily(t); },
     "2025-01-13 09:00:00", "2025-01-13 09:00:00", "2025-01-14 09:00:00"},
    {"EveryThreeDaysKeepsTheCycle", [](CSchedTrigger& t) { Daily(t, 3); },
     "2025-01-10 09:00:00", "2025-01-13 10:00:00", "2025-01-16 09:00:00"},
    {"HolidayTomorrowGivesDayAfter",
     [](CSchedTrigger& t) {
         Daily(t);
         Holidays(t, {"2025-01-14 00:00:00"});
     },
     "2025-01-13 09:00:00", "2025-01-13 09:00:00", "2025-01-15 09:00:00"},
    {"HolidayIncludedIsAnOrdinaryDay",
     [](CSchedTrigger& t) {
         Daily(t);
         t.AddHoliday(T("2025-01-14 00:00:00"));
     },
     "2025-01-13 09:00:00", "2025-01-13 09:00:00", "2025-01-14 09:00:00"},
    {"HolidaySkipKeepsTheCycle",
     [](CSchedTrigger& t) {
         Daily(t, 2);
         Holidays(t, {"2025-01-15 12:00:00"});
     },
     "2025-01-13 09:00:00", "2025-01-13 09:00:00", "2025-01-17 09:00:00"},
    {"YearBehindGivesTomorrow", [](CSchedTrigger& t) { Daily(t); },
     "2024-01-01 09:00:00", "2025-01-13 10:00:00", "2025-01-14 09:00:00"},
    {"WeeklyStepFarBehindKeepsWeekday", [](CSchedTrigger& t) { Daily(t, 7); },
     "2024-12-30 09:00:00", "2025-01-13 10:00:00", "2025-01-20 09:00:00"},
    {"LeapDay", [](CSchedTrigger& t) { Daily(t); },
     "2024-02-28 23:30:00", "2024-02-28 23:30:00", "2024-02-29 23:30:00"},
    {"YearEnd", [](CSchedTrigger& t) { Daily(t); },
     "2024-12-31 09:00:00", "2024-12-31 09:00:00", "2025-01-01 09:00:00"},
    {"NextAheadStays", [](CSchedTrigger& t) { Daily(t); },
     "2025-01-15 09:00:00", "2025-01-13 10:00:00", "2025-01-15 09:00:00"},
    {"HourlyInWindowStepsOneHour",
     [](CSchedTrigger& t) {
         Daily(t);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-13 09:00:00", "2025-01-13 09:00:05", "2025-01-13 10:00:00"},
    {"HourlyAfterWindowEndGivesNextWindowStart",
     [](CSchedTrigger& t) {
         Daily(t);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-13 17:00:00", "2025-01-13 17:00:00", "2025-01-14 08:00:00"},
    {"GridAnchoredAtLastScheduledTime",
     [](CSchedTrigger& t) {
         Daily(t);
         Repeat(t, 25, 0, "08:00", "17:00");
     },
     "2025-01-13 16:40:00", "2025-01-13 16:40:00", "2025-01-14 08:05:00"},
    {"GridAnchoredAtNowForExecutionTime",
     [](CSchedTrigger& t) {
         Daily(t);
         Repeat(t, 1, 1, "08:00", "17:00", 1);
     },
     "2025-01-13 10:00:00", "2025-01-13 10:17:00", "2025-01-13 11:17:00"},
    {"HourlyWithoutRangeRunsOverMidnight",
     [](CSchedTrigger& t) {
         Daily(t);
         Repeat(t, 1, 1);
     },
     "2025-01-13 23:30:00", "2025-01-13 23:30:00", "2025-01-14 00:30:00"},
    {"WindowAcrossMidnightWaitsForEveningStart",
     [](CSchedTrigger& t) {
         Daily(t);
         Repeat(t, 1, 1, "22:00", "02:00");
     },
     "2025-01-13 01:00:00", "2025-01-13 01:00:00", "2025-01-13 22:00:00"},
    {"EveryTwoDaysWindowMovesTwoDays",
     [](CSchedTrigger& t) {
         Daily(t, 2);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-13 17:00:00", "2025-01-13 17:00:00", "2025-01-15 08:00:00"},
    {"HourlyHolidayMovesToNextDay",
     [](CSchedTrigger& t) {
         Daily(t);
         Repeat(t, 1, 1, "08:00", "17:00");
         Holidays(t, {"2025-01-14 00:00:00"});
     },
     "2025-01-13 17:00:00", "2025-01-13 17:00:00", "2025-01-15 08:00:00"},
    {"HourlyDaysBehindResumesTodayOnTheGrid",
     [](CSchedTrigger& t) {
         Daily(t);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-10 15:00:00", "2025-01-13 10:30:00", "2025-01-13 11:00:00"},
};
INSTANTIATE_TEST_SUITE_P(Daily, NextRun, testing::ValuesIn(kDaily), CaseName);

const NextRunCase kWeekly[] = {
    {"MondayEveryTwoWeeks", [](CSchedTrigger& t) { Weekly(t, "M------", 2); },
     "2025-01-13 09:00:00", "2025-01-13 09:00:00", "2025-01-27 09:00:00"},
    {"MondayWednesdayEveryTwoWeeksAfterWednesday",
     [](CSchedTrigger& t) { Weekly(t, "M-W----", 2); },
     "2025-01-15 09:00:00", "2025-01-15 09:00:00", "2025-01-27 09:00:00"},
    {"MondayFridayWeekly", [](CSchedTrigger& t) { Weekly(t, "M---F--"); },
     "2025-01-13 09:00:00", "2025-01-13 09:00:00", "2025-01-17 09:00:00"},
    {"MondayAfterTodaysTimeGivesNextMonday", [](CSchedTrigger& t) { Weekly(t, "M------"); },
     "2025-01-06 09:00:00", "2025-01-13 10:00:00", "2025-01-20 09:00:00"},
    {"MondayBeforeTodaysTimeGivesToday", [](CSchedTrigger& t) { Weekly(t, "M------"); },
     "2025-01-06 09:00:00", "2025-01-13 08:00:00", "2025-01-13 09:00:00"},
    {"HolidayFridayGivesMonday",
     [](CSchedTrigger& t) {
         Weekly(t, "M---F--");
         Holidays(t, {"2025-01-17 00:00:00"});
     },
     "2025-01-13 09:00:00", "2025-01-13 09:00:00", "2025-01-20 09:00:00"},
    {"EveryTwoWeeksFarBehindKeepsTheCycle",
     [](CSchedTrigger& t) { Weekly(t, "M------", 2); },
     "2024-12-02 09:00:00", "2025-01-13 10:00:00", "2025-01-27 09:00:00"},
    {"LeapDayThursday", [](CSchedTrigger& t) { Weekly(t, "---T---"); },
     "2024-02-22 09:00:00", "2024-02-22 09:00:00", "2024-02-29 09:00:00"},
    {"SundayEveryThreeWeeks", [](CSchedTrigger& t) { Weekly(t, "------S", 3); },
     "2025-01-12 09:00:00", "2025-01-12 09:00:00", "2025-02-02 09:00:00"},
    {"NextAheadStays", [](CSchedTrigger& t) { Weekly(t, "M------"); },
     "2025-01-20 09:00:00", "2025-01-15 10:00:00", "2025-01-20 09:00:00"},
    {"HourlyInWindowStepsOneHour",
     [](CSchedTrigger& t) {
         Weekly(t, "MTWTF--");
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-13 09:00:00", "2025-01-13 09:00:05", "2025-01-13 10:00:00"},
    {"HourlyFridayEveningGivesMondayWindowStart",
     [](CSchedTrigger& t) {
         Weekly(t, "MTWTF--");
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-17 17:00:00", "2025-01-17 17:00:05", "2025-01-20 08:00:00"},
    {"HourlyEveryTwoWeeksSkipsAWeek",
     [](CSchedTrigger& t) {
         Weekly(t, "MTWTF--", 2);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-17 17:00:00", "2025-01-17 17:00:05", "2025-01-27 08:00:00"},
    {"NinetyMinutesWithoutRangeCarriesTheGrid",
     [](CSchedTrigger& t) {
         Weekly(t, "MTWTF--");
         Repeat(t, 90, 0);
     },
     "2025-01-17 22:30:00", "2025-01-17 22:30:00", "2025-01-20 00:00:00"},
    {"HourlyAfterHolidayNeverInThePast",
     [](CSchedTrigger& t) {
         Weekly(t, "MTWTF--");
         Repeat(t, 1, 1, "08:00", "17:00");
         Holidays(t, {"2025-01-14 00:00:00"});
     },
     "2025-01-13 17:00:00", "2025-01-15 12:30:00", "2025-01-15 13:00:00"},
    {"HourlyWindowAcrossMidnightEarlyPart",
     [](CSchedTrigger& t) {
         Weekly(t, "MTWTFSS");
         Repeat(t, 1, 1, "22:00", "02:00");
     },
     "2025-01-13 01:00:00", "2025-01-13 01:00:05", "2025-01-13 02:00:00"},
    {"HourlyWindowAcrossMidnightAfterEndGivesEvening",
     [](CSchedTrigger& t) {
         Weekly(t, "MTWTFSS");
         Repeat(t, 1, 1, "22:00", "02:00");
     },
     "2025-01-13 02:00:00", "2025-01-13 02:00:05", "2025-01-13 22:00:00"},
};
INSTANTIATE_TEST_SUITE_P(Weekly, NextRun, testing::ValuesIn(kWeekly), CaseName);

const NextRunCase kMonthly[] = {
    // Same day of the month.
    {"SameDay", [](CSchedTrigger& t) { Monthly(t, kMonthSameDay); },
     "2025-01-15 09:00:00", "2025-01-15 09:00:00", "2025-02-15 09:00:00"},
    {"SameDay31stInFebruary", [](CSchedTrigger& t) { Monthly(t, kMonthSameDay); },
     "2025-01-31 09:00:00", "2025-01-31 09:00:00", "2025-02-28 09:00:00"},
    // The record has no field for the intended day, so the clamped day
    // carries on.
    {"SameDayClampedDayCarriesOn", [](CSchedTrigger& t) { Monthly(t, kMonthSameDay); },
     "2025-02-28 09:00:00", "2025-02-28 09:00:00", "2025-03-28 09:00:00"},
    {"SameDay31stInLeapFebruary", [](CSchedTrigger& t) { Monthly(t, kMonthSameDay); },
     "2024-01-31 09:00:00", "2024-01-31 09:00:00", "2024-02-29 09:00:00"},
    {"SameDay31stInApril", [](CSchedTrigger& t) { Monthly(t, kMonthSameDay); },
     "2025-03-31 09:00:00", "2025-03-31 09:00:00", "2025-04-30 09:00:00"},
    {"SameDayQuarterly",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthSameDay);
         Months(t, "J--A--J--O--");
     },
     "2025-01-15 09:00:00", "2025-01-15 09:00:00", "2025-04-15 09:00:00"},
    {"SameDayDecemberToJanuary", [](CSchedTrigger& t) { Monthly(t, kMonthSameDay); },
     "2024-12-15 09:00:00", "2024-12-15 09:00:00", "2025-01-15 09:00:00"},
    {"SameDayMissedMonthsNoBurst", [](CSchedTrigger& t) { Monthly(t, kMonthSameDay); },
     "2024-11-15 09:00:00", "2025-01-20 10:00:00", "2025-02-15 09:00:00"},
    {"SameDayHolidayStepsAnotherMonth",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthSameDay);
         Holidays(t, {"2025-02-15 00:00:00"});
     },
     "2025-01-15 09:00:00", "2025-01-15 09:00:00", "2025-03-15 09:00:00"},
    {"SameDayNextAheadStays", [](CSchedTrigger& t) { Monthly(t, kMonthSameDay); },
     "2025-02-15 09:00:00", "2025-01-20 10:00:00", "2025-02-15 09:00:00"},
    {"SameDayHourlyStepsOneHour",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthSameDay);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-15 10:00:00", "2025-01-15 10:00:00", "2025-01-15 11:00:00"},
    {"SameDayHourlyAfterWindowGivesNextMonthWindowStart",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthSameDay);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-15 17:00:00", "2025-01-15 17:00:00", "2025-02-15 08:00:00"},
    {"SameDayHourlyMissedDayNeverInThePast",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthSameDay);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-15 17:00:00", "2025-01-20 10:00:00", "2025-02-15 08:00:00"},
    {"SameDayHourlyFromExecutionTime",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthSameDay);
         Repeat(t, 1, 1, "08:00", "17:00", 1);
     },
     "2025-01-15 10:00:00", "2025-01-15 10:30:00", "2025-01-15 11:20:00",
     "2025-01-15 10:20:00"},

    // Last day of the month.
    {"LastDay", [](CSchedTrigger& t) { Monthly(t, kMonthLastDay); },
     "2025-01-31 09:00:00", "2025-01-31 09:00:00", "2025-02-28 09:00:00"},
    {"LastDayLeapFebruary", [](CSchedTrigger& t) { Monthly(t, kMonthLastDay); },
     "2024-01-31 09:00:00", "2024-01-31 09:00:00", "2024-02-29 09:00:00"},
    {"LastDayOnlyDecemberFromNovember",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthLastDay);
         Months(t, "-----------D");
     },
     "2025-11-30 09:00:00", "2025-11-30 09:00:00", "2025-12-31 09:00:00"},
    {"LastDayHolidayGivesNextMonth",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthLastDay);
         Holidays(t, {"2025-02-28 00:00:00"});
     },
     "2025-01-31 09:00:00", "2025-01-31 09:00:00", "2025-03-31 09:00:00"},
    {"LastDayMonthsBehind", [](CSchedTrigger& t) { Monthly(t, kMonthLastDay); },
     "2024-10-31 09:00:00", "2025-01-13 10:00:00", "2025-01-31 09:00:00"},
    {"LastDayHourlyStepsOneHour",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthLastDay);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-31 09:00:00", "2025-01-31 09:00:05", "2025-01-31 10:00:00"},
    {"LastDayHourlyAfterWindowGivesNextLastDay",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthLastDay);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-31 17:00:00", "2025-01-31 17:00:00", "2025-02-28 08:00:00"},

    // N-th weekday.
    {"SecondTuesday", [](CSchedTrigger& t) { NthWeekday(t, 2, 1); },
     "2025-01-14 09:00:00", "2025-01-14 09:00:00", "2025-02-11 09:00:00"},
    {"LastFriday", [](CSchedTrigger& t) { NthWeekday(t, 6, 4); },
     "2025-01-31 09:00:00", "2025-01-31 09:00:00", "2025-02-28 09:00:00"},
    {"FifthMondayMissingGivesNextMonthWithOne", [](CSchedTrigger& t) { NthWeekday(t, 5, 0); },
     "2024-12-30 09:00:00", "2025-02-01 10:00:00", "2025-03-31 09:00:00"},
    {"OrdinalZeroMeansFirst", [](CSchedTrigger& t) { NthWeekday(t, 0, 0); },
     "2025-01-06 09:00:00", "2025-01-13 10:00:00", "2025-02-03 09:00:00"},
    {"SecondTuesdayHolidayGivesNextMonth",
     [](CSchedTrigger& t) {
         NthWeekday(t, 2, 1);
         Holidays(t, {"2025-02-11 00:00:00"});
     },
     "2025-01-14 09:00:00", "2025-01-14 09:00:00", "2025-03-11 09:00:00"},
    {"SecondTuesdayOnlyMarch",
     [](CSchedTrigger& t) {
         NthWeekday(t, 2, 1);
         Months(t, "--M---------");
     },
     "2025-01-14 09:00:00", "2025-01-14 09:00:00", "2025-03-11 09:00:00"},
    {"SecondTuesdayHourly",
     [](CSchedTrigger& t) {
         NthWeekday(t, 2, 1);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-14 09:00:00", "2025-01-14 09:00:05", "2025-01-14 10:00:00"},
    {"SecondTuesdayHourlyAfterWindowGivesNextMonthWindowStart",
     [](CSchedTrigger& t) {
         NthWeekday(t, 2, 1);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-14 17:00:00", "2025-01-14 17:00:00", "2025-02-11 08:00:00"},

    // N-th work day (Monday to Friday unless set).
    {"ThirdWorkDay", [](CSchedTrigger& t) { NthWorkDay(t, 3); },
     "2025-01-03 09:00:00", "2025-01-03 09:00:00", "2025-02-05 09:00:00"},
    {"TwentySecondWorkDayOfShortMonthIsLastDay", [](CSchedTrigger& t) { NthWorkDay(t, 22); },
     "2025-01-30 09:00:00", "2025-02-01 10:00:00", "2025-02-28 09:00:00"},
    {"ThirdWorkDayHolidayNotCounted",
     [](CSchedTrigger& t) {
         NthWorkDay(t, 3);
         Holidays(t, {"2025-02-04 00:00:00"});
     },
     "2025-01-03 09:00:00", "2025-01-03 09:00:00", "2025-02-06 09:00:00"},
    {"FirstWorkDaySaturdaysOnly",
     [](CSchedTrigger& t) {
         NthWorkDay(t, 1);
         WorkDays(t, "-----S-");
     },
     "2025-01-04 09:00:00", "2025-01-13 10:00:00", "2025-02-01 09:00:00"},
    {"ThirdWorkDayHourlyAfterWindowGivesNextMonth",
     [](CSchedTrigger& t) {
         NthWorkDay(t, 3);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-03 17:00:00", "2025-01-03 17:00:00", "2025-02-05 08:00:00"},

    // Last work day.
    {"LastWorkDay", [](CSchedTrigger& t) { Monthly(t, kMonthLastWorkDay); },
     "2025-01-31 09:00:00", "2025-01-31 09:00:00", "2025-02-28 09:00:00"},
    {"LastWorkDayMonthEndingOnSaturday", [](CSchedTrigger& t) { Monthly(t, kMonthLastWorkDay); },
     "2025-04-30 09:00:00", "2025-04-30 09:00:00", "2025-05-30 09:00:00"},
    {"LastWorkDayHolidayStepsBack",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthLastWorkDay);
         Holidays(t, {"2025-02-28 00:00:00"});
     },
     "2025-01-31 09:00:00", "2025-01-31 09:00:00", "2025-02-27 09:00:00"},
    {"LastWorkDayMondayToThursday",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthLastWorkDay);
         WorkDays(t, "MTWT---");
     },
     "2024-12-31 09:00:00", "2024-12-31 09:00:00", "2025-01-30 09:00:00"},
    {"LastWorkDayHourlyAfterWindowGivesNextMonth",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthLastWorkDay);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-31 17:00:00", "2025-01-31 17:00:00", "2025-02-28 08:00:00"},
};
INSTANTIATE_TEST_SUITE_P(Monthly, NextRun, testing::ValuesIn(kMonthly), CaseName);

// Work-day flags are whatever the engine's settings hold, not only 0 and 1:
// the n-th work day counts a day whose flag is exactly 1, the last work day
// takes any day whose flag is not 0.
void Flag(CSchedTrigger& t, long day, long value)
{
    ASSERT_EQ(S_OK, t.SetWorkDay(day, value));
}

const NextRunCase kWorkDayFlags[] = {
    {"NthWorkDaySkipsAMondayFlaggedTwo",
     [](CSchedTrigger& t) {
         NthWorkDay(t, 1);
         Flag(t, 0, 2);
     },
     "2025-01-01 09:00:00", "2025-01-01 09:00:05", "2025-02-04 09:00:00"},
    {"NthWorkDaySkipsAMondayFlaggedMinusOne",
     [](CSchedTrigger& t) {
         NthWorkDay(t, 1);
         Flag(t, 0, -1);
     },
     "2025-01-01 09:00:00", "2025-01-01 09:00:05", "2025-02-04 09:00:00"},
    {"NthWorkDayCountsOnlyTheDaysFlaggedOne",
     [](CSchedTrigger& t) {
         NthWorkDay(t, 2);
         WorkDays(t, "-------");
         Flag(t, 1, 1);   // Tuesday
         Flag(t, 3, 7);   // Thursday: not counted
         Flag(t, 4, 1);   // Friday
     },
     // Counted: Friday the 3rd, Tuesday the 7th; Thursday the 2nd is not.
     "2025-01-01 09:00:00", "2025-01-01 09:00:05", "2025-01-07 09:00:00"},
    {"LastWorkDayTakesAFridayFlaggedTwo",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthLastWorkDay);
         WorkDays(t, "-------");
         Flag(t, 4, 2);
     },
     "2025-01-31 09:00:00", "2025-01-31 09:00:05", "2025-02-28 09:00:00"},
    {"LastWorkDayTakesAThursdayFlaggedMinusOne",
     [](CSchedTrigger& t) {
         Monthly(t, kMonthLastWorkDay);
         WorkDays(t, "-------");
         Flag(t, 3, -1);
     },
     "2025-01-30 09:00:00", "2025-01-30 09:00:05", "2025-02-27 09:00:00"},
};
INSTANTIATE_TEST_SUITE_P(WorkDayFlags, NextRun, testing::ValuesIn(kWorkDayFlags), CaseName);

TEST(WorkDayFlags, NthWorkDayWithNoDayFlaggedOneIsRefused)
{
    CSchedTrigger trigger(T("2025-01-13 10:00:00"));
    NthWorkDay(trigger, 1);
    for (long day = 0; day < 7; ++day)
        trigger.SetWorkDay(day, day < 5 ? 2 : 0);
    trigger.SetNextSchedTime(T("2025-01-02 09:00:00"));
    trigger.SetLastExecTime(T("2025-01-02 09:00:00"));
    EXPECT_EQ(E_FAIL, trigger.ReSchedule(T("2025-01-13 10:00:00")));
    EXPECT_FALSE(trigger.GetErrorText().IsEmpty());
    EXPECT_EQ("2025-01-02 09:00:00", Iso(trigger.GetNextSchedTime())) << "the next run is left as it was";
}

// The engine reschedules a task after every run, each time from the state
// the run before left: the chain of next runs, not only one step from a
// state set by hand. Each run comes a few seconds after its time and stamps
// the last execution time.
struct ChainCase {
    const char* name;
    Schedule setUp;
    const char* first;                // the next run before the first run
    std::vector<const char*> nexts;   // the next run after each run
};

void PrintTo(const ChainCase& c, std::ostream* os)
{
    *os << c.name;
}

class RunChain : public testing::TestWithParam<ChainCase> {};

TEST_P(RunChain, EachRunReschedulesFromTheStateTheRunBeforeLeft)
{
    const ChainCase& c = GetParam();
    CSchedTrigger trigger(T(c.first));
    c.setUp(trigger);
    trigger.SetNextSchedTime(T(c.first));
    trigger.SetLastExecTime(T(c.first) - COleDateTimeSpan(1, 0, 0, 0));
    for (const char* expected : c.nexts) {
        const COleDateTime due = trigger.GetNextSchedTime();
        const COleDateTime pass = due + COleDateTimeSpan(0, 0, 0, 3);
        ASSERT_EQ(S_OK, trigger.ReSchedule(pass)) << "after the run due " << Iso(due) << ": " << trigger.GetErrorText();
        EXPECT_EQ(expected, Iso(trigger.GetNextSchedTime())) << "after the run due " << Iso(due);
        EXPECT_EQ(Iso(due), Iso(trigger.GetLastSchedTime())) << "the run's time is kept as the last scheduled";
        trigger.SetLastExecTime(pass + COleDateTimeSpan(0, 0, 0, 1));
    }
}

const ChainCase kChains[] = {
    {"MondayWednesdayEveryTwoWeeks", [](CSchedTrigger& t) { Weekly(t, "M-W----", 2); }, "2025-01-13 09:00:00",
     {"2025-01-15 09:00:00", "2025-01-27 09:00:00", "2025-01-29 09:00:00", "2025-02-10 09:00:00",
      "2025-02-12 09:00:00"}},
    {"DailyHourlyInAWindow",
     [](CSchedTrigger& t) {
         Daily(t);
         Repeat(t, 1, 1, "08:00", "17:00");
     },
     "2025-01-13 15:00:00",
     {"2025-01-13 16:00:00", "2025-01-13 17:00:00", "2025-01-14 08:00:00", "2025-01-14 09:00:00"}},
    {"LastFriday", [](CSchedTrigger& t) { NthWeekday(t, 6, 4); }, "2025-01-31 09:00:00",
     {"2025-02-28 09:00:00", "2025-03-28 09:00:00", "2025-04-25 09:00:00", "2025-05-30 09:00:00"}},
    {"SecondWorkDay", [](CSchedTrigger& t) { NthWorkDay(t, 2); }, "2025-01-02 09:00:00",
     {"2025-02-04 09:00:00", "2025-03-04 09:00:00", "2025-04-02 09:00:00", "2025-05-02 09:00:00"}},
    {"LastWorkDay", [](CSchedTrigger& t) { Monthly(t, kMonthLastWorkDay); }, "2025-01-31 09:00:00",
     {"2025-02-28 09:00:00", "2025-03-31 09:00:00", "2025-04-30 09:00:00", "2025-05-30 09:00:00"}},
    {"LastDayOfTheMonth", [](CSchedTrigger& t) { Monthly(t, kMonthLastDay); }, "2025-01-31 09:00:00",
     {"2025-02-28 09:00:00", "2025-03-31 09:00:00", "2025-04-30 09:00:00", "2025-05-31 09:00:00"}},
    {"EveryThreeDaysOverAHoliday",
     [](CSchedTrigger& t) {
         Daily(t, 3);
         Holidays(t, {"2025-01-19 00:00:00"});
     },
     "2025-01-13 09:00:00", {"2025-01-16 09:00:00", "2025-01-22 09:00:00", "2025-01-25 09:00:00"}},
};
INSTANTIATE_TEST_SUITE_P(Chains, RunChain, testing::ValuesIn(kChains),
                         [](const testing::TestParamInfo<ChainCase>& info) { return std::string(info.param.name); });

// Whatever the rule, a recomputed next run lies after the reference time and
// on a day the holiday list allows.
TEST(NextRunInvariant, AlwaysLaterThanNowAndNotOnAHoliday)
{
    const Schedule rules[] = {
        [](CSchedTrigger& t) { Daily(t, 2); },
        [](CSchedTrigger& t) { Weekly(t, "M-W-F--", 2); },
        [](CSchedTrigger& t) {
            Weekly(t, "MTWTF--");
            Repeat(t, 45, 0, "08:00", "17:00");
        },
        [](CSchedTrigger& t) { Monthly(t, kMonthSameDay); },
        [](CSchedTrigger& t) {
            Monthly(t, kMonthSameDay);
            Repeat(t, 2, 1, "08:00", "17:00");
        },
        [](CSchedTrigger& t) { Monthly(t, kMonthLastDay); },
        [](CSchedTrigger& t) { NthWeekday(t, 5, 3); },
        [](CSchedTrigger& t) { NthWorkDay(t, 2); },
        [](CSchedTrigger& t) {
            Monthly(t, kMonthLastWorkDay);
            Repeat(t, 30, 0, "09:00", "12:00");
        },
    };
    const char* const holidays[] = {"2025-01-15", "2025-01-31", "2025-02-03", "2025-02-05",
                                    "2025-02-15", "2025-02-27", "2025-02-28", "2025-03-03",
                                    "2025-03-31", "2025-04-15"};
    const char* const nows[] = {"2025-01-13 10:00:00", "2025-01-31 17:30:00",
                                "2025-02-15 08:00:00", "2025-03-20 23:59:59"};
    for (const Schedule& rule : rules) {
        for (const char* now : nows) {
            CSchedTrigger trigger(T(now));
            rule(trigger);
            trigger.SetIncludeHolidays(0);
            for (const char* h : holidays)
                trigger.AddHoliday(T((std::string(h) + " 00:00:00").c_str()));
            trigger.SetNextSchedTime(T("2024-12-31 09:00:00"));
            trigger.SetLastExecTime(T("2024-12-31 09:00:00"));
            ASSERT_EQ(S_OK, trigger.ReSchedule(T(now))) << trigger.GetErrorText();
            const COleDateTime next = trigger.GetNextSchedTime();
            EXPECT_GT(next, T(now)) << "now " << now << " next " << Iso(next);
            EXPECT_FALSE(trigger.IsHoliday(next)) << "now " << now << " next " << Iso(next);
        }
    }
}

}  // namespace
