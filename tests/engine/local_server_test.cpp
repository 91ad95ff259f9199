// The engine as a COM local server of another process: activation, one
// object per engine, events, the process's own end, the Stop switch, and a
// start that fails. Every test waits for the engine processes it caused to
// end, so none is left behind.
#include <gtest/gtest.h>

#include <optional>

#include "engine_test_support.h"

namespace enginetest {
namespace {

using tvx::com::Bstr;
using tvx::com::ComPtr;

// A process-mode engine ends about 5 s after its last client left and its
// scheduler stopped; its monitor needs up to two such periods to notice.
constexpr DWORD kEngineEndMs = 25000;
constexpr DWORD kEventMs = 10000;

bool IsRunning(IQVScheduler* scheduler)
{
    long running = 0;
    return SUCCEEDED(scheduler->get_IsRunning(&running)) && running == 1;
}

class LocalEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnginesEnd(kEngineEndMs)) << "an engine of an earlier test was still running";
        ClearEngineFiles();
        com_.emplace(COINIT_MULTITHREADED);
    }

    void TearDown() override
    {
        clients_.clear();
        com_.reset();
        EXPECT_TRUE(EnginesEnd(kEngineEndMs)) << "the engine outlived its clients";
    }

    // Connects to an engine started by hand once it serves its class (it
    // says so when its class object is registered): an activation before
    // that would have COM start a second engine.
    ComPtr<IQVScheduler> ConnectTo(EngineProcess& engine)
    {
        if (!engine.WaitForOutput("Service started", kEventMs)) {
            ADD_FAILURE() << "the engine did not start serving: " << engine.Output();
            return nullptr;
        }
        return Connect();
    }

    ComPtr<IQVScheduler> Connect()
    {
        ComPtr<IQVScheduler> scheduler;
        const HRESULT hr = scheduler.CreateInstance(CLSID_QVScheduler, CLSCTX_LOCAL_SERVER);
        EXPECT_HRESULT_SUCCEEDED(hr) << "activation: " << std::hex << hr << "\n"
                                      << ReadFileText(DiagnosticsLogPath());
        if (scheduler)
            clients_.push_back(scheduler);
        return scheduler;
    }

    std::optional<tvx::com::CoInit> com_;
    std::vector<ComPtr<IQVScheduler>> clients_;
};

TEST_F(LocalEngineTest, ProcessModeEngineEndsSoonAfterItsLastClientLeaves)
{
    ComPtr<IQVScheduler> scheduler = Connect();
    ASSERT_TRUE(scheduler);
    std::vector<DWORD> engines = EngineProcessIds();
    ASSERT_EQ(engines.size(), 1u);
    long service = 1;
    EXPECT_HRESULT_SUCCEEDED(scheduler->get_IsService(&service));
    EXPECT_EQ(service, 0);
    Sleep(12000);  // longer than the engine's quiet periods
    EXPECT_EQ(EngineProcessIds(), engines) << "the engine ended under its client";
    EXPECT_FALSE(IsRunning(scheduler.Get()));
    scheduler.Reset();
    clients_.clear();
    EXPECT_TRUE(EnginesEnd(kEngineEndMs));
}

TEST_F(LocalEngineTest, EveryActivationGetsTheEnginesOwnObject)
{
    EngineProcess engine(L"-Start");
    ASSERT_TRUE(engine.Started());
    ComPtr<IQVScheduler> first = ConnectTo(engine);
    ASSERT_TRUE(first);

    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(name, &size));
    COSERVERINFO server = {0, name, nullptr, 0};
    MULTI_QI query = {&IID_IQVScheduler, nullptr, S_OK};
    ASSERT_EQ(CoCreateInstanceEx(CLSID_QVScheduler, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER, &server, 1,
                                 &query),
              S_OK);
    ComPtr<IQVScheduler> second;
    second.Attach(static_cast<IQVScheduler*>(query.pItf));
    clients_.push_back(second);

    EXPECT_TRUE(tvx::com::SameObject(first.Get(), second.Get()));
    EXPECT_EQ(EngineProcessIds(), std::vector<DWORD>{engine.Id()});
    // Started by the engine itself: a client given an object of its own
    // would find it stopped.
    EXPECT_TRUE(WaitUntil([&] { return IsRunning(second.Get()); }, kEventMs));
    ASSERT_HRESULT_SUCCEEDED(first->Stop());
    EXPECT_FALSE(IsRunning(second.Get()));

    clients_.clear();
    first.Reset();
    second.Reset();
    EXPECT_EQ(engine.WaitForExit(kEngineEndMs), 0u);
}

