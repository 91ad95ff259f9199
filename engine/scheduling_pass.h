// One scheduling pass over the task list: a running task past its stop time
// is ended; every enabled idle task is asked whether it is due (its
// condition, or its schedule with the scheduler's holidays and work days);
// a due task is given the scheduler's settings, saved and launched on a
// thread of its own. A task that suspends the schedule while it runs ends
// the pass and blocks the next ones until its run is over.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/login_list.h"
#include "interfaces/shared_snapshots.h"
#include "qvxtask.h"

// The scheduler-wide values a pass gives its tasks, taken once per pass.
struct PassSettings {
    long schedule_interval = 0;
    long send_key_delay = 0;
    long display_errors = 0;
    long log_errors = 0;
    std::wstring error_file_name;
    long work_days[7] = {};
    std::vector<LoginEntry> logins;
    DATE reference_time = 0;  // the local time of the latest tick
};

// Gives a task about to run the scheduler's SendKeyDelay, DisplayErrors,
// LogErrors and error file.
void GiveRunSettings(IQVTask* task, const PassSettings& settings);

// What a pass needs of the scheduler object.
class PassHost {
public:
    // The task list, without a reference of its own: it lives as long as
    // the scheduler, which stops its passes before it lets the list go.
    virtual IQVTaskCollection* PassTaskList() = 0;
    // The list's shared process and window lists, held the same way; null
    // when the list has none.
    virtual IQVSharedSnapshots* PassSharedSnapshots() = 0;
    virtual PassSettings PassSnapshot() = 0;
    virtual bool PassSuspended() = 0;
    // The description of the task whose run suspends the schedule; empty
    // when there is none.
    virtual std::wstring SuspendingTask() = 0;
    virtual void SetSuspendingTask(const std::wstring& description) = 0;
    // The holidays from the reference date on, in order; those before it
    // leave the scheduler's list for good.
    virtual std::vector<DATE> HolidaysFrom(DATE reference_time) = 0;
    // Starts a launch thread for the task; false when none was started.
    virtual bool LaunchTask(IQVTask* task) = 0;
    virtual void ReportPassError(const std::wstring& text) = 0;

protected:
    ~PassHost() = default;
};

class SchedulingPass {
public:
    explicit SchedulingPass(PassHost& host) : host_(host) {}

    // Whether a pass may run: not while the scheduler is suspended, nor
    // while the task that suspends the schedule still runs a run the
    // scheduler started.
    bool MayRun();
    void Run();

private:
    // False when the pass ends after this task.
    bool Visit(IQVTask* task);
    void KillWhenPastStopTime(IQVTask* task, long& running);
    long IsDue(IQVTask* task);
    // Saves a due task before its launch; false when the task, as another
    // program saved it meanwhile, is no longer to be launched.
    bool SaveForLaunch(IQVTask* task);
    void PassHolidaysToTask(IQVTask* task);
    void PassWorkDaysToTask(IQVTask* task);
    void ReportTaskFailure(IQVTask* task);

    PassHost& host_;
    PassSettings settings_;
    bool holidays_taken_ = false;
    std::vector<DATE> holidays_;
};
