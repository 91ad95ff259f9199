#include "platform/framework/oledatetime.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// 1 January 100 and 31 December 9999 23:59:59 on the linear second scale;
// the automation date range the framework has always accepted.
constexpr int64_t kFirstDay = -657434;
constexpr int64_t kLastDay = 2958465;
constexpr int64_t kMinSeconds = kFirstDay * kSecondsPerDay;
constexpr int64_t kMaxSeconds = kLastDay * kSecondsPerDay + kSecondsPerDay - 1;

// Days since 1 March of year 0 of the proleptic Gregorian calendar, shifted
// so that 30 December 1899 is day 0.
constexpr int64_t kEpochShift = 693899;

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int64_t DayNumberFromDate(int year, int month, int day)
{
    // Counting from March puts the leap day at the end of each year.
    const int64_t y = month <= 2 ? year - 1 : year;
    const int64_t era = y / 400;  // year >= 100 here, no negative division
    const int64_t year_of_era = y - era * 400;
    const int64_t month_from_march = month > 2 ? month - 3 : month + 9;
    const int64_t day_of_year = (153 * month_from_march + 2) / 5 + day - 1;
    const int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + day_of_era - kEpochShift;
}

struct CivilDate {
    int year;
    int month;
    int day;
};

CivilDate DateFromDayNumber(int64_t day_number)
{
    const int64_t z = day_number + kEpochShift;  // positive for years >= 1
    const int64_t era = z / 146097;
    const int64_t day_of_era = z - era * 146097;
    const int64_t year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const int64_t month_from_march = (5 * day_of_year + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(day_of_year - (153 * month_from_march + 2) / 5 + 1);
    date.month = static_cast<int>(month_from_march < 10 ? month_from_march + 3 : month_from_march - 9);
    date.year = static_cast<int>(year_of_era + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// False for NaN and dates outside the years 100-9999.
bool SecondsFromDate(DATE dt, int64_t& seconds)
{
    if (!(dt > static_cast<double>(kFirstDay - 1) && dt < static_cast<double>(kLastDay + 1)))
        return false;
    // The whole days and the time of day are taken apart before rounding:
    // for negative dates the fraction counts forward from the whole day.
    const double whole = std::trunc(dt);
    const double fraction = std::fabs(dt - whole);
    const int64_t day_seconds = std::llround(fraction * kSecondsPerDay);
    seconds = static_cast<int64_t>(whole) * kSecondsPerDay + day_seconds;
    return seconds >= kMinSeconds && seconds <= kMaxSeconds;
}

DATE DateFromSeconds(int64_t seconds)
{
    const int64_t day = FloorDiv(seconds, kSecondsPerDay);
    const int64_t time_of_day = seconds - day * kSecondsPerDay;
    const double fraction = static_cast<double>(time_of_day) / kSecondsPerDay;
    return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

// Spans are limited to about 2.7 billion years, well inside 64-bit seconds,
// so that a span read from a damaged file cannot overflow the conversion.
constexpr double kMaxSpanDays = 1e12;

int64_t SecondsFromSpan(double days)
{
    if (std::isnan(days))
        return 0;
    if (days > kMaxSpanDays)
        days = kMaxSpanDays;
    else if (days < -kMaxSpanDays)
        days = -kMaxSpanDays;
    return std::llround(days * kSecondsPerDay);
}

double SpanFromSeconds(int64_t seconds)
{
    return static_cast<double>(seconds) / kSecondsPerDay;
}

struct Fields {
    int year;
    int month;
    int day;
    int hour;
    int minute;
    int second;
    int day_of_week;  // 0 Sunday
    int day_of_year;  // 1-366
};

bool FieldsFromDate(const COleDateTime& date, Fields& fields)
{
    int64_t seconds;
    if (date.m_status != COleDateTime::valid || !SecondsFromDate(date.m_dt, seconds))
        return false;
    const int64_t day_number = FloorDiv(seconds, kSecondsPerDay);
    const int64_t time_of_day = seconds - day_number * kSecondsPerDay;
    const CivilDate civil = DateFromDayNumber(day_number);
    fields.year = civil.year;
    fields.month = civil.month;
    fields.day = civil.day;
    fields.hour = static_cast<int>(time_of_day / 3600);
    fields.minute = static_cast<int>(time_of_day / 60 % 60);
    fields.second = static_cast<int>(time_of_day % 60);
    // Day 0, 30 December 1899, was a Saturday.
    fields.day_of_week = static_cast<int>(((day_number + 6) % 7 + 7) % 7);
    fields.day_of_year = static_cast<int>(day_number - DayNumberFromDate(civil.year, 1, 1) + 1);
    return true;
}

// The first year whose dates the runtime library's strftime formats in full.
constexpr int kFirstYearTheRuntimeFormats = 1900;

// strftime into a CString; empty when the runtime refuses the format.
CString FormatWithRuntime(const char* format, const struct tm& value)
{
    // strftime gives 0 both for "too small" and for an empty result, so the
    // buffer grows to a limit that no date text reaches.
    for (size_t size = 256; size <= 65536; size *= 4) {
        CString text;
        char* buffer = text.GetBuffer(static_cast<int>(size));
        const size_t written = std::strftime(buffer, size, format, &value);
        if (written > 0) {
            text.ReleaseBuffer(static_cast<int>(written));
            return text;
        }
        text.ReleaseBuffer(0);
    }
    return CString();
}

// Every whole number in text that reads runtime_year becomes year: four
// digits at least, as %Y and the locales' "yyyy" write it, unless the
// conversion asked for no padding. Digits that merely contain the year (a
// longer number) stay.
CString ReplaceYear(const CString& text, int runtime_year, int year, bool no_padding)
{
    char from[16];
    char to[16];
    std::snprintf(from, sizeof from, "%d", runtime_year);
    std::snprintf(to, sizeof to, no_padding ? "%d" : "%04d", year);
    const int from_length = static_cast<int>(std::strlen(from));
    CString result;
    const int length = text.GetLength();
    int i = 0;
    while (i < length) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            result += text[i++];
            continue;
        }
        int end = i;
        while (end < length && std::isdigit(static_cast<unsigned char>(text[end])))
            ++end;
        const CString number = text.Mid(i, end - i);
        if (end - i == from_length && number.Compare(from) == 0)
            result += to;
        else
            result += number;
        i = end;
    }
    return result;
}

template <typename Status>
Status CombineStatus(Status a, Status b)
{
    if (a == Status::invalid || b == Status::invalid)
        return Status::invalid;
    if (a == Status::null || b == Status::null)
        return Status::null;
    return Status::valid;
}

COleDateTimeSpan::DateTimeSpanStatus SpanStatusOf(COleDateTime::DateTimeStatus status)
{
    return static_cast<COleDateTimeSpan::DateTimeSpanStatus>(status);
}

COleDateTime::DateTimeStatus DateStatusOf(COleDateTimeSpan::DateTimeSpanStatus status)
{
    return static_cast<COleDateTime::DateTimeStatus>(status);
}

// Linear seconds of a date for comparisons; dates that do not convert sort
// by their raw value, scaled like seconds.
double ComparableSeconds(const COleDateTime& date)
{
    int64_t seconds;
    if (SecondsFromDate(date.m_dt, seconds))
        return static_cast<double>(seconds);
    return date.m_dt * kSecondsPerDay;
}

}  // namespace

COleDateTime::COleDateTime() : m_dt(0), m_status(valid) {}

COleDateTime::COleDateTime(DATE dt) : m_dt(0), m_status(valid)
{
    int64_t seconds;
    if (SecondsFromDate(dt, seconds))
        m_dt = DateFromSeconds(seconds);
    else
        m_status = invalid;
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
    : m_dt(0), m_status(valid)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const SYSTEMTIME& st) : m_dt(0), m_status(valid)
{
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return COleDateTime(now);
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    const int64_t seconds =
        DayNumberFromDate(year, month, day) * kSecondsPerDay + hour * 3600 + minute * 60 + second;
    m_dt = DateFromSeconds(seconds);
    m_status = valid;
    return 0;
}

int COleDateTime::SetDate(int year, int month, int day)
{
    return SetDateTime(year, month, day, 0, 0, 0);
}

int COleDateTime::SetTime(int hour, int minute, int second)
{
    return SetDateTime(1899, 12, 30, hour, minute, second);
}

void COleDateTime::SetStatus(DateTimeStatus status)
{
    m_status = status;
}

COleDateTime::DateTimeStatus COleDateTime::GetStatus() const
{
    return m_status;
}

int COleDateTime::GetYear() const
{
    Fields f;
    return FieldsFromDate(*this, f) ? f.year : -1;
}

int COleDateTime::GetMonth() const
{
    Fields f;
    return FieldsFromDate(*this, f) ? f.month : -1;
}

int COleDateTime::GetDay() const
{
    Fields f;
    return FieldsFromDate(*this, f) ? f.day : -1;
}

int COleDateTime::GetHour() const
{
    Fields f;
    return FieldsFromDate(*this, f) ? f.hour : -1;
}

int COleDateTime::GetMinute() const
{
    Fields f;
    return FieldsFromDate(*this, f) ? f.minute : -1;
}

int COleDateTime::GetSecond() const
{
    Fields f;
    return FieldsFromDate(*this, f) ? f.second : -1;
}

int COleDateTime::GetDayOfWeek() const
{
    Fields f;
    return FieldsFromDate(*this, f) ? f.day_of_week + 1 : -1;
}

int COleDateTime::GetDayOfYear() const
{
    Fields f;
    return FieldsFromDate(*this, f) ? f.day_of_year : -1;
}

bool COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    Fields f;
    if (!FieldsFromDate(*this, f))
        return false;
    st.wYear = static_cast<WORD>(f.year);
    st.wMonth = static_cast<WORD>(f.month);
    st.wDay = static_cast<WORD>(f.day);
    st.wDayOfWeek = static_cast<WORD>(f.day_of_week);
    st.wHour = static_cast<WORD>(f.hour);
    st.wMinute = static_cast<WORD>(f.minute);
    st.wSecond = static_cast<WORD>(f.second);
    st.wMilliseconds = 0;
    return true;
}

