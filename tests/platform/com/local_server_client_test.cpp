// A client of the registered local sample server: activation in another
// process, events back into single- and multithreaded clients, sinks that
// have gone, and the server's end when its last client lets go. Every test
// waits for the server process to end, so none leaves one behind.
#include <gtest/gtest.h>

#include <optional>
#include <thread>
#include <vector>

#include "platform/com/com.h"
#include "sample_process.h"
#include "sample_server_idl.h"

namespace tvx::com::test {
namespace {

// Enough for the server's two quiet periods plus start-up under load.
constexpr DWORD kServerEndMs = 15000;
constexpr DWORD kEventWaitMs = 10000;

// A client's sink of _ISampleServerEvents.
class TickSink : public ComClass<TickSink>, public IDispatch {
public:
    static InterfaceTable Interfaces()
    {
        static const InterfaceEntry entries[] = {
            Interface<IDispatch>(),
            InterfaceId<IDispatch>(DIID__ISampleServerEvents),
        };
        return entries;
    }

    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (id != 1 || params->cArgs != 1)
            return DISP_E_MEMBERNOTFOUND;
        Variant code(params->rgvarg[0]);
        if (FAILED(code.ChangeType(VT_I4)))
            return DISP_E_TYPEMISMATCH;
        ScopedLock hold(lock_);
        codes_.push_back(V_I4(&code.Get()));
        threads_.push_back(GetCurrentThreadId());
        if (codes_.size() >= expected_)
            SetEvent(arrived_.Get());
        return S_OK;
    }

    void Expect(std::size_t count)
    {
        ScopedLock hold(lock_);
        expected_ = count;
        if (codes_.size() >= expected_)
            SetEvent(arrived_.Get());
    }
    HANDLE Arrived() const { return arrived_.Get(); }
    std::vector<long> Codes()
    {
        ScopedLock hold(lock_);
        return codes_;
    }
    std::vector<DWORD> Threads()
    {
        ScopedLock hold(lock_);
        return threads_;
    }

private:
    CriticalSection lock_;
    std::vector<long> codes_;
    std::vector<DWORD> threads_;
    std::size_t expected_ = ~std::size_t(0);
    Handle arrived_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

// Connects, and at the end makes sure the server has gone.
class LocalServerTest : public ::testing::Test {
protected:
    void SetUp() override { com_.emplace(Apartment()); }

    void TearDown() override
    {
        for (auto& [point, cookie] : advised_)
            point->Unadvise(cookie);
        advised_.clear();
        sinks_.clear();
        servers_.clear();
        if (server_) {
            EXPECT_TRUE(ProcessEnds(server_, kServerEndMs)) << "the server outlived its last client";
        }
        com_.reset();
    }

    virtual DWORD Apartment() const { return COINIT_MULTITHREADED; }

    ComPtr<ISampleServer> Connect()
    {
        ComPtr<ISampleServer> server;
        EXPECT_EQ(server.CreateInstance(CLSID_SampleServer, CLSCTX_LOCAL_SERVER), S_OK);
        if (server) {
            long pid = 0;
            EXPECT_EQ(server->get_ProcessId(&pid), S_OK);
            Watch(static_cast<DWORD>(pid));
            servers_.push_back(server);
        }
        return server;
    }

    ComPtr<ComObject<TickSink>> AdviseSink(ISampleServer* server)
    {
        ComPtr<ComObject<TickSink>> sink;
        EXPECT_EQ(ComObject<TickSink>::Create(sink), S_OK);
        ComPtr<IConnectionPointContainer> container;
        EXPECT_EQ(server->QueryInterface(IID_IConnectionPointContainer, container.ReceiveVoid()), S_OK);
        ComPtr<IConnectionPoint> point;
        EXPECT_EQ(container->FindConnectionPoint(DIID__ISampleServerEvents, point.Receive()), S_OK);
        DWORD cookie = 0;
        EXPECT_EQ(point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie), S_OK);
        advised_.emplace_back(point, cookie);
        sinks_.push_back(sink);
        return sink;
    }

