#include "scheduling_test_support.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cmath>

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::Handle;

namespace enginetest {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr short kScheduleTrigger = 1;
constexpr short kFileTrigger = 2;
constexpr short kOneTime = 0;
constexpr short kDaily = 1;
constexpr short kFileExists = 5;

ComPtr<IQVTaskCollection> ListOf(IUnknown* scheduler)
{
    ComPtr<IQVTaskCollection> list;
    if (scheduler)
        list.QueryFrom(scheduler);
    return list;
}

}  // namespace

DATE LocalDate(double offset_seconds)
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    DATE date = 0;
    SystemTimeToVariantTime(&now, &date);
    return date + offset_seconds / kSecondsPerDay;
}

long DayOf(DATE date)
{
    return static_cast<long>(std::floor(date));
}

void MakeOneTime(IQVTask* task, DATE next)
{
    ComPtr<IQVSchedTrigger> schedule;
    ASSERT_HRESULT_SUCCEEDED(task->QueryInterface(IID_IQVSchedTrigger, schedule.ReceiveVoid()));
    ASSERT_HRESULT_SUCCEEDED(task->put_TriggerType(kScheduleTrigger));
    ASSERT_HRESULT_SUCCEEDED(schedule->put_Frequency(kOneTime));
    ASSERT_HRESULT_SUCCEEDED(schedule->put_NextSchedTime(next));
    ASSERT_HRESULT_SUCCEEDED(schedule->put_LastExecTime(next - 1.0));
    ASSERT_HRESULT_SUCCEEDED(task->put_IsExecIfPastDue(1));
}

void MakeDailyAvoidingHolidays(IQVTask* task, DATE next)
{
    ComPtr<IQVSchedTrigger> schedule;
    ASSERT_HRESULT_SUCCEEDED(task->QueryInterface(IID_IQVSchedTrigger, schedule.ReceiveVoid()));
    ASSERT_HRESULT_SUCCEEDED(task->put_TriggerType(kScheduleTrigger));
    ASSERT_HRESULT_SUCCEEDED(schedule->put_Frequency(kDaily));
    ASSERT_HRESULT_SUCCEEDED(schedule->put_Multiplier(1));
    ASSERT_HRESULT_SUCCEEDED(schedule->put_IncludeHolidays(0));
    ASSERT_HRESULT_SUCCEEDED(schedule->put_NextSchedTime(next));
    ASSERT_HRESULT_SUCCEEDED(schedule->put_LastExecTime(next - 1.0));
}

void MakeFileCondition(IQVTask* task, const std::wstring& path)
{
    ComPtr<IQVCondTrigger> condition;
    ASSERT_HRESULT_SUCCEEDED(task->QueryInterface(IID_IQVCondTrigger, condition.ReceiveVoid()));
    ASSERT_HRESULT_SUCCEEDED(task->put_TriggerType(kFileTrigger));
    ASSERT_HRESULT_SUCCEEDED(condition->put_CondType(kFileExists));
    ASSERT_HRESULT_SUCCEEDED(condition->put_CondName(Bstr(path).Get()));
    ASSERT_HRESULT_SUCCEEDED(condition->put_Enabled(1));
}

bool TouchFile(const std::wstring& path)
{
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return WriteFile(file.Get(), "go\r\n", 4, &written, nullptr) && written == 4;
}

std::wstring LogLine(const std::wstring& path, const std::wstring& text)
{
    return L"LogToFile(" + path + L"," + text + L")";
}

size_t Occurrences(const std::wstring& path, const std::string& text)
{
    const std::string content = ReadFileText(path);
    size_t count = 0;
    for (size_t at = content.find(text); at != std::string::npos; at = content.find(text, at + text.size()))
        ++count;
    return count;
}

std::wstring SleeperPath()
{
    std::wstring path = L"Z:";
    for (const char* c = TVX_SLEEPER; *c != '\0'; ++c)
        path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return path;
}

std::vector<DWORD> ProcessesNamed(const wchar_t* exe_name)
{
    std::vector<DWORD> ids;
    Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, exe_name) == 0)
            ids.push_back(entry.th32ProcessID);
    }
    return ids;
}

