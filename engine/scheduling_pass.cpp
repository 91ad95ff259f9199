#include "engine/scheduling_pass.h"

#include <cwchar>

#include "engine/task_account.h"
#include "engine/task_change.h"
#include "platform/com/bstr.h"
#include "platform/com/com_ptr.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

namespace {

constexpr wchar_t kUnableToRetrieveTask[] = L"Unable to retrieve task: %d";

// TriggerType: 1 a schedule, above 1 a condition; 0 and below no trigger.
constexpr short kScheduleTrigger = 1;

long LongOf(IQVTask* task, HRESULT (STDMETHODCALLTYPE IQVTask::*get)(long*))
{
    long value = 0;
    if (FAILED((task->*get)(&value)))
        return 0;
    return value;
}

// Opens the shared-list scope of the pass's thread for as long as it lives.
class SharedSnapshotScope {
public:
    explicit SharedSnapshotScope(IQVSharedSnapshots* snapshots) : snapshots_(snapshots)
    {
        if (snapshots_)
            snapshots_->BeginSharedSnapshots();
    }
    ~SharedSnapshotScope()
    {
        if (snapshots_)
            snapshots_->EndSharedSnapshots();
    }
    SharedSnapshotScope(const SharedSnapshotScope&) = delete;
    SharedSnapshotScope& operator=(const SharedSnapshotScope&) = delete;

private:
    IQVSharedSnapshots* snapshots_;
};

}  // namespace

void GiveRunSettings(IQVTask* task, const PassSettings& settings)
{
    task->put_SendKeyDelay(settings.send_key_delay);
    task->put_DisplayErrors(settings.display_errors);
    task->put_LogErrors(settings.log_errors);
    task->put_ErrorLogFile(Bstr(settings.error_file_name).Get());
}

bool SchedulingPass::MayRun()
{
    if (host_.PassSuspended())
        return false;
    const std::wstring suspending = host_.SuspendingTask();
    if (suspending.empty())
        return true;
    IQVTaskCollection* list = host_.PassTaskList();
    short index = -1;
    ComPtr<IQVTask> task;
    if (list && SUCCEEDED(list->FindTaskIndex(Bstr(suspending).Get(), &index)) && index >= 0 &&
        SUCCEEDED(list->Item(index, task.Receive())) && task) {
        if (LongOf(task.Get(), &IQVTask::get_IsRunning) == 1 &&
            LongOf(task.Get(), &IQVTask::get_StartedByScheduler) == 1)
            return false;
    }
    // Gone, ended, or not to be had: it blocks no longer.
    host_.SetSuspendingTask(std::wstring());
    return true;
}

void SchedulingPass::Run()
{
    IQVTaskCollection* list = host_.PassTaskList();
    if (!list)
        return;
    long count = 0;
    if (FAILED(list->get_Count(&count)))
        return;
    settings_ = host_.PassSnapshot();
    // The tasks' process and window tests share one list of each for the
    // pass: a pass over many such tasks would otherwise list the system's
    // processes or windows once per task.
    SharedSnapshotScope snapshots(host_.PassSharedSnapshots());
    for (long index = 0; index < count; ++index) {
        Sleep(0);
        ComPtr<IQVTask> task;
        if (FAILED(list->Item(index, task.Receive())) || !task) {
            // Tasks removed by a client during the pass shorten the list:
            // the pass is over, nothing is wrong.
            long now_count = 0;
            if (SUCCEEDED(list->get_Count(&now_count)) && index >= now_count)
                return;
            wchar_t text[64];
            swprintf(text, 64, kUnableToRetrieveTask, static_cast<int>(index));
            host_.ReportPassError(text);
            return;
        }
        if (!Visit(task.Get()))
            return;
    }
}

