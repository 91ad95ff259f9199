#include "engine/scheduler.h"

#include <cstdarg>
#include <cstdio>
#include <cwctype>
#include <memory>

#include "engine/ansi_text.h"
#include "engine/engine_texts.h"
#include "engine/service_mode.h"
#include "engine/task_account.h"
#include "qvxstorg.h"
#include "task/shared/module_directory.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::ScopedLock;

namespace {

// _IQVSchedulerEvents::StatusChange
constexpr DISPID kStatusChange = 0x60020000;

// StatusChange codes.
constexpr long kStatusRunning = 0;
constexpr long kStatusStopped = 1;
constexpr long kStatusSuspended = 2;
constexpr long kStatusStarted = 3;
constexpr long kStatusTasks = 4;
constexpr long kStatusCountdown = 5;

// Stop: three requests, each answered within two seconds or not at all.
constexpr int kStopAttempts = 3;
constexpr DWORD kStopWaitMs = 2000;
// How long the engine's end waits for launch threads to let go of their runs.
constexpr DWORD kLaunchLetGoMs = 10000;

constexpr wchar_t kProgId[] = L"Tarvex.QVScheduler";

constexpr wchar_t kTaskFolder[] = L"tasks\\";
// How long AddTask waits for another caller's addition of the same task.
constexpr DWORD kAdditionPollMs = 10;
constexpr DWORD kAdditionWaitMs = 30000;
// How long a search for a task by name goes on while changes of the list
// keep overtaking it.
constexpr DWORD kFindLimitMs = 5000;
// How long the final release waits for the task-folder watcher.
constexpr DWORD kWatcherStopMs = 5000;

// The calendar day of a date (its time of day dropped), as yyyymmdd.
long CalendarDay(DATE date)
{
    SYSTEMTIME day;
    if (!VariantTimeToSystemTime(date, &day))
        return 0;
    return day.wYear * 10000L + day.wMonth * 100L + day.wDay;
}

HRESULT Fail(HRESULT hr, const std::wstring& text)
{
    return tvx::com::ReportError(hr, IID_IQVScheduler, text.c_str(), kProgId);
}

std::string Format(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)));
std::string Format(const char* format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

std::wstring Lower(const wchar_t* text, UINT length)
{
    std::wstring lower(text ? text : L"", text ? length : 0);
    for (wchar_t& c : lower)
        c = static_cast<wchar_t>(std::towlower(c));
    return lower;
}

DATE LocalNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    DATE date = 0;
    SystemTimeToVariantTime(&now, &date);
    return date;
}

std::string AnsiName(BSTR name)
{
    return AnsiFromWide(std::wstring(name ? name : L"", SysStringLen(name)));
}

bool ValidDay(short day)
{
    return day >= 0 && day <= 6;
}

// Removes a name from the tasks being added when the addition is over.
class AdditionEnd {
public:
    AdditionEnd(tvx::com::CriticalSection& lock, std::set<std::wstring>& names, std::wstring name)
        : lock_(lock), names_(names), name_(std::move(name))
    {
    }
    ~AdditionEnd()
    {
        ScopedLock hold(lock_);
        names_.erase(name_);
    }
    AdditionEnd(const AdditionEnd&) = delete;
    AdditionEnd& operator=(const AdditionEnd&) = delete;

private:
    tvx::com::CriticalSection& lock_;
    std::set<std::wstring>& names_;
    std::wstring name_;
};

}  // namespace

tvx::com::InterfaceTable CQVScheduler::Interfaces()
{
    static const tvx::com::InterfaceEntry entries[] = {
        Interface<IQVScheduler>(),
        Interface<IDispatch, IQVScheduler>(),
        Interface<ISupportErrorInfo>(),
        Interface<IConnectionPointContainer>(),
        Interface<IEngineScheduler>(),
        Aggregate<IQVTaskCollection, &CQVScheduler::task_list_>(),
    };
    return entries;
}

CQVScheduler::CQVScheduler() : settings_(SchedulerSettings::Defaults()), is_service_(EngineServiceMode() ? 1 : 0) {}

// ---------------------------------------------------------------------------
// Construction and final release

HRESULT CQVScheduler::FinalConstruct()
{
    // Keeps the task component loaded for the object's life.
    HRESULT hr = held_task_.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER);
    if (FAILED(hr))
        return hr;
    hr = Initialize();
    if (FAILED(hr))
        return hr;
    if (FAILED(ReadFromStorage()))
        ReportEngineError(engine_text::kNoSystemOptionFile, Reporting().service);

    ComPtr<IQVSchedStorage> storage;
    hr = storage.CreateInstance(CLSID_QVSchedStorage, CLSCTX_INPROC_SERVER);
    if (FAILED(hr))
        return hr;
    hr = storage->ReadAllTask(static_cast<IQVScheduler*>(this));
    if (FAILED(hr))
        return hr;
    {
        ScopedLock hold(lock_);
        constructed_ = true;
    }
    // The storage component keeps the task files in the program's folder.
    watcher_ = TaskFolderWatcher::Start(*this, WideFromAnsi(GetModuleDirectory().c_str()) + kTaskFolder);
    Fire_StatusChange(kStatusStopped);
    return S_OK;
}

