// QvxTask.QVSchedTrigger: the schedule trigger object as the task, the task
// storage, the engine and scripts use it, through the vtable and by name.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "platform/framework/oledatetime.h"
#include "qvxtask_com_support.h"

namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::SameObject;
using tvx::com::Variant;

constexpr double kSecond = 1.0 / 86400;

ComPtr<IQVSchedTrigger> NewTrigger()
{
    ComPtr<IQVSchedTrigger> trigger;
    EXPECT_EQ(S_OK, trigger.CreateInstance(CLSID_QVSchedTrigger, CLSCTX_INPROC_SERVER))
        << "QvxTask.QVSchedTrigger is not registered";
    return trigger;
}

ComPtr<IDispatch> DispatchOf(IQVSchedTrigger* trigger)
{
    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(S_OK, dispatch.QueryFrom(trigger));
    return dispatch;
}

COleDateTime Now()
{
    return COleDateTime::GetCurrentTime();
}

COleDateTime At(const COleDateTime& day, int hour, int minute, int second)
{
    return COleDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), hour, minute, second);
}

COleDateTime DateOf(DATE value)
{
    return COleDateTime(value);
}

// Read through a getter that returns a BSTR.
template <class Call>
std::wstring Text(Call call)
{
    Bstr text;
    EXPECT_EQ(S_OK, call(text.Receive()));
    return text.ToString();
}

std::wstring NextScheduleText(IQVSchedTrigger* trigger)
{
    return Text([&](BSTR* out) { return trigger->NextScheduleAsString(out); });
}

std::wstring DateTimeString(IQVSchedTrigger* trigger, const wchar_t* selector)
{
    Bstr text(selector);
    return Text([&](BSTR* out) { return trigger->GetDateTimeString(text.Get(), out); });
}

DATE NextSchedTime(IQVSchedTrigger* trigger)
{
    DATE value = 0;
    EXPECT_EQ(S_OK, trigger->get_NextSchedTime(&value));
    return value;
}

// --- the plain properties ---------------------------------------------------

struct ShortProperty {
    const wchar_t* name;
    HRESULT (*put)(IQVSchedTrigger*, short);
    HRESULT (*get)(IQVSchedTrigger*, short*);
    short initial;
};

struct LongProperty {
    const wchar_t* name;
    HRESULT (*put)(IQVSchedTrigger*, long);
    HRESULT (*get)(IQVSchedTrigger*, long*);
    long initial;
};

