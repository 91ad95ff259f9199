#include "platform/com/com_ptr.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/com/co_init.h"
#include "platform/com/critical_section.h"
#include "platform/com/handle.h"

namespace tvx::com {
namespace {

class Counted : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
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
};

TEST(ComPtr, EveryOwnerHoldsExactlyOneReference)
{
    Counted object;
    {
        ComPtr<IUnknown> a(&object);
        EXPECT_EQ(object.refs, 2u);
        ComPtr<IUnknown> b = a;
        EXPECT_EQ(object.refs, 3u);
        ComPtr<IUnknown> c = std::move(b);
        EXPECT_EQ(object.refs, 3u);
        EXPECT_FALSE(b);
        c = nullptr;
        EXPECT_EQ(object.refs, 2u);
        a = a;  // self-assignment keeps the reference
        EXPECT_EQ(object.refs, 2u);
    }
    EXPECT_EQ(object.refs, 1u);
}

TEST(ComPtr, AttachAdoptsAndDetachHandsOver)
{
    Counted object;
    object.AddRef();  // the reference Attach adopts
    ComPtr<IUnknown> p;
    p.Attach(&object);
    EXPECT_EQ(object.refs, 2u);
    IUnknown* raw = p.Detach();
    EXPECT_EQ(raw, &object);
    EXPECT_EQ(object.refs, 2u);
    raw->Release();

    ComPtr<IUnknown> q(&object);
    IUnknown** slot = q.Receive();  // out parameter: old reference dropped
    EXPECT_EQ(*slot, nullptr);
    EXPECT_EQ(object.refs, 1u);
}

TEST(ComPtr, QueryingAMissingInterfaceLeavesItEmpty)
{
    Counted object;
    ComPtr<IUnknown> p(&object);
    ComPtr<IDispatch> d;
    EXPECT_EQ(p.As(d), E_NOINTERFACE);
    EXPECT_FALSE(d);
    ComPtr<IUnknown> same;
    EXPECT_EQ(p.As(same), S_OK);
    EXPECT_EQ(same.Get(), &object);
    EXPECT_TRUE(SameObject(p.Get(), same.Get()));
    EXPECT_EQ(object.refs, 3u);
}

TEST(Handle, ClosesItsHandleAndTreatsInvalidValueAsNone)
{
    HANDLE raw = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    HANDLE duplicate = nullptr;
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), raw, GetCurrentProcess(), &duplicate, 0, FALSE,
                                DUPLICATE_SAME_ACCESS));
    {
        Handle owner(duplicate);
        EXPECT_TRUE(owner.Valid());
        Handle moved(std::move(owner));
        EXPECT_FALSE(owner.Valid());
    }
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(duplicate, &flags));  // closed once
    CloseHandle(raw);

    Handle invalid(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(invalid.Valid());
}

TEST(CoInit, LeavesOnlyAnApartmentItJoined)
{
    CoInit mta(COINIT_MULTITHREADED);
    ASSERT_TRUE(mta.Succeeded());
    {
        CoInit sta(COINIT_APARTMENTTHREADED);  // refused: the thread is in the MTA
        EXPECT_EQ(sta.Result(), RPC_E_CHANGED_MODE);
    }
    // Still in the MTA: a nested join reports S_FALSE.
    CoInit again(COINIT_MULTITHREADED);
    EXPECT_EQ(again.Result(), S_FALSE);
}

TEST(ScopedLock, ExcludesOtherThreadsUntilTheScopeEnds)
{
    CriticalSection cs;
    std::atomic<bool> entered{false};
    std::thread other;
    {
        ScopedLock hold(cs);
        other = std::thread([&] {
            ScopedLock inner(cs);
            entered = true;
        });
        Sleep(100);
        EXPECT_FALSE(entered);
    }
    other.join();
    EXPECT_TRUE(entered);
}

}  // namespace
}  // namespace tvx::com