void CQVScheduler::FinalRelease()
{
    bool constructed = false;
    {
        ScopedLock hold(lock_);
        constructed = constructed_;
    }
    if (watcher_) {
        watcher_->Stop(kWatcherStopMs);
        watcher_.reset();
    }
    if (constructed) {
        StopAndRemember();
        WriteSettingsIfKnown();
    }
    {
        // Threads that never answered a stop are asked once more (bounded)
        // before the object they tick for goes.
        std::unique_ptr<SchedulerThread> thread;
        std::vector<std::unique_ptr<SchedulerThread>> unanswered;
        {
            ScopedLock hold(lock_);
            thread = std::move(thread_);
            unanswered.swap(unanswered_threads_);
        }
    }
    held_task_.Reset();
    if (sink_) {
        ComPtr<IConnectionPointContainer> container;
        ComPtr<IConnectionPoint> point;
        if (task_list_ &&
            SUCCEEDED(task_list_->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid())) &&
            SUCCEEDED(container->FindConnectionPoint(DIID__IQVTaskCollectionEvents, point.Receive())))
            point->Unadvise(sink_cookie_);
        sink_->Detach();
        sink_.Reset();
    }
    task_items_ = nullptr;
    task_snapshots_ = nullptr;
    task_list_.Reset();
}

