#include "platform/framework/oledatetime.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

struct CalendarCase {
    int year, month, day, hour, minute, second;
    DATE expected;
    int day_of_week;  // 1 Sunday
    int day_of_year;
};

// Expected automation dates worked out independently of this code from day
// counts of the proleptic Gregorian calendar.
const CalendarCase kCalendar[] = {
    {1899, 12, 30, 0, 0, 0, 0.0, 7, 364},
    {1899, 12, 29, 18, 0, 0, -1.75, 6, 363},
    {1899, 12, 29, 6, 0, 0, -1.25, 6, 363},
    {1900, 1, 1, 0, 0, 0, 2.0, 2, 1},
    {1900, 2, 28, 0, 0, 0, 60.0, 4, 59},
    {1900, 3, 1, 0, 0, 0, 61.0, 5, 60},  // 1900 is no leap year
    {1970, 1, 1, 0, 0, 0, 25569.0, 5, 1},
    {2000, 2, 29, 0, 0, 0, 36585.0, 3, 60},
    {2024, 2, 29, 13, 45, 30, 45351.0 + (13 * 3600 + 45 * 60 + 30) / 86400.0, 5, 60},
    {2024, 12, 31, 0, 0, 0, 45657.0, 3, 366},
    {1800, 1, 1, 6, 0, 0, -36522.25, 4, 1},
    {1600, 2, 29, 12, 0, 0, -109512.5, 3, 60},
    {100, 1, 1, 0, 0, 0, -657434.0, 6, 1},
    {9999, 12, 31, 23, 59, 59, 2958465.0 + 86399 / 86400.0, 6, 365},
};

TEST(COleDateTimeTest, CalendarDatesMapToAutomationDatesAndBack)
{
    for (const CalendarCase& c : kCalendar) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day << " " << c.hour
                                        << ":" << c.minute << ":" << c.second);
        const COleDateTime built(c.year, c.month, c.day, c.hour, c.minute, c.second);
        ASSERT_EQ(COleDateTime::valid, built.GetStatus());
        EXPECT_DOUBLE_EQ(c.expected, built.m_dt);

        const COleDateTime read(c.expected);
        ASSERT_EQ(COleDateTime::valid, read.GetStatus());
        EXPECT_EQ(c.year, read.GetYear());
        EXPECT_EQ(c.month, read.GetMonth());
        EXPECT_EQ(c.day, read.GetDay());
        EXPECT_EQ(c.hour, read.GetHour());
        EXPECT_EQ(c.minute, read.GetMinute());
        EXPECT_EQ(c.second, read.GetSecond());
        EXPECT_EQ(c.day_of_week, read.GetDayOfWeek());
        EXPECT_EQ(c.day_of_year, read.GetDayOfYear());

        SYSTEMTIME st;
        ASSERT_TRUE(read.GetAsSystemTime(st));
        EXPECT_EQ(c.day_of_week - 1, st.wDayOfWeek);
        EXPECT_EQ(0, st.wMilliseconds);
        EXPECT_EQ(built, COleDateTime(st));
    }
}

TEST(COleDateTimeTest, OutOfRangePartsGiveInvalidStatus)
{
    const int kBad[][6] = {
        {2023, 2, 29, 0, 0, 0}, {2100, 2, 29, 0, 0, 0}, {2024, 4, 31, 0, 0, 0},
        {2024, 13, 1, 0, 0, 0}, {2024, 0, 1, 0, 0, 0},  {2024, 1, 0, 0, 0, 0},
        {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0}, {2024, 1, 1, 24, 0, 0},
        {2024, 1, 1, 0, 60, 0}, {2024, 1, 1, 0, 0, 60}, {2024, 1, 1, -1, 0, 0},
    };
    for (const auto& b : kBad) {
        SCOPED_TRACE(testing::Message() << b[0] << "-" << b[1] << "-" << b[2] << " " << b[3] << ":" << b[4]
                                        << ":" << b[5]);
        COleDateTime date(b[0], b[1], b[2], b[3], b[4], b[5]);
        EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
        EXPECT_EQ(-1, date.GetYear());
        EXPECT_EQ(-1, date.GetDayOfWeek());
        SYSTEMTIME st;
        EXPECT_FALSE(date.GetAsSystemTime(st));
        EXPECT_EQ("", std::string(date.Format("%Y")));

        COleDateTime set(2024, 6, 1, 0, 0, 0);
        EXPECT_NE(0, set.SetDateTime(b[0], b[1], b[2], b[3], b[4], b[5]));
        EXPECT_EQ(COleDateTime::invalid, set.GetStatus());
    }
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(-657435.0).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(2958466.0).GetStatus());
    EXPECT_EQ(COleDateTime::invalid, COleDateTime(std::nan("")).GetStatus());
}

