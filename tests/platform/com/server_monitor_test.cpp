#include "platform/com/server_monitor.h"

#include <gtest/gtest.h>

#include <thread>

#include "test_objects.h"

namespace tvx::com::test {
namespace {

constexpr DWORD kIdleMs = 100;

// A thread that runs a message loop until WM_QUIT, as a server's main thread.
class ServerThread {
public:
    ServerThread()
    {
        thread_ = std::thread([this] {
            id_ = GetCurrentThreadId();
            EnsureMessageQueue();
            SetEvent(ready_.Get());
            RunMessageLoop();
            SetEvent(ended_.Get());
        });
        WaitForSingleObject(ready_.Get(), 5000);
    }
    ~ServerThread()
    {
        PostThreadMessageW(id_, WM_QUIT, 0, 0);
        thread_.join();
    }
    DWORD Id() const { return id_; }
    bool EndsWithin(DWORD ms) { return WaitForSingleObject(ended_.Get(), ms) == WAIT_OBJECT_0; }

private:
    Handle ready_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    Handle ended_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread thread_;
    DWORD id_ = 0;
};

class ServerMonitorTest : public ::testing::Test {
protected:
    void TearDown() override { Module::Current().CancelStopping(); }
    CoInit com_{COINIT_MULTITHREADED};
};

TEST_F(ServerMonitorTest, ServerThatNoClientReachesEndsAfterWaitingForItsFirstClient)
{
    constexpr DWORD kFirstClientMs = 10 * kIdleMs;
    ServerThread server;
    DWORD start = GetTickCount();
    ServerMonitor monitor(server.Id(), kIdleMs, {}, kFirstClientMs);
    ASSERT_EQ(monitor.Start(), S_OK);
    ASSERT_TRUE(server.EndsWithin(10000));
    EXPECT_GE(GetTickCount() - start, kFirstClientMs + 2 * kIdleMs - 20);
    EXPECT_TRUE(Module::Current().Stopping());
}

// The client that made COM start the server may reach it only after many
// quiet periods on a busy machine; it must still find the server serving.
TEST_F(ServerMonitorTest, LateFirstClientFindsTheServerServingAndItEndsAfterTheClientLeaves)
{
    ServerThread server;
    ServerMonitor monitor(server.Id(), kIdleMs, {}, 50 * kIdleMs);
    ASSERT_EQ(monitor.Start(), S_OK);
    EXPECT_FALSE(server.EndsWithin(10 * kIdleMs));
    ASSERT_FALSE(Module::Current().Stopping());

    ComPtr<ICounter> client_object;
    ASSERT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), client_object.ReceiveVoid()), S_OK);
    EXPECT_FALSE(server.EndsWithin(4 * kIdleMs));
    const DWORD released = GetTickCount();
    client_object.Reset();
    ASSERT_TRUE(server.EndsWithin(5000));
    EXPECT_LT(GetTickCount() - released, 20 * kIdleMs) << "the quiet periods, not the wait for a first client";
}

TEST_F(ServerMonitorTest, ServerLastsWhileAnObjectLivesAndEndsAfterItsRelease)
{
    ComPtr<ICounter> client_object;
    ASSERT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), client_object.ReceiveVoid()), S_OK);
    ServerThread server;
    ServerMonitor monitor(server.Id(), kIdleMs);
    ASSERT_EQ(monitor.Start(), S_OK);
    EXPECT_FALSE(server.EndsWithin(8 * kIdleMs));
    EXPECT_FALSE(Module::Current().Stopping());

    client_object.Reset();
    ASSERT_TRUE(server.EndsWithin(5000));
}

TEST_F(ServerMonitorTest, WakeHookCanLetTheServersOwnObjectGo)
{
    ComPtr<ICounter> own_object;
    ASSERT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), own_object.ReceiveVoid()), S_OK);
    LONG wakes = 0;
    ServerThread server;
    ServerMonitor monitor(server.Id(), kIdleMs, [&] {
        // Let go once the server has been up for a few rounds.
        if (InterlockedIncrement(&wakes) == 3)
            own_object.Reset();
    });
    ASSERT_EQ(monitor.Start(), S_OK);
    ASSERT_TRUE(server.EndsWithin(5000));
    EXPECT_GE(wakes, 3);
    EXPECT_EQ(CCounter::census.alive, 0);
}

TEST_F(ServerMonitorTest, StoppingTheMonitorLeavesTheServerRunning)
{
    ComPtr<ICounter> client_object;
    ASSERT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), client_object.ReceiveVoid()), S_OK);
    ServerThread server;
    {
        ServerMonitor monitor(server.Id(), kIdleMs);
        ASSERT_EQ(monitor.Start(), S_OK);
    }
    client_object.Reset();
    EXPECT_FALSE(server.EndsWithin(4 * kIdleMs));
}

}  // namespace
}  // namespace tvx::com::test