CString COleDateTime::Format(const char* format) const
{
    Fields f;
    if (format == nullptr || !FieldsFromDate(*this, f))
        return CString();
    if (*format == '\0')
        return CString();
    // The runtime library's strftime refuses the year-bearing conversions
    // (%x, %c, %y, ...) before 1900. The Gregorian calendar repeats every
    // 400 years, weekdays and leap days included, so such a date is
    // formatted as its twin 400 years on (whose last two digits are the
    // same) and the twin's year is written back as the real one.
    int runtime_year = f.year;
    while (runtime_year < kFirstYearTheRuntimeFormats)
        runtime_year += 400;
    struct tm tm_value = {};
    tm_value.tm_year = runtime_year - 1900;
    tm_value.tm_mon = f.month - 1;
    tm_value.tm_mday = f.day;
    tm_value.tm_hour = f.hour;
    tm_value.tm_min = f.minute;
    tm_value.tm_sec = f.second;
    tm_value.tm_wday = f.day_of_week;
    tm_value.tm_yday = f.day_of_year - 1;
    tm_value.tm_isdst = -1;
    if (runtime_year == f.year)
        return FormatWithRuntime(format, tm_value);

    CString text;
    const char* p = format;
    while (*p != '\0') {
        if (*p != '%') {
            text += *p++;
            continue;
        }
        // One conversion: '%', the runtime's '#' flag when present, and the
        // conversion letter.
        const char* start = p++;
        const bool no_padding = *p == '#';
        if (no_padding)
            ++p;
        if (*p != '\0')
            ++p;
        const CString conversion(start, static_cast<int>(p - start));
        text += ReplaceYear(FormatWithRuntime(conversion, tm_value), runtime_year, f.year, no_padding);
    }
    return text;
}