TEST(COleDateTimeTest, SetDateClearsTimeAndSetTimeUsesDayZero)
{
    COleDateTime date(2024, 5, 6, 7, 8, 9);
    EXPECT_EQ(0, date.SetDate(2021, 3, 4));
    EXPECT_EQ(COleDateTime(2021, 3, 4, 0, 0, 0), date);
    EXPECT_EQ(0, date.SetTime(13, 14, 15));
    EXPECT_DOUBLE_EQ((13 * 3600 + 14 * 60 + 15) / 86400.0, date.m_dt);
    EXPECT_EQ(1899, date.GetYear());

    COleDateTime from_invalid(2023, 2, 29, 0, 0, 0);
    EXPECT_EQ(0, from_invalid.SetDate(2024, 2, 29));
    EXPECT_EQ(COleDateTime::valid, from_invalid.GetStatus());
}

TEST(COleDateTimeTest, ConstructionRoundsToNearestWholeSecondOnBothSidesOfDayZero)
{
    const double second = 1.0 / 86400;
    struct {
        DATE in;
        int day, hour, minute, sec;
    } cases[] = {
        {1.0 + 0.4 * second, 31, 0, 0, 0},
        {1.0 + 0.6 * second, 31, 0, 0, 1},
        {2.0 - 0.4 * second, 1, 0, 0, 0},  // rolls over into 1 January 1900
        {-1.25 - 0.6 * second, 29, 6, 0, 1},
        {-1.25 - 0.4 * second, 29, 6, 0, 0},
        // Day zero, 23:59:59.9996: the nearest second is the next midnight.
        {-(1.0 - 0.4 * second), 31, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.in);
        const COleDateTime date(c.in);
        ASSERT_EQ(COleDateTime::valid, date.GetStatus());
        EXPECT_EQ(c.day, date.GetDay());
        EXPECT_EQ(c.hour, date.GetHour());
        EXPECT_EQ(c.minute, date.GetMinute());
        EXPECT_EQ(c.sec, date.GetSecond());
        const double seconds = std::fabs(date.m_dt) * 86400;
        EXPECT_NEAR(std::round(seconds), seconds, 1e-4);
    }
}

struct ArithmeticCase {
    int from[6];
    long days;
    int hours, minutes, seconds;
    int to[6];
};

const ArithmeticCase kArithmetic[] = {
    {{2024, 1, 31, 23, 59, 59}, 0, 0, 0, 1, {2024, 2, 1, 0, 0, 0}},
    {{2023, 12, 31, 23, 59, 59}, 0, 0, 0, 1, {2024, 1, 1, 0, 0, 0}},
    {{2024, 2, 28, 12, 0, 0}, 1, 0, 0, 0, {2024, 2, 29, 12, 0, 0}},
    {{2023, 2, 28, 12, 0, 0}, 1, 0, 0, 0, {2023, 3, 1, 12, 0, 0}},
    {{1900, 2, 28, 0, 0, 0}, 1, 0, 0, 0, {1900, 3, 1, 0, 0, 0}},
    {{2000, 2, 28, 0, 0, 0}, 1, 0, 0, 0, {2000, 2, 29, 0, 0, 0}},
    {{2024, 3, 1, 0, 0, 0}, -1, 0, 0, 0, {2024, 2, 29, 0, 0, 0}},
    {{2024, 1, 1, 0, 0, 0}, 0, 0, 0, -1, {2023, 12, 31, 23, 59, 59}},
    // Across day zero, where the automation fraction changes direction.
    {{1899, 12, 29, 18, 0, 0}, 0, 12, 0, 0, {1899, 12, 30, 6, 0, 0}},
    {{1899, 12, 30, 6, 0, 0}, 0, -12, 0, 0, {1899, 12, 29, 18, 0, 0}},
    {{1899, 12, 28, 23, 0, 0}, 0, 2, 0, 0, {1899, 12, 29, 1, 0, 0}},
    {{1850, 6, 15, 10, 30, 0}, 365, 0, 0, 0, {1851, 6, 15, 10, 30, 0}},
    {{2024, 6, 15, 10, 30, 0}, -90000, 0, 0, 0, {1778, 1, 16, 10, 30, 0}},
};

