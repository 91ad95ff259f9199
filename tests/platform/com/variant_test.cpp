#include "platform/com/variant.h"

#include <gtest/gtest.h>

#include "platform/com/com_ptr.h"

namespace tvx::com {
namespace {

TEST(Variant, ConstructorsGiveAutomationTypes)
{
    struct Case {
        Variant value;
        VARTYPE type;
    };
    const Case cases[] = {
        {Variant(), VT_EMPTY},
        {Variant(5), VT_I4},
        {Variant(5L), VT_I4},
        {Variant(short(5)), VT_I2},
        {Variant(2.5), VT_R8},
        {Variant(true), VT_BOOL},
        {Variant(L"x"), VT_BSTR},
        {Variant(Bstr(L"x")), VT_BSTR},
        {Variant::FromDate(45000.5), VT_DATE},
        {Variant(static_cast<IUnknown*>(nullptr)), VT_UNKNOWN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.Type(), c.type);
    EXPECT_EQ(V_BOOL(&Variant(true).Get()), VARIANT_TRUE);
    EXPECT_EQ(V_BOOL(&Variant(false).Get()), VARIANT_FALSE);
}

TEST(Variant, CopyIsDeepAndMoveEmptiesTheSource)
{
    Variant text(L"hello");
    Variant copy(text);
    EXPECT_NE(V_BSTR(&copy.Get()), V_BSTR(&text.Get()));
    EXPECT_STREQ(V_BSTR(&copy.Get()), L"hello");

    Variant moved(std::move(copy));
    EXPECT_EQ(copy.Type(), VT_EMPTY);
    EXPECT_STREQ(V_BSTR(&moved.Get()), L"hello");
}

TEST(Variant, ChangeTypeConvertsInPlace)
{
    Variant v(L"42");
    ASSERT_EQ(v.ChangeType(VT_I4), S_OK);
    EXPECT_EQ(V_I4(&v.Get()), 42);
    Variant bad(L"not a number");
    EXPECT_TRUE(FAILED(bad.ChangeType(VT_I4)));
}

// An object that counts its references, to see a VARIANT hold and free one.
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

TEST(Variant, HoldsAReferenceOnObjectsUntilCleared)
{
    Counted object;
    {
        Variant v(static_cast<IUnknown*>(&object));
        EXPECT_EQ(object.refs, 2u);
        Variant copy(v);
        EXPECT_EQ(object.refs, 3u);
        VARIANT out;
        ASSERT_EQ(copy.CopyTo(&out), S_OK);
        EXPECT_EQ(object.refs, 4u);
        VariantClear(&out);
        copy.Receive();
        EXPECT_EQ(object.refs, 2u);
    }
    EXPECT_EQ(object.refs, 1u);
}

}  // namespace
}  // namespace tvx::com
