#include "bench_task_files.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/com/com.h"
#include "qvxcmd.h"
#include "qvxtask.h"

namespace benchfiles {
namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::Handle;

enum Trigger : short { kManual = 0, kScheduled = 1, kFileWatch = 2, kApplicationWatch = 3, kWindowWatch = 4,
                       kProcessWatch = 5 };
enum Frequency : short { kOneTime = 0, kDaily = 1, kWeekly = 2, kMonthly = 3, kNotByTime = 4 };
enum Counted { kCountScheduled, kCountCondition, kCountDisabled };

struct Kind {
    const char* stem;  // the task names are the stem and a number
    Counted counted;
    std::vector<const wchar_t*> lines;
    std::function<void(IQVTask*, IQVSchedTrigger*, IQVCondTrigger*)> configure;
};

// Today's date plus `days`, at the time of day given.
DATE DayAt(int days, int hour, int minute)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    SYSTEMTIME day = {};
    day.wYear = now.wYear;
    day.wMonth = now.wMonth;
    day.wDay = now.wDay;
    DATE date = 0;
    SystemTimeToVariantTime(&day, &date);
    return date + days + (hour * 60 + minute) / 1440.0;
}

// A schedule whose first run is some days ahead, so that no pass of the
// benchmark finds it due.
void Schedule(IQVTask* task, IQVSchedTrigger* schedule, short frequency, int days_ahead, int hour, int minute)
{
    task->put_TriggerType(kScheduled);
    schedule->put_Frequency(frequency);
    schedule->put_ScheduledIndefinately(1);
    schedule->put_NextSchedTime(DayAt(days_ahead, hour, minute));
    schedule->put_LastExecTime(DayAt(-1, hour, minute));
}

void Repeat(IQVSchedTrigger* schedule, short amount, short type, bool in_office_hours)
{
    schedule->put_IsAdvOptions(1);
    schedule->put_IntervalAmount(amount);
    schedule->put_IntervalType(type);
    schedule->put_IsIntervalRange(in_office_hours ? 1 : 0);
    schedule->put_IntervalStartingTime(DayAt(0, 8, 0));
    schedule->put_IntervalEndingTime(DayAt(0, 17, 0));
}

void OnlyWeekdays(IQVSchedTrigger* schedule, std::initializer_list<short> days)
{
    for (short d = 0; d < 7; ++d)
        schedule->put_WeekDaySelected(d, 0);
    for (short d : days)
        schedule->put_WeekDaySelected(d, 1);
}

// A watch that does not hold while the benchmark runs: nothing of the
// name exists.
void Watch(IQVTask* task, IQVSchedTrigger* schedule, IQVCondTrigger* condition, short trigger, short cond_type,
           const wchar_t* name)
{
    task->put_TriggerType(trigger);
    schedule->put_Frequency(kNotByTime);
    condition->put_CondType(cond_type);
    condition->put_CondName(Bstr(name).Get());
    condition->put_Enabled(1);
    condition->put_Action(0);
}

