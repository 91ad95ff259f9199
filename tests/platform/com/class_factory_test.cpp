#include "platform/com/class_factory.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/com/class_table.h"
#include "test_objects.h"

namespace tvx::com::test {
namespace {

class ClassFactoryTest : public ::testing::Test {
protected:
    void SetUp() override { CCounter::census.Reset(); }
    void TearDown() override { Module::Current().CancelStopping(); }
    CoInit com_{COINIT_MULTITHREADED};
};

TEST_F(ClassFactoryTest, EachActivationCreatesANewObject)
{
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(ClassFactory<CCounter>::Create(factory.Receive()), S_OK);
    ComPtr<ICounter> a;
    ComPtr<ICounter> b;
    ASSERT_EQ(factory->CreateInstance(nullptr, __uuidof(ICounter), a.ReceiveVoid()), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, __uuidof(ICounter), b.ReceiveVoid()), S_OK);
    EXPECT_FALSE(SameObject(a.Get(), b.Get()));
    EXPECT_EQ(CCounter::census.alive, 2);
}

TEST_F(ClassFactoryTest, SingletonServesTheLiveObjectAndANewOneAfterItEnded)
{
    ComPtr<IClassFactory> first_factory;
    ComPtr<IClassFactory> second_factory;
    ASSERT_EQ(SingletonClassFactory<CCounter>::Create(first_factory.Receive()), S_OK);
    ASSERT_EQ(SingletonClassFactory<CCounter>::Create(second_factory.Receive()), S_OK);

    ComPtr<ICounter> a;
    ComPtr<ICounter> b;
    ASSERT_EQ(first_factory->CreateInstance(nullptr, __uuidof(ICounter), a.ReceiveVoid()), S_OK);
    ASSERT_EQ(second_factory->CreateInstance(nullptr, __uuidof(ICounter), b.ReceiveVoid()), S_OK);
    EXPECT_TRUE(SameObject(a.Get(), b.Get()));
    ASSERT_EQ(a->Add(3), S_OK);
    long total = 0;
    ASSERT_EQ(b->get_Total(&total), S_OK);
    EXPECT_EQ(total, 3);
    EXPECT_EQ(CCounter::census.alive, 1);

    // The factory holds no reference: the last client ends the object.
    a.Reset();
    b.Reset();
    EXPECT_EQ(CCounter::census.alive, 0);
    EXPECT_EQ(CCounter::census.final_releases, 1);

    ComPtr<ICounter> c;
    ASSERT_EQ(first_factory->CreateInstance(nullptr, __uuidof(ICounter), c.ReceiveVoid()), S_OK);
    ASSERT_EQ(c->get_Total(&total), S_OK);
    EXPECT_EQ(total, 0);
    EXPECT_EQ(CCounter::census.final_constructs, 2);
}

TEST_F(ClassFactoryTest, SingletonIsOneObjectForConcurrentActivations)
{
    constexpr int kThreads = 8;
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(SingletonClassFactory<CCounter>::Create(factory.Receive()), S_OK);
    IUnknown* seen[kThreads] = {};
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&factory, slot = &seen[i]] {
            CoInit com(COINIT_MULTITHREADED);
            factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(slot));
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (int i = 0; i < kThreads; ++i) {
        ASSERT_NE(seen[i], nullptr);
        EXPECT_EQ(seen[i], seen[0]);
    }
    EXPECT_EQ(CCounter::census.final_constructs, 1);
    for (IUnknown* p : seen)
        p->Release();
    EXPECT_EQ(CCounter::census.alive, 0);
}

TEST_F(ClassFactoryTest, LockServerHoldsTheModule)
{
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(ClassFactory<CCounter>::Create(factory.Receive()), S_OK);
    LONG before = Module::Current().LockCount();
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(Module::Current().LockCount(), before + 1);
    EXPECT_EQ(Module::Current().CanUnloadNow(), S_FALSE);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(Module::Current().LockCount(), before);
    EXPECT_EQ(Module::Current().CanUnloadNow(), before == 0 ? S_OK : S_FALSE);
}

TEST_F(ClassFactoryTest, StoppingServerRefusesNewObjects)
{
    ComPtr<IClassFactory> plain;
    ComPtr<IClassFactory> singleton;
    ASSERT_EQ(ClassFactory<CCounter>::Create(plain.Receive()), S_OK);
    ASSERT_EQ(SingletonClassFactory<CCounter>::Create(singleton.Receive()), S_OK);
    ASSERT_EQ(Module::Current().LockCount(), 0);
    ASSERT_TRUE(Module::Current().BeginStopping());

    for (IClassFactory* factory : {plain.Get(), singleton.Get()}) {
        ComPtr<IUnknown> object;
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, object.ReceiveVoid()), CO_E_SERVER_STOPPING);
        EXPECT_FALSE(object);
    }
    EXPECT_EQ(CCounter::census.alive, 0);
    EXPECT_EQ(Module::Current().LockCount(), 0);

    Module::Current().CancelStopping();
    ComPtr<IUnknown> object;
    EXPECT_EQ(plain->CreateInstance(nullptr, IID_IUnknown, object.ReceiveVoid()), S_OK);
}

TEST_F(ClassFactoryTest, StoppingIsRefusedWhileSomethingHoldsTheModule)
{
    ComPtr<ICounter> counter;
    ASSERT_EQ(ComObject<CCounter>::Create(nullptr, __uuidof(ICounter), counter.ReceiveVoid()), S_OK);
    EXPECT_FALSE(Module::Current().BeginStopping());
    EXPECT_FALSE(Module::Current().Stopping());
}

const CLSID kCounterClsid = {0x9e935e36, 0x008d, 0x4ecd, {0x8a, 0x41, 0x39, 0x5e, 0xfd, 0xe6, 0x86, 0x7c}};
const CLSID kOuterClsid = {0x418a121a, 0x74c2, 0x4b22, {0x97, 0xd6, 0x00, 0x20, 0x78, 0xc6, 0x0b, 0x5e}};
const CLSID kUnknownClsid = {0x3dbe4ce1, 0x8998, 0x4b5a, {0x86, 0x68, 0xa0, 0x7f, 0x2f, 0x98, 0xe6, 0x0f}};

const ClassEntry kClasses[] = {
    {&kCounterClsid, &ClassFactory<CCounter>::Create, L"Counter", nullptr, nullptr},
    {&kOuterClsid, &ClassFactory<COuter>::Create, L"Outer", nullptr, nullptr},
};

TEST_F(ClassFactoryTest, ClassObjectIsFoundByClassIdOnly)
{
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(GetClassObject(kClasses, kOuterClsid, IID_IClassFactory, factory.ReceiveVoid()), S_OK);
    ComPtr<IOuterPart> outer;
    EXPECT_EQ(factory->CreateInstance(nullptr, __uuidof(IOuterPart), outer.ReceiveVoid()), S_OK);

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(GetClassObject(kClasses, kUnknownClsid, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(GetClassObject(kClasses, kCounterClsid, __uuidof(ICounter), &none), E_NOINTERFACE);
}

}  // namespace
}  // namespace tvx::com::test