COleDateTime Make(const int (&p)[6])
{
    return COleDateTime(p[0], p[1], p[2], p[3], p[4], p[5]);
}

TEST(COleDateTimeTest, AddingSpansIsExactAcrossMonthEndsLeapDaysAndDayZero)
{
    for (const ArithmeticCase& c : kArithmetic) {
        const COleDateTime from = Make(c.from);
        const COleDateTime to = Make(c.to);
        const COleDateTimeSpan span(c.days, c.hours, c.minutes, c.seconds);
        SCOPED_TRACE(testing::Message() << from.m_dt << " + " << span.m_span);
        ASSERT_EQ(COleDateTime::valid, from.GetStatus());
        ASSERT_EQ(COleDateTime::valid, to.GetStatus());
        EXPECT_EQ(to, from + span);
        EXPECT_DOUBLE_EQ(to.m_dt, (from + span).m_dt);
        EXPECT_EQ(from, to - span);
        EXPECT_EQ(span, to - from);
        EXPECT_EQ(-span, from - to);
        COleDateTime moving = from;
        moving += span;
        EXPECT_EQ(to, moving);
        moving -= span;
        EXPECT_EQ(from, moving);
    }
}

TEST(COleDateTimeTest, RepeatedSecondStepsDoNotDrift)
{
    const COleDateTime start(1899, 12, 29, 12, 0, 0);
    COleDateTime moving = start;
    const COleDateTimeSpan step(0, 0, 0, 1);
    for (int i = 0; i < 2 * 86400; ++i)
        moving += step;
    EXPECT_EQ(COleDateTime(1899, 12, 31, 12, 0, 0), moving);
    EXPECT_DOUBLE_EQ(1.5, moving.m_dt);
    EXPECT_DOUBLE_EQ(2 * 86400.0, (moving - start).GetTotalSeconds());
}

TEST(COleDateTimeTest, ResultsOutsideSupportedYearsAreInvalid)
{
    const COleDateTime last(9999, 12, 31, 23, 59, 59);
    EXPECT_EQ(COleDateTime::invalid, (last + COleDateTimeSpan(0, 0, 0, 1)).GetStatus());
    const COleDateTime first(100, 1, 1, 0, 0, 0);
    EXPECT_EQ(COleDateTime::invalid, (first - COleDateTimeSpan(0, 0, 0, 1)).GetStatus());
    EXPECT_EQ(COleDateTime::valid, (first + COleDateTimeSpan(0, 0, 0, 1)).GetStatus());
}

TEST(COleDateTimeTest, InvalidDominatesNullInArithmetic)
{
    COleDateTime valid_date(2024, 1, 1, 0, 0, 0);
    COleDateTime invalid_date(2024, 1, 1, 0, 0, 0);
    invalid_date.SetStatus(COleDateTime::invalid);
    COleDateTime null_date(2024, 1, 1, 0, 0, 0);
    null_date.SetStatus(COleDateTime::null);
    COleDateTimeSpan null_span(1.0);
    null_span.SetStatus(COleDateTimeSpan::null);
    const COleDateTimeSpan day(1.0);

    EXPECT_EQ(COleDateTime::invalid, (invalid_date + day).GetStatus());
    EXPECT_EQ(COleDateTime::null, (null_date + day).GetStatus());
    EXPECT_EQ(COleDateTime::null, (valid_date + null_span).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, (invalid_date - null_date).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::null, (valid_date - null_date).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::valid, (valid_date - valid_date).GetStatus());
}

TEST(COleDateTimeTest, ComparisonsOrderPointsInTimeNotRawDoubles)
{
    // In raw doubles -1.5 < -1.25, but 12:00 comes after 06:00 that day.
    const COleDateTime dates[] = {
        COleDateTime(-2.0), COleDateTime(-1.25), COleDateTime(-1.5),
        COleDateTime(0.25), COleDateTime(1.0),   COleDateTime(45351.5),
    };
    for (size_t i = 0; i < sizeof dates / sizeof dates[0]; ++i) {
        for (size_t j = 0; j < sizeof dates / sizeof dates[0]; ++j) {
            SCOPED_TRACE(testing::Message() << dates[i].m_dt << " vs " << dates[j].m_dt);
            EXPECT_EQ(i < j, dates[i] < dates[j]);
            EXPECT_EQ(i > j, dates[i] > dates[j]);
            EXPECT_EQ(i <= j, dates[i] <= dates[j]);
            EXPECT_EQ(i >= j, dates[i] >= dates[j]);
            EXPECT_EQ(i == j, dates[i] == dates[j]);
            EXPECT_EQ(i != j, dates[i] != dates[j]);
        }
    }
    // -0.5 and 0.5 are both 30 December 1899 12:00.
    EXPECT_EQ(COleDateTime(-0.5), COleDateTime(0.5));
}

