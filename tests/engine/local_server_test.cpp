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

    ComPtr<IQVScheduler> Connect()
    {
        ComPtr<IQVScheduler> scheduler;
        EXPECT_HRESULT_SUCCEEDED(scheduler.CreateInstance(CLSID_QVScheduler, CLSCTX_LOCAL_SERVER));
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
    Sleep(12000);  // longer than the engine's quiet periods
    EXPECT_EQ(EngineProcessIds(), engines) << "the engine ended under its client";
    long running = 1;
    EXPECT_HRESULT_SUCCEEDED(scheduler->get_IsRunning(&running));
    EXPECT_EQ(running, 0);
    scheduler.Reset();
    clients_.clear();
    EXPECT_TRUE(EnginesEnd(kEngineEndMs));
}

}  // namespace
}  // namespace enginetest
