#include "platform/framework/obarray.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/numeric_arrays.h"
#include "tests/platform/framework/archive_test_util.h"
#include "tests/platform/framework/test_item.h"

namespace {

std::vector<LONG> Ids(const CObArray& array)
{
    std::vector<LONG> ids;
    for (int i = 0; i < array.GetSize(); ++i)
        ids.push_back(array[i] ? static_cast<const CTestItem*>(array[i])->m_id : -1);
    return ids;
}

void DeleteAll(CObArray& array)
{
    for (int i = 0; i < array.GetSize(); ++i)
        delete array[i];
    array.RemoveAll();
}

TEST(CObArrayTest, HoldsObjectsItDoesNotOwn)
{
    CTestItem a(1), b(2), c(3);
    {
        CObArray array;
        array.Add(&a);
        array.Add(&c);
        array.InsertAt(1, &b);
        array.SetAtGrow(4, &a);
        EXPECT_EQ(Ids(array), (std::vector<LONG>{1, 2, 3, -1, 1}));
        array.RemoveAt(3);
        EXPECT_EQ(Ids(array), (std::vector<LONG>{1, 2, 3, 1}));
    }
    EXPECT_EQ(CTestItem::Live(), 3) << "the array deleted an element";
}

TEST(CObArrayTest, SerializeRoundTripReplacesTheContent)
{
    const int live = CTestItem::Live();
    CTestItem a(10), b(20);
    CObArray array;
    array.Add(&a);
    array.Add(nullptr);
    array.Add(&b);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { array.Serialize(ar); });
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 2), Le16(3));

    CObArray loaded;
    loaded.Add(&a);
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(Ids(loaded), (std::vector<LONG>{10, -1, 20}));
    EXPECT_NE(loaded[0], &a);
    DeleteAll(loaded);
    EXPECT_EQ(CTestItem::Live(), live + 2);
}

TEST(CObArrayTest, FailedLoadDeletesWhatWasReadAndLeavesTheArrayAsItWas)
{
    const int live = CTestItem::Live();
    CTestItem a(1), b(2);
    CObArray twice;
    twice.Add(&a);
    twice.Add(&a);
    const Bytes named_twice = StoreBytes([&](CArchive& ar) { twice.Serialize(ar); });
    CObArray two;
    two.Add(&a);
    two.Add(&b);
    Bytes cut = StoreBytes([&](CArchive& ar) { two.Serialize(ar); });
    cut.resize(cut.size() - 1);

    for (const Bytes& bytes : {named_twice, cut}) {
        CObArray array;
        array.Add(&b);
        EXPECT_THROW(LoadBytes(bytes, [&](CArchive& ar) { array.Serialize(ar); }), CArchiveException);
        EXPECT_EQ(Ids(array), (std::vector<LONG>{2}));
        EXPECT_EQ(CTestItem::Live(), live + 2) << "objects read before the failure leaked";
    }
}

TEST(NumericArraysTest, StoreTheCountThenLittleEndianValues)
{
    CByteArray bytes;
    bytes.Add(1);
    bytes.Add(0xFF);
    CWordArray words;
    words.Add(0x0102);
    CDWordArray dwords;
    // A stored point: x, y and three zeros.
    for (DWORD value : {DWORD(10), DWORD(0xFFFFFFF6), DWORD(0), DWORD(0), DWORD(0)})
        dwords.Add(value);

    EXPECT_EQ(StoreBytes([&](CArchive& ar) { bytes.Serialize(ar); }), Concat({Le16(2), Bytes{1, 0xFF}}));
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { words.Serialize(ar); }), Concat({Le16(1), Le16(0x0102)}));
    const Bytes stored = StoreBytes([&](CArchive& ar) { dwords.Serialize(ar); });
    EXPECT_EQ(stored, Concat({Le16(5), Le32(10), Le32(0xFFFFFFF6), Le32(0), Le32(0), Le32(0)}));

    CDWordArray loaded;
    loaded.Add(99);
    LoadBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(loaded.GetSize(), 5);
    EXPECT_EQ(static_cast<LONG>(loaded[1]), -10);

    CWordArray cut;
    cut.Add(7);
    const Bytes second_word_cut = Concat({Le16(2), Le16(1), Bytes{0}});
    EXPECT_THROW(LoadBytes(second_word_cut, [&](CArchive& ar) { cut.Serialize(ar); }), CArchiveException);
    ASSERT_EQ(cut.GetSize(), 1);
    EXPECT_EQ(cut[0], 7);

    // Each is a class of its own in stored object graphs.
    EXPECT_STREQ(dwords.GetRuntimeClass()->m_lpszClassName, "CDWordArray");
    EXPECT_STREQ(words.GetRuntimeClass()->m_lpszClassName, "CWordArray");
    EXPECT_STREQ(bytes.GetRuntimeClass()->m_lpszClassName, "CByteArray");
}

}  // namespace