COleDateTime::operator DATE() const
{
    return m_dt;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result;
    result.m_status = CombineStatus(m_status, DateStatusOf(span.m_status));
    if (result.m_status != valid)
        return result;
    int64_t seconds;
    if (!SecondsFromDate(m_dt, seconds)) {
        result.m_status = invalid;
        return result;
    }
    seconds += SecondsFromSpan(span.m_span);
    if (seconds < kMinSeconds || seconds > kMaxSeconds) {
        result.m_status = invalid;
        return result;
    }
    result.m_dt = DateFromSeconds(seconds);
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    return *this + (-span);
}

COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan& span)
{
    *this = *this + span;
    return *this;
}

COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan& span)
{
    *this = *this - span;
    return *this;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    COleDateTimeSpan result;
    result.m_status = CombineStatus(SpanStatusOf(m_status), SpanStatusOf(other.m_status));
    if (result.m_status != COleDateTimeSpan::valid)
        return result;
    int64_t a;
    int64_t b;
    if (!SecondsFromDate(m_dt, a) || !SecondsFromDate(other.m_dt, b)) {
        result.m_status = COleDateTimeSpan::invalid;
        return result;
    }
    result.m_span = SpanFromSeconds(a - b);
    return result;
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return m_status == other.m_status && ComparableSeconds(*this) == ComparableSeconds(other);
}

