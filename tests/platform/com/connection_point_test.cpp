#include "platform/com/connection_point.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "test_objects.h"

namespace tvx::com::test {
namespace {

// A sink of _ICounterEvents that records each call.
class EventSink : public ComClass<EventSink>, public IDispatch {
public:
    static InterfaceTable Interfaces()
    {
        static const InterfaceEntry entries[] = {
            Interface<IDispatch>(),
            InterfaceId<IDispatch>(DIID__ICounterEvents),
        };
        return entries;
    }

    struct Call {
        DISPID id;
        std::vector<Variant> args;  // in declaration order
        DWORD thread;
    };

    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        Call call{id, {}, GetCurrentThreadId()};
        for (UINT i = params->cArgs; i > 0; --i)
            call.args.emplace_back(params->rgvarg[i - 1]);
        {
            ScopedLock hold(lock_);
            calls_.push_back(call);
        }
        SetEvent(received_.Get());
        return fail_ ? E_FAIL : S_OK;
    }

    std::vector<Call> Calls()
    {
        ScopedLock hold(lock_);
        return calls_;
    }
    HANDLE Received() const { return received_.Get(); }
    void FailCalls() { fail_ = true; }

private:
    CriticalSection lock_;
    std::vector<Call> calls_;
    Handle received_{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    bool fail_ = false;
};

ULONG RefCount(IUnknown* p)
{
    p->AddRef();
    return p->Release();
}

class ConnectionPointTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CCounter::census.Reset();
        ASSERT_EQ(ComObject<CCounter>::Create(counter_), S_OK);
        ComPtr<IConnectionPointContainer> container;
        ASSERT_EQ(counter_.As(container), S_OK);
        ASSERT_EQ(container->FindConnectionPoint(DIID__ICounterEvents, point_.Receive()), S_OK);
    }

    ComPtr<ComObject<EventSink>> NewSink()
    {
        ComPtr<ComObject<EventSink>> sink;
        EXPECT_EQ(ComObject<EventSink>::Create(sink), S_OK);
        return sink;
    }

    DWORD Advise(IUnknown* sink)
    {
        DWORD cookie = 0;
        EXPECT_EQ(point_->Advise(sink, &cookie), S_OK);
        EXPECT_NE(cookie, 0u);
        return cookie;
    }

    CoInit com_{COINIT_MULTITHREADED};
    ComPtr<ComObject<CCounter>> counter_;
    ComPtr<IConnectionPoint> point_;
};

TEST_F(ConnectionPointTest, PointIsFoundByItsEventInterfaceOnly)
{
    IID iid = IID_NULL;
    ASSERT_EQ(point_->GetConnectionInterface(&iid), S_OK);
    EXPECT_TRUE(IsEqualIID(iid, DIID__ICounterEvents));

    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(counter_.As(container), S_OK);
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(container->FindConnectionPoint(IID_IDispatch, none.Receive()), CONNECT_E_NOCONNECTION);
    EXPECT_FALSE(none);

    ComPtr<IConnectionPointContainer> back;
    ASSERT_EQ(point_->GetConnectionPointContainer(back.Receive()), S_OK);
    EXPECT_TRUE(SameObject(back.Get(), container.Get()));

    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(container->EnumConnectionPoints(points.Receive()), S_OK);
    IConnectionPoint* listed[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(points->Next(2, listed, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(listed[0], point_.Get());
    listed[0]->Release();
}

TEST_F(ConnectionPointTest, SinkWithoutTheEventInterfaceIsRefused)
{
    ComPtr<ICounter> not_a_sink;
    ASSERT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), not_a_sink.ReceiveVoid()), S_OK);
    DWORD cookie = 123;
    EXPECT_EQ(point_->Advise(not_a_sink.Get(), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(point_->Advise(nullptr, &cookie), E_POINTER);
}

TEST_F(ConnectionPointTest, EventReachesEverySinkWithArgumentsInDeclarationOrder)
{
    auto first = NewSink();
    auto second = NewSink();
    Advise(static_cast<IDispatch*>(first.Get()));
    Advise(static_cast<IDispatch*>(second.Get()));
    ASSERT_EQ(counter_->put_Label(Bstr(L"nightly").Get()), S_OK);
    ASSERT_EQ(counter_->Add(3), S_OK);

    for (auto* sink : {first.Get(), second.Get()}) {
        auto calls = sink->Calls();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].id, 1);
        ASSERT_EQ(calls[0].args.size(), 2u);
        EXPECT_EQ(V_I4(&calls[0].args[0].Get()), 3);
        EXPECT_STREQ(V_BSTR(&calls[0].args[1].Get()), L"nightly");
    }
}

