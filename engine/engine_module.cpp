#include "engine/engine_module.h"

#include <objbase.h>

#include <optional>

#include "engine/com_security.h"
#include "engine/diagnostics_log.h"
#include "engine/engine_classes.h"
#include "engine/engine_registration.h"
#include "engine/engine_texts.h"
#include "engine/error_report.h"
#include "engine/scheduler_activation.h"
#include "engine/service_installer.h"
#include "engine/service_mode.h"
#include "platform/com/class_objects.h"
#include "platform/com/co_init.h"
#include "platform/com/message_loop.h"
#include "platform/com/reg_key.h"
#include "platform/com/registration.h"
#include "platform/com/server_monitor.h"

using tvx::com::ComPtr;
using tvx::com::ScopedLock;

namespace {

// A process-mode engine ends about this long after its scheduler stopped and
// its last client left.
constexpr DWORD kIdleMs = 5000;

int ExitCode(HRESULT hr)
{
    return SUCCEEDED(hr) ? 0 : static_cast<int>(hr);
}

}  // namespace

EngineModule* EngineModule::dispatching_ = nullptr;

EngineModule::EngineModule()
    : service_name_(EngineServiceName()),
      events_(service_name_, true),
      stop_requested_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    status_.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status_.dwCurrentState = SERVICE_STOPPED;
    status_.dwControlsAccepted = SERVICE_ACCEPT_STOP;
}

int EngineModule::Main(const EngineCommand& command)
{
    switch (command.action) {
    case EngineAction::Unregister:
        return ExitCode(UnregisterEngine(service_name_));
    case EngineAction::Register:
        return ExitCode(RegisterEngine(service_name_, false));
    case EngineAction::RegisterService:
        return ExitCode(RegisterEngine(service_name_, true));
    case EngineAction::StopRunning:
        return StopRunningEngine();
    case EngineAction::Run:
        break;
    }
    start_now_ = command.start_now;
    return RunAsServiceOrProcess();
}

int EngineModule::RunAsServiceOrProcess()
{
    {
        tvx::com::RegKey app_ids;
        LSTATUS status = app_ids.Open(HKEY_CLASSES_ROOT, L"AppID", KEY_READ);
        if (status != ERROR_SUCCESS)
            return static_cast<int>(status);
        tvx::com::RegKey app;
        status = app.Open(app_ids.Get(), tvx::com::GuidString(kEngineAppId).c_str(), KEY_READ);
        if (status != ERROR_SUCCESS)
            return static_cast<int>(status);
        std::wstring local_service;
        service_mode_ = app.GetString(L"LocalService", local_service) == ERROR_SUCCESS;
    }

    // Wine's dispatcher, called by a process the service manager did not
    // start, can attach to another service's control pipe and wait there for
    // ever instead of failing; such a process runs as a process at once.
    if (service_mode_ && !StartedByServiceManager(service_name_))
        service_mode_ = false;
    if (service_mode_) {
        // A user's log-off must not end the service.
        SetConsoleCtrlHandler(&EngineModule::ConsoleHandler, TRUE);
        SERVICE_TABLE_ENTRYW services[] = {
            {&service_name_[0], &EngineModule::ServiceMainEntry},
            {nullptr, nullptr},
        };
        dispatching_ = this;
        const BOOL dispatched = StartServiceCtrlDispatcherW(services);
        dispatching_ = nullptr;
        if (dispatched) {
            return status_.dwWin32ExitCode == ERROR_SERVICE_SPECIFIC_ERROR
                       ? static_cast<int>(status_.dwServiceSpecificExitCode)
                       : static_cast<int>(status_.dwWin32ExitCode);
        }
        // Started from a console, not by the service manager.
        service_mode_ = false;
    }
    events_.SetServiceMode(false);
    return static_cast<int>(Run());
}

DWORD EngineModule::Run()
{
    // Whoever posts to this thread (the service control handler, the server
    // monitor) finds its queue.
    tvx::com::EnsureMessageQueue();
    main_thread_ = GetCurrentThreadId();

    tvx::com::CoInit com(COINIT_MULTITHREADED);
    if (!com.Succeeded())
        return static_cast<DWORD>(com.Result());
    InitializeEngineComSecurity();

    SetEngineServiceMode(service_mode_);
    tvx::com::ClassObjects objects;
    HRESULT hr = objects.Register(EngineClasses());
    if (FAILED(hr)) {
        RecordDiagnostic("%s", engine_text::kNoSchedulerObject);
        return static_cast<DWORD>(hr);
    }
    events_.Information(engine_text::kServiceStarted);
    if (service_mode_)
        ReportStatus(SERVICE_RUNNING);

    hr = CreateOwnScheduler();
    if (FAILED(hr)) {
        ReportEngineError(engine_text::kNoSchedulerObject, service_mode_);
        objects.Revoke();
        return static_cast<DWORD>(hr);
    }
    StartOwnScheduler();

    std::optional<tvx::com::ServerMonitor> monitor;
    if (!service_mode_) {
        monitor.emplace(main_thread_, kIdleMs, [this] { ReleaseOwnSchedulerWhenIdle(); });
        monitor->Start();
    }
    WaitForEnd();
    monitor.reset();
    EndOwnScheduler();
    objects.Revoke();
    return 0;
}

HRESULT EngineModule::CreateOwnScheduler()
{
    ComPtr<IQVScheduler> scheduler;
    HRESULT hr = ActivateSchedulerOnThisComputer(scheduler);
    if (FAILED(hr))
        return hr;
    scheduler->put_IsService(service_mode_ ? 1 : 0);
    // Answered only by the object itself, not through a proxy.
    ComPtr<IEngineScheduler> control;
    scheduler.As(control);
    ScopedLock hold(own_lock_);
    own_scheduler_ = scheduler;
    own_control_ = control;
    return S_OK;
}

