// CQVTask (QvxTask.QVTask): one task as a COM object. One identity built by
// aggregation: the task's own IQVTask with its options, plus a schedule
// trigger, a condition trigger and a command collection created inside it.
// It answers the engine's due tests, reads and writes itself through the
// task storage, gives the texts of the administrator's task list and runs
// its script (task_run.cpp).
//
// The engine's scheduling thread, its launch threads, the task's own run
// thread and clients use one object at once: the task's fields are guarded
// by m_lock, which is never held across a call into another object (the
// parts, the command object, the storage, event sinks) nor across a wait.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/com/com.h"
#include "qvxcmd.h"
#include "qvxstorg.h"
#include "qvxtask.h"
#include "interfaces/task_file_state.h"

class CTaskRunThread;

class CQVTask : public tvx::com::ComClass<CQVTask>,
                public tvx::com::DualInterface<IQVTask>,
                public tvx::com::SupportErrorInfo<IQVTask>,
                public tvx::com::ConnectionPointContainer,
                public IQVTaskFileState {
public:
    static tvx::com::InterfaceTable Interfaces()
    {
        static const tvx::com::InterfaceEntry entries[] = {
            Interface<IQVTask>(),
            Interface<IDispatch, IQVTask>(),
            Interface<ISupportErrorInfo>(),
            Interface<IConnectionPointContainer>(),
            Interface<IQVTaskFileState>(),
            Aggregate<IQVSchedTrigger, &CQVTask::m_schedInner>(),
            Aggregate<IQVCondTrigger, &CQVTask::m_condInner>(),
            Aggregate<IQVCmdCollection, &CQVTask::m_commandsInner>(),
            // The command collection is its own enumerator: without this
            // row its _NewEnum would fail through the task.
            Aggregate<IEnumVARIANT, &CQVTask::m_commandsInner>(),
        };
        return entries;
    }

    CQVTask();
    ~CQVTask();

    HRESULT FinalConstruct();
    void FinalRelease();

    // IDispatch: the members of IQVTask, and behind them those of the
    // schedule trigger, of the command list and of the condition trigger, so
    // that a script, which can't ask for another interface, reaches the
    // parts of the task as a compiled client does. A name means the member
    // of the first of these that has it: Enabled, IsActive and
    // LastErrorString are the task's own, Frequency the schedule's.
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* arg_err) override;

    // IQVTask
    STDMETHODIMP get_Description(BSTR* pVal) override;
    STDMETHODIMP put_Description(BSTR newVal) override;
    STDMETHODIMP get_IsRunning(LONG* pVal) override;
    STDMETHODIMP put_IsRunning(LONG newVal) override;
    STDMETHODIMP get_StopAfter(LONG* pVal) override;
    STDMETHODIMP put_StopAfter(LONG newVal) override;
    STDMETHODIMP get_StopHours(short* pVal) override;
    STDMETHODIMP put_StopHours(short newVal) override;
    STDMETHODIMP get_StopMinutes(short* pVal) override;
    STDMETHODIMP put_StopMinutes(short newVal) override;
    STDMETHODIMP get_RefDateTime(DATE* pVal) override;
    STDMETHODIMP put_RefDateTime(DATE newVal) override;
    STDMETHODIMP KillProcess() override;
    STDMETHODIMP get_IsTimeToStop(LONG* pVal) override;
    STDMETHODIMP Initialize() override;
    STDMETHODIMP InitSchedTrigger() override;
    STDMETHODIMP InitCondTrigger() override;
    STDMETHODIMP NeedToCheckCondition(LONG* pVal) override;
    STDMETHODIMP get_Enabled(LONG* pVal) override;
    STDMETHODIMP put_Enabled(LONG newVal) override;
    STDMETHODIMP DoCondition(LONG* bOkToContinue) override;
    STDMETHODIMP CheckAndLaunch(LONG bForceLaunch, LONG* pVal) override;
    STDMETHODIMP DoSchedule(LONG* bOkToContinue) override;
    STDMETHODIMP get_IntervalOffSet(LONG* pVal) override;
    STDMETHODIMP put_IntervalOffSet(LONG newVal) override;
    STDMETHODIMP get_PastDueOption(short* pVal) override;
    STDMETHODIMP put_PastDueOption(short newVal) override;
    STDMETHODIMP AutoLaunch(LONG* bSuspend) override;
    STDMETHODIMP get_Suspend(LONG* pVal) override;
    STDMETHODIMP put_Suspend(LONG newVal) override;
    STDMETHODIMP InitCmdCollection() override;
    STDMETHODIMP get_ActionType(short* pVal) override;
    STDMETHODIMP put_ActionType(short newVal) override;
    STDMETHODIMP InitializeValues() override;
    STDMETHODIMP get_IsStopAfter(LONG* pVal) override;
    STDMETHODIMP put_IsStopAfter(LONG newVal) override;
    STDMETHODIMP get_StopHrs(short* pVal) override;
    STDMETHODIMP put_StopHrs(short newVal) override;
    STDMETHODIMP get_StopMins(short* pVal) override;
    STDMETHODIMP put_StopMins(short newVal) override;
    STDMETHODIMP get_IsDeleteAfterExec(LONG* pVal) override;
    STDMETHODIMP put_IsDeleteAfterExec(LONG newVal) override;
    STDMETHODIMP get_IsDisableAfterExec(LONG* pVal) override;
    STDMETHODIMP put_IsDisableAfterExec(LONG newVal) override;
    STDMETHODIMP get_IsEnabled(LONG* pVal) override;
    STDMETHODIMP put_IsEnabled(LONG newVal) override;
    STDMETHODIMP get_IsLog(LONG* pVal) override;
    STDMETHODIMP put_IsLog(LONG newVal) override;
    STDMETHODIMP get_IsAlarm(LONG* pVal) override;
    STDMETHODIMP put_IsAlarm(LONG newVal) override;
    STDMETHODIMP get_LogFile(BSTR* pVal) override;
    STDMETHODIMP put_LogFile(BSTR newVal) override;
    STDMETHODIMP get_AlarmWaveFile(BSTR* pVal) override;
    STDMETHODIMP put_AlarmWaveFile(BSTR newVal) override;
    STDMETHODIMP get_IsPromptBeforeExec(LONG* pVal) override;
    STDMETHODIMP put_IsPromptBeforeExec(LONG newVal) override;
    STDMETHODIMP get_IsSuspendSchedule(LONG* pVal) override;
    STDMETHODIMP put_IsSuspendSchedule(LONG newVal) override;
    STDMETHODIMP get_IsExecIfPastDue(LONG* pVal) override;
    STDMETHODIMP put_IsExecIfPastDue(LONG newVal) override;
    STDMETHODIMP get_IsSchedIfPastDue(LONG* pVal) override;
    STDMETHODIMP put_IsSchedIfPastDue(LONG newVal) override;
    STDMETHODIMP get_Password(BSTR* pVal) override;
    STDMETHODIMP put_Password(BSTR newVal) override;
    STDMETHODIMP get_UserName(BSTR* pVal) override;
    STDMETHODIMP put_UserName(BSTR newVal) override;
    STDMETHODIMP get_IsInteractive(LONG* pVal) override;
    STDMETHODIMP put_IsInteractive(LONG newVal) override;
    STDMETHODIMP get_RunAsSystem(LONG* pVal) override;
    STDMETHODIMP put_RunAsSystem(LONG newVal) override;
    STDMETHODIMP WriteToStorage(short nType) override;
    STDMETHODIMP ReadFromStorage(short nType) override;
    STDMETHODIMP DeleteFromStorage(short nType) override;
    STDMETHODIMP get_OldDescription(BSTR* pVal) override;
    STDMETHODIMP put_OldDescription(BSTR newVal) override;
    STDMETHODIMP Run() override;
    STDMETHODIMP SetProcessInfo(LONG hProcess, LONG hThread, LONG dwProcessId, LONG dwThreadId) override;
    STDMETHODIMP GetProcessInfo(LONG* hProcess, LONG* hThread, LONG* dwProcessId, LONG* dwThreadId) override;
    STDMETHODIMP get_StartedByScheduler(LONG* pVal) override;
    STDMETHODIMP put_StartedByScheduler(LONG newVal) override;
    STDMETHODIMP get_IsDirty(LONG* pVal) override;
    STDMETHODIMP put_IsDirty(LONG newVal) override;
    STDMETHODIMP get_SendKeyDelay(LONG* pVal) override;
    STDMETHODIMP put_SendKeyDelay(LONG newVal) override;
    STDMETHODIMP get_LastErrorString(BSTR* pVal) override;
    STDMETHODIMP put_LastErrorString(BSTR newVal) override;
    STDMETHODIMP get_DisplayErrors(LONG* pVal) override;
    STDMETHODIMP put_DisplayErrors(LONG newVal) override;
    STDMETHODIMP get_LogErrors(LONG* pVal) override;
    STDMETHODIMP put_LogErrors(LONG newVal) override;
    STDMETHODIMP get_ErrorLogFile(BSTR* pVal) override;
    STDMETHODIMP put_ErrorLogFile(BSTR newVal) override;
    STDMETHODIMP GetFrequencyAsString(BSTR* pVal) override;
    STDMETHODIMP GetStatusAsString(BSTR* pVal) override;
    STDMETHODIMP GetNextScheduledAsString(BSTR* pVal) override;
    STDMETHODIMP ReSchedule() override;
    STDMETHODIMP AddHoliday(DATE dtHoliday) override;
    STDMETHODIMP ClearHolidays() override;
    STDMETHODIMP PutWorkDay(short nDay, LONG bVal) override;
    STDMETHODIMP Start() override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP StopExecution() override;
    STDMETHODIMP get_AcctName(BSTR* pVal) override;
    STDMETHODIMP put_AcctName(BSTR newVal) override;
    STDMETHODIMP get_TriggerType(short* pVal) override;
    STDMETHODIMP put_TriggerType(short newVal) override;
    STDMETHODIMP SetHasToggled(LONG bFlag) override;
    STDMETHODIMP get_IsActive(LONG* pVal) override;
    STDMETHODIMP put_IsActive(LONG newVal) override;

    // IQVTaskFileState
    HRESULT STDMETHODCALLTYPE GetFileVersion(ULONGLONG* version) override;
    void STDMETHODCALLTYPE SetFileVersion(ULONGLONG version) override;
    void STDMETHODCALLTYPE ForgetFileVersion() override;
    HRESULT STDMETHODCALLTYPE ReloadFromStorage() override;

