// The schedule's description in the administrator's task list.
#include "task/sched_trigger.h"

namespace {

const char* const kOrdinals[6] = {"first", "second", "third", "fourth", "fifth", "last"};
const char* const kWeekdays[7] = {"Mon. ", "Tues. ", "Wed. ", "Thur. ", "Fri. ", "Sat. ", "Sun. "};
const char kWeekdayLetters[8] = "MTWTFSS";

// English ordinal suffix: 1st 2nd 3rd 4th ... 11th 12th 13th ... 21st 22nd.
const char* OrdinalSuffix(long n)
{
    const long magnitude = n < 0 ? -n : n;
    if (magnitude % 100 >= 11 && magnitude % 100 <= 13)
        return "th";
    switch (magnitude % 10) {
    case 1:
        return "st";
    case 2:
        return "nd";
    case 3:
        return "rd";
    default:
        return "th";
    }
}

// The occurrence the n-th weekday rule runs on: a DayOfMonth below the
// first (0 is the default) runs on the first, one beyond the last ordinal on
// the last, so the text names those.
const char* WeekdayOrdinal(long dayOfMonth)
{
    if (dayOfMonth < 1)
        return kOrdinals[0];
    if (dayOfMonth > 6)
        return kOrdinals[5];
    return kOrdinals[dayOfMonth - 1];
}

CString MonthlyText(const CSchedTrigger& trigger)
{
    CString text = "Monthly -";
    switch (trigger.GetMonthRunType()) {
    case kMonthSameDay:
        text += " on the next scheduled time";
        break;
    case kMonthLastDay:
        text += " on the last day of the month";
        break;
    case kMonthNthWeekday: {
        const long weekday = trigger.GetDayOfWeek();
        text += " on the ";
        text += WeekdayOrdinal(trigger.GetDayOfMonth());
        text += " ";
        if (weekday >= 0 && weekday <= 6)
            text += kWeekdays[weekday];
        break;
    }
    case kMonthNthWorkDay: {
        CString workDay;
        workDay.Format(" on the %ld%s work day ", trigger.GetWorkDayOfMonth(),
                       OrdinalSuffix(trigger.GetWorkDayOfMonth()));
        text += workDay;
        break;
    }
    case kMonthLastWorkDay:
        text += " on the last work day ";
        break;
    default:
        break;
    }
    return text;
}

}  // namespace

CString CSchedTrigger::GetFrequencyText() const
{
    CString text;
    switch (m_Frequency) {
    case kFrequencyOneTime:
        text = "One Time ";
        break;
    case kFrequencyDaily:
        text = "Daily ";
        break;
    case kFrequencyWeekly:
        text = m_UseWeekType == 1 ? "Workdays " : m_UseWeekType == 2 ? "Non Workdays " : "Weekly ";
        break;
    case kFrequencyMonthly:
        text = MonthlyText(*this);
        break;
    case kFrequencyNotByTime:
        text = "On Condition";
        break;
    default:
        break;
    }

    if (m_Multiplier > 1 && (m_Frequency == kFrequencyDaily || m_Frequency == kFrequencyWeekly)) {
        CString repeat;
        repeat.Format(m_Frequency == kFrequencyDaily ? "- Every %ld days " : "- Every %ld weeks ",
                      m_Multiplier);
        text += repeat;
    }

    if (m_Frequency == kFrequencyWeekly) {
        text += "on ";
        for (int day = 0; day < 7; ++day)
            text += m_WeekDaySelected[day] == 1 ? kWeekdayLetters[day] : '-';
        text += " ";
    }

    if (m_IsAdvOptions != 0 && (m_IntervalType == 0 || m_IntervalType == 1)) {
        CString interval;
        interval.Format(m_IntervalType == 0 ? "at %ld minute intervals" : "at %ld hour intervals",
                        m_IntervalAmount);
        if (!text.IsEmpty() && text[text.GetLength() - 1] != ' ')
            text += ' ';
        text += interval;
    }
    return text;
}