#define PROPERTY(type, name, initial)                                                 \
    {                                                                                 \
        L## #name, [](IQVSchedTrigger* t, type v) { return t->put_##name(v); },       \
            [](IQVSchedTrigger* t, type* v) { return t->get_##name(v); }, initial     \
    }

const ShortProperty kShortProperties[] = {
    PROPERTY(short, Frequency, 0),       PROPERTY(short, DayOfMonth, 0),     PROPERTY(short, DayOfWeek, 0),
    PROPERTY(short, Multiplier, 1),      PROPERTY(short, WorkDayOfMonth, 1), PROPERTY(short, MonthRunType, 0),
    PROPERTY(short, UseWeekType, 0),     PROPERTY(short, IntervalAmount, 1), PROPERTY(short, IntervalType, 0),
    PROPERTY(short, ReschedType, 0),
};

const LongProperty kLongProperties[] = {
    PROPERTY(long, IsAdvOptions, 0),
    PROPERTY(long, IsIntervalRange, 0),
    PROPERTY(long, ScheduledIndefinately, 1),
    PROPERTY(long, IncludeHolidays, 1),
};

#undef PROPERTY

// Every value the interface lets a client read without a clock, for
// checking that a refused call changed nothing.
std::vector<double> Snapshot(IQVSchedTrigger* trigger)
{
    std::vector<double> values;
    for (const ShortProperty& p : kShortProperties) {
        short value = 0;
        EXPECT_EQ(S_OK, p.get(trigger, &value)) << p.name;
        values.push_back(value);
    }
    for (const LongProperty& p : kLongProperties) {
        long value = 0;
        EXPECT_EQ(S_OK, p.get(trigger, &value)) << p.name;
        values.push_back(value);
    }
    for (short day = 0; day < 7; ++day) {
        long value = 0;
        EXPECT_EQ(S_OK, trigger->get_WeekDaySelected(day, &value));
        values.push_back(value);
    }
    for (short month = 0; month < 12; ++month) {
        long value = 0;
        EXPECT_EQ(S_OK, trigger->get_IsMonthScheduled(month, &value));
        values.push_back(value);
    }
    DATE date = 0;
    EXPECT_EQ(S_OK, trigger->get_NextSchedTime(&date));
    values.push_back(date);
    EXPECT_EQ(S_OK, trigger->get_LastExecTime(&date));
    values.push_back(date);
    EXPECT_EQ(S_OK, trigger->get_DurationTime(&date));
    values.push_back(date);
    return values;
}

class SchedTriggerObjectTest : public QvxTaskComTest {
protected:
    void SetUp() override
    {
        created_after = Now();
        trigger = NewTrigger();
        ASSERT_TRUE(trigger);
        created_before = Now();
    }

    COleDateTime created_after;
    COleDateTime created_before;
    ComPtr<IQVSchedTrigger> trigger;
};

TEST_F(SchedTriggerObjectTest, CreatedWithTheScheduleDefaults)
{
    for (const ShortProperty& p : kShortProperties) {
        short value = -99;
        ASSERT_EQ(S_OK, p.get(trigger.Get(), &value)) << p.name;
        EXPECT_EQ(p.initial, value) << p.name;
    }
    for (const LongProperty& p : kLongProperties) {
        long value = -99;
        ASSERT_EQ(S_OK, p.get(trigger.Get(), &value)) << p.name;
        EXPECT_EQ(p.initial, value) << p.name;
    }
    for (short day = 0; day < 7; ++day) {
        long value = -99;
        ASSERT_EQ(S_OK, trigger->get_WeekDaySelected(day, &value));
        EXPECT_EQ(1, value) << day;
    }
    for (short month = 0; month < 12; ++month) {
        long value = -99;
        ASSERT_EQ(S_OK, trigger->get_IsMonthScheduled(month, &value));
        EXPECT_EQ(1, value) << month;
    }
    // The times start at the construction time, in whole seconds.
    DATE next = 0;
    DATE last = 0;
    DATE duration = 0;
    ASSERT_EQ(S_OK, trigger->get_NextSchedTime(&next));
    ASSERT_EQ(S_OK, trigger->get_LastExecTime(&last));
    ASSERT_EQ(S_OK, trigger->get_DurationTime(&duration));
    for (DATE value : {next, last, duration}) {
        EXPECT_GE(DateOf(value), created_after);
        EXPECT_LE(DateOf(value), created_before);
        EXPECT_EQ(COleDateTime(value).m_dt, value) << "not a whole second";
    }
    EXPECT_EQ(next, last);
    EXPECT_EQ(next, duration);
    long past_due = -1;
    ASSERT_EQ(S_OK, trigger->IsPastDue(&past_due));
    EXPECT_EQ(0, past_due);
}

TEST_F(SchedTriggerObjectTest, ShortPropertiesReadBackSignExtended)
{
    for (const ShortProperty& p : kShortProperties) {
        for (short value : {short(-32768), short(-2), short(0), short(7), short(32767)}) {
            ASSERT_EQ(S_OK, p.put(trigger.Get(), value)) << p.name;
            short read = 0;
            ASSERT_EQ(S_OK, p.get(trigger.Get(), &read)) << p.name;
            EXPECT_EQ(value, read) << p.name;
        }
    }
}

TEST_F(SchedTriggerObjectTest, LongPropertiesReadBackAsWritten)
{
    for (const LongProperty& p : kLongProperties) {
        for (long value : {0L, 1L, -1L, 0x7fffffffL}) {
            ASSERT_EQ(S_OK, p.put(trigger.Get(), value)) << p.name;
            long read = 0;
            ASSERT_EQ(S_OK, p.get(trigger.Get(), &read)) << p.name;
            EXPECT_EQ(value, read) << p.name;
        }
    }
}

// Scripts pass numbers as 32-bit integers and read short properties back as
// 16-bit ones; both ways meet the vtable's values.
TEST_F(SchedTriggerObjectTest, PropertiesByNameMeetTheVtable)
{
    ComPtr<IDispatch> dispatch = DispatchOf(trigger.Get());
    ASSERT_TRUE(dispatch);
    for (const ShortProperty& p : kShortProperties) {
        ASSERT_EQ(S_OK, PutByName(dispatch.Get(), p.name, Variant(-3L))) << p.name;
        short read = 0;
        ASSERT_EQ(S_OK, p.get(trigger.Get(), &read)) << p.name;
        EXPECT_EQ(-3, read) << p.name;

        ASSERT_EQ(S_OK, p.put(trigger.Get(), 12)) << p.name;
        Variant value;
        ASSERT_EQ(S_OK, GetByName(dispatch.Get(), p.name, value)) << p.name;
        ASSERT_EQ(VT_I2, value.Type()) << p.name;
        EXPECT_EQ(12, V_I2(&value.Get())) << p.name;
    }
    for (const LongProperty& p : kLongProperties) {
        ASSERT_EQ(S_OK, PutByName(dispatch.Get(), p.name, Variant(5L))) << p.name;
        long read = 0;
        ASSERT_EQ(S_OK, p.get(trigger.Get(), &read)) << p.name;
        EXPECT_EQ(5, read) << p.name;

        Variant value;
        ASSERT_EQ(S_OK, GetByName(dispatch.Get(), p.name, value)) << p.name;
        ASSERT_EQ(VT_I4, value.Type()) << p.name;
        EXPECT_EQ(5, V_I4(&value.Get())) << p.name;
    }

    // Indexed properties and the write-only work-day flag.
    ASSERT_EQ(S_OK, PutByName(dispatch.Get(), L"WeekDaySelected", Variant(0L), {Variant(3L)}));
    long flag = -1;
    ASSERT_EQ(S_OK, trigger->get_WeekDaySelected(3, &flag));
    EXPECT_EQ(0, flag);
    Variant month;
    ASSERT_EQ(S_OK, trigger->put_IsMonthScheduled(11, 0));
    ASSERT_EQ(S_OK, GetByName(dispatch.Get(), L"IsMonthScheduled", month, {Variant(11L)}));
    EXPECT_EQ(0, V_I4(&month.Get()));
    EXPECT_EQ(S_OK, PutByName(dispatch.Get(), L"WorkDay", Variant(1L), {Variant(6L)}));
    EXPECT_TRUE(FAILED(PutByName(dispatch.Get(), L"WorkDay", Variant(1L), {Variant(7L)})));

    // Dates travel as VT_DATE.
    const COleDateTime when(2025, 3, 4, 5, 6, 7);
    ASSERT_EQ(S_OK, PutByName(dispatch.Get(), L"NextSchedTime", Variant::FromDate(when.m_dt)));
    EXPECT_EQ(when.m_dt, NextSchedTime(trigger.Get()));
    Variant next;
    ASSERT_EQ(S_OK, GetByName(dispatch.Get(), L"NextSchedTime", next));
    ASSERT_EQ(VT_DATE, next.Type());
    EXPECT_EQ(when.m_dt, V_DATE(&next.Get()));
}

TEST_F(SchedTriggerObjectTest, DatesAreStoredInWholeSeconds)
{
    const struct {
        const wchar_t* name;
        HRESULT (*put)(IQVSchedTrigger*, DATE);
        HRESULT (*get)(IQVSchedTrigger*, DATE*);
        bool reads_as_written;
    } cases[] = {
        {L"NextSchedTime", [](IQVSchedTrigger* t, DATE v) { return t->put_NextSchedTime(v); },
         [](IQVSchedTrigger* t, DATE* v) { return t->get_NextSchedTime(v); }, false},
        {L"DurationTime", [](IQVSchedTrigger* t, DATE v) { return t->put_DurationTime(v); },
         [](IQVSchedTrigger* t, DATE* v) { return t->get_DurationTime(v); }, false},
        // The last execution time reads back as written; the schedule works
        // from its whole seconds.
        {L"LastExecTime", [](IQVSchedTrigger* t, DATE v) { return t->put_LastExecTime(v); },
         [](IQVSchedTrigger* t, DATE* v) { return t->get_LastExecTime(v); }, true},
    };
    const DATE whole = COleDateTime(2025, 6, 7, 8, 9, 10).m_dt;
    const DATE fraction = whole + 0.4 * kSecond;
    for (const auto& c : cases) {
        ASSERT_EQ(S_OK, c.put(trigger.Get(), fraction)) << c.name;
        DATE read = 0;
        ASSERT_EQ(S_OK, c.get(trigger.Get(), &read)) << c.name;
        EXPECT_EQ(c.reads_as_written ? fraction : whole, read) << c.name;
    }
}

TEST_F(SchedTriggerObjectTest, DatesOutsideTheCalendarAreRefusedAndChangeNothing)
{
    const struct {
        const wchar_t* name;
        HRESULT (*put)(IQVSchedTrigger*, DATE);
    } cases[] = {
        {L"NextSchedTime", [](IQVSchedTrigger* t, DATE v) { return t->put_NextSchedTime(v); }},
        {L"LastExecTime", [](IQVSchedTrigger* t, DATE v) { return t->put_LastExecTime(v); }},
        {L"DurationTime", [](IQVSchedTrigger* t, DATE v) { return t->put_DurationTime(v); }},
        {L"IntervalStartingTime", [](IQVSchedTrigger* t, DATE v) { return t->put_IntervalStartingTime(v); }},
        {L"IntervalEndingTime", [](IQVSchedTrigger* t, DATE v) { return t->put_IntervalEndingTime(v); }},
    };
    // Before the year 100, after the year 9999, not a number.
    const DATE bad[] = {-700000.0, 3000000.0, std::numeric_limits<double>::quiet_NaN()};
    const std::vector<double> before = Snapshot(trigger.Get());
    DATE start_before = 0;
    DATE end_before = 0;
    ASSERT_EQ(S_OK, trigger->get_IntervalStartingTime(&start_before));
    ASSERT_EQ(S_OK, trigger->get_IntervalEndingTime(&end_before));
    for (const auto& c : cases) {
        for (DATE value : bad) {
            EXPECT_EQ(E_INVALIDARG, c.put(trigger.Get(), value)) << c.name << " " << value;
            const ErrorInfoText error = TakeErrorInfo();
            EXPECT_EQ(0u, error.description.find(c.name)) << c.name;
        }
    }
    for (DATE value : bad) {
        EXPECT_EQ(E_INVALIDARG, trigger->AddHoliday(value));
        long past_due = -1;
        EXPECT_EQ(E_INVALIDARG, trigger->IsNextPastDue(value, 0, &past_due));
    }
    EXPECT_EQ(before, Snapshot(trigger.Get()));
    DATE start_after = 0;
    DATE end_after = 0;
    ASSERT_EQ(S_OK, trigger->get_IntervalStartingTime(&start_after));
    ASSERT_EQ(S_OK, trigger->get_IntervalEndingTime(&end_after));
    if (At(DateOf(start_before), 0, 0, 0) == At(DateOf(start_after), 0, 0, 0)) {  // no midnight in between
        EXPECT_EQ(start_before, start_after);
        EXPECT_EQ(end_before, end_after);
    }
}

TEST_F(SchedTriggerObjectTest, IndexesOutsideTheWeekOrYearAreRefusedAndWriteNothing)
{
    // A pattern that differs from the defaults, so a stray write shows.
    for (short day = 0; day < 7; ++day)
        ASSERT_EQ(S_OK, trigger->put_WeekDaySelected(day, day % 2));
    for (short month = 0; month < 12; ++month)
        ASSERT_EQ(S_OK, trigger->put_IsMonthScheduled(month, month % 3 == 0));
    const std::vector<double> before = Snapshot(trigger.Get());

    const wchar_t kWeekday[] = L"The day of the week must be 0 (Monday) to 6 (Sunday).";
    const wchar_t kMonth[] = L"The month must be 0 (January) to 11 (December).";
    const struct {
        const char* member;
        short first_bad_high;
        const wchar_t* reason;
    } ranges[] = {{"WeekDaySelected", 7, kWeekday}, {"IsMonthScheduled", 12, kMonth}, {"WorkDay", 7, kWeekday}};
    for (const auto& range : ranges) {
        for (short index : {short(-32768), short(-1), range.first_bad_high, short(range.first_bad_high + 1),
                            short(32767)}) {
            SCOPED_TRACE(std::string(range.member) + " " + std::to_string(index));
            long value = -5;
            const std::string member = range.member;
            if (member == "WeekDaySelected") {
                EXPECT_EQ(E_INVALIDARG, trigger->put_WeekDaySelected(index, 1));
                EXPECT_EQ(E_INVALIDARG, trigger->get_WeekDaySelected(index, &value));
            } else if (member == "IsMonthScheduled") {
                EXPECT_EQ(E_INVALIDARG, trigger->put_IsMonthScheduled(index, 1));
                EXPECT_EQ(E_INVALIDARG, trigger->get_IsMonthScheduled(index, &value));
            } else {
                EXPECT_EQ(E_INVALIDARG, trigger->put_WorkDay(index, 1));
            }
            EXPECT_EQ(std::wstring(range.reason), TakeErrorInfo().description);
        }
    }
    EXPECT_EQ(before, Snapshot(trigger.Get()));
    for (short day = 0; day < 7; ++day)
        EXPECT_EQ(S_OK, trigger->put_WorkDay(day, 1)) << day;
}

TEST_F(SchedTriggerObjectTest, NullOutPointersAreRefused)
{
    const struct {
        const char* member;
        HRESULT (*call)(IQVSchedTrigger*);
    } cases[] = {
        {"LastExecTime", [](IQVSchedTrigger* t) { return t->get_LastExecTime(nullptr); }},
        {"Frequency", [](IQVSchedTrigger* t) { return t->get_Frequency(nullptr); }},
        {"NextSchedTime", [](IQVSchedTrigger* t) { return t->get_NextSchedTime(nullptr); }},
        {"IsNextPastDue", [](IQVSchedTrigger* t) { return t->IsNextPastDue(45000.0, 0, nullptr); }},
        {"DayOfMonth", [](IQVSchedTrigger* t) { return t->get_DayOfMonth(nullptr); }},
        {"DayOfWeek", [](IQVSchedTrigger* t) { return t->get_DayOfWeek(nullptr); }},
        {"WeekDaySelected", [](IQVSchedTrigger* t) { return t->get_WeekDaySelected(0, nullptr); }},
        {"Multiplier", [](IQVSchedTrigger* t) { return t->get_Multiplier(nullptr); }},
        {"WorkDayOfMonth", [](IQVSchedTrigger* t) { return t->get_WorkDayOfMonth(nullptr); }},
        {"MonthRunType", [](IQVSchedTrigger* t) { return t->get_MonthRunType(nullptr); }},
        {"UseWeekType", [](IQVSchedTrigger* t) { return t->get_UseWeekType(nullptr); }},
        {"IsMonthScheduled", [](IQVSchedTrigger* t) { return t->get_IsMonthScheduled(0, nullptr); }},
        {"IsAdvOptions", [](IQVSchedTrigger* t) { return t->get_IsAdvOptions(nullptr); }},
        {"IsIntervalRange", [](IQVSchedTrigger* t) { return t->get_IsIntervalRange(nullptr); }},
        {"IntervalAmount", [](IQVSchedTrigger* t) { return t->get_IntervalAmount(nullptr); }},
        {"IntervalType", [](IQVSchedTrigger* t) { return t->get_IntervalType(nullptr); }},
        {"IntervalStartingTime", [](IQVSchedTrigger* t) { return t->get_IntervalStartingTime(nullptr); }},
        {"IntervalEndingTime", [](IQVSchedTrigger* t) { return t->get_IntervalEndingTime(nullptr); }},
        {"ReschedType", [](IQVSchedTrigger* t) { return t->get_ReschedType(nullptr); }},
        {"ScheduledIndefinately", [](IQVSchedTrigger* t) { return t->get_ScheduledIndefinately(nullptr); }},
        {"DurationTime", [](IQVSchedTrigger* t) { return t->get_DurationTime(nullptr); }},
        {"IncludeHolidays", [](IQVSchedTrigger* t) { return t->get_IncludeHolidays(nullptr); }},
        {"IsPastDue", [](IQVSchedTrigger* t) { return t->IsPastDue(nullptr); }},
        {"NextScheduleAsString", [](IQVSchedTrigger* t) { return t->NextScheduleAsString(nullptr); }},
        {"GetFrequencyAsString", [](IQVSchedTrigger* t) { return t->GetFrequencyAsString(nullptr); }},
        {"GetDateTimeString", [](IQVSchedTrigger* t) { return t->GetDateTimeString(nullptr, nullptr); }},
    };
    for (const auto& c : cases)
        EXPECT_EQ(E_POINTER, c.call(trigger.Get())) << c.member;
}

// --- rescheduling ------------------------------------------------------------

TEST_F(SchedTriggerObjectTest, ReScheduleMovesTheNextRunPastTheClock)
{
    // Daily at a time an hour from now, last due three days ago.
    const COleDateTime now = Now();
    const COleDateTime behind = now - COleDateTimeSpan(3, -1, 0, 0);
    ASSERT_EQ(S_OK, trigger->put_Frequency(1));
    ASSERT_EQ(S_OK, trigger->put_NextSchedTime(behind.m_dt));
    const std::wstring behind_text = NextScheduleText(trigger.Get());

    ASSERT_EQ(S_OK, trigger->ReSchedule());
    EXPECT_EQ((now + COleDateTimeSpan(0, 1, 0, 0)).m_dt, NextSchedTime(trigger.Get()));
    EXPECT_EQ(behind_text, DateTimeString(trigger.Get(), L"LAST_SCHEDULED"));
    EXPECT_NE(behind_text, NextScheduleText(trigger.Get()));

    // The same by name, as a script calls it: one day on.
    ComPtr<IDispatch> dispatch = DispatchOf(trigger.Get());
    ASSERT_EQ(S_OK, PutByName(dispatch.Get(), L"NextSchedTime", Variant::FromDate(behind.m_dt)));
    ASSERT_EQ(S_OK, PutByName(dispatch.Get(), L"Multiplier", Variant(2L)));
    ASSERT_EQ(S_OK, InvokeByName(dispatch.Get(), L"ReSchedule", DISPATCH_METHOD, {}));
    Variant next;
    ASSERT_EQ(S_OK, GetByName(dispatch.Get(), L"NextSchedTime", next));
    EXPECT_EQ((now + COleDateTimeSpan(1, 1, 0, 0)).m_dt, V_DATE(&next.Get()));
}

TEST_F(SchedTriggerObjectTest, HolidaysAreSkippedUntilCleared)
{
    const COleDateTime now = Now();
    const COleDateTime due = now + COleDateTimeSpan(0, 1, 0, 0);
    const COleDateTime behind = due - COleDateTimeSpan(2, 0, 0, 0);
    ASSERT_EQ(S_OK, trigger->put_Frequency(1));
    ASSERT_EQ(S_OK, trigger->put_IncludeHolidays(0));
    ASSERT_EQ(S_OK, trigger->AddHoliday(At(due, 0, 0, 0).m_dt));

    ASSERT_EQ(S_OK, trigger->put_NextSchedTime(behind.m_dt));
    ASSERT_EQ(S_OK, trigger->ReSchedule());
    EXPECT_EQ((due + COleDateTimeSpan(1, 0, 0, 0)).m_dt, NextSchedTime(trigger.Get()));

    ASSERT_EQ(S_OK, trigger->ClearHolidays());
    ASSERT_EQ(S_OK, trigger->put_NextSchedTime(behind.m_dt));
    ASSERT_EQ(S_OK, trigger->ReSchedule());
    EXPECT_EQ(due.m_dt, NextSchedTime(trigger.Get()));
}

// The first day of the month (this one or the next) whose weekday (0
// Monday) is allowed, at 03:00:00, that is later than now.
COleDateTime FirstAllowedDayAfter(const COleDateTime& now, const bool (&allowed)[7])
{
    for (int months_on = 0; months_on < 2; ++months_on) {
        const int month0 = now.GetMonth() - 1 + months_on;
        COleDateTime day(now.GetYear() + month0 / 12, month0 % 12 + 1, 1, 3, 0, 0);
        while (!allowed[(day.GetDayOfWeek() + 5) % 7])
            day += COleDateTimeSpan(1, 0, 0, 0);
        if (day > now)
            return day;
    }
    return COleDateTime();
}

// The engine passes the scheduler's work days before it asks for a run;
// until then they are Monday to Friday.
TEST_F(SchedTriggerObjectTest, WorkDaysAreMondayToFridayUntilSet)
{
    const struct {
        const char* label;
        long work_days[7];  // -1: leave as created
        bool allowed[7];
    } cases[] = {
        {"as created", {-1, -1, -1, -1, -1, -1, -1}, {true, true, true, true, true, false, false}},
        {"Saturday only", {0, 0, 0, 0, 0, 1, 0}, {false, false, false, false, false, true, false}},
        {"Sunday and Monday", {1, 0, 0, 0, 0, 0, 1}, {true, false, false, false, false, false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ComPtr<IQVSchedTrigger> monthly = NewTrigger();
        ASSERT_TRUE(monthly);
        for (short day = 0; day < 7; ++day) {
            if (c.work_days[day] >= 0) {
                ASSERT_EQ(S_OK, monthly->put_WorkDay(day, c.work_days[day]));
            }
        }
        // The first work day of each month, at the time of the last run.
        const COleDateTime now = Now();
        ASSERT_EQ(S_OK, monthly->put_Frequency(3));
        ASSERT_EQ(S_OK, monthly->put_MonthRunType(3));
        ASSERT_EQ(S_OK, monthly->put_WorkDayOfMonth(1));
        ASSERT_EQ(S_OK, monthly->put_NextSchedTime(At(now - COleDateTimeSpan(40, 0, 0, 0), 3, 0, 0).m_dt));
        ASSERT_EQ(S_OK, monthly->ReSchedule());
        EXPECT_EQ(FirstAllowedDayAfter(now, c.allowed).m_dt, NextSchedTime(monthly.Get()));
    }
}

struct ImpossibleCase {
    const char* label;
    void (*set_up)(IQVSchedTrigger*);
    const wchar_t* reason;
};

const ImpossibleCase kImpossible[] = {
    {"weekly, no weekday",
     [](IQVSchedTrigger* t) {
         t->put_Frequency(2);
         for (short day = 0; day < 7; ++day)
             t->put_WeekDaySelected(day, 0);
     },
     L"The weekly schedule has no day of the week selected."},
    {"monthly, no month",
     [](IQVSchedTrigger* t) {
         t->put_Frequency(3);
         for (short month = 0; month < 12; ++month)
             t->put_IsMonthScheduled(month, 0);
     },
     L"The monthly schedule has no month selected."},
    {"n-th work day, no work day",
     [](IQVSchedTrigger* t) {
         t->put_Frequency(3);
         t->put_MonthRunType(3);
         for (short day = 0; day < 7; ++day)
             t->put_WorkDay(day, 0);
     },
     L"The monthly schedule counts work days, but no day is a work day."},
    {"daily, multiplier 0",
     [](IQVSchedTrigger* t) {
         t->put_Frequency(1);
         t->put_Multiplier(0);
     },
     L"The schedule's multiplier must be at least 1."},
    {"daily, interval 0",
     [](IQVSchedTrigger* t) {
         t->put_Frequency(1);
         t->put_IsAdvOptions(1);
         t->put_IntervalAmount(0);
     },
     L"The repeat interval must be at least 1."},
};

TEST_F(SchedTriggerObjectTest, ImpossibleScheduleFailsWithItsReasonAndKeepsTheNextRun)
{
    const DATE behind = (Now() - COleDateTimeSpan(3, 0, 0, 0)).m_dt;
    for (const ImpossibleCase& c : kImpossible) {
        SCOPED_TRACE(c.label);
        ComPtr<IQVSchedTrigger> impossible = NewTrigger();
        ASSERT_TRUE(impossible);
        c.set_up(impossible.Get());
        ASSERT_EQ(S_OK, impossible->put_NextSchedTime(behind));
        const std::wstring last_scheduled = DateTimeString(impossible.Get(), L"LAST_SCHEDULED");

        const DWORD started = ::GetTickCount();
        const HRESULT hr = impossible->ReSchedule();
        EXPECT_LT(::GetTickCount() - started, 1000u);
        EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
        const ErrorInfoText error = TakeErrorInfo();
        ASSERT_TRUE(error.present);
        EXPECT_EQ(std::wstring(c.reason), error.description);
        EXPECT_EQ(L"QvxTask.QVSchedTrigger", error.source);
        EXPECT_TRUE(IsEqualGUID(IID_IQVSchedTrigger, error.guid));
        EXPECT_EQ(behind, NextSchedTime(impossible.Get()));
        EXPECT_EQ(last_scheduled, DateTimeString(impossible.Get(), L"LAST_SCHEDULED"));

        // A script sees the reason as the exception's description.
        std::wstring exception;
        ComPtr<IDispatch> dispatch = DispatchOf(impossible.Get());
        EXPECT_EQ(DISP_E_EXCEPTION,
                  InvokeByName(dispatch.Get(), L"ReSchedule", DISPATCH_METHOD, {}, nullptr, &exception));
        EXPECT_EQ(std::wstring(c.reason), exception);
        EXPECT_EQ(behind, NextSchedTime(impossible.Get()));
    }
}

TEST_F(SchedTriggerObjectTest, IsNextPastDueComparesWithTheReferenceLessTheOffset)
{
    const COleDateTime ref(2025, 1, 13, 10, 0, 0);
    const struct {
        int next_seconds_from_ref;
        short offset;
        long expected;
    } cases[] = {
        {-30, 10, 1}, {-30, 40, 0}, {-10, 10, 0}, {-11, 10, 1}, {0, 0, 0}, {-1, 0, 1}, {-1, -100, 1}, {5, 0, 0},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(S_OK, trigger->put_NextSchedTime((ref + COleDateTimeSpan(0, 0, 0, c.next_seconds_from_ref)).m_dt));
        long past_due = -1;
        ASSERT_EQ(S_OK, trigger->IsNextPastDue(ref.m_dt, c.offset, &past_due));
        EXPECT_EQ(c.expected, past_due) << c.next_seconds_from_ref << " " << c.offset;
        long always = -1;
        ASSERT_EQ(S_OK, trigger->IsPastDue(&always));
        EXPECT_EQ(0, always);
    }
}

// --- the window and the texts ------------------------------------------------

TEST_F(SchedTriggerObjectTest, IntervalWindowReadsOnTodaysDate)
{
    const COleDateTime stored_day(2020, 3, 4, 0, 0, 0);
    const struct {
        int start_hour;
        int end_hour;
        int end_days_on;
    } cases[] = {{22, 6, 1}, {8, 17, 0}, {0, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start_hour);
        ASSERT_EQ(S_OK, trigger->put_IsIntervalRange(1));
        ASSERT_EQ(S_OK, trigger->put_IntervalStartingTime(At(stored_day, c.start_hour, 0, 0).m_dt));
        ASSERT_EQ(S_OK, trigger->put_IntervalEndingTime(At(stored_day, c.end_hour, 0, 0).m_dt));
        // Twice, and the end first: a read moves nothing the next read sees.
        for (int round = 0; round < 2; ++round) {
            const COleDateTime today = At(Now(), 0, 0, 0);
            DATE end = 0;
            DATE start = 0;
            ASSERT_EQ(S_OK, trigger->get_IntervalEndingTime(&end));
            ASSERT_EQ(S_OK, trigger->get_IntervalStartingTime(&start));
            if (today != At(Now(), 0, 0, 0))
                continue;  // midnight passed
            EXPECT_EQ(At(today, c.start_hour, 0, 0).m_dt, start);
            EXPECT_EQ(At(today + COleDateTimeSpan(c.end_days_on, 0, 0, 0), c.end_hour, 0, 0).m_dt, end);
        }
    }
}

TEST_F(SchedTriggerObjectTest, DateTimeStringSelectors)
{
    ASSERT_EQ(S_OK, trigger->put_NextSchedTime(COleDateTime(2025, 1, 13, 9, 0, 9).m_dt));
    ASSERT_EQ(S_OK, trigger->put_LastExecTime(COleDateTime(2025, 1, 11, 10, 0, 7).m_dt));
    const std::wstring next = DateTimeString(trigger.Get(), L"NEXT_SCHEDULED");
    const std::wstring executed = DateTimeString(trigger.Get(), L"LAST_EXECUTED");
    EXPECT_NE(std::wstring::npos, next.find(L"9:00:09")) << next;
    EXPECT_NE(std::wstring::npos, executed.find(L"10:00:07")) << executed;
    EXPECT_EQ(NextScheduleText(trigger.Get()), next);
    EXPECT_EQ(executed, DateTimeString(trigger.Get(), L""));
    EXPECT_EQ(executed, DateTimeString(trigger.Get(), nullptr));
    // Any other selector shows the zero date, 30 December 1899.
    const std::wstring zero = DateTimeString(trigger.Get(), L"next_scheduled");
    EXPECT_NE(std::wstring::npos, zero.find(L"1899")) << zero;
}

TEST_F(SchedTriggerObjectTest, FrequencyTextDescribesTheSchedule)
{
    ASSERT_EQ(S_OK, trigger->put_Frequency(2));
    ASSERT_EQ(S_OK, trigger->put_Multiplier(2));
    for (short day = 0; day < 7; ++day)
        ASSERT_EQ(S_OK, trigger->put_WeekDaySelected(day, day == 0 || day == 4));
    EXPECT_EQ(L"Weekly - Every 2 weeks on M---F-- ",
              Text([&](BSTR* out) { return trigger->GetFrequencyAsString(out); }));

    ComPtr<IDispatch> dispatch = DispatchOf(trigger.Get());
    ASSERT_EQ(S_OK, PutByName(dispatch.Get(), L"Frequency", Variant(1L)));
    ASSERT_EQ(S_OK, PutByName(dispatch.Get(), L"Multiplier", Variant(3L)));
    ASSERT_EQ(S_OK, PutByName(dispatch.Get(), L"IsAdvOptions", Variant(1L)));
    ASSERT_EQ(S_OK, PutByName(dispatch.Get(), L"IntervalAmount", Variant(30L)));
    Variant text;
    ASSERT_EQ(S_OK, InvokeByName(dispatch.Get(), L"GetFrequencyAsString", DISPATCH_METHOD, {}, &text));
    ASSERT_EQ(VT_BSTR, text.Type());
    EXPECT_EQ(std::wstring(L"Daily - Every 3 days at 30 minute intervals"), V_BSTR(&text.Get()));
}

// --- COM identity, aggregation and events ------------------------------------

TEST_F(SchedTriggerObjectTest, AnswersErrorInfoAndTheEventInterface)
{
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, support.QueryFrom(trigger.Get()));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IQVSchedTrigger));

    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(S_OK, container.QueryFrom(trigger.Get()));
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID__IQVSchedTriggerEvents, point.Receive()));
    IID iid = IID_NULL;
    ASSERT_EQ(S_OK, point->GetConnectionInterface(&iid));
    EXPECT_TRUE(IsEqualIID(DIID__IQVSchedTriggerEvents, iid));
}