HRESULT CQVScheduler::Initialize()
{
    if (task_list_)
        return Fail(E_FAIL, engine_text::kCollectionExists);
    ComPtr<IUnknown> inner;
    HRESULT hr = CoCreateInstance(CLSID_QVTaskCollection, ControllingUnknown(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                                  inner.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    ComPtr<IQVTaskCollection> list;
    hr = inner->QueryInterface(IID_IQVTaskCollection, list.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    // The object holds the inner one, so the interface stays valid without
    // a reference of its own.
    task_items_ = list.Get();
    list.Reset();
    ComPtr<IQVSharedSnapshots> snapshots;
    if (SUCCEEDED(inner->QueryInterface(__uuidof(IQVSharedSnapshots), snapshots.ReceiveVoid())))
        task_snapshots_ = snapshots.Get();
    snapshots.Reset();
    task_list_ = inner;
    return AdviseTaskList();
}

HRESULT CQVScheduler::AdviseTaskList()
{
    ComPtr<tvx::com::ComObject<CTaskListEventSink>> sink;
    HRESULT hr = tvx::com::ComObject<CTaskListEventSink>::Create(sink);
    if (FAILED(hr))
        return hr;
    // The collection's own container, not this object's: asked of the
    // inner object.
    ComPtr<IConnectionPointContainer> container;
    hr = task_list_->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    ComPtr<IConnectionPoint> point;
    hr = container->FindConnectionPoint(DIID__IQVTaskCollectionEvents, point.Receive());
    if (FAILED(hr))
        return hr;
    sink->Attach(this);
    hr = point->Advise(static_cast<IDispatch*>(sink.Get()), &sink_cookie_);
    if (FAILED(hr)) {
        sink->Detach();
        return hr;
    }
    sink_ = sink;
    return S_OK;
}

HRESULT CQVScheduler::TaskList(ComPtr<IQVTaskCollection>& list)
{
    if (!task_list_)
        return E_FAIL;
    return task_list_->QueryInterface(IID_IQVTaskCollection, list.ReceiveVoid());
}

// ---------------------------------------------------------------------------
// Events

void CQVScheduler::Fire_StatusChange(long code)
{
    events_.Fire(kStatusChange, {tvx::com::Variant(code)});
}

void CQVScheduler::OnTaskListDataChanged()
{
    Fire_StatusChange(kStatusTasks);
}

// ---------------------------------------------------------------------------
// Running state

STDMETHODIMP CQVScheduler::Start()
{
    countdown_.End();
    Fire_StatusChange(kStatusStarted);
    bool started = false;
    {
        ScopedLock hold(lock_);
        paused_for_watcher_ = false;
        if (!thread_) {
            thread_ = SchedulerThread::Start(*this);
            if (thread_) {
                settings_.run_on_startup = 1;
                started = true;
            }
        }
    }
    if (started)
        WriteSettingsIfKnown();
    return S_OK;
}

STDMETHODIMP CQVScheduler::Stop()
{
    // A countdown ended by Stop does not start the scheduler afterwards.
    const bool counting_down = countdown_.End();
    bool was_running = false;
    if (!StopSchedulerThread(&was_running))
        return S_OK;
    bool paused = false;
    {
        ScopedLock hold(lock_);
        paused = paused_for_watcher_;
        paused_for_watcher_ = false;
        if (!was_running && !counting_down && !paused)
            return S_OK;
        settings_.run_on_startup = 0;
    }
    WriteSettingsIfKnown();
    Fire_StatusChange(kStatusStopped);
    return S_OK;
}

bool CQVScheduler::StopSchedulerThread(bool* was_running)
{
    std::unique_ptr<SchedulerThread> thread;
    {
        ScopedLock hold(lock_);
        thread = std::move(thread_);
    }
    *was_running = thread != nullptr;
    if (!thread)
        return true;
    if (thread->Stop(kStopAttempts, kStopWaitMs)) {
        ScopedLock hold(lock_);
        is_running_ = 0;
        return true;
    }
    ReportEngineError(engine_text::kSchedulerDoesNotStop, Reporting().service);
    ScopedLock hold(lock_);
    if (!thread_)
        thread_ = std::move(thread);
    else
        unanswered_threads_.push_back(std::move(thread));
    return false;
}

void CQVScheduler::StopAndRemember()
{
    countdown_.Close();
    bool was_running = false;
    const bool stopped = StopSchedulerThread(&was_running);
    ScopedLock hold(lock_);
    // Stopped only for a change of the task list: it was running.
    if ((stopped && was_running) || paused_for_watcher_)
        settings_.run_on_startup = 1;
    paused_for_watcher_ = false;
}

STDMETHODIMP CQVScheduler::DelayedStart()
{
    long delay = 0;
    {
        ScopedLock hold(lock_);
        delay = settings_.startup_delay;
    }
    if (delay <= 0)
        return Start();
    const unsigned ticket = countdown_.Begin(delay);
    for (;;) {
        // Ended meanwhile by Start, Stop, the engine's end, or taken over
        // by a newer DelayedStart: no start from here.
        if (!countdown_.WaitOneSecond(ticket))
            return S_OK;
        Fire_StatusChange(kStatusCountdown);
        const long left = countdown_.Count(ticket);
        if (left < 0)
            return S_OK;
        if (left == 0)
            return Start();
    }
}

STDMETHODIMP CQVScheduler::SetSuspendScheduler(long suspend)
{
    long running = 0;
    {
        ScopedLock hold(lock_);
        suspended_ = suspend != 0 ? 1 : 0;
        running = is_running_;
    }
    Fire_StatusChange(suspend != 0 ? kStatusSuspended : running == 1 ? kStatusRunning : kStatusStopped);
    return S_OK;
}

STDMETHODIMP CQVScheduler::get_IsRunning(long* value)
{
    return GetField(&CQVScheduler::is_running_, value);
}

void CQVScheduler::OnSchedulerThreadBegin()
{
    pass_clock_ = PassClock();
    Fire_StatusChange(kStatusStarted);
}

void CQVScheduler::OnSchedulerTick()
{
    SYSTEMTIME local;
    GetLocalTime(&local);
    DATE now = 0;
    SystemTimeToVariantTime(&local, &now);
    long interval = 0;
    {
        ScopedLock hold(lock_);
        reference_time_ = now;
        is_running_ = 1;
        interval = settings_.schedule_interval;
    }
    // The clock keeps time while passes are blocked too: the first pass
    // after a suspension comes at the next pass time, not at once.
    const bool due = pass_clock_.Tick(PassClock::LocalSeconds(local), interval);
    SchedulingPass pass(*this);
    if (!pass.MayRun()) {
        Fire_StatusChange(kStatusSuspended);
        return;
    }
    Fire_StatusChange(kStatusRunning);
    if (due && pass.MayRun())
        pass.Run();
}

void STDMETHODCALLTYPE CQVScheduler::RunSchedulingPass()
{
    {
        ScopedLock hold(lock_);
        reference_time_ = LocalNow();
    }
    SchedulingPass pass(*this);
    if (pass.MayRun())
        pass.Run();
}

PassSettings CQVScheduler::PassSnapshot()
{
    PassSettings pass;
    ScopedLock hold(lock_);
    pass.schedule_interval = settings_.schedule_interval;
    pass.send_key_delay = settings_.send_key_delay;
    pass.display_errors = settings_.display_errors;
    pass.log_errors = settings_.log_errors;
    pass.error_file_name = settings_.error_file_name;
    for (int day = 0; day < 7; ++day)
        pass.work_days[day] = settings_.work_days[day];
    pass.logins = logins_.Entries();
    pass.reference_time = reference_time_;
    return pass;
}

bool CQVScheduler::PassSuspended()
{
    ScopedLock hold(lock_);
    return suspended_ != 0;
}

std::wstring CQVScheduler::SuspendingTask()
{
    ScopedLock hold(lock_);
    return suspending_task_;
}

void CQVScheduler::SetSuspendingTask(const std::wstring& description)
{
    ScopedLock hold(lock_);
    suspending_task_ = description;
}

std::vector<DATE> CQVScheduler::HolidaysFrom(DATE reference_time)
{
    const long today = CalendarDay(reference_time);
    ScopedLock hold(lock_);
    std::vector<DATE> kept;
    for (DATE holiday : holidays_) {
        if (CalendarDay(holiday) >= today)
            kept.push_back(holiday);
    }
    holidays_ = kept;
    return kept;
}

void CQVScheduler::ReportPassError(const std::wstring& text)
{
    if (!text.empty())
        ReportSchedulerError(text, Reporting());
}

void CQVScheduler::WatcherPauseScheduler()
{
    // RunOnStartup and the settings file stay as they are: the scheduler
    // runs on, as far as anybody outside is concerned.
    std::unique_ptr<SchedulerThread> thread;
    {
        ScopedLock hold(lock_);
        if (!thread_)
            return;
        thread = std::move(thread_);
        paused_for_watcher_ = true;
    }
    if (!thread->Stop(kStopAttempts, kStopWaitMs)) {
        ReportEngineError(engine_text::kSchedulerDoesNotStop, Reporting().service);
        ScopedLock hold(lock_);
        paused_for_watcher_ = false;
        if (!thread_)
            thread_ = std::move(thread);
        else
            unanswered_threads_.push_back(std::move(thread));
        return;
    }
    {
        ScopedLock hold(lock_);
        is_running_ = 0;
    }
    Fire_StatusChange(kStatusStopped);
}

void CQVScheduler::WatcherResumeScheduler()
{
    {
        ScopedLock hold(lock_);
        if (!paused_for_watcher_)
            return;
        paused_for_watcher_ = false;
        if (thread_)
            return;
        thread_ = SchedulerThread::Start(*this);
        if (!thread_)
            return;
    }
    Fire_StatusChange(kStatusStarted);
}

ComPtr<IQVTask> CQVScheduler::WatcherReadTask(const std::wstring& description)
{
    ComPtr<IQVTask> task;
    if (FAILED(ReadTaskFile(Bstr(description).Get(), task)))
        task.Reset();
    return task;
}

void CQVScheduler::WatcherListTask(const std::wstring& description, IQVTask* task)
{
    const Bstr name(description);
    const std::wstring key = Lower(name.Get(), SysStringLen(name.Get()));
    if (!BeginAddition(key))
        return;
    AdditionEnd end(lock_, tasks_being_added_, key);
    ComPtr<IQVTaskCollection> list;
    if (SUCCEEDED(TaskList(list)))
        ListTask(list.Get(), name.Get(), task);
}

ComPtr<IUnknown> CQVScheduler::TryHold()
{
    ComPtr<IUnknown> held;
    if (static_cast<tvx::com::ComObject<CQVScheduler>*>(this)->TryAddRef())
        held.Attach(ControllingUnknown());
    return held;
}

void STDMETHODCALLTYPE CQVScheduler::EndCountdown()
{
    countdown_.Close();
}

void STDMETHODCALLTYPE CQVScheduler::PrepareForEngineEnd()
{
    StopAndRemember();
    WriteSettingsIfKnown();
    launches_.LetGo(kLaunchLetGoMs);
}

bool STDMETHODCALLTYPE CQVScheduler::HasWork()
{
    {
        ScopedLock hold(lock_);
        if (thread_)
            return true;
    }
    return countdown_.Running() || launches_.Active() > 0;
}

STDMETHODIMP CQVScheduler::GetTime(DATE* value)
{
    if (!value)
        return E_POINTER;
    SYSTEMTIME now;
    GetSystemTime(&now);
    if (!SystemTimeToVariantTime(&now, value)) {
        *value = 0;
        return E_FAIL;
    }
    return S_OK;
}

// ---------------------------------------------------------------------------
// Settings file

STDMETHODIMP CQVScheduler::WriteToStorage()
{
    ComPtr<IQVSchedStorage> storage;
    HRESULT hr = storage.CreateInstance(CLSID_QVSchedStorage, CLSCTX_INPROC_SERVER);
    if (FAILED(hr))
        return hr;
    hr = storage->Write(static_cast<IQVScheduler*>(this));
    if (SUCCEEDED(hr)) {
        ScopedLock hold(lock_);
        settings_known_ = true;
    }
    return hr;
}

STDMETHODIMP CQVScheduler::ReadFromStorage()
{
    ComPtr<IQVSchedStorage> storage;
    HRESULT hr = storage.CreateInstance(CLSID_QVSchedStorage, CLSCTX_INPROC_SERVER);
    if (FAILED(hr))
        return hr;
    // The file's holidays replace the list: read into a list that holds
    // its own already, they would be added a second time.
    std::vector<DATE> previous_holidays;
    {
        ScopedLock hold(lock_);
        previous_holidays.swap(holidays_);
        settings_reader_ = GetCurrentThreadId();
    }
    hr = storage->Read(static_cast<IQVScheduler*>(this));
    ScopedLock hold(lock_);
    settings_reader_ = 0;
    if (FAILED(hr))
        holidays_.swap(previous_holidays);
    else
        settings_known_ = true;
    return hr;
}

void CQVScheduler::WriteSettingsIfKnown()
{
    {
        ScopedLock hold(lock_);
        if (!settings_known_)
            return;
    }
    WriteToStorage();
}

STDMETHODIMP CQVScheduler::get_ScheduleInterval(long* value)
{
    return GetField(&SchedulerSettings::schedule_interval, value);
}

STDMETHODIMP CQVScheduler::put_ScheduleInterval(long value)
{
    {
        ScopedLock hold(lock_);
        if (value >= kMinScheduleInterval || settings_reader_ == GetCurrentThreadId()) {
            settings_.schedule_interval = value >= kMinScheduleInterval ? value : kMinScheduleInterval;
            return S_OK;
        }
    }
    return Fail(E_INVALIDARG, engine_text::kIntervalTooSmall);
}

STDMETHODIMP CQVScheduler::get_StartupDelay(long* value)
{
    return GetField(&SchedulerSettings::startup_delay, value);
}

STDMETHODIMP CQVScheduler::put_StartupDelay(long value)
{
    return PutField(&SchedulerSettings::startup_delay, value);
}

STDMETHODIMP CQVScheduler::get_SendKeyDelay(long* value)
{
    return GetField(&SchedulerSettings::send_key_delay, value);
}

STDMETHODIMP CQVScheduler::put_SendKeyDelay(long value)
{
    return PutField(&SchedulerSettings::send_key_delay, value);
}

STDMETHODIMP CQVScheduler::get_SortOrder(short* value)
{
    return GetField(&SchedulerSettings::sort_order, value);
}

STDMETHODIMP CQVScheduler::put_SortOrder(short value)
{
    PutField(&SchedulerSettings::sort_order, value);
    return SortTaskList();
}

STDMETHODIMP CQVScheduler::SortTaskList()
{
    short order = 0;
    {
        ScopedLock hold(lock_);
        order = settings_.sort_order;
    }
    ComPtr<IQVTaskCollection> list;
    HRESULT hr = TaskList(list);
    if (FAILED(hr))
        return hr;
    return list->Sort(order);
}

STDMETHODIMP CQVScheduler::get_DisplayErrors(long* value)
{
    return GetField(&SchedulerSettings::display_errors, value);
}

STDMETHODIMP CQVScheduler::put_DisplayErrors(long value)
{
    return PutField(&SchedulerSettings::display_errors, value);
}

STDMETHODIMP CQVScheduler::get_LogErrors(long* value)
{
    return GetField(&SchedulerSettings::log_errors, value);
}

STDMETHODIMP CQVScheduler::put_LogErrors(long value)
{
    return PutField(&SchedulerSettings::log_errors, value);
}

STDMETHODIMP CQVScheduler::get_ErrorFileName(BSTR* value)
{
    return GetField(&SchedulerSettings::error_file_name, value);
}

STDMETHODIMP CQVScheduler::put_ErrorFileName(BSTR value)
{
    return PutField(&SchedulerSettings::error_file_name, value);
}

STDMETHODIMP CQVScheduler::get_IsWorkDay(short day, long* value)
{
    // A missing out pointer is reported before a day out of range.
    if (value && !ValidDay(day))
        return Fail(E_INVALIDARG, engine_text::kDayOutOfRange);
    return ReadLocked(value, [&] { return settings_.work_days[day]; });
}

STDMETHODIMP CQVScheduler::put_IsWorkDay(short day, long value)
{
    if (!ValidDay(day))
        return Fail(E_INVALIDARG, engine_text::kDayOutOfRange);
    return WriteLocked([&] { settings_.work_days[day] = value; });
}

STDMETHODIMP CQVScheduler::get_RunOnStartup(long* value)
{
    return GetField(&SchedulerSettings::run_on_startup, value);
}

STDMETHODIMP CQVScheduler::put_RunOnStartup(long value)
{
    return PutField(&SchedulerSettings::run_on_startup, value);
}

STDMETHODIMP CQVScheduler::get_IsService(long* value)
{
    return GetField(&CQVScheduler::is_service_, value);
}

STDMETHODIMP CQVScheduler::put_IsService(long value)
{
    return PutField(&CQVScheduler::is_service_, value);
}

// ---------------------------------------------------------------------------
// Holidays

STDMETHODIMP CQVScheduler::get_Holiday(short index, DATE* value)
{
    if (!value)
        return E_POINTER;
    {
        ScopedLock hold(lock_);
        if (index >= 0 && static_cast<std::size_t>(index) < holidays_.size()) {
            *value = holidays_[index];
            return S_OK;
        }
    }
    return Fail(E_INVALIDARG, engine_text::kHolidayOutOfRange);
}

STDMETHODIMP CQVScheduler::DeleteHoliday(short index)
{
    {
        ScopedLock hold(lock_);
        if (index >= 0 && static_cast<std::size_t>(index) < holidays_.size()) {
            holidays_.erase(holidays_.begin() + index);
            return S_OK;
        }
    }
    return Fail(E_INVALIDARG, engine_text::kHolidayOutOfRange);
}

STDMETHODIMP CQVScheduler::UpdateHoliday(short index, DATE value)
{
    {
        ScopedLock hold(lock_);
        if (index >= 0 && static_cast<std::size_t>(index) < holidays_.size()) {
            holidays_[index] = value;
            return S_OK;
        }
    }
    return Fail(E_INVALIDARG, engine_text::kHolidayOutOfRange);
}

STDMETHODIMP CQVScheduler::AddHoliday(DATE value)
{
    return WriteLocked([&] { holidays_.push_back(value); });
}

STDMETHODIMP CQVScheduler::GetHolidayCount(long* count)
{
    return ReadLocked(count, [&] { return static_cast<long>(holidays_.size()); });
}

// ---------------------------------------------------------------------------
// Logins

STDMETHODIMP CQVScheduler::AddLogin(BSTR description, BSTR domain, BSTR login_name, BSTR password)
{
    return WriteLocked([&] { logins_.Add(description, domain, login_name, password); });
}

STDMETHODIMP CQVScheduler::GetLoginCount(long* count)
{
    return ReadLocked(count, [&] { return logins_.Count(); });
}

STDMETHODIMP CQVScheduler::GetLoginInfo(short index, short field, BSTR* value)
{
    if (!value)
        return E_POINTER;
    *value = nullptr;
    std::wstring text;
    {
        ScopedLock hold(lock_);
        if (!logins_.Contains(index))
            return Fail(E_INVALIDARG, engine_text::kLoginOutOfRange);
        text = logins_.Field(index, field);
    }
    return Bstr(text).CopyTo(value);
}

STDMETHODIMP CQVScheduler::DelLoginInfo(short index)
{
    {
        ScopedLock hold(lock_);
        if (logins_.Contains(index)) {
            logins_.Delete(index);
            return S_OK;
        }
    }
    return Fail(E_INVALIDARG, engine_text::kLoginOutOfRange);
}

STDMETHODIMP CQVScheduler::ClearLogins()
{
    return WriteLocked([&] { logins_.Clear(); });
}

// ---------------------------------------------------------------------------
// Tasks

ErrorReporting CQVScheduler::Reporting()
{
    ScopedLock hold(lock_);
    ErrorReporting how;
    how.display = settings_.display_errors == 1;
    how.log = settings_.log_errors == 1;
    how.log_file = settings_.error_file_name;
    how.service = is_service_ != 0;
    return how;
}

void CQVScheduler::ReportTaskError(const std::string& text)
{
    ReportSchedulerError(WideFromAnsi(text.c_str()), Reporting());
}

HRESULT CQVScheduler::FindTask(BSTR name, const std::string& not_retrieved, ComPtr<IQVTask>& task)
{
    ComPtr<IQVTaskCollection> list;
    HRESULT hr = TaskList(list);
    if (FAILED(hr))
        return hr;
    // The task-folder watcher may add or remove tasks between the search
    // and the taking: the index found then holds another task, or none,
    // and the task is looked for again once the watcher moved on (a round
    // removes a burst of thousands of tasks one by one).
    const DWORD start = GetTickCount();
    for (;;) {
        short index = -1;
        hr = list->FindTaskIndex(name, &index);
        if (FAILED(hr) || index < 0) {
            const std::string text = Format(engine_text::kTaskNotFound, AnsiName(name).c_str());
            ReportTaskError(text);
            return Fail(E_FAIL, WideFromAnsi(text.c_str()));
        }
        task.Reset();
        hr = list->Item(index, task.Receive());
        if (SUCCEEDED(hr) && task) {
            Bstr description;
            task->get_Description(description.Receive());
            if (Lower(description.Get(), SysStringLen(description.Get())) == Lower(name, SysStringLen(name)))
                return S_OK;
        }
        if (GetTickCount() - start >= kFindLimitMs) {
            task.Reset();
            ReportTaskError(not_retrieved);
            return Fail(FAILED(hr) ? hr : E_FAIL, WideFromAnsi(not_retrieved.c_str()));
        }
        Sleep(1);
    }
}

HRESULT CQVScheduler::SaveChange(IQVTask* task, BSTR name, const TaskChange& change)
{
    std::wstring reason;
    const HRESULT hr = SaveTaskChange(task, change, &reason);
    if (SUCCEEDED(hr))
        return hr;
    const std::string text =
        Format(engine_text::kTaskNotSaved, AnsiName(name).c_str(), AnsiFromWide(reason).c_str());
    ReportTaskError(text);
    return Fail(hr, WideFromAnsi(text.c_str()));
}

STDMETHODIMP CQVScheduler::EnableTask(BSTR name, long enable)
{
    ComPtr<IQVTask> task;
    HRESULT hr = FindTask(name, engine_text::kNoTaskObject, task);
    if (FAILED(hr))
        return hr;
    TaskChange change;
    change.apply = [enable](IQVTask* changed) { changed->put_Enabled(enable); };
    change.holds = [enable](IQVTask* saved) {
        long enabled = 0;
        return SUCCEEDED(saved->get_Enabled(&enabled)) && enabled == enable;
    };
    hr = SaveChange(task.Get(), name, change);
    Fire_StatusChange(kStatusTasks);
    return hr;
}

STDMETHODIMP CQVScheduler::ResetTrigger(BSTR name)
{
    ComPtr<IQVTask> task;
    HRESULT hr = FindTask(name, Format(engine_text::kNoTaskObjectFor, AnsiName(name).c_str()), task);
    if (FAILED(hr))
        return hr;
    short type = 0;
    task->get_TriggerType(&type);
    TaskChange change;
    change.apply = [](IQVTask*) {};
    change.holds = [](IQVTask*) { return true; };
    if (type == 1) {
        ComPtr<IQVSchedTrigger> schedule;
        hr = task.As(schedule);
        if (SUCCEEDED(hr)) {
            auto next = std::make_shared<DATE>(0);
            change.apply = [schedule, next](IQVTask*) {
                schedule->ReSchedule();
                schedule->get_NextSchedTime(next.get());
            };
            change.holds = [schedule, next](IQVTask*) {
                DATE saved = 0;
                return SUCCEEDED(schedule->get_NextSchedTime(&saved)) && saved == *next;
            };
        } else {
            ReportTaskError(Format(engine_text::kNoScheduleTrigger, static_cast<unsigned>(hr)));
        }
    } else if (type != 0) {
        ComPtr<IQVCondTrigger> condition;
        hr = task.As(condition);
        if (SUCCEEDED(hr)) {
            change.apply = [condition](IQVTask*) {
                condition->Reset();
                condition->put_HasToggled(1);
            };
            change.holds = [condition](IQVTask*) {
                long toggled = 0;
                return SUCCEEDED(condition->get_HasToggled(&toggled)) && toggled == 1;
            };
        } else {
            ReportTaskError(Format(engine_text::kNoConditionTrigger, static_cast<unsigned>(hr)));
        }
    }
    hr = SaveChange(task.Get(), name, change);
    Fire_StatusChange(kStatusTasks);
    return hr;
}

STDMETHODIMP CQVScheduler::AddTask(BSTR description)
{
    if (SysStringLen(description) == 0)
        return Fail(E_INVALIDARG, engine_text::kNoDescription);
    std::wstring key = Lower(description, SysStringLen(description));
    // An addition that never ends: the task is not known to be listed.
    if (!BeginAddition(key))
        return HRESULT_FROM_WIN32(ERROR_BUSY);
    AdditionEnd end(lock_, tasks_being_added_, key);

    ComPtr<IQVTaskCollection> list;
    HRESULT hr = TaskList(list);
    if (FAILED(hr))
        return hr;
    short index = -1;
    if (SUCCEEDED(list->FindTaskIndex(description, &index)) && index >= 0)
        return S_OK;
    ComPtr<IQVTask> task;
    hr = ReadTaskFile(description, task);
    if (FAILED(hr))
        return hr;
    return ListTask(list.Get(), description, task.Get());
}

bool CQVScheduler::BeginAddition(const std::wstring& key)
{
    // The same description being added by another caller right now (the
    // task-folder watcher sees every new file): that addition is waited for,
    // so that a success here means the task is in the list; the list is then
    // asked like any other time. Additions read one file, so a short poll is
    // enough.
    for (DWORD waited = 0;; waited += kAdditionPollMs) {
        {
            ScopedLock hold(lock_);
            if (tasks_being_added_.insert(key).second)
                return true;
        }
        if (waited >= kAdditionWaitMs)
            return false;
        Sleep(kAdditionPollMs);
    }
}

HRESULT CQVScheduler::ReadTaskFile(BSTR description, ComPtr<IQVTask>& task)
{
    ComPtr<IClassFactory> factory;
    HRESULT hr = CoGetClassObject(CLSID_QVTask, CLSCTX_ALL, nullptr, IID_IClassFactory, factory.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    hr = factory->CreateInstance(nullptr, IID_IQVTask, task.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    task->put_Description(description);
    if (FAILED(task->ReadFromStorage(0))) {
        task.Reset();
        wchar_t text[512];
        swprintf(text, 512, engine_text::kTaskFileUnreadable, description);
        return Fail(E_FAIL, text);
    }
    return S_OK;
}

HRESULT CQVScheduler::ListTask(IQVTaskCollection* list, BSTR description, IQVTask* task)
{
    short index = -1;
    if (SUCCEEDED(list->FindTaskIndex(description, &index)) && index >= 0)
        return S_OK;
    const HRESULT hr = list->Add(task);
    if (FAILED(hr))
        return hr;
    ComPtr<IQVCondTrigger> condition;
    long enabled = 0;
    if (SUCCEEDED(condition.QueryFrom(task)) &&
        SUCCEEDED(condition->get_Enabled(&enabled)) && enabled == 1)
        condition->Reset();
    return S_OK;
}

STDMETHODIMP CQVScheduler::RunTask(short index)
{
    ComPtr<IQVTaskCollection> list;
    HRESULT hr = TaskList(list);
    if (FAILED(hr))
        return hr;
    long count = 0;
    list->get_Count(&count);
    ComPtr<IQVTask> task;
    if (index < 0 || index >= count || FAILED(list->Item(index, task.Receive())) || !task)
        return Fail(E_FAIL, engine_text::kTaskIndexOutOfRange);

    PassSettings settings = PassSnapshot();
    // Before the first tick there is no reference time yet: now is.
    if (settings.reference_time == 0)
        settings.reference_time = LocalNow();

    task->put_IntervalOffSet(settings.schedule_interval);
    task->put_RefDateTime(settings.reference_time);
    GiveRunSettings(task.Get(), settings);
    long as_system = 0;
    task->get_RunAsSystem(&as_system);
    if (as_system == 0)
        ApplyTaskAccount(task.Get(), settings.logins);
    long running = 0;
    task->get_IsRunning(&running);
    if (running == 0) {
        // Saved as a change of the task: when another program saved the
        // task since the engine read it, the run takes that task (its
        // script, its options) instead of overwriting it with the old one.
        TaskChange change;
        change.apply = [&settings](IQVTask* changed) {
            long system = 0;
            changed->get_RunAsSystem(&system);
            if (system == 0)
                ApplyTaskAccount(changed, settings.logins);
            long due = 0;
            changed->DoSchedule(&due);
        };
        change.holds = [](IQVTask*) { return true; };
        std::wstring unsaved;
        SaveTaskChange(task.Get(), change, &unsaved);
        LaunchTask(task.Get());
    }
    return S_OK;
}

bool CQVScheduler::LaunchTask(IQVTask* task)
{
    long running = 0;
    task->get_IsRunning(&running);
    if (running != 0)
        return false;
    return launches_.Launch(*this, task);
}

bool CQVScheduler::IsInTaskList(IQVTask* task)
{
    ComPtr<IQVTaskCollection> list;
    if (FAILED(TaskList(list)))
        return false;
    long count = 0;
    list->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        ComPtr<IQVTask> listed;
        if (SUCCEEDED(list->Item(i, listed.Receive())) && tvx::com::SameObject(listed.Get(), task))
            return true;
    }
    return false;
}

void CQVScheduler::RemoveFromTaskList(IQVTask* task)
{
    ComPtr<IQVTaskCollection> list;
    if (FAILED(TaskList(list)))
        return;
    long count = 0;
    list->get_Count(&count);
    for (long i = 0; i < count; ++i) {
        ComPtr<IQVTask> listed;
        if (SUCCEEDED(list->Item(i, listed.Receive())) && tvx::com::SameObject(listed.Get(), task)) {
            list->Remove(i);
            return;
        }
    }
}