bool COleDateTime::operator!=(const COleDateTime& other) const
{
    return !(*this == other);
}

bool COleDateTime::operator<(const COleDateTime& other) const
{
    return ComparableSeconds(*this) < ComparableSeconds(other);
}

bool COleDateTime::operator>(const COleDateTime& other) const
{
    return other < *this;
}

bool COleDateTime::operator<=(const COleDateTime& other) const
{
    return !(other < *this);
}

bool COleDateTime::operator>=(const COleDateTime& other) const
{
    return !(*this < other);
}

COleDateTimeSpan::COleDateTimeSpan() : m_span(0), m_status(valid) {}

COleDateTimeSpan::COleDateTimeSpan(double days) : m_span(0), m_status(valid)
{
    if (!(std::fabs(days) <= kMaxSpanDays))
        m_status = invalid;
    else
        m_span = SpanFromSeconds(SecondsFromSpan(days));
}

COleDateTimeSpan::COleDateTimeSpan(long days, int hours, int minutes, int seconds)
    : m_span(0), m_status(valid)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(long days, int hours, int minutes, int seconds)
{
    const int64_t total = static_cast<int64_t>(days) * kSecondsPerDay + static_cast<int64_t>(hours) * 3600 +
                          static_cast<int64_t>(minutes) * 60 + seconds;
    m_span = SpanFromSeconds(total);
    m_status = valid;
}

void COleDateTimeSpan::SetStatus(DateTimeSpanStatus status)
{
    m_status = status;
}

COleDateTimeSpan::DateTimeSpanStatus COleDateTimeSpan::GetStatus() const
{
    return m_status;
}

double COleDateTimeSpan::GetTotalDays() const
{
    return m_span;
}

double COleDateTimeSpan::GetTotalHours() const
{
    return static_cast<double>(SecondsFromSpan(m_span)) / 3600;
}

double COleDateTimeSpan::GetTotalMinutes() const
{
    return static_cast<double>(SecondsFromSpan(m_span)) / 60;
}

double COleDateTimeSpan::GetTotalSeconds() const
{
    return static_cast<double>(SecondsFromSpan(m_span));
}

long COleDateTimeSpan::GetDays() const
{
    return static_cast<long>(SecondsFromSpan(m_span) / kSecondsPerDay);
}

int COleDateTimeSpan::GetHours() const
{
    return static_cast<int>(SecondsFromSpan(m_span) % kSecondsPerDay / 3600);
}

int COleDateTimeSpan::GetMinutes() const
{
    return static_cast<int>(SecondsFromSpan(m_span) % 3600 / 60);
}

int COleDateTimeSpan::GetSeconds() const
{
    return static_cast<int>(SecondsFromSpan(m_span) % 60);
}

COleDateTimeSpan::operator double() const
{
    return m_span;
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const
{
    COleDateTimeSpan result;
    result.m_status = CombineStatus(m_status, other.m_status);
    if (result.m_status == valid)
        result.m_span = SpanFromSeconds(SecondsFromSpan(m_span) + SecondsFromSpan(other.m_span));
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const
{
    return *this + (-other);
}

COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan& other)
{
    *this = *this + other;
    return *this;
}

COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan& other)
{
    *this = *this - other;
    return *this;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result;
    result.m_status = m_status;
    result.m_span = -m_span;
    return result;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const
{
    return m_status == other.m_status && SecondsFromSpan(m_span) == SecondsFromSpan(other.m_span);
}

bool COleDateTimeSpan::operator!=(const COleDateTimeSpan& other) const
{
    return !(*this == other);
}

bool COleDateTimeSpan::operator<(const COleDateTimeSpan& other) const
{
    return SecondsFromSpan(m_span) < SecondsFromSpan(other.m_span);
}

bool COleDateTimeSpan::operator>(const COleDateTimeSpan& other) const
{
    return other < *this;
}

bool COleDateTimeSpan::operator<=(const COleDateTimeSpan& other) const
{
    return !(other < *this);
}

bool COleDateTimeSpan::operator>=(const COleDateTimeSpan& other) const
{
    return !(*this < other);
}