// Counts every call that reaches it as an event sink.
class CountingSink : public IDispatch {
public:
    int calls = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (out == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, DIID__IQVSchedTriggerEvents)) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        ++calls;
        return S_OK;
    }
    ULONG References() const { return refs_; }

private:
    ULONG refs_ = 1;
};

TEST_F(SchedTriggerObjectTest, ErrorOccurredIsNeverRaised)
{
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(S_OK, container.QueryFrom(trigger.Get()));
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(S_OK, container->FindConnectionPoint(DIID__IQVSchedTriggerEvents, point.Receive()));
    CountingSink sink;
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, point->Advise(static_cast<IDispatch*>(&sink), &cookie));

    // A good rescheduling, a refused one, refused arguments.
    ASSERT_EQ(S_OK, trigger->put_Frequency(1));
    EXPECT_EQ(S_OK, trigger->ReSchedule());
    ASSERT_EQ(S_OK, trigger->put_Multiplier(0));
    EXPECT_TRUE(FAILED(trigger->ReSchedule()));
    EXPECT_EQ(E_INVALIDARG, trigger->put_WeekDaySelected(9, 1));
    EXPECT_EQ(0, sink.calls);

    EXPECT_EQ(S_OK, point->Unadvise(cookie));
    EXPECT_EQ(1u, sink.References()) << "the connection let go of the sink";
}

