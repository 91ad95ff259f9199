#include "platform/framework/array.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/platform/framework/archive_test_util.h"

namespace {

TEST(CArrayTest, EditingKeepsOrder)
{
    CArray<int, int> array;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(i, array.Add(i * 10));
    array.InsertAt(2, 15, 2);
    array.RemoveAt(0);
    ASSERT_EQ(6, array.GetSize());
    const int expected[] = {10, 15, 15, 20, 30, 40};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(expected[i], array[i]);
    array.SetAtGrow(8, 80);
    EXPECT_EQ(9, array.GetSize());
    EXPECT_EQ(0, array.GetAt(7));
    array.ElementAt(7) = 70;
    EXPECT_EQ(70, array.GetData()[7]);
    EXPECT_THROW(array.SetAt(9, 1), std::out_of_range);
    array.SetSize(2);
    EXPECT_EQ(1, array.GetUpperBound());
    CArray<int, int> other;
    other.Copy(array);
    EXPECT_EQ(2, other.Append(array));
    EXPECT_EQ(4, other.GetCount());
    other.RemoveAll();
    EXPECT_TRUE(other.IsEmpty());
}

TEST(CArrayTest, DateArrayStoresRawTwelveByteDates)
{
    CArray<COleDateTime, const COleDateTime&> holidays;
    holidays.Add(COleDateTime(1900, 1, 1, 12, 0, 0));  // 2.5
    COleDateTime null_date(2.0);
    null_date.SetStatus(COleDateTime::null);
    holidays.Add(null_date);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { holidays.Serialize(ar); });
    EXPECT_EQ(Concat({{0x02, 0x00},
                      {0, 0, 0, 0, 0, 0, 0x04, 0x40}, Le32(0),
                      {0, 0, 0, 0, 0, 0, 0x00, 0x40}, Le32(2)}),
              bytes);

    CArray<COleDateTime, const COleDateTime&> loaded;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(2, loaded.GetSize());
    EXPECT_EQ(holidays[0], loaded[0]);
    EXPECT_EQ(COleDateTime::null, loaded[1].GetStatus());
    EXPECT_EQ(2.0, loaded[1].m_dt);
}

TEST(CArrayTest, DwordArrayOfFiveIsTwentyTwoBytes)
{
    CArray<DWORD, DWORD> point;
    for (DWORD value : {7u, 9u, 0u, 0u, 0u})
        point.Add(value);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { point.Serialize(ar); });
    EXPECT_EQ(Concat({{0x05, 0x00}, Le32(7), Le32(9), Le32(0), Le32(0), Le32(0)}), bytes);
}

TEST(CArrayTest, StringElementsUseTheStringEncoding)
{
    CArray<CString, const CString&> array;
    array.Add(CString("ab"));
    const Bytes bytes = StoreBytes([&](CArchive& ar) { array.Serialize(ar); });
    EXPECT_EQ((Bytes{0x01, 0x00, 0x02, 'a', 'b'}), bytes);
}

TEST(CArrayTest, FailedLoadLeavesTheArrayAsItWas)
{
    CArray<COleDateTime, const COleDateTime&> array;
    array.Add(COleDateTime(2024, 1, 1, 0, 0, 0));
    const Bytes truncated = Concat({{0x02, 0x00}, Bytes(12, 0), Bytes(5, 0)});
    EXPECT_THROW(LoadBytes(truncated, [&](CArchive& ar) { array.Serialize(ar); }), CArchiveException);
    ASSERT_EQ(1, array.GetSize());
    EXPECT_EQ(COleDateTime(2024, 1, 1, 0, 0, 0), array[0]);
}

}  // namespace