    bool WaitForEvents(TickSink* sink, std::size_t count)
    {
        sink->Expect(count);
        if (Apartment() == COINIT_APARTMENTTHREADED)
            return WaitWithMessageLoop(sink->Arrived(), kEventWaitMs);
        return WaitForSingleObject(sink->Arrived(), kEventWaitMs) == WAIT_OBJECT_0;
    }

    // Learns the server's process while a reference keeps it running.
    void Watch(DWORD process_id)
    {
        if (process_id == server_process_ && server_)
            return;
        server_process_ = process_id;
        server_ = OpenRunningProcess(process_id);
    }

    std::optional<CoInit> com_;
    DWORD server_process_ = 0;
    Handle server_;
    std::vector<ComPtr<ISampleServer>> servers_;
    std::vector<ComPtr<ComObject<TickSink>>> sinks_;
    std::vector<std::pair<ComPtr<IConnectionPoint>, DWORD>> advised_;
};

TEST_F(LocalServerTest, ServerRunsInItsOwnProcessAndServesEveryActivationTheOneObject)
{
    ComPtr<ISampleServer> first = Connect();
    ComPtr<ISampleServer> second = Connect();
    ASSERT_TRUE(first && second);
    EXPECT_NE(server_process_, GetCurrentProcessId());
    EXPECT_TRUE(SameObject(first.Get(), second.Get()));
}

TEST_F(LocalServerTest, ActivationByTheComputersOwnNameReachesTheLocalServer)
{
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    ASSERT_TRUE(GetComputerNameW(name, &size));
    COSERVERINFO server_info = {0, name, nullptr, 0};
    MULTI_QI query = {&IID_ISampleServer, nullptr, S_OK};
    ASSERT_EQ(CoCreateInstanceEx(CLSID_SampleServer, nullptr, CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER,
                                 &server_info, 1, &query),
              S_OK);
    ComPtr<ISampleServer> server;
    server.Attach(static_cast<ISampleServer*>(query.pItf));
    long pid = 0;
    ASSERT_EQ(server->get_ProcessId(&pid), S_OK);
    Watch(static_cast<DWORD>(pid));
    EXPECT_NE(server_process_, GetCurrentProcessId());
}

TEST_F(LocalServerTest, ServerLastsWhileAClientHoldsItAndEndsAfterTheLastRelease)
{
    ComPtr<ISampleServer> server = Connect();
    ASSERT_TRUE(server);
    Sleep(2000);  // several of the server's quiet periods
    long pid = 0;
    EXPECT_EQ(server->get_ProcessId(&pid), S_OK);
    EXPECT_EQ(static_cast<DWORD>(pid), server_process_);
    server.Reset();
    servers_.clear();
    EXPECT_TRUE(ProcessEnds(server_, kServerEndMs));
    server_.Reset();
}

TEST_F(LocalServerTest, LateBoundErrorDescriptionCrossesTheProcessBoundary)
{
    ComPtr<ISampleServer> server = Connect();
    ASSERT_TRUE(server);
    EXPECT_EQ(server->FireLater(1, 0), E_INVALIDARG);

    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(server.As(dispatch), S_OK);
    VARIANT args[2];  // FireLater(1, 0), last argument first
    args[0] = Variant(0L).Get();
    args[1] = Variant(1L).Get();
    DISPPARAMS params = {args, nullptr, 2, 0};
    EXCEPINFO excep = {};
    EXPECT_EQ(dispatch->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, &excep, nullptr),
              DISP_E_EXCEPTION);
    EXPECT_EQ(excep.scode, E_INVALIDARG);
    EXPECT_STREQ(excep.bstrDescription, L"The count must be 1 to 100.");
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrHelpFile);
}

