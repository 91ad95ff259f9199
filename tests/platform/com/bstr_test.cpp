#include "platform/com/bstr.h"

#include <gtest/gtest.h>

namespace tvx::com {
namespace {

TEST(Bstr, NullAndEmptyTextReadAsEmpty)
{
    Bstr none;
    Bstr empty(L"");
    EXPECT_EQ(none.Get(), nullptr);
    EXPECT_STREQ(none.c_str(), L"");
    EXPECT_EQ(none.Length(), 0u);
    EXPECT_TRUE(none.Empty());
    EXPECT_NE(empty.Get(), nullptr);
    EXPECT_TRUE(empty.Empty());
    EXPECT_EQ(none, empty);
}

TEST(Bstr, CopiesAreIndependentAndKeepEmbeddedNulls)
{
    const wchar_t raw[] = {L'a', L'\0', L'b'};
    Bstr original(raw, 3);
    Bstr copy(original);
    ASSERT_NE(copy.Get(), original.Get());
    EXPECT_EQ(copy.Length(), 3u);
    EXPECT_EQ(copy.ToString(), std::wstring(raw, 3));
    copy.Get()[0] = L'z';
    EXPECT_EQ(original.c_str()[0], L'a');
    EXPECT_NE(copy, original);
}

TEST(Bstr, MoveHandsOverTheStringWithoutCopy)
{
    Bstr a(L"text");
    BSTR raw = a.Get();
    Bstr b(std::move(a));
    EXPECT_EQ(b.Get(), raw);
    EXPECT_EQ(a.Get(), nullptr);
    Bstr c;
    c = std::move(b);
    EXPECT_EQ(c.Get(), raw);
}

TEST(Bstr, ReceiveFreesOldTextAndCopyToGivesCallerOwnCopy)
{
    Bstr text(L"old");
    BSTR* slot = text.Receive();
    EXPECT_EQ(*slot, nullptr);
    *slot = SysAllocString(L"new");
    EXPECT_STREQ(text.c_str(), L"new");

    BSTR out = nullptr;
    ASSERT_EQ(text.CopyTo(&out), S_OK);
    EXPECT_NE(out, text.Get());
    EXPECT_STREQ(out, L"new");
    SysFreeString(out);
    EXPECT_EQ(text.CopyTo(nullptr), E_POINTER);

    BSTR detached = text.Detach();
    EXPECT_EQ(text.Get(), nullptr);
    text.Attach(detached);
    EXPECT_EQ(text.Get(), detached);
}

}  // namespace
}  // namespace tvx::com
