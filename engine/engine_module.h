// The engine program from its start to its end: the choice between service
// and process, the service control protocol, the run that creates the
// engine's own scheduler object and serves it until the end, and the "Stop"
// switch that reaches the running engine.
#pragma once

#include <windows.h>

#include <string>

#include "engine/engine_scheduler.h"
#include "engine/engine_switches.h"
#include "engine/event_report.h"
#include "platform/com/com_ptr.h"
#include "platform/com/critical_section.h"
#include "platform/com/handle.h"
#include "tarvex.h"

class EngineModule {
public:
    EngineModule();
    EngineModule(const EngineModule&) = delete;
    EngineModule& operator=(const EngineModule&) = delete;

    // Does what the command line asks; the process's exit code (0 on
    // success, a registry error, an HRESULT or the service's exit code).
    int Main(const EngineCommand& command);

private:
    int RunAsServiceOrProcess();
    // The run: COM, the class object, the engine's own scheduler object,
    // its start, the loop until the end, and the end. Its exit code.
    DWORD Run();
    HRESULT CreateOwnScheduler();
    void StartOwnScheduler();
    // Dispatches messages until the quit message or a stop request.
    void WaitForEnd();
    // The end: the scheduler stopped and its settings stored, clients
    // disconnected, the object released.
    void EndOwnScheduler();
    // Process mode: lets go of the engine's own object once it has nothing
    // left to do, so that the process can end when its clients have left.
    void ReleaseOwnSchedulerWhenIdle();
    int StopRunningEngine();

    void ServiceMain();
    DWORD OnControl(DWORD control);
    void ReportStatus(DWORD state);
    void RequestStop();

    static void WINAPI ServiceMainEntry(DWORD argc, LPWSTR* argv);
    static DWORD WINAPI ControlHandler(DWORD control, DWORD event_type, void* event_data, void* context);
    static BOOL WINAPI ConsoleHandler(DWORD event);

    // The service main function has no context argument: the one module of
    // the process, while the dispatcher runs.
    static EngineModule* dispatching_;

    std::wstring service_name_;
    bool service_mode_ = true;
    bool start_now_ = false;
    EventReport events_;

    SERVICE_STATUS status_ = {};
    SERVICE_STATUS_HANDLE status_handle_ = nullptr;
    DWORD main_thread_ = 0;
    tvx::com::Handle stop_requested_;

    tvx::com::CriticalSection own_lock_;
    tvx::com::ComPtr<IQVScheduler> own_scheduler_;
    tvx::com::ComPtr<IEngineScheduler> own_control_;
};