TEST_F(ConnectionPointTest, FailingSinkDoesNotKeepTheEventFromTheOthers)
{
    auto failing = NewSink();
    auto healthy = NewSink();
    failing->FailCalls();
    Advise(static_cast<IDispatch*>(failing.Get()));
    Advise(static_cast<IDispatch*>(healthy.Get()));
    EXPECT_EQ(counter_->Events().Fire(1, {Variant(1L), Variant(L"")}), 1u);
    EXPECT_EQ(failing->Calls().size(), 1u);
    EXPECT_EQ(healthy->Calls().size(), 1u);
}

TEST_F(ConnectionPointTest, UnadviseStopsEventsAndUnknownCookiesAreRefused)
{
    auto kept = NewSink();
    auto dropped = NewSink();
    Advise(static_cast<IDispatch*>(kept.Get()));
    DWORD cookie = Advise(static_cast<IDispatch*>(dropped.Get()));
    ULONG held = RefCount(static_cast<IDispatch*>(dropped.Get()));
    ASSERT_EQ(point_->Unadvise(cookie), S_OK);
    EXPECT_LT(RefCount(static_cast<IDispatch*>(dropped.Get())), held);
    EXPECT_EQ(point_->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point_->Unadvise(0), CONNECT_E_NOCONNECTION);

    ASSERT_EQ(counter_->Add(1), S_OK);
    EXPECT_EQ(kept->Calls().size(), 1u);
    EXPECT_EQ(dropped->Calls().size(), 0u);
}

TEST_F(ConnectionPointTest, EnumConnectionsListsEachSinkWithItsCookie)
{
    auto a = NewSink();
    auto b = NewSink();
    DWORD cookie_a = Advise(static_cast<IDispatch*>(a.Get()));
    DWORD cookie_b = Advise(static_cast<IDispatch*>(b.Get()));
    ComPtr<IEnumConnections> e;
    ASSERT_EQ(point_->EnumConnections(e.Receive()), S_OK);
    CONNECTDATA data[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(e->Next(3, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(data[0].dwCookie, cookie_a);
    EXPECT_EQ(data[1].dwCookie, cookie_b);
    EXPECT_TRUE(SameObject(data[0].pUnk, static_cast<IDispatch*>(a.Get())));
    EXPECT_TRUE(SameObject(data[1].pUnk, static_cast<IDispatch*>(b.Get())));
    for (ULONG i = 0; i < fetched; ++i)
        data[i].pUnk->Release();
}

TEST_F(ConnectionPointTest, PointKeepsItsObjectAliveAndTheObjectReleasesSinksLeftConnected)
{
    auto sink = NewSink();
    ULONG before = RefCount(static_cast<IDispatch*>(sink.Get()));
    Advise(static_cast<IDispatch*>(sink.Get()));
    EXPECT_GT(RefCount(static_cast<IDispatch*>(sink.Get())), before);

    counter_.Reset();
    EXPECT_EQ(CCounter::census.alive, 1);  // the point holds the object
    point_.Reset();
    EXPECT_EQ(CCounter::census.alive, 0);
    EXPECT_EQ(RefCount(static_cast<IDispatch*>(sink.Get())), before);
}

TEST(ConnectionPointApartments, EventFiredOnAWorkerThreadRunsOnTheSinksApartmentThread)
{
    CoInit sta(COINIT_APARTMENTTHREADED);
    ASSERT_TRUE(sta.Succeeded());
    ComPtr<ComObject<CCounter>> counter;
    ASSERT_EQ(ComObject<CCounter>::Create(counter), S_OK);
    ComPtr<ComObject<EventSink>> sink;
    ASSERT_EQ(ComObject<EventSink>::Create(sink), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(counter->Events().Advise(static_cast<IDispatch*>(sink.Get()), &cookie), S_OK);

    // A worker of the object (say a task's run thread) fires the event.
    std::size_t delivered = 0;
    Handle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread worker([&] {
        CoInit mta(COINIT_MULTITHREADED);
        delivered = counter->Events().Fire(1, {Variant(5L), Variant(L"from worker")});
        SetEvent(done.Get());
    });
    // The call comes in through this apartment's message queue.
    bool finished = WaitWithMessageLoop(done.Get(), 10000);
    worker.join();
    ASSERT_TRUE(finished);

    EXPECT_EQ(delivered, 1u);
    auto calls = sink->Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].thread, GetCurrentThreadId());
    EXPECT_STREQ(V_BSTR(&calls[0].args[1].Get()), L"from worker");
}

}  // namespace
}  // namespace tvx::com::test
