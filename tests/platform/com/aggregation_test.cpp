#include <gtest/gtest.h>

#include "platform/com/class_factory.h"
#include "test_objects.h"

namespace tvx::com::test {
namespace {

class AggregationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CInner::census.Reset();
        COuter::census.Reset();
    }
    CoInit com_{COINIT_MULTITHREADED};
};

TEST_F(AggregationTest, EachInterfaceReachesEveryOtherAndOneIdentity)
{
    ComPtr<IOuterPart> outer;
    ASSERT_EQ(ComObject<COuter>::Create(nullptr, __uuidof(IOuterPart), outer.ReceiveVoid()), S_OK);
    ComPtr<IInnerPart> inner;
    ASSERT_EQ(outer.As(inner), S_OK);

    ComPtr<IUnknown> identity;
    ASSERT_EQ(outer->QueryInterface(IID_IUnknown, identity.ReceiveVoid()), S_OK);
    IUnknown* starts[] = {outer.Get(), inner.Get()};
    const IID* targets[] = {&IID_IUnknown, &__uuidof(IOuterPart), &__uuidof(IInnerPart)};
    for (IUnknown* start : starts) {
        for (const IID* target : targets) {
            ComPtr<IUnknown> p;
            ASSERT_EQ(start->QueryInterface(*target, p.ReceiveVoid()), S_OK);
            EXPECT_TRUE(SameObject(p.Get(), identity.Get()));
        }
    }
    // IDispatch belongs to the outer object's own dual interface.
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(inner.As(dispatch), S_OK);
    EXPECT_EQ(dispatch.Get(), static_cast<IDispatch*>(outer.Get()));

    long value = 0;
    ASSERT_EQ(inner->InnerValue(&value), S_OK);
    EXPECT_EQ(value, 7);
    ASSERT_EQ(outer->OuterValue(&value), S_OK);
    EXPECT_EQ(value, 11);
}

TEST_F(AggregationTest, ReferencesThroughTheInnerInterfaceCountOnTheOuterObject)
{
    ComPtr<IOuterPart> outer;
    ASSERT_EQ(ComObject<COuter>::Create(nullptr, __uuidof(IOuterPart), outer.ReceiveVoid()), S_OK);
    ComPtr<IInnerPart> inner;
    ASSERT_EQ(outer.As(inner), S_OK);
    // One count for the whole object: outer and inner pointer hold 2.
    EXPECT_EQ(inner->AddRef(), 3u);
    EXPECT_EQ(outer->AddRef(), 4u);
    EXPECT_EQ(inner->Release(), 3u);
    EXPECT_EQ(outer->Release(), 2u);
}

TEST_F(AggregationTest, InnerInterfaceKeepsTheWholeObjectAliveAndFinalReleaseEndsBothOnce)
{
    LONG before = Module::Current().LockCount();
    ComPtr<IOuterPart> outer;
    ASSERT_EQ(ComObject<COuter>::Create(nullptr, __uuidof(IOuterPart), outer.ReceiveVoid()), S_OK);
    EXPECT_EQ(CInner::census.final_constructs, 1);
    EXPECT_EQ(Module::Current().LockCount(), before + 2);
    ComPtr<IInnerPart> inner;
    ASSERT_EQ(outer.As(inner), S_OK);

    outer.Reset();
    EXPECT_EQ(COuter::census.alive, 1);
    EXPECT_EQ(CInner::census.alive, 1);
    long value = 0;
    EXPECT_EQ(inner->InnerValue(&value), S_OK);

    EXPECT_EQ(inner->Release(), 0u);
    inner.Detach();
    EXPECT_EQ(COuter::census.alive, 0);
    EXPECT_EQ(CInner::census.alive, 0);
    EXPECT_EQ(COuter::census.final_releases, 1);
    EXPECT_EQ(CInner::census.final_releases, 1);
    EXPECT_EQ(Module::Current().LockCount(), before);
}

// A hand-made outer object that records what the inner object delegates.
class RecordingOuter : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        ++queries;
        last_query = iid;
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ULONG refs = 1;
    int queries = 0;
    IID last_query = IID_NULL;
};

TEST_F(AggregationTest, InnerDelegatesToTheOuterExceptThroughItsNonDelegatingUnknown)
{
    RecordingOuter outer;
    ComPtr<IUnknown> non_delegating;  // released through the inner's own count
    ASSERT_EQ(ComObject<CInner>::Create(&outer, IID_IUnknown, non_delegating.ReceiveVoid()), S_OK);
    EXPECT_EQ(outer.refs, 1u);

    // The non-delegating unknown answers for the inner object itself...
    IInnerPart* part = nullptr;
    ASSERT_EQ(non_delegating->QueryInterface(__uuidof(IInnerPart), reinterpret_cast<void**>(&part)), S_OK);
    EXPECT_EQ(outer.queries, 0);
    // ...but the interface it hands out counts on the outer object,
    EXPECT_EQ(outer.refs, 2u);
    // and asks the outer object for everything.
    ComPtr<IUnknown> identity;
    ASSERT_EQ(part->QueryInterface(IID_IUnknown, identity.ReceiveVoid()), S_OK);
    EXPECT_EQ(identity.Get(), &outer);
    EXPECT_EQ(outer.queries, 1);
    void* missing = nullptr;
    EXPECT_EQ(part->QueryInterface(__uuidof(IInnerPart), &missing), E_NOINTERFACE);  // the outer's decision
    EXPECT_TRUE(IsEqualIID(outer.last_query, __uuidof(IInnerPart)));
    identity.Reset();
    part->Release();
    EXPECT_EQ(outer.refs, 1u);

    non_delegating.Reset();
    EXPECT_EQ(CInner::census.alive, 0);
    EXPECT_EQ(outer.refs, 1u);
}

TEST_F(AggregationTest, FactoriesAllowAggregationOnlyWhereTheClassDoesAndOnlyForIUnknown)
{
    RecordingOuter outer;
    struct Case {
        const char* name;
        HRESULT (*create_factory)(IClassFactory**);
        IUnknown* outer;
        const IID* iid;
        HRESULT expected;
    };
    const Case cases[] = {
        {"aggregatable, IUnknown", &ClassFactory<CInner>::Create, &outer, &IID_IUnknown, S_OK},
        {"aggregatable, other IID", &ClassFactory<CInner>::Create, &outer, &__uuidof(IInnerPart),
         CLASS_E_NOAGGREGATION},
        {"not aggregatable", &ClassFactory<CPlain>::Create, &outer, &IID_IUnknown, CLASS_E_NOAGGREGATION},
        {"not aggregatable, no outer", &ClassFactory<CPlain>::Create, nullptr, &__uuidof(IOuterPart), S_OK},
        {"singleton", &SingletonClassFactory<CPlain>::Create, &outer, &IID_IUnknown, CLASS_E_NOAGGREGATION},
    };
    for (const Case& c : cases) {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(c.create_factory(factory.Receive()), S_OK) << c.name;
        ComPtr<IUnknown> object;
        EXPECT_EQ(factory->CreateInstance(c.outer, *c.iid, object.ReceiveVoid()), c.expected) << c.name;
        EXPECT_EQ(static_cast<bool>(object), c.expected == S_OK) << c.name;
    }
    EXPECT_EQ(outer.refs, 1u);
}

}  // namespace
}  // namespace tvx::com::test