TEST(COleDateTimeTest, CurrentTimeIsLocalTimeInWholeSeconds)
{
    SYSTEMTIME before;
    ::GetLocalTime(&before);
    const COleDateTime now = COleDateTime::GetCurrentTime();
    SYSTEMTIME after;
    ::GetLocalTime(&after);
    before.wMilliseconds = 0;
    after.wMilliseconds = 0;
    ASSERT_EQ(COleDateTime::valid, now.GetStatus());
    EXPECT_LE(COleDateTime(before), now);
    EXPECT_GE(COleDateTime(after), now);
    const double seconds = now.m_dt * 86400;
    EXPECT_NEAR(std::round(seconds), seconds, 1e-4);
}

TEST(COleDateTimeTest, SystemTimeMillisecondsAreDropped)
{
    SYSTEMTIME st = {};
    st.wYear = 2024;
    st.wMonth = 7;
    st.wDay = 4;
    st.wHour = 10;
    st.wMinute = 20;
    st.wSecond = 30;
    st.wMilliseconds = 999;
    EXPECT_EQ(COleDateTime(2024, 7, 4, 10, 20, 30), COleDateTime(st));
}

TEST(COleDateTimeTest, FormatWritesStrftimeFields)
{
    const struct {
        COleDateTime date;
        const char* format;
        const char* expected;
    } cases[] = {
        {COleDateTime(2024, 2, 29, 13, 5, 9), "%Y-%m-%d %H:%M:%S", "2024-02-29 13:05:09"},
        {COleDateTime(2024, 2, 29, 13, 5, 9), "%H:%M", "13:05"},
        {COleDateTime(2024, 2, 29, 13, 5, 9), "%j %w", "060 4"},
        {COleDateTime(1850, 1, 2, 3, 4, 5), "%d.%m.%Y %H-%M-%S", "02.01.1850 03-04-05"},
        {COleDateTime(1899, 12, 29, 18, 0, 0), "%Y-%m-%d %H", "1899-12-29 18"},
        {COleDateTime(2024, 1, 1, 0, 0, 0), "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(std::string(c.expected), std::string(c.date.Format(c.format)));
    }
}

TEST(COleDateTimeTest, FormatFollowsUserLocaleWhenRuntimeLocaleIsSwitched)
{
    const COleDateTime date(2025, 1, 15, 21, 5, 3);
    SYSTEMTIME st;
    ASSERT_TRUE(date.GetAsSystemTime(st));
    char expected_date[64];
    ASSERT_GT(::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, expected_date,
                               sizeof expected_date),
              0);

    const std::string previous = std::setlocale(LC_TIME, nullptr);
    ASSERT_NE(nullptr, std::setlocale(LC_TIME, ""));
    const std::string text(date.Format("%x"));
    std::setlocale(LC_TIME, previous.c_str());

    EXPECT_EQ(std::string(expected_date), text);
    // The "C" locale's own form differs ("01/15/25"), so the switch mattered.
    EXPECT_EQ(std::string("01/15/25"), std::string(date.Format("%x")));
}

