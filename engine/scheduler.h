// CQVScheduler (Tarvex.QVScheduler): the one object through which clients
// drive the engine: scheduler-wide settings, holidays and work days, stored
// logins, the task list (a QVTaskCollection aggregated into this object, so
// that asking it for IQVTaskCollection gives the list), the scheduler thread
// and the StatusChange events.
//
// Free-threaded: client calls, the scheduler thread, launch threads and the
// engine itself reach it at once. One lock guards the settings, holidays,
// logins, flags and the task-list bookkeeping; it is held only around those
// members, never across a call through a COM interface (the task list, the
// tasks, the storage, the clients' event sinks) nor across a stop, so that a
// client answering an event with a call of its own can never deadlock the
// engine.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/engine_scheduler.h"
#include "engine/error_report.h"
#include "engine/login_list.h"
#include "engine/pass_clock.h"
#include "engine/scheduler_settings.h"
#include "engine/scheduler_thread.h"
#include "engine/scheduling_pass.h"
#include "engine/startup_countdown.h"
#include "engine/task_change.h"
#include "engine/task_folder_watcher.h"
#include "engine/task_launcher.h"
#include "engine/task_list_sink.h"
#include "platform/com/com.h"
#include "qvxtask.h"
#include "tarvex.h"

class CQVScheduler : public tvx::com::ComClass<CQVScheduler>,
                     public tvx::com::DualInterface<IQVScheduler>,
                     public tvx::com::SupportErrorInfo<IQVScheduler>,
                     public tvx::com::ConnectionPointContainer,
                     public IEngineScheduler,
                     private SchedulerTickTarget,
                     private TaskListObserver,
                     private LaunchHost,
                     private PassHost,
                     private WatcherHost {
public:
    static tvx::com::InterfaceTable Interfaces();

    CQVScheduler();
    HRESULT FinalConstruct();
    void FinalRelease();

    // IQVScheduler
    STDMETHODIMP Start() override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP GetTime(DATE* value) override;
    STDMETHODIMP get_ScheduleInterval(long* value) override;
    STDMETHODIMP put_ScheduleInterval(long value) override;
    STDMETHODIMP Initialize() override;
    STDMETHODIMP get_IsRunning(long* value) override;
    STDMETHODIMP WriteToStorage() override;
    STDMETHODIMP ReadFromStorage() override;
    STDMETHODIMP get_StartupDelay(long* value) override;
    STDMETHODIMP put_StartupDelay(long value) override;
    STDMETHODIMP get_SendKeyDelay(long* value) override;
    STDMETHODIMP put_SendKeyDelay(long value) override;
    STDMETHODIMP get_SortOrder(short* value) override;
    STDMETHODIMP put_SortOrder(short value) override;
    STDMETHODIMP get_DisplayErrors(long* value) override;
    STDMETHODIMP put_DisplayErrors(long value) override;
    STDMETHODIMP get_LogErrors(long* value) override;
    STDMETHODIMP put_LogErrors(long value) override;
    STDMETHODIMP get_ErrorFileName(BSTR* value) override;
    STDMETHODIMP put_ErrorFileName(BSTR value) override;
    STDMETHODIMP get_IsWorkDay(short day, long* value) override;
    STDMETHODIMP put_IsWorkDay(short day, long value) override;
    STDMETHODIMP get_Holiday(short index, DATE* value) override;
    STDMETHODIMP DeleteHoliday(short index) override;
    STDMETHODIMP UpdateHoliday(short index, DATE value) override;
    STDMETHODIMP AddHoliday(DATE value) override;
    STDMETHODIMP GetHolidayCount(long* count) override;
    STDMETHODIMP get_RunOnStartup(long* value) override;
    STDMETHODIMP put_RunOnStartup(long value) override;
    STDMETHODIMP SortTaskList() override;
    STDMETHODIMP RunTask(short index) override;
    STDMETHODIMP SetSuspendScheduler(long suspend) override;
    STDMETHODIMP AddTask(BSTR description) override;
    STDMETHODIMP AddLogin(BSTR description, BSTR domain, BSTR login_name, BSTR password) override;
    STDMETHODIMP GetLoginCount(long* count) override;
    STDMETHODIMP GetLoginInfo(short index, short field, BSTR* value) override;
    STDMETHODIMP DelLoginInfo(short index) override;
    STDMETHODIMP ClearLogins() override;
    STDMETHODIMP EnableTask(BSTR name, long enable) override;
    STDMETHODIMP get_IsService(long* value) override;
    STDMETHODIMP put_IsService(long value) override;
    STDMETHODIMP DelayedStart() override;
    STDMETHODIMP ResetTrigger(BSTR name) override;

    // IEngineScheduler
    void STDMETHODCALLTYPE EndCountdown() override;
    void STDMETHODCALLTYPE PrepareForEngineEnd() override;
    bool STDMETHODCALLTYPE HasWork() override;
    void STDMETHODCALLTYPE RunSchedulingPass() override;

    // StatusChange(code) to every connected client.
    void Fire_StatusChange(long code) override;

private:
    // SchedulerTickTarget
    void OnSchedulerThreadBegin() override;
    void OnSchedulerTick() override;
    // TaskListObserver
    void OnTaskListDataChanged() override;
    // LaunchHost
    tvx::com::ComPtr<IUnknown> LaunchOwner() override { return TryHold(); }
    bool IsInTaskList(IQVTask* task) override;
    void RemoveFromTaskList(IQVTask* task) override;
    // PassHost
    IQVTaskCollection* PassTaskList() override { return task_items_; }
    IQVSharedSnapshots* PassSharedSnapshots() override { return task_snapshots_; }
    PassSettings PassSnapshot() override;
    bool PassSuspended() override;
    std::wstring SuspendingTask() override;
    void SetSuspendingTask(const std::wstring& description) override;
    std::vector<DATE> HolidaysFrom(DATE reference_time) override;
    bool LaunchTask(IQVTask* task) override;
    void ReportPassError(const std::wstring& text) override;
    // WatcherHost
    tvx::com::ComPtr<IUnknown> WatcherHold() override { return TryHold(); }
    IQVTaskCollection* WatcherTaskList() override { return task_items_; }
    void WatcherPauseScheduler() override;
    void WatcherResumeScheduler() override;
    tvx::com::ComPtr<IQVTask> WatcherReadTask(const std::wstring& description) override;
    void WatcherListTask(const std::wstring& description, IQVTask* task) override;

    // A counted reference on this object, unless it is already being
    // destroyed (a thread of its own must never revive it).
    tvx::com::ComPtr<IUnknown> TryHold();

    // The one way a property of this object is read or written: the out
    // pointer checked, the value copied under the lock. A field is one of
    // the settings or a member of this object.
    template <class T, class Read>
    HRESULT ReadLocked(T* value, Read read)
    {
        if (!value)
            return E_POINTER;
        tvx::com::ScopedLock hold(lock_);
        *value = read();
        return S_OK;
    }
    template <class Write>
    HRESULT WriteLocked(Write write)
    {
        tvx::com::ScopedLock hold(lock_);
        write();
        return S_OK;
    }
    SchedulerSettings& FieldOwner(SchedulerSettings*) { return settings_; }
    CQVScheduler& FieldOwner(CQVScheduler*) { return *this; }
    template <class Owner, class T>
    HRESULT GetField(T Owner::*field, T* value)
    {
        return ReadLocked(value, [&] { return FieldOwner(static_cast<Owner*>(nullptr)).*field; });
    }
    template <class Owner, class T>
    HRESULT PutField(T Owner::*field, T value)
    {
        return WriteLocked([&] { FieldOwner(static_cast<Owner*>(nullptr)).*field = value; });
    }
    // A text field as a BSTR: copied under the lock, the BSTR made outside.
    template <class Owner>
    HRESULT GetField(std::wstring Owner::*field, BSTR* value)
    {
        if (!value)
            return E_POINTER;
        std::wstring text;
        ReadLocked(&text, [&] { return FieldOwner(static_cast<Owner*>(nullptr)).*field; });
        return tvx::com::Bstr(text).CopyTo(value);
    }
    template <class Owner>
    HRESULT PutField(std::wstring Owner::*field, BSTR value)
    {
        std::wstring text(value ? value : L"", SysStringLen(value));
        return WriteLocked([&] { (FieldOwner(static_cast<Owner*>(nullptr)).*field).swap(text); });
    }

    HRESULT TaskList(tvx::com::ComPtr<IQVTaskCollection>& list);
    // A new task read from the file of that name (the failure reported as
    // this object's error).
    HRESULT ReadTaskFile(BSTR description, tvx::com::ComPtr<IQVTask>& task);
    // Waits until no other caller adds a task of that name; false when the
    // other addition never ends.
    bool BeginAddition(const std::wstring& key);
    // Puts a task read from its file into the list, unless one of its name
    // is there (the caller is the one adding that name).
    HRESULT ListTask(IQVTaskCollection* list, BSTR description, IQVTask* task);
    HRESULT AdviseTaskList();
    // Stops the scheduler thread, when one runs; true when it was stopped.
    // false (and the thread is kept) when it did not answer.
    bool StopSchedulerThread(bool* was_running);
    // The engine's end: countdown and thread stopped; RunOnStartup 1 when
    // the scheduler was running, else as it was.
    void StopAndRemember();
    // A task found by name, or the reported failure.
    HRESULT FindTask(BSTR name, const std::string& not_retrieved, tvx::com::ComPtr<IQVTask>& task);
    ErrorReporting Reporting();
    void ReportTaskError(const std::string& text);
    // Saves one change of a task found by name (see SaveTaskChange); a
    // change that can't be saved is reported and its failure returned.
    HRESULT SaveChange(IQVTask* task, BSTR name, const TaskChange& change);
    // Writes the settings file unless its settings were never read nor
    // written: a file that could not be read is not overwritten with
    // defaults by the engine on its own.
    void WriteSettingsIfKnown();

    tvx::com::CriticalSection lock_;
    // Guarded by lock_:
    SchedulerSettings settings_;
    std::vector<DATE> holidays_;
    LoginList logins_;
    bool constructed_ = false;
    bool settings_known_ = false;
    long is_running_ = 0;
    long suspended_ = 0;
    long is_service_ = 1;
    DATE reference_time_ = 0;
    // The task whose run suspends the schedule; empty when none does.
    std::wstring suspending_task_;
    // The thread that reads the settings file into this object: a stored
    // interval below the minimum is taken as the minimum, not refused.
    DWORD settings_reader_ = 0;
    // Lower-case descriptions of the tasks AddTask is adding right now.
    std::set<std::wstring> tasks_being_added_;
    std::unique_ptr<SchedulerThread> thread_;
    // The task-folder watcher stopped the thread for a change of the list
    // and starts it again after it, unless a client's Start or Stop (or the
    // engine's end) came in between and took the decision.
    bool paused_for_watcher_ = false;
    // Threads that did not answer a stop; ended at the final release.
    std::vector<std::unique_ptr<SchedulerThread>> unanswered_threads_;

    // Only the scheduler thread uses it.
    PassClock pass_clock_;

    StartupCountdown countdown_;
    TaskLaunches launches_;

    // Set up by FinalConstruct, dropped by FinalRelease.
    tvx::com::ComPtr<IUnknown> task_list_;  // the aggregated collection's inner unknown
    // The collection's interface, holding no reference: a reference through
    // an aggregated interface is one on this object, and the scheduler
    // thread must never hold the last one.
    IQVTaskCollection* task_items_ = nullptr;
    // The collection's shared lists for a pass, held the same way; null
    // when the collection has none.
    IQVSharedSnapshots* task_snapshots_ = nullptr;
    std::unique_ptr<TaskFolderWatcher> watcher_;
    tvx::com::ComPtr<IQVTask> held_task_;
    tvx::com::ComPtr<tvx::com::ComObject<CTaskListEventSink>> sink_;
    DWORD sink_cookie_ = 0;

    tvx::com::ConnectionPoint events_{*this, DIID__IQVSchedulerEvents};
};