private:
    // Whether a property write marks the task dirty.
    enum class Dirty { kMark, kKeep };

    HRESULT GetLong(LONG CQVTask::*field, LONG* out);
    HRESULT PutLong(LONG CQVTask::*field, LONG value, Dirty dirty);
    HRESULT GetShort(short CQVTask::*field, short* out);
    HRESULT PutShort(short CQVTask::*field, short value, Dirty dirty);
    HRESULT GetText(tvx::com::Bstr CQVTask::*field, BSTR* out);
    HRESULT PutText(tvx::com::Bstr CQVTask::*field, BSTR value, Dirty dirty);
    // Stores the value and fires DataChanged when it changed the field.
    HRESULT PutLongAndAnnounce(LONG CQVTask::*field, LONG value);
    void SetDirty(LONG value);

    void FireDataChanged();
    // Stores text as LastErrorString and as the caller's error info; returns hr.
    HRESULT Fail(HRESULT hr, const std::wstring& text);

    // Caches an aggregated part's interface, without the reference on this
    // object that the interface stands for.
    template <class I>
    HRESULT InitPart(const tvx::com::ComPtr<IUnknown>& inner, I*& cached);
    template <class I>
    void ReleasePart(tvx::com::ComPtr<IUnknown>& inner, I*& cached);

    // The due test of DoSchedule: the schedule says due at the reference time.
    HRESULT IsDueBySchedule(bool& due);
    HRESULT IsNextPastDue(bool& pastDue);

    // Task storage (QvxStorg.QVTaskStorage), made for each call.
    HRESULT CreateStorage(tvx::com::ComPtr<IDispatch>& self, tvx::com::ComPtr<IQVTaskStorage>& storage);
    // Reads the task from storage with its command list replaced by the
    // stored one; on failure the commands taken out are put back. The caller
    // holds m_storageLock.
    HRESULT ReadReplacingCommands(IQVTaskStorage* storage, IDispatch* self, short nType);

    // --- the run (task_run.cpp) -------------------------------------------
    struct RunSettings;
    struct RunStart;
    static void RunWorker(void* param);
    RunSettings TakeRunSettings();
    // Runs the script on the calling thread; scheduled says whether the
    // scheduler started the run (alarm, prompt and after-run handling).
    HRESULT RunScript(bool scheduled, std::wstring& errorText);
    // The script's lines as the command list holds them now, read whole
    // under m_storageLock; the index of the first line that can't be read,
    // or -1 when all could.
    int TakeScriptLines(std::vector<std::wstring>& lines);
    HRESULT QueueScript(IQVCommand* command, const RunSettings& settings, const std::vector<std::wstring>& lines,
                        int unreadableLine, std::wstring& errorText);
    void ReportError(const RunSettings& settings, const std::wstring& text);
    void SetRunning(LONG running);
    // The worker's last step: the task is idle again.
    void EndRun(const std::shared_ptr<CTaskRunThread>& run);
    // Takes the program the run's command object started last as the
    // task's process information (a handle of the task's own).
    void RecordRunProcess(IQVCommand* command);
    // Clears the recorded program when it is still the one of that id.
    void ForgetRunProcess(DWORD processId);

    tvx::com::CriticalSection m_lock;
    tvx::com::CriticalSection m_initLock;  // the three cached part interfaces while they are set
    // Held across a whole save or read of the task file, and while a run
    // takes the script's lines: a save empties the command list and reads
    // it back from the file, and a second save or a run in between would
    // take a list that is half gone (the engine saves one task from client
    // calls, passes and launches at once). Unlike m_lock it is held across
    // calls into the storage and the command objects; the events a reload
    // fires reach their sinks meanwhile, so a sink must not wait for another
    // thread that saves this same task.
    tvx::com::CriticalSection m_storageLock;

    // Aggregated parts: the inner unknown and the cached interface. Set at
    // construction, released at final release, unchanged in between.
    tvx::com::ComPtr<IUnknown> m_schedInner;
    tvx::com::ComPtr<IUnknown> m_condInner;
    tvx::com::ComPtr<IUnknown> m_commandsInner;
    IQVSchedTrigger* m_schedTrigger = nullptr;
    IQVCondTrigger* m_condTrigger = nullptr;
    IQVCmdCollection* m_commands = nullptr;

    // Properties.
    tvx::com::Bstr m_description;
    tvx::com::Bstr m_oldDescription;
    LONG m_isRunning = 0;
    LONG m_stopAfter = 0;
    short m_stopHours = 0;
    short m_stopMinutes = 0;
    DATE m_refDateTime;
    LONG m_enabled = 0;
    LONG m_intervalOffSet = 10;
    short m_pastDueOption = 0;
    short m_actionType = 0;
    LONG m_suspend = 0;
    LONG m_isDeleteAfterExec = 0;
    LONG m_isDisableAfterExec = 0;
    LONG m_isLog = 0;
    tvx::com::Bstr m_logFile;
    LONG m_isAlarm = 0;
    tvx::com::Bstr m_alarmWaveFile;
    LONG m_isPromptBeforeExec = 0;
    LONG m_isSuspendSchedule = 0;
    LONG m_isExecIfPastDue = 0;
    LONG m_isSchedIfPastDue = 0;
    tvx::com::Bstr m_userName;
    tvx::com::Bstr m_password;
    tvx::com::Bstr m_acctName;
    LONG m_isInteractive = 0;
    LONG m_runAsSystem = 0;
    LONG m_startedByScheduler = 1;
    LONG m_sendKeyDelay = 50;
    tvx::com::Bstr m_lastErrorString;
    LONG m_displayErrors = 0;
    LONG m_logErrors = 0;
    tvx::com::Bstr m_errorLogFile;
    short m_triggerType = 1;
    LONG m_isActive = 0;
    LONG m_isDirty = 0;
    // The version of the task file the task was last read from or written
    // as (set by the storage); none after a change of its description.
    bool m_hasFileVersion = false;
    ULONGLONG m_fileVersion = 0;

    // The program started last: as recorded (SetProcessInfo, or the run),
    // and the handle the task holds itself when the run recorded it.
    LONG m_hProcess = 0;
    LONG m_hThread = 0;
    LONG m_processId = 0;
    LONG m_threadId = 0;
    tvx::com::Handle m_runProcess;

    // The run started with Start, until its worker has ended.
    std::shared_ptr<CTaskRunThread> m_run;
    // The command object of the run in progress (StopExecution, KillProcess).
    tvx::com::ComPtr<IQVCommand> m_runCommand;

    tvx::com::ConnectionPoint m_events{*this, DIID__IQVTaskEvents};
};
