#include "platform/com/object.h"

#include <gtest/gtest.h>

#include "test_objects.h"

namespace tvx::com::test {
namespace {

class ObjectTest : public ::testing::Test {
protected:
    void SetUp() override { CCounter::census.Reset(); }
    CoInit com_{COINIT_MULTITHREADED};
};

TEST_F(ObjectTest, ListedInterfacesShareOneIdentityAndOthersAreRefused)
{
    ComPtr<ICounter> counter;
    ASSERT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), counter.ReceiveVoid()), S_OK);

    const IID* listed[] = {&IID_IUnknown, &IID_IDispatch, &__uuidof(ICounter), &IID_ISupportErrorInfo,
                           &IID_IConnectionPointContainer};
    ComPtr<IUnknown> identity;
    ASSERT_EQ(counter->QueryInterface(IID_IUnknown, identity.ReceiveVoid()), S_OK);
    for (const IID* iid : listed) {
        ComPtr<IUnknown> p;
        EXPECT_EQ(counter->QueryInterface(*iid, p.ReceiveVoid()), S_OK);
        ASSERT_TRUE(p);
        ComPtr<IUnknown> back;
        ASSERT_EQ(p->QueryInterface(IID_IUnknown, back.ReceiveVoid()), S_OK);
        EXPECT_EQ(back.Get(), identity.Get());
    }

    const IID* not_listed[] = {&__uuidof(IOuterPart), &IID_IPersist, &IID_IClassFactory};
    for (const IID* iid : not_listed) {
        void* p = reinterpret_cast<void*>(1);
        EXPECT_EQ(counter->QueryInterface(*iid, &p), E_NOINTERFACE);
        EXPECT_EQ(p, nullptr);
    }
    EXPECT_EQ(counter->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(ObjectTest, IDispatchOfADualInterfaceIsThatInterface)
{
    ComPtr<ICounter> counter;
    ASSERT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), counter.ReceiveVoid()), S_OK);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(counter.As(dispatch), S_OK);
    EXPECT_EQ(static_cast<IDispatch*>(counter.Get()), dispatch.Get());
}

TEST_F(ObjectTest, ObjectHoldsTheModuleFromCreationToFinalRelease)
{
    LONG before = Module::Current().LockCount();
    ComPtr<ICounter> counter;
    ASSERT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), counter.ReceiveVoid()), S_OK);
    EXPECT_EQ(Module::Current().LockCount(), before + 1);
    EXPECT_EQ(CCounter::census.final_constructs, 1);

    EXPECT_EQ(counter->AddRef(), 2u);
    EXPECT_EQ(counter->Release(), 1u);
    EXPECT_EQ(CCounter::census.final_releases, 0);
    counter.Reset();
    EXPECT_EQ(CCounter::census.final_releases, 1);
    EXPECT_EQ(CCounter::census.alive, 0);
    EXPECT_EQ(Module::Current().LockCount(), before);
}

TEST_F(ObjectTest, FailedFinalConstructDestroysTheObjectAndReturnsTheFailure)
{
    LONG before = Module::Current().LockCount();
    CCounter::fail_construct = E_OUTOFMEMORY;
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), &out), E_OUTOFMEMORY);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(CCounter::census.alive, 0);
    EXPECT_EQ(CCounter::census.final_releases, 1);
    EXPECT_EQ(Module::Current().LockCount(), before);
}

TEST_F(ObjectTest, CreateForAnUnsupportedInterfaceLeavesNothingBehind)
{
    void* out = nullptr;
    EXPECT_EQ(ComObject<CCounter>::Create(nullptr, IID_IPersist, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(CCounter::census.alive, 0);
    EXPECT_EQ(ComObject<CCounter>::Create(nullptr, IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(ObjectTest, TypedCreationGivesTheClassAndItsInterfaces)
{
    ComPtr<ComObject<CCounter>> object;
    ASSERT_EQ(ComObject<CCounter>::Create(object), S_OK);
    ASSERT_EQ(object->Add(4), S_OK);
    ComPtr<ICounter> counter;
    ASSERT_EQ(object.As(counter), S_OK);
    long total = 0;
    ASSERT_EQ(counter->get_Total(&total), S_OK);
    EXPECT_EQ(total, 4);
}

}  // namespace
}  // namespace tvx::com::test
