// Local automation dates and spans between them, normalised to whole seconds.
//
// A DATE counts days since 30 December 1899 00:00; the fraction is the time
// of day. Before that day the automation rules keep the fraction positive in
// magnitude (-1.25 is 29 December 1899 06:00), so a DATE is not a linear
// scale. All arithmetic here therefore converts to whole seconds on a linear
// scale first and back afterwards, which also keeps repeated additions free
// of floating drift.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "platform/framework/string.h"

class COleDateTimeSpan;

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    DATE m_dt;
    DateTimeStatus m_status;

    // Valid, 30 December 1899 00:00.
    COleDateTime();
    // Valid and rounded to the nearest whole second; invalid when outside
    // the years 100-9999 or not a number.
    COleDateTime(DATE dt);
    // Invalid when any part is out of range (years 100-9999).
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    // Milliseconds are dropped.
    COleDateTime(const SYSTEMTIME& st);

    // The local time, whole seconds.
    static COleDateTime GetCurrentTime();

    // Each returns 0 on success; on failure the status becomes invalid and
    // the result is non-zero. SetDate sets the time to 00:00:00; SetTime sets
    // the date to 30 December 1899.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day);
    int SetTime(int hour, int minute, int second);

    void SetStatus(DateTimeStatus status);
    DateTimeStatus GetStatus() const;

    // Each returns -1 when the value is not a valid date.
    int GetYear() const;
    int GetMonth() const;      // 1-12
    int GetDay() const;        // 1-31
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 Sunday ... 7 Saturday
    int GetDayOfYear() const;  // 1-366

    // False when the value is not a valid date. wDayOfWeek is 0 for Sunday.
    bool GetAsSystemTime(SYSTEMTIME& st) const;

    // strftime-style text in the runtime library's current time locale
    // ("%x %X", "%H:%M", ...). Empty for a date that is not valid.
    CString Format(const char* format) const;

    operator DATE() const;

    // A result outside the years 100-9999 is invalid; an invalid operand
    // gives an invalid result, else a null operand a null result.
    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span);
    COleDateTime& operator-=(const COleDateTimeSpan& span);
    COleDateTimeSpan operator-(const COleDateTime& other) const;

    // Points in time are compared, not the raw doubles: -1.5 (29 December
    // 1899 12:00) is later than -1.25 (29 December 1899 06:00). Equality
    // also requires equal status.
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const;
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const;
    bool operator<=(const COleDateTime& other) const;
    bool operator>=(const COleDateTime& other) const;
};

class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    double m_span;  // days, rounded to whole seconds
    DateTimeSpanStatus m_status;

    COleDateTimeSpan();  // valid, zero
    COleDateTimeSpan(double days);
    COleDateTimeSpan(long days, int hours, int minutes, int seconds);

    void SetDateTimeSpan(long days, int hours, int minutes, int seconds);
    void SetStatus(DateTimeSpanStatus status);
    DateTimeSpanStatus GetStatus() const;

    double GetTotalDays() const;
    double GetTotalHours() const;
    double GetTotalMinutes() const;
    double GetTotalSeconds() const;

    // Parts of the span, truncated towards zero: all negative (or zero) for a
    // negative span.
    long GetDays() const;
    int GetHours() const;
    int GetMinutes() const;
    int GetSeconds() const;

    operator double() const;

    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& other);
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& other);
    COleDateTimeSpan operator-() const;

    bool operator==(const COleDateTimeSpan& other) const;
    bool operator!=(const COleDateTimeSpan& other) const;
    bool operator<(const COleDateTimeSpan& other) const;
    bool operator>(const COleDateTimeSpan& other) const;
    bool operator<=(const COleDateTimeSpan& other) const;
    bool operator>=(const COleDateTimeSpan& other) const;
};
