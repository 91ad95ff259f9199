#include "platform/com/enum_variant.h"

#include <gtest/gtest.h>

#include "platform/com/co_init.h"
#include "platform/com/com_ptr.h"

namespace tvx::com {
namespace {

class EnumVariantTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<Variant> items = {Variant(1L), Variant(L"two"), Variant(3L)};
        ASSERT_EQ(CreateEnumVariant(items, e_.Receive()), S_OK);
        items[1] = Variant(L"changed later");  // the enumerator holds its own copy
    }

    // Next(count) as "values fetched" and the result.
    std::pair<HRESULT, std::vector<std::wstring>> Next(IEnumVARIANT* e, ULONG count)
    {
        std::vector<VARIANT> out(count);
        ULONG fetched = 0;
        HRESULT hr = e->Next(count, out.data(), &fetched);
        std::vector<std::wstring> texts;
        for (ULONG i = 0; i < fetched; ++i) {
            Variant v(out[i]);
            VariantClear(&out[i]);
            EXPECT_EQ(v.ChangeType(VT_BSTR), S_OK);
            texts.push_back(V_BSTR(&v.Get()));
        }
        return {hr, texts};
    }

    using Texts = std::vector<std::wstring>;
    CoInit com_{COINIT_MULTITHREADED};
    ComPtr<IEnumVARIANT> e_;
};

TEST_F(EnumVariantTest, NextSkipAndResetWalkTheSnapshot)
{
    struct Step {
        char op;  // 'n' Next, 's' Skip, 'r' Reset
        ULONG count;
        HRESULT result;
        Texts fetched;
    };
    const Step steps[] = {
        {'n', 2, S_OK, {L"1", L"two"}},
        {'n', 2, S_FALSE, {L"3"}},
        {'n', 1, S_FALSE, {}},
        {'r', 0, S_OK, {}},
        {'s', 2, S_OK, {}},
        {'n', 1, S_OK, {L"3"}},
        {'s', 1, S_FALSE, {}},
        {'r', 0, S_OK, {}},
        {'s', 5, S_FALSE, {}},
        {'n', 1, S_FALSE, {}},
        {'r', 0, S_OK, {}},
        {'n', 0, S_OK, {}},
        {'n', 3, S_OK, {L"1", L"two", L"3"}},
    };
    int i = 0;
    for (const Step& step : steps) {
        if (step.op == 'n') {
            auto [hr, texts] = Next(e_.Get(), step.count);
            EXPECT_EQ(hr, step.result) << "step " << i;
            EXPECT_EQ(texts, step.fetched) << "step " << i;
        } else if (step.op == 's') {
            EXPECT_EQ(e_->Skip(step.count), step.result) << "step " << i;
        } else {
            EXPECT_EQ(e_->Reset(), S_OK) << "step " << i;
        }
        ++i;
    }
}

TEST_F(EnumVariantTest, CloneStartsAtTheSamePlaceAndMovesOnItsOwn)
{
    ASSERT_EQ(e_->Skip(1), S_OK);
    ComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(e_->Clone(clone.Receive()), S_OK);
    EXPECT_EQ(Next(clone.Get(), 2).second, (Texts{L"two", L"3"}));
    EXPECT_EQ(Next(e_.Get(), 1).second, (Texts{L"two"}));
    e_.Reset();  // the clone keeps the shared items alive
    ASSERT_EQ(clone->Reset(), S_OK);
    EXPECT_EQ(Next(clone.Get(), 3).second, (Texts{L"1", L"two", L"3"}));
}

TEST_F(EnumVariantTest, CallerOwnsWhatNextHandsOut)
{
    VARIANT first;
    ASSERT_EQ(e_->Next(1, &first, nullptr), S_OK);
    VariantClear(&first);
    ASSERT_EQ(e_->Reset(), S_OK);
    EXPECT_EQ(Next(e_.Get(), 2).second, (Texts{L"1", L"two"}));
}

TEST_F(EnumVariantTest, MoreThanOneItemNeedsAFetchedCount)
{
    VARIANT out[2];
    EXPECT_EQ(e_->Next(2, out, nullptr), E_POINTER);
    EXPECT_EQ(e_->Next(1, nullptr, nullptr), E_POINTER);
    EXPECT_EQ(Next(e_.Get(), 1).second, (Texts{L"1"}));  // nothing was consumed
}

TEST(EnumVariant, EmptySnapshotEndsAtOnce)
{
    CoInit com(COINIT_MULTITHREADED);
    ComPtr<IEnumVARIANT> e;
    ASSERT_EQ(CreateEnumVariant(nullptr, 0, e.Receive()), S_OK);
    VARIANT out;
    ULONG fetched = 7;
    EXPECT_EQ(e->Next(1, &out, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
    EXPECT_EQ(CreateEnumVariant(nullptr, 2, e.Receive()), E_POINTER);
}

}  // namespace
}  // namespace tvx::com
