#include "task/task.h"

#include <climits>
#include <vector>

#include "platform/framework/oledatetime.h"
#include "task/cond_trigger.h"
#include "task/sched_trigger_object.h"
#include "task/task_run.h"
#include "task/task_texts.h"
#include "task/text_format.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::ScopedLock;

namespace {

const wchar_t kProgId[] = L"QvxTask.QVTask";

// The schedule frequency of tasks that are not scheduled by time.
constexpr short kNotScheduledByTime = 4;
constexpr short kOneTime = 0;

enum TriggerTypes : short { kManual = 0, kScheduled = 1, kFileWatch, kApplicationWatch, kWindowWatch, kProcessWatch };

// The exit code of a program ended because its task ran past its stop time.
// Not the code the program reports while it runs (STILL_ACTIVE), which would
// make a caller that waits on the code believe it still runs.
constexpr UINT kStoppedAfterTimeLimitExitCode = 1;

HRESULT ReturnText(const wchar_t* text, BSTR* out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = SysAllocString(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

CQVTask::CQVTask() : m_refDateTime(COleDateTime::GetCurrentTime())
{
}

CQVTask::~CQVTask() = default;

HRESULT CQVTask::FinalConstruct()
{
    const auto failed = [this](HRESULT hr, const wchar_t* part) {
        return Fail(E_FAIL, FormatText(task_text::kNoPart, part, static_cast<unsigned long>(hr)));
    };
    // The two triggers are classes of this module, made directly; the
    // command list comes from the command component.
    HRESULT hr = CreateAggregate<CQVSchedTrigger>(m_schedInner);
    if (FAILED(hr))
        return failed(hr, L"schedule trigger QvxTask.QVSchedTrigger");
    hr = CreateAggregate<CQVCondTrigger>(m_condInner);
    if (FAILED(hr))
        return failed(hr, L"condition trigger QvxTask.QVCondTrigger");
    hr = CreateAggregateFromKeptClass(CLSID_QVCmdCollection, m_commandsInner);
    if (FAILED(hr))
        return failed(hr, L"command list QvxCmd.QVCmdCollection");
    return FAILED(Initialize()) ? E_FAIL : S_OK;
}

void CQVTask::FinalRelease()
{
    ReleasePart(m_schedInner, m_schedTrigger);
    ReleasePart(m_condInner, m_condTrigger);
    ReleasePart(m_commandsInner, m_commands);
}

template <class I>
HRESULT CQVTask::InitPart(const ComPtr<IUnknown>& inner, I*& cached)
{
    if (!inner)
        return E_FAIL;
    {
        ScopedLock hold(m_initLock);
        if (cached != nullptr)
            return E_FAIL;
    }
    // Asked outside the lock: the part is another object.
    I* obtained = nullptr;
    if (FAILED(inner->QueryInterface(__uuidof(I), reinterpret_cast<void**>(&obtained))) || obtained == nullptr) {
        if (obtained != nullptr)
            obtained->Release();
        return E_FAIL;
    }
    {
        ScopedLock hold(m_initLock);
        if (cached == nullptr) {
            cached = obtained;
            obtained = nullptr;
        }
    }
    // Another caller cached it meanwhile.
    if (obtained != nullptr) {
        obtained->Release();
        return E_FAIL;
    }
    // The interface came with a reference on this object (the part's
    // AddRef is the task's); kept, it would keep the task alive for ever.
    ControllingUnknown()->Release();
    return S_OK;
}

template <class I>
void CQVTask::ReleasePart(ComPtr<IUnknown>& inner, I*& cached)
{
    if (cached != nullptr) {
        // Give back the reference the cached interface stood for before the
        // interface lets it go.
        ControllingUnknown()->AddRef();
        cached->Release();
        cached = nullptr;
    }
    inner.Reset();
}

STDMETHODIMP CQVTask::Initialize()
{
    HRESULT hr = InitSchedTrigger();
    if (SUCCEEDED(hr))
        hr = InitCondTrigger();
    if (SUCCEEDED(hr))
        hr = InitCmdCollection();
    return hr;
}

STDMETHODIMP CQVTask::InitSchedTrigger()
{
    return InitPart(m_schedInner, m_schedTrigger);
}

STDMETHODIMP CQVTask::InitCondTrigger()
{
    return InitPart(m_condInner, m_condTrigger);
}

STDMETHODIMP CQVTask::InitCmdCollection()
{
    return InitPart(m_commandsInner, m_commands);
}

// --- late-bound access to the parts ---------------------------------------------

namespace {

// Dispatch ids of a part's members, as the task hands them out: the part's
// own id moved by the part's base. Ids of a part lie within kPartIdRange of
// its base (_NewEnum is negative).
constexpr DISPID kSchedTriggerIds = 0x100000;
constexpr DISPID kCommandListIds = 0x200000;
constexpr DISPID kCondTriggerIds = 0x300000;
constexpr DISPID kPartIdRange = 0x10000;

bool IsPartId(DISPID id, DISPID base)
{
    return id > base - kPartIdRange && id < base + kPartIdRange;
}

}  // namespace

STDMETHODIMP CQVTask::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids)
{
    HRESULT hr = DualInterface<IQVTask>::GetIDsOfNames(riid, names, count, lcid, ids);
    if (hr != DISP_E_UNKNOWNNAME || ids == nullptr || count == 0)
        return hr;
    const struct {
        IDispatch* part;
        DISPID base;
    } parts[] = {{m_schedTrigger, kSchedTriggerIds}, {m_commands, kCommandListIds}, {m_condTrigger, kCondTriggerIds}};
    for (const auto& part : parts) {
        if (part.part == nullptr)
            continue;
        const HRESULT found = part.part->GetIDsOfNames(riid, names, count, lcid, ids);
        if (found == DISP_E_UNKNOWNNAME)
            continue;
        // Only the member's id moves; the others name its parameters.
        if (SUCCEEDED(found) || ids[0] != DISPID_UNKNOWN)
            ids[0] += part.base;
        return found;
    }
    return hr;
}

STDMETHODIMP CQVTask::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* excep, UINT* arg_err)
{
    if (m_schedTrigger != nullptr && IsPartId(id, kSchedTriggerIds))
        return m_schedTrigger->Invoke(id - kSchedTriggerIds, riid, lcid, flags, params, result, excep, arg_err);
    if (m_commands != nullptr && IsPartId(id, kCommandListIds))
        return m_commands->Invoke(id - kCommandListIds, riid, lcid, flags, params, result, excep, arg_err);
    if (m_condTrigger != nullptr && IsPartId(id, kCondTriggerIds))
        return m_condTrigger->Invoke(id - kCondTriggerIds, riid, lcid, flags, params, result, excep, arg_err);
    return DualInterface<IQVTask>::Invoke(id, riid, lcid, flags, params, result, excep, arg_err);
}

// --- plain properties ---------------------------------------------------------

HRESULT CQVTask::GetLong(LONG CQVTask::*field, LONG* out)
{
    if (out == nullptr)
        return E_POINTER;
    ScopedLock hold(m_lock);
    *out = this->*field;
    return S_OK;
}

HRESULT CQVTask::PutLong(LONG CQVTask::*field, LONG value, Dirty dirty)
{
    ScopedLock hold(m_lock);
    this->*field = value;
    if (dirty == Dirty::kMark)
        m_isDirty = 1;
    return S_OK;
}

HRESULT CQVTask::GetShort(short CQVTask::*field, short* out)
{
    if (out == nullptr)
        return E_POINTER;
    ScopedLock hold(m_lock);
    *out = this->*field;
    return S_OK;
}

HRESULT CQVTask::PutShort(short CQVTask::*field, short value, Dirty dirty)
{
    ScopedLock hold(m_lock);
    this->*field = value;
    if (dirty == Dirty::kMark)
        m_isDirty = 1;
    return S_OK;
}

HRESULT CQVTask::GetText(Bstr CQVTask::*field, BSTR* out)
{
    if (out == nullptr)
        return E_POINTER;
    ScopedLock hold(m_lock);
    // A BSTR result is never null: scripts compare it with "".
    return ReturnText((this->*field).c_str(), out);
}

HRESULT CQVTask::PutText(Bstr CQVTask::*field, BSTR value, Dirty dirty)
{
    Bstr copy(value, SysStringLen(value));
    if (value != nullptr && copy.Get() == nullptr)
        return E_OUTOFMEMORY;
    ScopedLock hold(m_lock);
    (this->*field).Swap(copy);
    if (dirty == Dirty::kMark)
        m_isDirty = 1;
    return S_OK;
}

HRESULT CQVTask::PutLongAndAnnounce(LONG CQVTask::*field, LONG value)
{
    PutLong(field, value, Dirty::kKeep);
    FireDataChanged();
    return S_OK;
}

void CQVTask::SetDirty(LONG value)
{
    ScopedLock hold(m_lock);
    m_isDirty = value;
}

void CQVTask::FireDataChanged()
{
    m_events.Fire(2);
}

HRESULT CQVTask::Fail(HRESULT hr, const std::wstring& text)
{
    {
        Bstr copy(text);
        ScopedLock hold(m_lock);
        m_lastErrorString.Swap(copy);
    }
    return tvx::com::ReportError(hr, IID_IQVTask, text.c_str(), kProgId);
}

STDMETHODIMP CQVTask::get_Description(BSTR* pVal) { return GetText(&CQVTask::m_description, pVal); }
STDMETHODIMP CQVTask::put_Description(BSTR newVal)
{
    Bstr copy(newVal, SysStringLen(newVal));
    if (newVal != nullptr && copy.Get() == nullptr)
        return E_OUTOFMEMORY;
    ScopedLock hold(m_lock);
    // Another name is another file (names know no letter case, as files).
    if (_wcsicmp(copy.c_str(), m_description.c_str()) != 0)
        m_hasFileVersion = false;
    m_description.Swap(copy);
    m_isDirty = 1;
    return S_OK;
}
STDMETHODIMP CQVTask::get_OldDescription(BSTR* pVal) { return GetText(&CQVTask::m_oldDescription, pVal); }
STDMETHODIMP CQVTask::put_OldDescription(BSTR newVal)
{
    return PutText(&CQVTask::m_oldDescription, newVal, Dirty::kKeep);
}
STDMETHODIMP CQVTask::get_IsRunning(LONG* pVal) { return GetLong(&CQVTask::m_isRunning, pVal); }
STDMETHODIMP CQVTask::put_IsRunning(LONG newVal) { return PutLongAndAnnounce(&CQVTask::m_isRunning, newVal); }
STDMETHODIMP CQVTask::get_StopAfter(LONG* pVal) { return GetLong(&CQVTask::m_stopAfter, pVal); }
STDMETHODIMP CQVTask::put_StopAfter(LONG newVal) { return PutLong(&CQVTask::m_stopAfter, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_IsStopAfter(LONG* pVal) { return get_StopAfter(pVal); }
STDMETHODIMP CQVTask::put_IsStopAfter(LONG newVal) { return put_StopAfter(newVal); }
STDMETHODIMP CQVTask::get_StopHours(short* pVal) { return GetShort(&CQVTask::m_stopHours, pVal); }
STDMETHODIMP CQVTask::put_StopHours(short newVal) { return PutShort(&CQVTask::m_stopHours, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_StopHrs(short* pVal) { return get_StopHours(pVal); }
STDMETHODIMP CQVTask::put_StopHrs(short newVal) { return put_StopHours(newVal); }
STDMETHODIMP CQVTask::get_StopMinutes(short* pVal) { return GetShort(&CQVTask::m_stopMinutes, pVal); }
STDMETHODIMP CQVTask::put_StopMinutes(short newVal)
{
    return PutShort(&CQVTask::m_stopMinutes, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_StopMins(short* pVal) { return get_StopMinutes(pVal); }
STDMETHODIMP CQVTask::put_StopMins(short newVal) { return put_StopMinutes(newVal); }

STDMETHODIMP CQVTask::get_RefDateTime(DATE* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    ScopedLock hold(m_lock);
    *pVal = m_refDateTime;
    return S_OK;
}

STDMETHODIMP CQVTask::put_RefDateTime(DATE newVal)
{
    ScopedLock hold(m_lock);
    m_refDateTime = newVal;
    return S_OK;
}

STDMETHODIMP CQVTask::get_Enabled(LONG* pVal) { return GetLong(&CQVTask::m_enabled, pVal); }
STDMETHODIMP CQVTask::put_Enabled(LONG newVal) { return PutLong(&CQVTask::m_enabled, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_IsEnabled(LONG* pVal) { return get_Enabled(pVal); }
STDMETHODIMP CQVTask::put_IsEnabled(LONG newVal) { return put_Enabled(newVal); }
STDMETHODIMP CQVTask::get_IntervalOffSet(LONG* pVal) { return GetLong(&CQVTask::m_intervalOffSet, pVal); }
STDMETHODIMP CQVTask::put_IntervalOffSet(LONG newVal)
{
    return PutLong(&CQVTask::m_intervalOffSet, newVal, Dirty::kKeep);
}
STDMETHODIMP CQVTask::get_PastDueOption(short* pVal) { return GetShort(&CQVTask::m_pastDueOption, pVal); }
STDMETHODIMP CQVTask::put_PastDueOption(short newVal)
{
    return PutShort(&CQVTask::m_pastDueOption, newVal, Dirty::kKeep);
}
STDMETHODIMP CQVTask::get_ActionType(short* pVal) { return GetShort(&CQVTask::m_actionType, pVal); }
STDMETHODIMP CQVTask::put_ActionType(short newVal) { return PutShort(&CQVTask::m_actionType, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_Suspend(LONG* pVal) { return GetLong(&CQVTask::m_suspend, pVal); }
STDMETHODIMP CQVTask::put_Suspend(LONG newVal) { return PutLong(&CQVTask::m_suspend, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_IsDeleteAfterExec(LONG* pVal) { return GetLong(&CQVTask::m_isDeleteAfterExec, pVal); }
STDMETHODIMP CQVTask::put_IsDeleteAfterExec(LONG newVal)
{
    return PutLong(&CQVTask::m_isDeleteAfterExec, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_IsDisableAfterExec(LONG* pVal) { return GetLong(&CQVTask::m_isDisableAfterExec, pVal); }
STDMETHODIMP CQVTask::put_IsDisableAfterExec(LONG newVal)
{
    return PutLong(&CQVTask::m_isDisableAfterExec, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_IsLog(LONG* pVal) { return GetLong(&CQVTask::m_isLog, pVal); }
STDMETHODIMP CQVTask::put_IsLog(LONG newVal) { return PutLong(&CQVTask::m_isLog, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_LogFile(BSTR* pVal) { return GetText(&CQVTask::m_logFile, pVal); }
STDMETHODIMP CQVTask::put_LogFile(BSTR newVal) { return PutText(&CQVTask::m_logFile, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_IsAlarm(LONG* pVal) { return GetLong(&CQVTask::m_isAlarm, pVal); }
STDMETHODIMP CQVTask::put_IsAlarm(LONG newVal) { return PutLong(&CQVTask::m_isAlarm, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_AlarmWaveFile(BSTR* pVal) { return GetText(&CQVTask::m_alarmWaveFile, pVal); }
STDMETHODIMP CQVTask::put_AlarmWaveFile(BSTR newVal)
{
    return PutText(&CQVTask::m_alarmWaveFile, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_IsPromptBeforeExec(LONG* pVal) { return GetLong(&CQVTask::m_isPromptBeforeExec, pVal); }
STDMETHODIMP CQVTask::put_IsPromptBeforeExec(LONG newVal)
{
    return PutLong(&CQVTask::m_isPromptBeforeExec, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_IsSuspendSchedule(LONG* pVal) { return GetLong(&CQVTask::m_isSuspendSchedule, pVal); }
STDMETHODIMP CQVTask::put_IsSuspendSchedule(LONG newVal)
{
    return PutLong(&CQVTask::m_isSuspendSchedule, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_IsExecIfPastDue(LONG* pVal) { return GetLong(&CQVTask::m_isExecIfPastDue, pVal); }
STDMETHODIMP CQVTask::put_IsExecIfPastDue(LONG newVal)
{
    return PutLong(&CQVTask::m_isExecIfPastDue, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_IsSchedIfPastDue(LONG* pVal) { return GetLong(&CQVTask::m_isSchedIfPastDue, pVal); }
STDMETHODIMP CQVTask::put_IsSchedIfPastDue(LONG newVal)
{
    return PutLong(&CQVTask::m_isSchedIfPastDue, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_Password(BSTR* pVal) { return GetText(&CQVTask::m_password, pVal); }
STDMETHODIMP CQVTask::put_Password(BSTR newVal) { return PutText(&CQVTask::m_password, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_UserName(BSTR* pVal) { return GetText(&CQVTask::m_userName, pVal); }
STDMETHODIMP CQVTask::put_UserName(BSTR newVal) { return PutText(&CQVTask::m_userName, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_AcctName(BSTR* pVal) { return GetText(&CQVTask::m_acctName, pVal); }
STDMETHODIMP CQVTask::put_AcctName(BSTR newVal) { return PutText(&CQVTask::m_acctName, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_IsInteractive(LONG* pVal) { return GetLong(&CQVTask::m_isInteractive, pVal); }
STDMETHODIMP CQVTask::put_IsInteractive(LONG newVal)
{
    return PutLong(&CQVTask::m_isInteractive, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_RunAsSystem(LONG* pVal) { return GetLong(&CQVTask::m_runAsSystem, pVal); }
STDMETHODIMP CQVTask::put_RunAsSystem(LONG newVal) { return PutLong(&CQVTask::m_runAsSystem, newVal, Dirty::kMark); }
STDMETHODIMP CQVTask::get_StartedByScheduler(LONG* pVal) { return GetLong(&CQVTask::m_startedByScheduler, pVal); }
STDMETHODIMP CQVTask::put_StartedByScheduler(LONG newVal)
{
    return PutLong(&CQVTask::m_startedByScheduler, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_IsDirty(LONG* pVal) { return GetLong(&CQVTask::m_isDirty, pVal); }
STDMETHODIMP CQVTask::put_IsDirty(LONG newVal) { return PutLong(&CQVTask::m_isDirty, newVal, Dirty::kKeep); }
STDMETHODIMP CQVTask::get_SendKeyDelay(LONG* pVal) { return GetLong(&CQVTask::m_sendKeyDelay, pVal); }
STDMETHODIMP CQVTask::put_SendKeyDelay(LONG newVal)
{
    return PutLong(&CQVTask::m_sendKeyDelay, newVal, Dirty::kKeep);
}
STDMETHODIMP CQVTask::get_LastErrorString(BSTR* pVal) { return GetText(&CQVTask::m_lastErrorString, pVal); }
STDMETHODIMP CQVTask::put_LastErrorString(BSTR newVal)
{
    return PutText(&CQVTask::m_lastErrorString, newVal, Dirty::kKeep);
}
STDMETHODIMP CQVTask::get_DisplayErrors(LONG* pVal) { return GetLong(&CQVTask::m_displayErrors, pVal); }
STDMETHODIMP CQVTask::put_DisplayErrors(LONG newVal)
{
    return PutLong(&CQVTask::m_displayErrors, newVal, Dirty::kKeep);
}
STDMETHODIMP CQVTask::get_LogErrors(LONG* pVal) { return GetLong(&CQVTask::m_logErrors, pVal); }
STDMETHODIMP CQVTask::put_LogErrors(LONG newVal) { return PutLong(&CQVTask::m_logErrors, newVal, Dirty::kKeep); }
STDMETHODIMP CQVTask::get_ErrorLogFile(BSTR* pVal) { return GetText(&CQVTask::m_errorLogFile, pVal); }
STDMETHODIMP CQVTask::put_ErrorLogFile(BSTR newVal)
{
    return PutText(&CQVTask::m_errorLogFile, newVal, Dirty::kKeep);
}
STDMETHODIMP CQVTask::get_TriggerType(short* pVal) { return GetShort(&CQVTask::m_triggerType, pVal); }
STDMETHODIMP CQVTask::put_TriggerType(short newVal)
{
    return PutShort(&CQVTask::m_triggerType, newVal, Dirty::kMark);
}
STDMETHODIMP CQVTask::get_IsActive(LONG* pVal) { return GetLong(&CQVTask::m_isActive, pVal); }
STDMETHODIMP CQVTask::put_IsActive(LONG newVal) { return PutLongAndAnnounce(&CQVTask::m_isActive, newVal); }

STDMETHODIMP CQVTask::InitializeValues()
{
    return S_OK;
}

STDMETHODIMP CQVTask::SetHasToggled(LONG)
{
    return S_OK;
}

// --- process of the run ---------------------------------------------------------

STDMETHODIMP CQVTask::SetProcessInfo(LONG hProcess, LONG hThread, LONG dwProcessId, LONG dwThreadId)
{
    tvx::com::Handle previous;
    ScopedLock hold(m_lock);
    // The values now name another program than one the run recorded.
    previous = std::move(m_runProcess);
    m_hProcess = hProcess;
    m_hThread = hThread;
    m_processId = dwProcessId;
    m_threadId = dwThreadId;
    return S_OK;
}

STDMETHODIMP CQVTask::GetProcessInfo(LONG* hProcess, LONG* hThread, LONG* dwProcessId, LONG* dwThreadId)
{
    if (hProcess == nullptr || hThread == nullptr || dwProcessId == nullptr || dwThreadId == nullptr)
        return E_POINTER;
    ScopedLock hold(m_lock);
    *hProcess = m_hProcess;
    *hThread = m_hThread;
    *dwProcessId = m_processId;
    *dwThreadId = m_threadId;
    return S_OK;
}

STDMETHODIMP CQVTask::KillProcess()
{
    ComPtr<IQVCommand> command;
    {
        ScopedLock hold(m_lock);
        if (m_isRunning != 1)
            return S_OK;
        command = m_runCommand;
    }
    // The program the script is busy with (one it waits for) is the one
    // the time limit is meant for.
    if (command)
        RecordRunProcess(command.Get());

    tvx::com::Handle process;
    DWORD processId = 0;
    {
        ScopedLock hold(m_lock);
        processId = static_cast<DWORD>(m_processId);
        if (m_runProcess && GetProcessId(m_runProcess.Get()) == processId)
            process = std::move(m_runProcess);
    }
    if (!process && processId != 0)
        process.Reset(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process)
        return S_OK;
    if (!TerminateProcess(process.Get(), kStoppedAfterTimeLimitExitCode)) {
        // A program that has ended by itself is forgotten: once no handle
        // holds it, its id may be given to another process, which a later
        // call would end in its place.
        if (WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0)
            ForgetRunProcess(processId);
        return S_OK;
    }

    ForgetRunProcess(processId);
    ScopedLock hold(m_lock);
    m_isDirty = 1;
    return S_OK;
}

void CQVTask::ForgetRunProcess(DWORD processId)
{
    ScopedLock hold(m_lock);
    if (static_cast<DWORD>(m_processId) == processId) {
        m_hProcess = 0;
        m_hThread = 0;
        m_processId = 0;
        m_threadId = 0;
    }
}

STDMETHODIMP CQVTask::get_IsTimeToStop(LONG* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = 0;
    long limitMinutes = 0;
    {
        ScopedLock hold(m_lock);
        limitMinutes = m_stopMinutes + 60L * m_stopHours;
    }
    if (limitMinutes <= 0)
        return S_OK;
    DATE lastExec = 0;
    const HRESULT hr = m_schedTrigger->get_LastExecTime(&lastExec);
    if (FAILED(hr))
        return hr;
    // Measured against the clock, not RefDateTime: the engine gives a task
    // its reference time only while it is idle, so during a run that time
    // would stand still at the launch.
    const COleDateTimeSpan elapsed = COleDateTime::GetCurrentTime() - COleDateTime(lastExec);
    if (elapsed.GetStatus() != COleDateTimeSpan::valid)
        return S_OK;
    const long elapsedMinutes = static_cast<long>(elapsed.GetTotalSeconds() / 60.0);
    *pVal = elapsedMinutes >= limitMinutes ? 1 : 0;
    return S_OK;
}

// --- due tests ------------------------------------------------------------------

HRESULT CQVTask::IsNextPastDue(bool& pastDue)
{
    DATE reference = 0;
    LONG offset = 0;
    {
        ScopedLock hold(m_lock);
        reference = m_refDateTime;
        offset = m_intervalOffSet;
    }
    if (offset > SHRT_MAX)
        offset = SHRT_MAX;
    if (offset < SHRT_MIN)
        offset = SHRT_MIN;
    LONG result = 0;
    const HRESULT hr = m_schedTrigger->IsNextPastDue(reference, static_cast<short>(offset), &result);
    pastDue = SUCCEEDED(hr) && result != 0;
    return hr;
}

HRESULT CQVTask::IsDueBySchedule(bool& due)
{
    due = false;
    DATE reference = 0;
    LONG offset = 0;
    {
        ScopedLock hold(m_lock);
        reference = m_refDateTime;
        offset = m_intervalOffSet;
    }
    DATE next = 0;
    DATE last = 0;
    HRESULT hr = m_schedTrigger->get_NextSchedTime(&next);
    if (SUCCEEDED(hr))
        hr = m_schedTrigger->get_LastExecTime(&last);
    if (FAILED(hr))
        return hr;
    const COleDateTime now(reference);
    const COleDateTime bound = now - COleDateTimeSpan(0, 0, 0, static_cast<int>(offset));
    const COleDateTime lastRun(last);
    // Ran within the tolerance: not again in the same interval.
    if (lastRun >= bound && lastRun <= now)
        return S_OK;
    due = COleDateTime(next) <= now;
    return S_OK;
}

STDMETHODIMP CQVTask::DoSchedule(LONG* bOkToContinue)
{
    if (bOkToContinue == nullptr)
        return E_POINTER;
    *bOkToContinue = 0;
    {
        ScopedLock hold(m_lock);
        if (m_enabled == 0)
            return S_OK;
    }
    short frequency = 0;
    HRESULT hr = m_schedTrigger->get_Frequency(&frequency);
    if (FAILED(hr))
        return hr;
    if (frequency == kNotScheduledByTime)
        return S_OK;
    bool due = false;
    hr = IsDueBySchedule(due);
    if (FAILED(hr) || !due)
        return hr;
    return CheckAndLaunch(0, bOkToContinue);
}

STDMETHODIMP CQVTask::CheckAndLaunch(LONG bForceLaunch, LONG* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = 0;
    bool pastDue = false;
    HRESULT hr = IsNextPastDue(pastDue);
    if (FAILED(hr))
        return hr;
    LONG launch = 0;
    if (!pastDue) {
        launch = 1;
        if (bForceLaunch == 0)
            hr = ReSchedule();
    } else {
        LONG schedIfPastDue = 0;
        LONG execIfPastDue = 0;
        {
            ScopedLock hold(m_lock);
            schedIfPastDue = m_isSchedIfPastDue;
            execIfPastDue = m_isExecIfPastDue;
        }
        launch = bForceLaunch;
        if (schedIfPastDue != 0) {
            hr = ReSchedule();
        } else if (execIfPastDue != 0) {
            hr = ReSchedule();
            launch = 1;
        }
    }
    *pVal = launch;
    return hr;
}

STDMETHODIMP CQVTask::NeedToCheckCondition(LONG* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = 0;
    if (m_condTrigger == nullptr)
        return S_OK;
    HRESULT hr = m_condTrigger->put_Enabled(1);
    short action = 0;
    if (SUCCEEDED(hr))
        hr = m_condTrigger->get_Action(&action);
    if (SUCCEEDED(hr) && (action == 1 || action == 2))
        hr = m_condTrigger->put_Action(0);
    if (FAILED(hr))
        return hr;
    *pVal = 1;
    return S_OK;
}

STDMETHODIMP CQVTask::DoCondition(LONG* bOkToContinue)
{
    if (bOkToContinue == nullptr)
        return E_POINTER;
    LONG runAsSystem = 0;
    LONG interactive = 0;
    Bstr user;
    Bstr password;
    {
        ScopedLock hold(m_lock);
        runAsSystem = m_runAsSystem;
        interactive = m_isInteractive;
        user = m_userName;
        password = m_password;
    }
    // Under the system account the condition forgets any stored user, so a
    // task switched to it no longer tests its files as the old user.
    if (runAsSystem == 0)
        m_condTrigger->SetUserInformation(user.Get(), password.Get(), interactive);
    else
        m_condTrigger->SetUserInformation(Bstr(L"").Get(), Bstr(L"").Get(), interactive);
    LONG active = 0;
    if (FAILED(m_condTrigger->get_IsActive(&active))) {
        Bstr reason;
        m_condTrigger->get_LastErrorString(reason.Receive());
        return Fail(E_FAIL, reason.ToString());
    }
    *bOkToContinue = 0;
    LONG toggled = 0;
    const HRESULT hr = m_condTrigger->get_HasToggled(&toggled);
    if (FAILED(hr))
        return hr;
    // The task fires on the edge, once per change of the condition.
    if (active == 1 && toggled == 1) {
        *bOkToContinue = 1;
        return m_condTrigger->put_HasToggled(0);
    }
    return S_OK;
}

STDMETHODIMP CQVTask::ReSchedule()
{
    short frequency = 0;
    HRESULT hr = m_schedTrigger->get_Frequency(&frequency);
    if (SUCCEEDED(hr))
        hr = m_schedTrigger->ReSchedule();
    if (FAILED(hr))
        return hr;
    bool disable = frequency == kOneTime;
    LONG indefinitely = 0;
    hr = m_schedTrigger->get_ScheduledIndefinately(&indefinitely);
    if (SUCCEEDED(hr) && indefinitely == 0) {
        DATE next = 0;
        DATE end = 0;
        hr = m_schedTrigger->get_NextSchedTime(&next);
        if (SUCCEEDED(hr))
            hr = m_schedTrigger->get_DurationTime(&end);
        if (SUCCEEDED(hr) && COleDateTime(next) >= COleDateTime(end)) {
            disable = true;
            hr = m_schedTrigger->put_NextSchedTime(end);
        }
    }
    {
        ScopedLock hold(m_lock);
        if (disable)
            m_enabled = 0;
        m_isDirty = 1;
    }
    FireDataChanged();
    return hr;
}

STDMETHODIMP CQVTask::AutoLaunch(LONG* bSuspend)
{
    if (bSuspend == nullptr)
        return E_POINTER;
    *bSuspend = 0;
    long count = 0;
    if (FAILED(m_commands->get_Count(&count)))
        return S_OK;
    for (long index = 0; index < count; ++index) {
        ComPtr<IQVCommand> command;
        if (FAILED(m_commands->Item(static_cast<int>(index), command.Receive())) || !command)
            break;
        if (FAILED(command->Run()))
            break;
    }
    return S_OK;
}

// --- holidays and work days -------------------------------------------------------

STDMETHODIMP CQVTask::AddHoliday(DATE dtHoliday)
{
    return m_schedTrigger->AddHoliday(dtHoliday);
}

STDMETHODIMP CQVTask::ClearHolidays()
{
    return m_schedTrigger->ClearHolidays();
}

STDMETHODIMP CQVTask::PutWorkDay(short nDay, LONG bVal)
{
    if (nDay < 0 || nDay > 6)
        return tvx::com::ReportError(E_INVALIDARG, IID_IQVTask,
                                     L"The day of the week must be 0 (Monday) to 6 (Sunday).", kProgId);
    return m_schedTrigger->put_WorkDay(nDay, bVal);
}

// --- texts of the task list ---------------------------------------------------------

STDMETHODIMP CQVTask::GetFrequencyAsString(BSTR* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = nullptr;
    short triggerType = 0;
    {
        ScopedLock hold(m_lock);
        triggerType = m_triggerType;
    }
    switch (triggerType) {
    case kManual:
        return ReturnText(task_text::kManual, pVal);
    case kScheduled:
        return m_schedTrigger->GetFrequencyAsString(pVal);
    case kFileWatch:
        return ReturnText(task_text::kFileWatch, pVal);
    case kApplicationWatch:
        return ReturnText(task_text::kApplicationWatch, pVal);
    case kWindowWatch:
        return ReturnText(task_text::kWindowWatch, pVal);
    case kProcessWatch:
        return ReturnText(task_text::kProcessWatch, pVal);
    default:
        return ReturnText(L"", pVal);
    }
}

STDMETHODIMP CQVTask::GetStatusAsString(BSTR* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    const wchar_t* text = task_text::kDisabled;
    ScopedLock hold(m_lock);
    if (m_enabled == 1)
        text = task_text::kEnabled;
    if (m_triggerType == kManual)
        text = L"";
    if (m_isRunning == 1)
        text = task_text::kRunning;
    return ReturnText(text, pVal);
}

STDMETHODIMP CQVTask::GetNextScheduledAsString(BSTR* pVal)
{
    if (pVal == nullptr)
        return E_POINTER;
    *pVal = nullptr;
    if (m_schedTrigger == nullptr)
        return ReturnText(task_text::kObjectUnavailable, pVal);
    short triggerType = 0;
    LONG enabled = 0;
    LONG execIfPastDue = 0;
    LONG schedIfPastDue = 0;
    {
        ScopedLock hold(m_lock);
        triggerType = m_triggerType;
        enabled = m_enabled;
        execIfPastDue = m_isExecIfPastDue;
        schedIfPastDue = m_isSchedIfPastDue;
    }
    if (triggerType == kManual)
        return ReturnText(L"", pVal);
    short frequency = 0;
    HRESULT hr = m_schedTrigger->get_Frequency(&frequency);
    bool pastDue = false;
    if (SUCCEEDED(hr))
        hr = IsNextPastDue(pastDue);
    if (FAILED(hr))
        return hr;
    if (pastDue && frequency != kNotScheduledByTime && execIfPastDue == 0 && schedIfPastDue == 0)
        return ReturnText(task_text::kPastDueNoAction, pVal);
    if (frequency == kOneTime && enabled == 0)
        return ReturnText(task_text::kNever, pVal);
    if (frequency == kNotScheduledByTime)
        return ReturnText(task_text::kOnCondition, pVal);
    return m_schedTrigger->NextScheduleAsString(pVal);
}

// --- task file ------------------------------------------------------------------

HRESULT CQVTask::CreateStorage(ComPtr<IDispatch>& self, ComPtr<IQVTaskStorage>& storage)
{
    const HRESULT hr = tvx::com::Module::Current().ClassObjects().CreateInstance(
        CLSID_QVTaskStorage, nullptr, IID_IQVTaskStorage, storage.ReceiveVoid());
    if (FAILED(hr))
        return Fail(E_FAIL, FormatText(task_text::kNoStorage, static_cast<unsigned long>(hr)));
    self = static_cast<IQVTask*>(this);
    return S_OK;
}

STDMETHODIMP CQVTask::ReadFromStorage(short nType)
{
    ComPtr<IDispatch> self;
    ComPtr<IQVTaskStorage> storage;
    HRESULT hr = CreateStorage(self, storage);
    if (FAILED(hr))
        return hr;
    ScopedLock whole(m_storageLock);
    hr = storage->Read(self.Get(), nType);
    if (SUCCEEDED(hr))
        SetDirty(0);
    return hr;
}

STDMETHODIMP CQVTask::WriteToStorage(short nType)
{
    ComPtr<IDispatch> self;
    ComPtr<IQVTaskStorage> storage;
    HRESULT hr = CreateStorage(self, storage);
    if (FAILED(hr))
        return hr;
    ScopedLock whole(m_storageLock);
    hr = storage->Write(self.Get(), nType);
    // A failed write leaves the task as it was: its edits and its command
    // list are all that is left of them.
    if (FAILED(hr))
        return hr;
    SetDirty(0);
    // Reload, so that the command list is the one in the file.
    ReadReplacingCommands(storage.Get(), self.Get(), nType);
    return hr;
}

HRESULT CQVTask::ReadReplacingCommands(IQVTaskStorage* storage, IDispatch* self, short nType)
{
    // The commands taken out are kept until the file has been read, and put
    // back when it can't be.
    std::vector<ComPtr<IQVCommand>> previous;
    long count = 0;
    while (SUCCEEDED(m_commands->get_Count(&count)) && count > 0) {
        ComPtr<IQVCommand> command;
        m_commands->Item(0, command.Receive());
        if (FAILED(m_commands->Remove(0)))
            break;
        previous.push_back(command);
    }
    const HRESULT hr = storage->Read(self, nType);
    if (FAILED(hr)) {
        for (const ComPtr<IQVCommand>& command : previous) {
            if (command)
                m_commands->Add(command.Get());
        }
        return hr;
    }
    SetDirty(0);
    return hr;
}

HRESULT STDMETHODCALLTYPE CQVTask::ReloadFromStorage()
{
    ComPtr<IDispatch> self;
    ComPtr<IQVTaskStorage> storage;
    HRESULT hr = CreateStorage(self, storage);
    if (FAILED(hr))
        return hr;
    ScopedLock whole(m_storageLock);
    return ReadReplacingCommands(storage.Get(), self.Get(), 0);
}

HRESULT STDMETHODCALLTYPE CQVTask::GetFileVersion(ULONGLONG* version)
{
    if (version == nullptr)
        return E_POINTER;
    ScopedLock hold(m_lock);
    *version = m_fileVersion;
    return m_hasFileVersion ? S_OK : S_FALSE;
}

void STDMETHODCALLTYPE CQVTask::SetFileVersion(ULONGLONG version)
{
    ScopedLock hold(m_lock);
    m_fileVersion = version;
    m_hasFileVersion = true;
}

void STDMETHODCALLTYPE CQVTask::ForgetFileVersion()
{
    ScopedLock hold(m_lock);
    m_fileVersion = 0;
    m_hasFileVersion = false;
}

STDMETHODIMP CQVTask::DeleteFromStorage(short nType)
{
    ComPtr<IDispatch> self;
    ComPtr<IQVTaskStorage> storage;
    HRESULT hr = CreateStorage(self, storage);
    if (FAILED(hr))
        return hr;
    hr = storage->Delete(self.Get(), nType);
    if (SUCCEEDED(hr))
        SetDirty(1);
    return hr;
}

STDMETHODIMP CQVTask::StopExecution()
{
    ComPtr<IQVCommand> command;
    {
        ScopedLock hold(m_lock);
        command = m_runCommand;
    }
    if (command)
        return command->StopExecution();
    return S_OK;
}
