// The engine as a Windows service: installed with its own Service switch,
// started and stopped through Wine's service manager ("net start", "net
// stop") and by COM for a client, and removed with UnregServer. Each test
// installs the service and removes it again, then registers the engine for
// process mode as the other engine tests expect it.
#include <gtest/gtest.h>

#include <optional>

#include "engine/engine_classes.h"
#include "engine_test_support.h"
#include "registry_reading.h"

namespace enginetest {
namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;

constexpr wchar_t kServiceName[] = L"Tarvex";
constexpr DWORD kEngineEndMs = 25000;
constexpr DWORD kEventMs = 10000;

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

struct ServiceState {
    bool installed = false;
    DWORD state = 0;
    DWORD process_id = 0;
};

ServiceState QueryService()
{
    ServiceState result;
    ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager)
        return result;
    ServiceHandle service(OpenServiceW(manager.Get(), kServiceName, SERVICE_QUERY_STATUS));
    if (!service)
        return result;
    result.installed = true;
    SERVICE_STATUS_PROCESS status = {};
    DWORD size = 0;
    if (QueryServiceStatusEx(service.Get(), SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status), sizeof status,
                             &size)) {
        result.state = status.dwCurrentState;
        result.process_id = status.dwProcessId;
    }
    return result;
}

std::wstring AppIdValue(const wchar_t* name)
{
    return tvxtest::ClassesValue(L"AppID\\" + tvx::com::GuidString(kEngineAppId), name);
}

bool ProcessEnded(DWORD id, DWORD timeout_ms)
{
    tvx::com::Handle process(OpenProcess(SYNCHRONIZE, FALSE, id));
    return !process || WaitForSingleObject(process.Get(), timeout_ms) == WAIT_OBJECT_0;
}

// "net start" or "net stop"; Wine's net may return while the service is
// still on its way, so the result waits for the state it asked for.
DWORD Net(const wchar_t* verb)
{
    const DWORD code = RunToEnd(std::wstring(L"net ") + verb + L" " + kServiceName, 60000);
    const DWORD wanted = std::wstring(verb) == L"start" ? SERVICE_RUNNING : SERVICE_STOPPED;
    WaitUntil([&] { return QueryService().state == wanted; }, 20000);
    return code;
}

bool IsRunning(IQVScheduler* scheduler)
{
    long running = 0;
    return SUCCEEDED(scheduler->get_IsRunning(&running)) && running == 1;
}

class ServiceEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnginesEnd(kEngineEndMs));
        ClearEngineFiles();
        com_.emplace(COINIT_MULTITHREADED);
        ASSERT_EQ(RunEngine(L"/Service"), 0u);
    }

    void TearDown() override
    {
        com_.reset();
        if (QueryService().state == SERVICE_RUNNING)
            Net(L"stop");
        EXPECT_EQ(RunEngine(L"/UnregServer"), 0u);
        EXPECT_FALSE(QueryService().installed);
        EXPECT_TRUE(EnginesEnd(kEngineEndMs)) << "an engine outlived the test";
        EXPECT_EQ(RunEngine(L"-RegServer"), 0u);
    }

    static ComPtr<IQVScheduler> Connect()
    {
        ComPtr<IQVScheduler> scheduler;
        const HRESULT hr = scheduler.CreateInstance(CLSID_QVScheduler, CLSCTX_LOCAL_SERVER);
        EXPECT_HRESULT_SUCCEEDED(hr) << "activation: " << std::hex << hr << "\n"
                                      << ReadFileText(DiagnosticsLogPath());
        return scheduler;
    }

    std::optional<tvx::com::CoInit> com_;
};

TEST_F(ServiceEngineTest, ServiceSwitchInstallsTheServiceAndWritesTheAppIdValues)
{
    EXPECT_EQ(AppIdValue(L"LocalService"), kServiceName);
    EXPECT_EQ(AppIdValue(L"ServiceParameters"), L"-Service");

    {
        // Closed before the second registration: the manager deletes a
        // service only once no handle to it is open.
        ServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
        ASSERT_TRUE(manager);
        ServiceHandle service(OpenServiceW(manager.Get(), kServiceName, SERVICE_QUERY_CONFIG));
        ASSERT_TRUE(service);
        std::vector<BYTE> buffer(8192);
        DWORD size = 0;
        ASSERT_TRUE(QueryServiceConfigW(service.Get(), reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data()),
                                        static_cast<DWORD>(buffer.size()), &size));
        const auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
        EXPECT_EQ(config->dwServiceType, static_cast<DWORD>(SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS));
        EXPECT_EQ(config->dwStartType, static_cast<DWORD>(SERVICE_AUTO_START));
        EXPECT_EQ(config->dwErrorControl, static_cast<DWORD>(SERVICE_ERROR_IGNORE));
        EXPECT_EQ(_wcsicmp(config->lpBinaryPathName, EnginePath().c_str()), 0)
            << Narrow(config->lpBinaryPathName) << " against " << Narrow(EnginePath());
        // Wine's QueryServiceConfig leaves the dependencies out; the service's
        // own key holds them.
        wchar_t dependencies[64] = {};
        DWORD bytes = sizeof dependencies;
        EXPECT_EQ(RegGetValueW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Services\\Tarvex", L"DependOnService",
                               RRF_RT_REG_MULTI_SZ, nullptr, dependencies, &bytes),
                  ERROR_SUCCESS);
        EXPECT_EQ(_wcsicmp(dependencies, L"RPCSS"), 0);
        EXPECT_STREQ(config->lpDisplayName, kServiceName);
    }

    // A second registration for service mode replaces the service.
    std::string output;
    EXPECT_EQ(RunEngine(L"-Service", 60000, &output), 0u);
    EXPECT_EQ(output.find("Application already installed"), std::string::npos) << output;
    EXPECT_TRUE(QueryService().installed);
    EXPECT_EQ(AppIdValue(L"LocalService"), kServiceName);
}