std::vector<Handle> OpenNewProcessesNamed(const wchar_t* exe_name, const std::vector<DWORD>& before)
{
    std::vector<Handle> processes;
    for (DWORD id : ProcessesNamed(exe_name)) {
        if (std::find(before.begin(), before.end(), id) != before.end())
            continue;
        Handle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, id));
        if (process)
            processes.push_back(std::move(process));
    }
    return processes;
}

void EndProcesses(const std::vector<Handle>& processes)
{
    for (const Handle& process : processes) {
        if (WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.Get(), 1);
            WaitForSingleObject(process.Get(), 5000);
        }
    }
}

long TaskCount(IUnknown* scheduler)
{
    long count = -1;
    ComPtr<IQVTaskCollection> list = ListOf(scheduler);
    if (list)
        list->get_Count(&count);
    return count;
}

short IndexOf(IUnknown* scheduler, const wchar_t* description)
{
    short index = -1;
    ComPtr<IQVTaskCollection> list = ListOf(scheduler);
    if (list && FAILED(list->FindTaskIndex(Bstr(description).Get(), &index)))
        index = -1;
    return index;
}

ComPtr<IQVTask> TaskNamed(IUnknown* scheduler, const wchar_t* description)
{
    ComPtr<IQVTask> task;
    ComPtr<IQVTaskCollection> list = ListOf(scheduler);
    short index = -1;
    if (list && SUCCEEDED(list->FindTaskIndex(Bstr(description).Get(), &index)) && index >= 0)
        list->Item(index, task.Receive());
    return task;
}

std::vector<std::wstring> Descriptions(IUnknown* scheduler)
{
    std::vector<std::wstring> names;
    ComPtr<IQVTaskCollection> list = ListOf(scheduler);
    long count = 0;
    if (!list || FAILED(list->get_Count(&count)))
        return names;
    for (long index = 0; index < count; ++index) {
        ComPtr<IQVTask> task;
        if (SUCCEEDED(list->Item(index, task.Receive())) && task)
            names.push_back(TaskText(task.Get(), &IQVTask::get_Description));
    }
    return names;
}

long TaskLong(IQVTask* task, HRESULT (STDMETHODCALLTYPE IQVTask::*get)(long*))
{
    long value = -1;
    if (!task || FAILED((task->*get)(&value)))
        return -1;
    return value;
}

std::wstring TaskText(IQVTask* task, HRESULT (STDMETHODCALLTYPE IQVTask::*get)(BSTR*))
{
    Bstr text;
    if (task)
        (task->*get)(text.Receive());
    return text.ToString();
}

ComPtr<IQVTask> StoredTask(const wchar_t* description)
{
    ComPtr<IQVTask> task;
    if (FAILED(task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER)) ||
        FAILED(task->put_Description(Bstr(description).Get())) || FAILED(task->ReadFromStorage(0)))
        return nullptr;
    return task;
}

void LocalEngineTest::SetUp()
{
    ASSERT_TRUE(EnginesEnd(kEngineEndMs)) << "an engine of an earlier test was still running";
    ClearEngineFiles();
    com_.emplace(COINIT_MULTITHREADED);
}

void LocalEngineTest::TearDown()
{
    for (auto& client : clients_)
        client->Stop();
    clients_.clear();
    EndProcesses(started_programs_);
    com_.reset();
    EXPECT_TRUE(EnginesEnd(kEngineEndMs)) << "the engine outlived its clients";
}

ComPtr<IQVScheduler> LocalEngineTest::Connect(long schedule_interval)
{
    ComPtr<IQVScheduler> scheduler;
    const HRESULT hr = scheduler.CreateInstance(CLSID_QVScheduler, CLSCTX_LOCAL_SERVER);
    EXPECT_HRESULT_SUCCEEDED(hr) << "activation: " << std::hex << hr << "\n" << ReadFileText(DiagnosticsLogPath());
    if (!scheduler)
        return nullptr;
    clients_.push_back(scheduler);
    EXPECT_HRESULT_SUCCEEDED(scheduler->put_ScheduleInterval(schedule_interval));
    EXPECT_HRESULT_SUCCEEDED(scheduler->put_DisplayErrors(0));
    EXPECT_HRESULT_SUCCEEDED(scheduler->put_LogErrors(1));
    return scheduler;
}

}  // namespace enginetest
