#include "fake_task_values.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "storage_test_values.h"

namespace {

const std::pair<const char*, double> kTaskNumbers[] = {
    {"RunAsSystem", 7},         {"IsInteractive", 8},      {"IsLog", 9},
    {"IsEnabled", 10},          {"IsAlarm", 11},           {"IsExecIfPastDue", 12},
    {"IsSchedIfPastDue", 13},   {"IsDeleteAfterExec", 14}, {"IsDisableAfterExec", 15},
    {"IsPromptBeforeExec", 16}, {"IsSuspendSchedule", 17}, {"IsStopAfter", 18},
    {"StopHours", 19},          {"StopMinutes", 20},       {"TriggerType", 70},
};
const std::pair<const char*, const wchar_t*> kTaskTexts[] = {
    {"Description", L"Backup"}, {"LogFile", L"C:\\logs\\backup.log"}, {"AlarmWaveFile", L"ding.wav"},
    {"Password", L"pw"},        {"UserName", L"bob"},                 {"AcctName", L"nightly"},
};
const std::pair<const char*, double> kConditionNumbers[] = {
    {"Enabled", 21}, {"CondType", 22}, {"Action", 24}, {"Frequency", 25}, {"HasToggled", 27}, {"AutoReset", 71},
};
const char* const kScheduleNumberNames[] = {
    "Frequency",       "DayOfMonth",     "DayOfWeek",    "Multiplier",  "WorkDayOfMonth",
    "MonthRunType",    "UseWeekType",    "IsAdvOptions", "IsIntervalRange", "IntervalAmount",
    "IntervalType",    "ReschedType",    "ScheduledIndefinately", "IncludeHolidays",
};

std::pair<const char*, double> ScheduleDates(int index)
{
    switch (index) {
    case 0:
        return {"LastExecTime", OaDate(2021, 2, 3, 4, 5, 6)};
    case 1:
        return {"NextSchedTime", OaDate(2022, 3, 4, 5, 6, 7)};
    case 2:
        return {"DurationTime", OaDate(2023, 4, 5, 6, 7, 8)};
    case 3:
        return {"IntervalStartingTime", OaDate(2024, 5, 6, 8, 0, 0)};
    default:
        return {"IntervalEndingTime", OaDate(2024, 5, 6, 17, 30, 0)};
    }
}

}  // namespace

void SetDistinctProperties(FakeTask& task)
{
    for (const auto& number : kTaskNumbers)
        task.values.SetNumber(number.first, number.second);
    for (const auto& text : kTaskTexts)
        task.values.SetText(text.first, text.second);
    for (const auto& number : kConditionNumbers)
        task.condition.values.SetNumber(number.first, number.second);
    task.condition.values.SetText("CondName", L"notepad.exe");
    double value = 36;
    for (const char* name : kScheduleNumberNames)
        task.schedule.values.SetNumber(name, value++);
    for (int month = 0; month < 12; ++month)
        task.schedule.values.SetNumber("IsMonthScheduled" + std::to_string(month), value++);
    for (int day = 0; day < 7; ++day)
        task.schedule.values.SetNumber("WeekDaySelected" + std::to_string(day), value++);
    for (int date = 0; date < 5; ++date)
        task.schedule.values.SetNumber(ScheduleDates(date).first, ScheduleDates(date).second);
    task.AddCommandLine(L"RunProgram(notepad.exe)");
    task.AddCommandLine(L"Delay(5,Seconds)");
}

void ExpectDistinctProperties(const FakeTask& task)
{
    for (const auto& number : kTaskNumbers)
        EXPECT_EQ(task.values.Number(number.first), number.second) << number.first;
    for (const auto& text : kTaskTexts)
        EXPECT_EQ(task.values.Text(text.first), text.second) << text.first;
    for (const auto& number : kConditionNumbers)
        EXPECT_EQ(task.condition.values.Number(number.first), number.second) << "condition " << number.first;
    EXPECT_EQ(task.condition.values.Text("CondName"), L"notepad.exe");
    double value = 36;
    for (const char* name : kScheduleNumberNames)
        EXPECT_EQ(task.schedule.values.Number(name), value++) << "schedule " << name;
    for (int month = 0; month < 12; ++month)
        EXPECT_EQ(task.schedule.values.Number("IsMonthScheduled" + std::to_string(month)), value++) << month;
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(task.schedule.values.Number("WeekDaySelected" + std::to_string(day)), value++) << day;
    for (int date = 0; date < 5; ++date)
        EXPECT_EQ(task.schedule.values.Number(ScheduleDates(date).first), ScheduleDates(date).second)
            << ScheduleDates(date).first;
    // Both follow the stored IsEnabled.
    EXPECT_EQ(task.values.Number("IsActive"), 10);
    EXPECT_EQ(task.condition.values.Number("Active"), 10);
}