TEST_F(LocalServerTest, SinkWhoseApartmentEndedIsSkippedAndTheOthersStillGetTheEvent)
{
    // A client thread connects a sink and ends without Unadvise, once this
    // thread holds the server too (else the object would end with it).
    Handle advised(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    Handle connected(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread gone_client([&] {
        CoInit sta(COINIT_APARTMENTTHREADED);
        ComPtr<ISampleServer> server;
        ComPtr<ComObject<TickSink>> sink;
        ComPtr<IConnectionPointContainer> container;
        ComPtr<IConnectionPoint> point;
        DWORD cookie = 0;
        if (SUCCEEDED(server.CreateInstance(CLSID_SampleServer, CLSCTX_LOCAL_SERVER)) &&
            SUCCEEDED(ComObject<TickSink>::Create(sink)) && SUCCEEDED(server.As(container)) &&
            SUCCEEDED(container->FindConnectionPoint(DIID__ISampleServerEvents, point.Receive())))
            point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie);
        SetEvent(advised.Get());
        WaitWithMessageLoop(connected.Get(), kEventWaitMs);
    });
    WaitForSingleObject(advised.Get(), kEventWaitMs);
    ComPtr<ISampleServer> server = Connect();
    SetEvent(connected.Get());
    gone_client.join();
    ASSERT_TRUE(server);
    auto live = AdviseSink(server.Get());

    long sinks = 0;
    ASSERT_EQ(server->get_SinkCount(&sinks), S_OK);
    EXPECT_EQ(sinks, 2);
    long delivered = 0;
    ASSERT_EQ(server->FireNow(5, &delivered), S_OK);
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(live->Codes(), std::vector<long>{5});
}

// Events into a client of either apartment model.
class LocalServerEventsTest : public LocalServerTest, public ::testing::WithParamInterface<DWORD> {
protected:
    DWORD Apartment() const override { return GetParam(); }
};

TEST_P(LocalServerEventsTest, EventFiredDuringTheClientsCallReachesItsSink)
{
    ComPtr<ISampleServer> server = Connect();
    ASSERT_TRUE(server);
    auto sink = AdviseSink(server.Get());
    long delivered = 0;
    ASSERT_EQ(server->FireNow(7, &delivered), S_OK);
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(sink->Codes(), std::vector<long>{7});
    if (Apartment() == COINIT_APARTMENTTHREADED) {
        EXPECT_EQ(sink->Threads(), std::vector<DWORD>{GetCurrentThreadId()});
    }
}

TEST_P(LocalServerEventsTest, EventsFiredByAServerThreadReachTheSinkInOrder)
{
    ComPtr<ISampleServer> server = Connect();
    ASSERT_TRUE(server);
    auto sink = AdviseSink(server.Get());
    ASSERT_EQ(server->FireLater(100, 3), S_OK);
    ASSERT_TRUE(WaitForEvents(sink.Get(), 3));
    EXPECT_EQ(sink->Codes(), (std::vector<long>{100, 101, 102}));
    if (Apartment() == COINIT_APARTMENTTHREADED) {
        for (DWORD thread : sink->Threads())
            EXPECT_EQ(thread, GetCurrentThreadId());
    }
}

TEST_P(LocalServerEventsTest, UnadvisedSinkGetsNoMoreEvents)
{
    ComPtr<ISampleServer> server = Connect();
    ASSERT_TRUE(server);
    auto kept = AdviseSink(server.Get());
    auto dropped = AdviseSink(server.Get());
    auto [point, cookie] = advised_.back();
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
    advised_.pop_back();
    long delivered = 0;
    ASSERT_EQ(server->FireNow(9, &delivered), S_OK);
    EXPECT_EQ(delivered, 1);
    EXPECT_EQ(kept->Codes(), std::vector<long>{9});
    EXPECT_TRUE(dropped->Codes().empty());
}

INSTANTIATE_TEST_SUITE_P(Apartments, LocalServerEventsTest,
                         ::testing::Values(COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED),
                         [](const ::testing::TestParamInfo<DWORD>& info) {
                             return info.param == COINIT_MULTITHREADED ? "Mta" : "Sta";
                         });

}  // namespace
}  // namespace tvx::com::test