TEST_F(LocalEngineTest, StopSwitchStopsTheRunningEnginesScheduler)
{
    EngineProcess engine(L"-Start");
    ASSERT_TRUE(engine.Started());
    {
        ComPtr<IQVScheduler> scheduler = ConnectTo(engine);
        ASSERT_TRUE(scheduler);
        StatusConnection events(scheduler.Get());
        ASSERT_TRUE(events.Connected());
        ASSERT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs));
        ASSERT_EQ(StoredRunOnStartup(), 1);

        EXPECT_EQ(RunEngine(L"-Stop"), 0u);
        EXPECT_FALSE(IsRunning(scheduler.Get())) << "the stop reached the running engine";
        EXPECT_TRUE(events.Sink().WaitFor(kStatusStopped, 1, kEventMs));
        EXPECT_EQ(StoredRunOnStartup(), 0);
        EXPECT_EQ(EngineProcessIds(), std::vector<DWORD>{engine.Id()});
        clients_.clear();
    }
    EXPECT_EQ(engine.WaitForExit(kEngineEndMs), 0u);
}

TEST_F(LocalEngineTest, RunningSchedulerKeepsTheEngineAfterItsClientsLeave)
{
    {
        ComPtr<IQVScheduler> scheduler = Connect();
        ASSERT_TRUE(scheduler);
        ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
        clients_.clear();
    }
    std::vector<DWORD> engines = EngineProcessIds();
    ASSERT_EQ(engines.size(), 1u);
    Sleep(15000);
    EXPECT_EQ(EngineProcessIds(), engines);
    EXPECT_EQ(RunEngine(L"-Stop"), 0u);
    EXPECT_TRUE(EnginesEnd(kEngineEndMs));
    EXPECT_EQ(StoredRunOnStartup(), 0);
}

class LocalEngineEventsTest : public LocalEngineTest, public ::testing::WithParamInterface<DWORD> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(EnginesEnd(kEngineEndMs));
        ClearEngineFiles();
        com_.emplace(GetParam());
    }
};

TEST_P(LocalEngineEventsTest, StatusChangesReachAClientInAnotherProcess)
{
    ComPtr<IQVScheduler> scheduler = Connect();
    ASSERT_TRUE(scheduler);
    StatusConnection events(scheduler.Get());
    ASSERT_TRUE(events.Connected());
    StatusSink& sink = events.Sink();

    ASSERT_HRESULT_SUCCEEDED(scheduler->Start());
    EXPECT_TRUE(sink.WaitFor(kStatusStarted, 2, kEventMs)) << "the Start and the thread's begin";
    EXPECT_TRUE(sink.WaitFor(kStatusRunning, 2, kEventMs)) << "a tick each second";
    ASSERT_HRESULT_SUCCEEDED(scheduler->SetSuspendScheduler(1));
    EXPECT_TRUE(sink.WaitFor(kStatusSuspended, 2, kEventMs));
    ASSERT_HRESULT_SUCCEEDED(scheduler->SetSuspendScheduler(0));
    ASSERT_HRESULT_SUCCEEDED(scheduler->Stop());
    EXPECT_TRUE(sink.WaitFor(kStatusStopped, 1, kEventMs));
    const std::vector<long> codes = sink.Codes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), kStatusStarted);
    EXPECT_EQ(codes.back(), kStatusStopped);
}

INSTANTIATE_TEST_SUITE_P(Apartments, LocalEngineEventsTest,
                         ::testing::Values(COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED),
                         [](const ::testing::TestParamInfo<DWORD>& info) {
                             return info.param == COINIT_MULTITHREADED ? "Mta" : "Sta";
                         });