// An outer object that makes a schedule trigger part of its own identity, as
// a task does.
class CScheduledThing : public tvx::com::ComClass<CScheduledThing>, public IPersist {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IPersist>(),
            Aggregate<IQVSchedTrigger, &CScheduledThing::m_trigger>(),
        };
        return entries;
    }
    static int alive;

    CScheduledThing() { ++alive; }
    ~CScheduledThing() override { --alive; }
    HRESULT FinalConstruct() { return CreateAggregate(CLSID_QVSchedTrigger, m_trigger); }
    void FinalRelease() { m_trigger.Reset(); }

    STDMETHODIMP GetClassID(CLSID* id) override
    {
        if (id == nullptr)
            return E_POINTER;
        *id = CLSID_NULL;
        return S_OK;
    }

private:
    ComPtr<IUnknown> m_trigger;
};

int CScheduledThing::alive = 0;

TEST_F(QvxTaskComTest, AggregatedTriggerAnswersForItsOuterObject)
{
    ComPtr<IPersist> thing;
    ASSERT_EQ(S_OK, tvx::com::ComObject<CScheduledThing>::Create(nullptr, IID_IPersist, thing.ReceiveVoid()));
    ASSERT_EQ(1, CScheduledThing::alive);

    // Both identities lead to each other and to one IUnknown.
    ComPtr<IQVSchedTrigger> trigger;
    ASSERT_EQ(S_OK, thing.As(trigger));
    ComPtr<IPersist> back;
    EXPECT_EQ(S_OK, trigger.As(back)) << "the trigger's interfaces reach the outer object's";
    ComPtr<IUnknown> outer_unknown;
    ComPtr<IUnknown> inner_unknown;
    ASSERT_EQ(S_OK, thing.As(outer_unknown));
    ASSERT_EQ(S_OK, trigger.As(inner_unknown));
    EXPECT_EQ(outer_unknown.Get(), inner_unknown.Get());
    // What the outer object does not give, the trigger does not give either.
    ComPtr<IConnectionPointContainer> container;
    EXPECT_EQ(E_NOINTERFACE, trigger.As(container));

    // References taken through the trigger count on the outer object.
    const ULONG outer_refs = thing->AddRef();
    thing->Release();
    EXPECT_EQ(outer_refs, trigger->AddRef());
    trigger->Release();

    // The trigger works as part of the aggregate.
    ASSERT_EQ(S_OK, trigger->put_Multiplier(4));
    short multiplier = 0;
    ASSERT_EQ(S_OK, trigger->get_Multiplier(&multiplier));
    EXPECT_EQ(4, multiplier);
    EXPECT_EQ(S_FALSE, ModuleCanUnloadNow(L"QvxTask.dll")) << "the trigger holds its module";

    // The last reference ends both.
    back.Reset();
    outer_unknown.Reset();
    inner_unknown.Reset();
    trigger.Reset();
    thing.Reset();
    EXPECT_EQ(0, CScheduledThing::alive);
    EXPECT_EQ(S_OK, ModuleCanUnloadNow(L"QvxTask.dll")) << "an object of the module is left";
}

TEST_F(QvxTaskComTest, TriggerJoinsAnAggregateOnlyThroughIUnknown)
{
    ComPtr<IQVSchedTrigger> outer = NewTrigger();
    ASSERT_TRUE(outer);
    ComPtr<IQVSchedTrigger> inner;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, ::CoCreateInstance(CLSID_QVSchedTrigger, outer.Get(), CLSCTX_INPROC_SERVER,
                                                        IID_IQVSchedTrigger, inner.ReceiveVoid()));
    EXPECT_FALSE(inner);
}

}  // namespace
