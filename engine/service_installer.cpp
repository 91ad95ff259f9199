#include "engine/service_installer.h"

#include <windows.h>

#include "engine/diagnostics_log.h"
#include "engine/engine_texts.h"

namespace {

// Owns a service control manager or service handle.
class ServiceHandle {
public:
    explicit ServiceHandle(SC_HANDLE handle) : handle_(handle) {}
    ~ServiceHandle()
    {
        if (handle_)
            CloseServiceHandle(handle_);
    }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    SC_HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    SC_HANDLE handle_;
};

// Long enough for the engine's own stop (scheduler thread, settings file).
constexpr DWORD kStopWaitMs = 20000;
constexpr DWORD kStopPollMs = 250;

void WaitUntilStopped(SC_HANDLE service)
{
    for (DWORD waited = 0; waited < kStopWaitMs; waited += kStopPollMs) {
        SERVICE_STATUS status = {};
        if (!QueryServiceStatus(service, &status) || status.dwCurrentState == SERVICE_STOPPED)
            return;
        Sleep(kStopPollMs);
    }
}

std::wstring BinaryPath(const std::wstring& exe_path)
{
    // The service manager reads the path as a command line.
    if (exe_path.find(L' ') != std::wstring::npos)
        return L"\"" + exe_path + L"\"";
    return exe_path;
}

}  // namespace

bool IsServiceInstalled(const std::wstring& service_name)
{
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager)
        return false;
    ServiceHandle service(OpenServiceW(manager.Get(), service_name.c_str(), SERVICE_QUERY_CONFIG));
    return static_cast<bool>(service);
}

bool InstallService(const std::wstring& service_name, const std::wstring& exe_path)
{
    if (IsServiceInstalled(service_name)) {
        RecordDiagnostic("%s", engine_text::kAlreadyInstalled);
        return true;
    }
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) {
        RecordDiagnostic("%s", engine_text::kNoServiceManager);
        return false;
    }
    const std::wstring binary = BinaryPath(exe_path);
    ServiceHandle service(CreateServiceW(manager.Get(), service_name.c_str(), service_name.c_str(),
                                         SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS,
                                         SERVICE_AUTO_START, SERVICE_ERROR_IGNORE, binary.c_str(), nullptr, nullptr,
                                         L"RPCSS\0", nullptr, nullptr));
    if (!service) {
        RecordDiagnostic("%s", engine_text::kCreateServiceFailed);
        return false;
    }
    return true;
}

namespace {

bool UninstallService(const std::wstring& service_name)
{
    if (!IsServiceInstalled(service_name))
        return true;
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) {
        RecordDiagnostic("%s", engine_text::kNoServiceManager);
        return false;
    }
    ServiceHandle service(
        OpenServiceW(manager.Get(), service_name.c_str(), SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE));
    if (!service) {
        RecordDiagnostic("%s", engine_text::kOpenServiceFailed);
        return false;
    }
    SERVICE_STATUS status = {};
    if (ControlService(service.Get(), SERVICE_CONTROL_STOP, &status))
        WaitUntilStopped(service.Get());
    if (!DeleteService(service.Get())) {
        RecordDiagnostic("%s", engine_text::kDeleteServiceFailed);
        return false;
    }
    return true;
}

}  // namespace

bool RemoveService(const std::wstring& service_name)
{
    if (!UninstallService(service_name))
        return false;
    // The manager removes a deleted service once the last handle to it is
    // closed, and not always at once: a new installation must not find the
    // old one still there.
    for (DWORD waited = 0; waited < kStopWaitMs && IsServiceInstalled(service_name); waited += kStopPollMs)
        Sleep(kStopPollMs);
    return true;
}

bool StartedByServiceManager(const std::wstring& service_name)
{
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager)
        return true;
    ServiceHandle service(OpenServiceW(manager.Get(), service_name.c_str(), SERVICE_QUERY_STATUS));
    if (!service)
        return GetLastError() != ERROR_SERVICE_DOES_NOT_EXIST;
    SERVICE_STATUS_PROCESS status = {};
    DWORD size = 0;
    if (!QueryServiceStatusEx(service.Get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof status,
                              &size))
        return true;
    return status.dwProcessId == GetCurrentProcessId();
}