void EngineModule::StartOwnScheduler()
{
    ComPtr<IQVScheduler> scheduler;
    {
        ScopedLock hold(own_lock_);
        scheduler = own_scheduler_;
    }
    if (!scheduler || WaitForSingleObject(stop_requested_.Get(), 0) == WAIT_OBJECT_0)
        return;
    if (start_now_) {
        scheduler->Start();
        return;
    }
    long run_on_startup = 0;
    if (SUCCEEDED(scheduler->get_RunOnStartup(&run_on_startup)) && run_on_startup == 1)
        scheduler->DelayedStart();  // the countdown runs here, before the loop
}

void EngineModule::WaitForEnd()
{
    HANDLE stop = stop_requested_.Get();
    for (;;) {
        DWORD r = MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT);
        if (r != WAIT_OBJECT_0 + 1)
            return;  // stop requested, or the wait failed
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT)
                return;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void EngineModule::EndOwnScheduler()
{
    ComPtr<IQVScheduler> scheduler;
    ComPtr<IEngineScheduler> control;
    {
        ScopedLock hold(own_lock_);
        scheduler = std::move(own_scheduler_);
        control = std::move(own_control_);
    }
    if (!scheduler)
        return;
    if (control) {
        control->PrepareForEngineEnd();
    } else {
        long running = 0;
        scheduler->get_IsRunning(&running);
        scheduler->Stop();
        if (running == 1) {
            scheduler->put_RunOnStartup(1);
            scheduler->WriteToStorage();
        }
    }
    // Clients that still hold the object let go of it now, so that its
    // final release runs before the process ends.
    CoDisconnectObject(scheduler.Get(), 0);
    control.Reset();
    scheduler.Reset();
}

void EngineModule::ReleaseOwnSchedulerWhenIdle()
{
    ComPtr<IQVScheduler> scheduler;
    ComPtr<IEngineScheduler> control;
    {
        ScopedLock hold(own_lock_);
        scheduler = own_scheduler_;
        control = own_control_;
    }
    if (!scheduler)
        return;
    if (control) {
        if (control->HasWork())
            return;
    } else {
        long running = 1;
        if (FAILED(scheduler->get_IsRunning(&running)) || running != 0)
            return;
    }
    {
        ScopedLock hold(own_lock_);
        own_scheduler_.Reset();
        own_control_.Reset();
    }
    control.Reset();
    scheduler.Reset();
}

int EngineModule::StopRunningEngine()
{
    // No class object of its own: the activation must reach the running
    // engine (or the one COM starts for it), never this process.
    tvx::com::CoInit com(COINIT_MULTITHREADED);
    if (!com.Succeeded())
        return ExitCode(com.Result());
    InitializeEngineComSecurity();
    ComPtr<IQVScheduler> scheduler;
    HRESULT hr = ActivateSchedulerOnThisComputer(scheduler);
    if (SUCCEEDED(hr))
        scheduler->Stop();
    return ExitCode(hr);
}

// ---------------------------------------------------------------------------
// Service

void WINAPI EngineModule::ServiceMainEntry(DWORD, LPWSTR*)
{
    if (dispatching_)
        dispatching_->ServiceMain();
}

void EngineModule::ServiceMain()
{
    // Before the handler exists: a stop can come at once.
    tvx::com::EnsureMessageQueue();
    main_thread_ = GetCurrentThreadId();
    status_.dwCurrentState = SERVICE_START_PENDING;
    status_handle_ = RegisterServiceCtrlHandlerExW(service_name_.c_str(), &EngineModule::ControlHandler, this);
    if (!status_handle_) {
        events_.Information(engine_text::kHandlerNotInstalled);
        return;
    }
    status_.dwWin32ExitCode = NO_ERROR;
    status_.dwCheckPoint = 0;
    status_.dwWaitHint = 0;
    ReportStatus(SERVICE_START_PENDING);

    const DWORD code = Run();
    if (code != 0) {
        status_.dwWin32ExitCode = ERROR_SERVICE_SPECIFIC_ERROR;
        status_.dwServiceSpecificExitCode = code;
    }
    events_.Information(engine_text::kServiceStopped);
    ReportStatus(SERVICE_STOPPED);
}

DWORD WINAPI EngineModule::ControlHandler(DWORD control, DWORD, void*, void* context)
{
    return static_cast<EngineModule*>(context)->OnControl(control);
}

DWORD EngineModule::OnControl(DWORD control)
{
    switch (control) {
    case SERVICE_CONTROL_STOP:
        ReportStatus(SERVICE_STOP_PENDING);
        RequestStop();
        return NO_ERROR;
    case SERVICE_CONTROL_PAUSE:
    case SERVICE_CONTROL_CONTINUE:
    case SERVICE_CONTROL_INTERROGATE:
    case SERVICE_CONTROL_SHUTDOWN:
        return NO_ERROR;
    default:
        events_.Information(engine_text::kBadServiceRequest);
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void EngineModule::RequestStop()
{
    SetEvent(stop_requested_.Get());
    {
        // Ends a start-up countdown the main thread is in; quick and
        // without COM, so it may run under the lock on this thread.
        ScopedLock hold(own_lock_);
        if (own_control_)
            own_control_->EndCountdown();
    }
    if (main_thread_)
        PostThreadMessageW(main_thread_, WM_QUIT, 0, 0);
}

void EngineModule::ReportStatus(DWORD state)
{
    status_.dwCurrentState = state;
    if (status_handle_)
        SetServiceStatus(status_handle_, &status_);
}

BOOL WINAPI EngineModule::ConsoleHandler(DWORD event)
{
    return event == CTRL_LOGOFF_EVENT ? TRUE : FALSE;
}