bool SchedulingPass::Visit(IQVTask* task)
{
    long running = LongOf(task, &IQVTask::get_IsRunning);
    if (running == 1)
        KillWhenPastStopTime(task, running);
    if (LongOf(task, &IQVTask::get_IsEnabled) != 1 || running != 0)
        return true;

    // Without a stored login the account step finds nothing to give or
    // adopt: its three text reads per task are spared.
    if (!settings_.logins.empty() && LongOf(task, &IQVTask::get_RunAsSystem) == 0)
        ApplyTaskAccount(task, settings_.logins);

    if (IsDue(task) == 1 && SaveForLaunch(task)) {
        task->put_IsDirty(0);
        if (host_.LaunchTask(task))
            running = LongOf(task, &IQVTask::get_IsRunning);
        else
            ReportTaskFailure(task);
    }

    if (running == 1) {
        if (LongOf(task, &IQVTask::get_StartedByScheduler) == 1 &&
            LongOf(task, &IQVTask::get_IsSuspendSchedule) == 1) {
            Bstr description;
            task->get_Description(description.Receive());
            host_.SetSuspendingTask(description.ToString());
            return false;
        }
        host_.SetSuspendingTask(std::wstring());
    }
    return true;
}

bool SchedulingPass::SaveForLaunch(IQVTask* task)
{
    // Saved as a change of the task: when another program saved the task
    // since the engine read it, the storage refuses the save; the task is
    // then taken as that program left it, tested again and saved, so that
    // the engine neither runs nor keeps a copy the file no longer holds.
    bool launch = true;
    bool again = false;
    TaskChange change;
    change.apply = [&](IQVTask* changed) {
        if (again) {
            if (LongOf(changed, &IQVTask::get_RunAsSystem) == 0)
                ApplyTaskAccount(changed, settings_.logins);
            launch = LongOf(changed, &IQVTask::get_IsEnabled) == 1 && IsDue(changed) == 1;
        }
        again = true;
        GiveRunSettings(changed, settings_);
        // The after-run handling, the stop time and the suspension belong
        // to runs the scheduler starts; the flag is cleared at every run's
        // end, so each launch sets it again.
        changed->put_StartedByScheduler(1);
    };
    change.holds = [](IQVTask*) { return true; };
    std::wstring unsaved;
    SaveTaskChange(task, change, &unsaved);
    return launch;
}

void SchedulingPass::KillWhenPastStopTime(IQVTask* task, long& running)
{
    // The task measures its run against the clock, so the limit holds
    // however long ago the pass that launched it was.
    if (LongOf(task, &IQVTask::get_StartedByScheduler) != 1 || LongOf(task, &IQVTask::get_StopAfter) != 1 ||
        LongOf(task, &IQVTask::get_IsTimeToStop) != 1)
        return;
    task->KillProcess();
    task->put_StartedByScheduler(0);
    running = LongOf(task, &IQVTask::get_IsRunning);
}

long SchedulingPass::IsDue(IQVTask* task)
{
    short type = 0;
    task->get_TriggerType(&type);
    long due = 0;
    if (type > kScheduleTrigger) {
        long check = 0;
        if (SUCCEEDED(task->NeedToCheckCondition(&check)) && check == 1 && FAILED(task->DoCondition(&due))) {
            due = 0;
            ReportTaskFailure(task);
        }
    } else if (type == kScheduleTrigger) {
        task->put_IntervalOffSet(settings_.schedule_interval);
        task->put_RefDateTime(settings_.reference_time);
        PassHolidaysToTask(task);
        PassWorkDaysToTask(task);
        if (FAILED(task->DoSchedule(&due))) {
            due = 0;
            ReportTaskFailure(task);
        }
    }
    return due;
}

void SchedulingPass::PassHolidaysToTask(IQVTask* task)
{
    if (!holidays_taken_) {
        holidays_ = host_.HolidaysFrom(settings_.reference_time);
        holidays_taken_ = true;
    }
    task->ClearHolidays();
    for (DATE holiday : holidays_)
        task->AddHoliday(holiday);
}

void SchedulingPass::PassWorkDaysToTask(IQVTask* task)
{
    for (short day = 0; day < 7; ++day)
        task->PutWorkDay(day, settings_.work_days[day]);
}

void SchedulingPass::ReportTaskFailure(IQVTask* task)
{
    Bstr text;
    if (SUCCEEDED(task->get_LastErrorString(text.Receive())))
        host_.ReportPassError(text.ToString());
}