std::vector<Kind> Kinds()
{
    // Twenty kinds, one file of each in every twenty: 13 scheduled, 4
    // watching a condition, 3 disabled.
    return {
        {"Sales figures every 30 min", kCountScheduled,
         {L"RunProgram(C:\\Tools\\salesexport.exe,C:\\Exports,Hidden,1)", L"LogToFile(C:\\Logs\\sales.log,exported)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kDaily, 2, 8, 0);
             Repeat(s, 30, 0, true);
         }},
        {"Stock levels every 15 min", kCountScheduled, {L"RunProgram(C:\\Tools\\stockpoll.exe,,Minimized)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kDaily, 2, 8, 5);
             Repeat(s, 15, 0, true);
         }},
        {"Queue check every hour", kCountScheduled, {L"RunDOSCommand(C:\\Scripts\\queue.cmd,C:\\Scripts,Hidden,1)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kDaily, 2, 0, 20);
             Repeat(s, 1, 1, false);
         }},
        {"Nightly database backup", kCountScheduled,
         {L"RunProgram(C:\\Backup\\dbdump.exe,C:\\Backup,Hidden,1)", L"LogToFile(C:\\Logs\\backup.log,dump done)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) { Schedule(t, s, kDaily, 2, 23, 30); }},
        {"Archive every second day", kCountScheduled, {L"RunProgram(C:\\Backup\\archive.exe,,Hidden)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kDaily, 3, 1, 15);
             s->put_Multiplier(2);
         }},
        {"Weekday mail pickup", kCountScheduled,
         {L"RunProgram(C:\\Mail\\pickup.exe,C:\\Mail,Normal)", L"Delay(5,Seconds)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kWeekly, 2, 7, 15);
             OnlyWeekdays(s, {0, 1, 2, 3, 4});
         }},
        {"Weekday timesheet reminder", kCountScheduled, {L"DisplayMessage(Please fill in your timesheet,30)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kWeekly, 3, 16, 45);
             OnlyWeekdays(s, {0, 1, 2, 3, 4});
         }},
        {"Fortnightly disk cleanup", kCountScheduled, {L"RunDOSCommand(C:\\Scripts\\cleanup.cmd,,Hidden,1)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kWeekly, 4, 10, 0);
             s->put_Multiplier(2);
             OnlyWeekdays(s, {5});
         }},
        {"Weekly report every 2 hours", kCountScheduled,
         {L"RunProgram(C:\\Reports\\weekly.exe,C:\\Reports,Hidden,1)", L"LogToFile(C:\\Logs\\reports.log,weekly)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kWeekly, 2, 9, 0);
             OnlyWeekdays(s, {0, 3});
             Repeat(s, 2, 1, true);
         }},
        {"Monthly invoice run", kCountScheduled,
         {L"RunProgram(C:\\Billing\\invoices.exe,C:\\Billing,Hidden,1)", L"LogToFile(C:\\Logs\\billing.log,run)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) { Schedule(t, s, kMonthly, 5, 6, 0); }},
        {"Month end close", kCountScheduled, {L"RunProgram(C:\\Ledger\\close.exe,,Hidden,1)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kMonthly, 6, 18, 0);
             s->put_MonthRunType(4);
         }},
        {"Second Tuesday patch check", kCountScheduled, {L"RunDOSCommand(C:\\Scripts\\patches.cmd,,Hidden)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kMonthly, 7, 20, 0);
             s->put_MonthRunType(2);
             s->put_DayOfMonth(2);
             s->put_DayOfWeek(1);
         }},
        {"One-off data migration", kCountScheduled,
         {L"RunProgram(C:\\Migration\\migrate.exe,C:\\Migration,Normal,1)",
          L"LogToFile(C:\\Logs\\migration.log,migrated)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) { Schedule(t, s, kOneTime, 30, 22, 0); }},
        {"Order file arrived", kCountCondition, {L"RunProgram(C:\\Orders\\import.exe,C:\\Orders,Hidden,1)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger* c) {
             Watch(t, s, c, kFileWatch, 5, L"C:\\Inbound\\orders\\ready-*.xml");
         }},
        {"Invoice viewer opened", kCountCondition, {L"LogToFile(C:\\Logs\\viewer.log,viewer opened)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger* c) {
             Watch(t, s, c, kApplicationWatch, 1, L"Invoice Viewer - *");
         }},
        {"Payroll sync started", kCountCondition, {L"LogToFile(C:\\Logs\\payroll.log,sync started)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger* c) {
             Watch(t, s, c, kProcessWatch, 11, L"payrollsync.exe");
         }},
        {"Quarterly report in front", kCountCondition, {L"SendKeys({F5})"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger* c) {
             Watch(t, s, c, kWindowWatch, 7, L"Quarterly Report*");
         }},
        {"Old nightly export", kCountDisabled, {L"RunProgram(C:\\Old\\export.exe,,Hidden,1)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kDaily, 2, 2, 0);
             t->put_Enabled(0);
         }},
        {"Paused weekly upload", kCountDisabled,
         {L"RunProgram(C:\\Upload\\upload.exe,,Hidden,1)", L"LogToFile(C:\\Logs\\upload.log,uploaded)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger*) {
             Schedule(t, s, kWeekly, 2, 12, 0);
             OnlyWeekdays(s, {4});
             t->put_Enabled(0);
         }},
        {"Retired scanner watch", kCountDisabled, {L"RunProgram(C:\\Scan\\collect.exe)"},
         [](IQVTask* t, IQVSchedTrigger* s, IQVCondTrigger* c) {
             Watch(t, s, c, kFileWatch, 5, L"C:\\Scans\\*.pdf");
             t->put_Enabled(0);
         }},
    };
}

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

bool ReadBytes(const std::wstring& path, std::string& bytes)
{
    Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE)
        return false;
    bytes.resize(size);
    DWORD got = 0;
    return size == 0 || (ReadFile(file.Get(), &bytes[0], size, &got, nullptr) && got == size);
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// The task file of one kind as the storage writes it, named `name`.
bool WriteThroughTheTask(const Kind& kind, const std::string& name, const std::wstring& path, std::string& bytes)
{
    ComPtr<IQVTask> task;
    ComPtr<IQVSchedTrigger> schedule;
    ComPtr<IQVCondTrigger> condition;
    ComPtr<IQVCmdCollection> commands;
    if (FAILED(task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER)) || FAILED(task.As(schedule)) ||
        FAILED(task.As(condition)) || FAILED(task.As(commands)))
        return false;
    task->put_Description(Bstr(Wide(name).c_str()).Get());
    task->put_Enabled(1);
    for (const wchar_t* line : kind.lines) {
        ComPtr<IQVCommand> command;
        if (FAILED(command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER)))
            return false;
        command->put_FullCommand(Bstr(line).Get());
        commands->Add(command.Get());
    }
    kind.configure(task.Get(), schedule.Get(), condition.Get());
    if (FAILED(task->WriteToStorage(0)))
        return false;
    return ReadBytes(path, bytes);
}

// The file's bytes with another description. The record starts with its
// 32-bit version and the description with a one-byte length (names here
// are shorter than 255).
bool Renamed(const std::string& bytes, const std::string& old_name, const std::string& name, std::string& out)
{
    const size_t start = 4;
    if (bytes.size() < start + 1 + old_name.size() || static_cast<unsigned char>(bytes[start]) != old_name.size() ||
        bytes.compare(start + 1, old_name.size(), old_name) != 0 || name.size() >= 255)
        return false;
    out.assign(bytes, 0, start);
    out.push_back(static_cast<char>(name.size()));
    out.append(name);
    out.append(bytes, start + 1 + old_name.size(), std::string::npos);
    return true;
}

void DeleteMatching(const std::wstring& folder, const wchar_t* pattern)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            DeleteFileW((folder + found.cFileName).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

void ClearTaskFolder(const std::wstring& folder)
{
    DeleteMatching(folder + L"tasks\\", L"*.tsk");
}

bool WriteTaskFolder(const std::wstring& folder, int count, TaskMix& mix)
{
    const std::wstring tasks = folder + L"tasks\\";
    CreateDirectoryW(tasks.c_str(), nullptr);
    ClearTaskFolder(folder);
    for (const wchar_t* file : {L"$qvxsys.dat", L"Qvxerror.log", L"qvdiag.log"})
        DeleteFileW((folder + file).c_str());

    const std::vector<Kind> kinds = Kinds();
    std::vector<std::string> templates;
    for (size_t k = 0; k < kinds.size(); ++k) {
        char name[64];
        std::snprintf(name, sizeof name, "Bench template %zu", k);
        std::string bytes;
        const std::wstring path = tasks + Wide(name) + L".tsk";
        if (!WriteThroughTheTask(kinds[k], name, path, bytes)) {
            std::printf("engine_bench: the task of kind \"%s\" could not be written\n", kinds[k].stem);
            return false;
        }
        DeleteFileW(path.c_str());
        templates.push_back(bytes);
    }

    mix = TaskMix();
    for (int i = 0; i < count; ++i) {
        const size_t k = static_cast<size_t>(i) % kinds.size();
        char name[128];
        std::snprintf(name, sizeof name, "%s %05d", kinds[k].stem, i + 1);
        char old_name[64];
        std::snprintf(old_name, sizeof old_name, "Bench template %zu", k);
        std::string bytes;
        if (!Renamed(templates[k], old_name, name, bytes) || !WriteBytes(tasks + Wide(name) + L".tsk", bytes))
            return false;
        switch (kinds[k].counted) {
        case kCountScheduled:
            ++mix.scheduled;
            break;
        case kCountCondition:
            ++mix.condition;
            break;
        case kCountDisabled:
            ++mix.disabled;
            break;
        }
    }
    return true;
}

}  // namespace benchfiles
