// Helpers of the tests of the scheduling passes and the task-folder watcher:
// tasks that fall due at a chosen time or when a file appears, the task list
// of a scheduler (in this process or in the engine's), programs started by
// the tasks, and an engine started as the local server of the test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "engine_test_support.h"

namespace enginetest {

// The local time, moved by a number of seconds, as the engine's dates are.
DATE LocalDate(double offset_seconds = 0);
// Whole days of a date (its time of day dropped).
long DayOf(DATE date);

// Task set-ups, for the `configure` of WriteTaskFile.
// A one-time schedule due at `next`; it last ran a day before, so the run
// of a moment ago never holds it back, and a pass that comes late still
// launches it.
void MakeOneTime(IQVTask* task, DATE next);
// A daily schedule due at `next`, its runs kept off holidays.
void MakeDailyAvoidingHolidays(IQVTask* task, DATE next);
// A condition task that fires when the file (or a file matching it) is
// there.
void MakeFileCondition(IQVTask* task, const std::wstring& path);

// A file of one line; the parent folder must exist.
bool TouchFile(const std::wstring& path);
// "LogToFile(<path>,<text>)"
std::wstring LogLine(const std::wstring& path, const std::wstring& text);
// How often the text occurs in the file.
size_t Occurrences(const std::wstring& path, const std::string& text);

// The test helper that sleeps (tvx_sleeper), as a Windows path.
std::wstring SleeperPath();
// Ids of the running processes of that executable name.
std::vector<DWORD> ProcessesNamed(const wchar_t* exe_name);
// The running processes of that name whose ids are not in `before`, opened
// at once. A test keeps these handles, never the ids: Wine gives the id of an
// ended process to a new one within seconds, and ending a process by a kept
// id could end another test's program.
std::vector<tvx::com::Handle> OpenNewProcessesNamed(const wchar_t* exe_name, const std::vector<DWORD>& before);
// Ends the processes given (those the test started), if they still run.
void EndProcesses(const std::vector<tvx::com::Handle>& processes);

// The task list of a scheduler (in-process object or the engine's proxy).
long TaskCount(IUnknown* scheduler);
short IndexOf(IUnknown* scheduler, const wchar_t* description);
tvx::com::ComPtr<IQVTask> TaskNamed(IUnknown* scheduler, const wchar_t* description);
// The descriptions of the list, in its order.
std::vector<std::wstring> Descriptions(IUnknown* scheduler);
long TaskLong(IQVTask* task, HRESULT (STDMETHODCALLTYPE IQVTask::*get)(long*));
std::wstring TaskText(IQVTask* task, HRESULT (STDMETHODCALLTYPE IQVTask::*get)(BSTR*));
// The task as its file holds it, read through a task of this process; null
// when the file can't be read.
tvx::com::ComPtr<IQVTask> StoredTask(const wchar_t* description);

// The engine as the local server of this test: each test connects to an
// engine of its own, stops its scheduler at the end and waits for the
// engine to end, so none is left behind.
class LocalEngineTest : public ::testing::Test {
protected:
    // A process-mode engine ends about 5 s after its last client left and
    // its scheduler stopped; its monitor needs up to two such periods.
    static constexpr DWORD kEngineEndMs = 25000;

    void SetUp() override;
    void TearDown() override;

    // A new client of the engine (COM starts it when none runs), with the
    // interval given and errors logged, never shown.
    tvx::com::ComPtr<IQVScheduler> Connect(long schedule_interval);

    std::optional<tvx::com::CoInit> com_;
    std::vector<tvx::com::ComPtr<IQVScheduler>> clients_;
    // Programs the test's tasks started; ended when still there.
    std::vector<tvx::com::Handle> started_programs_;
};

}  // namespace enginetest