TEST_F(ServiceEngineTest, ServiceStopsItsSchedulerAndResumesItAtTheNextStart)
{
    ASSERT_EQ(Net(L"start"), 0u);
    const ServiceState started = QueryService();
    ASSERT_EQ(started.state, static_cast<DWORD>(SERVICE_RUNNING));
    {
        ComPtr<IQVScheduler> scheduler = Connect();
        ASSERT_TRUE(scheduler);
        EXPECT_EQ(EngineProcessIds(), std::vector<DWORD>{started.process_id}) << "served by the service";
        long service = 0;
        scheduler->get_IsService(&service);
        EXPECT_EQ(service, 1);
        ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
        ASSERT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs));

        // The client still holds the object while the service stops.
        EXPECT_EQ(Net(L"stop"), 0u);
        EXPECT_TRUE(ProcessEnded(started.process_id, kEngineEndMs));
        EXPECT_EQ(StoredRunOnStartup(), 1) << "it was running when the service stopped";
        long running = 0;
        EXPECT_FALSE(SUCCEEDED(scheduler->get_IsRunning(&running))) << "the ended engine can't answer";
    }

    ASSERT_EQ(Net(L"start"), 0u);
    ComPtr<IQVScheduler> scheduler = Connect();
    ASSERT_TRUE(scheduler);
    EXPECT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs)) << "resumed at the start";
    scheduler.Reset();
    EXPECT_EQ(Net(L"stop"), 0u);
}

TEST_F(ServiceEngineTest, ServiceStopDuringTheStartupCountdownEndsItAtOnce)
{
    ASSERT_EQ(Net(L"start"), 0u);
    {
        ComPtr<IQVScheduler> scheduler = Connect();
        ASSERT_TRUE(scheduler);
        ASSERT_HRESULT_SUCCEEDED(scheduler->put_StartupDelay(120));
        ASSERT_HRESULT_SUCCEEDED(scheduler->Start());  // stores RunOnStartup 1 with the delay
    }
    ASSERT_EQ(Net(L"stop"), 0u);
    ASSERT_EQ(StoredRunOnStartup(), 1);

    ASSERT_EQ(Net(L"start"), 0u);
    const ServiceState counting = QueryService();
    {
        ComPtr<IQVScheduler> scheduler = Connect();
        ASSERT_TRUE(scheduler);
        StatusConnection events(scheduler.Get());
        ASSERT_TRUE(events.Connected());
        ASSERT_TRUE(events.Sink().WaitFor(kStatusCountdown, 2, kEventMs)) << "the countdown runs";
        EXPECT_FALSE(IsRunning(scheduler.Get()));
    }
    const DWORD stop_began = GetTickCount();
    EXPECT_EQ(Net(L"stop"), 0u);
    EXPECT_TRUE(ProcessEnded(counting.process_id, kEngineEndMs));
    EXPECT_LT(GetTickCount() - stop_began, 15000u) << "the stop did not wait for the countdown";
    EXPECT_EQ(StoredRunOnStartup(), 1) << "the next start counts down again";
}

TEST_F(ServiceEngineTest, ClientActivationStartsTheStoppedService)
{
    ASSERT_NE(QueryService().state, static_cast<DWORD>(SERVICE_RUNNING));
    ComPtr<IQVScheduler> scheduler = Connect();
    ASSERT_TRUE(scheduler);
    const ServiceState started = QueryService();
    EXPECT_EQ(started.state, static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(EngineProcessIds(), std::vector<DWORD>{started.process_id});
    long service = 0;
    scheduler->get_IsService(&service);
    EXPECT_EQ(service, 1);
    scheduler.Reset();
    EXPECT_EQ(Net(L"stop"), 0u);
    EXPECT_TRUE(ProcessEnded(started.process_id, kEngineEndMs));
}

TEST_F(ServiceEngineTest, EngineStartedFromAConsoleRunsAsAProcess)
{
    // Registered as a service but started by hand: the service dispatcher
    // can't start, and the engine serves as a process.
    EngineProcess engine(L"-Start");
    ASSERT_TRUE(engine.Started());
    ASSERT_TRUE(engine.WaitForOutput("Service started", kEventMs)) << "process mode reports on standard output";
    {
        ComPtr<IQVScheduler> scheduler = Connect();
        ASSERT_TRUE(scheduler);
        EXPECT_EQ(EngineProcessIds(), std::vector<DWORD>{engine.Id()});
        long service = 1;
        scheduler->get_IsService(&service);
        EXPECT_EQ(service, 0);
        EXPECT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs));
    }
    EXPECT_NE(QueryService().state, static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(RunEngine(L"-Stop"), 0u);
    EXPECT_EQ(engine.WaitForExit(kEngineEndMs), 0u);
}

TEST_F(ServiceEngineTest, UnregServerStopsAndRemovesTheService)
{
    ASSERT_EQ(Net(L"start"), 0u);
    const ServiceState started = QueryService();
    ASSERT_EQ(started.state, static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(RunEngine(L"/UnregServer"), 0u);
    EXPECT_FALSE(QueryService().installed);
    EXPECT_TRUE(ProcessEnded(started.process_id, kEngineEndMs));
    EXPECT_EQ(AppIdValue(L"LocalService"), tvxtest::kNoValue);
}

}  // namespace
}  // namespace enginetest