TEST_F(LocalEngineTest, EngineResumesItsSchedulerAfterTheStartupDelay)
{
    {
        ComPtr<IQVScheduler> scheduler = Connect();
        ASSERT_TRUE(scheduler);
        ASSERT_HRESULT_SUCCEEDED(scheduler->put_StartupDelay(3));
        ASSERT_HRESULT_SUCCEEDED(scheduler->WriteToStorage());
        clients_.clear();
    }
    ASSERT_TRUE(EnginesEnd(kEngineEndMs));
    ASSERT_TRUE(PatchSettingsField(1, 1));  // RunOnStartup

    ComPtr<IQVScheduler> scheduler = Connect();
    ASSERT_TRUE(scheduler);
    StatusConnection events(scheduler.Get());
    EXPECT_TRUE(events.Sink().WaitFor(kStatusStarted, 1, kEventMs));
    EXPECT_TRUE(WaitUntil([&] { return IsRunning(scheduler.Get()); }, kEventMs));
    ASSERT_HRESULT_SUCCEEDED(scheduler->Stop());
}

TEST_F(LocalEngineTest, TaskRunStartedByTheEngineKeepsItUntilTheRunEnds)
{
    REQUIRE_COMMAND_AVAILABLE(L"Delay(1,Milliseconds)", "Delay");
    const std::wstring log = EngineFolder() + L"long-run.log";
    DeleteFileW(log.c_str());
    WriteTaskFile(L"Long", {L"Delay(15,Seconds)", (L"LogToFile(" + log + L",long run done)").c_str()});
    {
        ComPtr<IQVScheduler> scheduler = Connect();
        ASSERT_TRUE(scheduler);
        ComPtr<IQVTaskCollection> tasks;
        ASSERT_HRESULT_SUCCEEDED(scheduler.As(tasks));
        short index = -1;
        ASSERT_HRESULT_SUCCEEDED(tasks->FindTaskIndex(Bstr(L"Long").Get(), &index));
        ASSERT_GE(index, 0);
        ASSERT_HRESULT_SUCCEEDED(scheduler->RunTask(index));
        clients_.clear();
    }
    std::vector<DWORD> engines = EngineProcessIds();
    ASSERT_EQ(engines.size(), 1u);
    Sleep(12000);  // the run is not over; the engine's quiet periods are
    EXPECT_EQ(EngineProcessIds(), engines);
    EXPECT_TRUE(EnginesEnd(kEngineEndMs + 15000));
    EXPECT_NE(ReadFileText(log).find("long run done"), std::string::npos) << "the run came to its end";
    DeleteFileW(log.c_str());
}

TEST_F(LocalEngineTest, DemoTaskWrittenBesideTheEngineIsInItsTaskList)
{
    // scripts/run.sh places the demo writer beside the engine, as here.
    ASSERT_EQ(RunToEnd(L"\"" + EngineFolder() + L"tvx_demo_task.exe\""), 0u);
    ComPtr<IQVScheduler> scheduler = Connect();
    ASSERT_TRUE(scheduler);
    ComPtr<IQVTaskCollection> tasks;
    ASSERT_HRESULT_SUCCEEDED(scheduler.As(tasks));
    short index = -1;
    ASSERT_HRESULT_SUCCEEDED(tasks->FindTaskIndex(Bstr(L"Demo - a line every minute").Get(), &index));
    ASSERT_GE(index, 0);
    ComPtr<IQVTask> demo;
    ASSERT_HRESULT_SUCCEEDED(tasks->Item(index, demo.Receive()));
    short trigger = 0;
    long enabled = 0;
    demo->get_TriggerType(&trigger);
    demo->get_Enabled(&enabled);
    EXPECT_EQ(trigger, 1);
    EXPECT_EQ(enabled, 1);
    Bstr next;
    demo->GetNextScheduledAsString(next.Receive());
    EXPECT_FALSE(next.Empty());
    EXPECT_NE(next.ToString(), L"Never");
}

// Run after the script client, whose engine must end by itself.
TEST(EngineProcesses, EndOnceTheirClientsHaveLeft)
{
    EXPECT_TRUE(EnginesEnd(kEngineEndMs));
}

}  // namespace
}  // namespace enginetest