// The runtime library's strftime writes nothing for %x, %c or %y before
// 1900; the zero date is such a date and is shown in the task list.
TEST(COleDateTimeTest, FormatWritesYearBearingFieldsBefore1900)
{
    const struct {
        COleDateTime date;
        const char* format;
        const char* expected;
    } cases[] = {
        {COleDateTime(1899, 12, 30, 0, 0, 0), "%x %X", "12/30/99 00:00:00"},
        {COleDateTime(1899, 12, 30, 13, 14, 15), "%c", "12/30/99 13:14:15"},
        {COleDateTime(1850, 1, 2, 3, 4, 5), "%y|%Y|%a %b %d|%j", "50|1850|Wed Jan 02|002"},
        {COleDateTime(1600, 2, 29, 0, 0, 0), "%x %A", "02/29/00 Tuesday"},
        {COleDateTime(100, 1, 1, 0, 0, 0), "%Y %y %x %a", "0100 00 01/01/00 Fri"},
        {COleDateTime(100, 12, 30, 0, 0, 0), "%#x", "Thursday, December 30, 100"},
        // Digits of other fields and literal text that read like the year
        // 400 years on are left alone.
        {COleDateTime(1822, 6, 1, 22, 22, 0), "%H%M %Y", "2222 1822"},
        {COleDateTime(1899, 12, 30, 0, 0, 0), "2299 %%Y %Y%", "2299 %Y 1899"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(std::string(c.expected), std::string(c.date.Format(c.format)));
    }
}

TEST(COleDateTimeTest, FormatWritesUserLocaleDatesBefore1900)
{
    const std::string previous = std::setlocale(LC_TIME, nullptr);
    ASSERT_NE(nullptr, std::setlocale(LC_TIME, ""));
    for (const COleDateTime& date :
         {COleDateTime(1899, 12, 30, 0, 0, 0), COleDateTime(1700, 2, 28, 8, 0, 0), COleDateTime(1601, 1, 1, 0, 0, 0)}) {
        SYSTEMTIME st;
        ASSERT_TRUE(date.GetAsSystemTime(st));
        char expected[64];
        ASSERT_GT(::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, expected, sizeof expected),
                  0);
        EXPECT_EQ(std::string(expected), std::string(date.Format("%x"))) << date.GetYear();
    }
    std::setlocale(LC_TIME, previous.c_str());
}

TEST(COleDateTimeSpanTest, PartsAndTotalsOfPositiveAndNegativeSpans)
{
    const struct {
        COleDateTimeSpan span;
        long days;
        int hours, minutes, seconds;
        double total_seconds;
    } cases[] = {
        {COleDateTimeSpan(1, 2, 3, 4), 1, 2, 3, 4, 93784},
        {-COleDateTimeSpan(1, 2, 3, 4), -1, -2, -3, -4, -93784},
        {COleDateTimeSpan(0, 25, 61, 61), 1, 2, 2, 1, 93721},
        {COleDateTimeSpan(1.5), 1, 12, 0, 0, 129600},
        {COleDateTimeSpan(0.5 / 86400 + 10.0 / 86400), 0, 0, 0, 11, 11},
        {COleDateTimeSpan(-0.25), 0, -6, 0, 0, -21600},
        {COleDateTimeSpan(3650, 0, 0, 0), 3650, 0, 0, 0, 3650 * 86400.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.span.m_span);
        EXPECT_EQ(c.days, c.span.GetDays());
        EXPECT_EQ(c.hours, c.span.GetHours());
        EXPECT_EQ(c.minutes, c.span.GetMinutes());
        EXPECT_EQ(c.seconds, c.span.GetSeconds());
        EXPECT_DOUBLE_EQ(c.total_seconds, c.span.GetTotalSeconds());
        EXPECT_DOUBLE_EQ(c.total_seconds / 60, c.span.GetTotalMinutes());
        EXPECT_DOUBLE_EQ(c.total_seconds / 3600, c.span.GetTotalHours());
        EXPECT_DOUBLE_EQ(c.total_seconds / 86400, c.span.GetTotalDays());
    }
}

TEST(COleDateTimeSpanTest, ArithmeticAndOrdering)
{
    const COleDateTimeSpan hour(0, 1, 0, 0);
    const COleDateTimeSpan day(1, 0, 0, 0);
    EXPECT_EQ(COleDateTimeSpan(1, 1, 0, 0), day + hour);
    EXPECT_EQ(COleDateTimeSpan(0, 23, 0, 0), day - hour);
    EXPECT_EQ(COleDateTimeSpan(0, -23, 0, 0), hour - day);
    COleDateTimeSpan sum;
    for (int i = 0; i < 24; ++i)
        sum += hour;
    EXPECT_EQ(day, sum);
    sum -= day;
    EXPECT_EQ(COleDateTimeSpan(), sum);
    EXPECT_LT(hour, day);
    EXPECT_GT(day, hour);
    EXPECT_LE(hour, hour);
    EXPECT_GE(-hour, -day);
    EXPECT_NE(hour, day);

    COleDateTimeSpan invalid_span(1.0);
    invalid_span.SetStatus(COleDateTimeSpan::invalid);
    EXPECT_EQ(COleDateTimeSpan::invalid, (invalid_span + hour).GetStatus());
    EXPECT_EQ(COleDateTimeSpan::invalid, COleDateTimeSpan(1e300).GetStatus());
}

}  // namespace
