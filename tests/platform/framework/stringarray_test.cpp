#include "platform/framework/stringarray.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/framework/archive.h"
#include "tests/platform/framework/archive_test_util.h"

namespace {

std::vector<std::string> Contents(const CStringArray& array)
{
    std::vector<std::string> out;
    for (int i = 0; i < array.GetSize(); ++i)
        out.emplace_back(static_cast<const char*>(array[i]));
    return out;
}

TEST(CStringArrayTest, EditingKeepsOrder)
{
    CStringArray array;
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(0, array.Add("a"));
    EXPECT_EQ(1, array.Add(CString("c")));
    array.InsertAt(1, "b");
    array.InsertAt(5, "f");  // grows with empty strings
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "", "", "f"}), Contents(array));
    array.RemoveAt(3, 2);
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "f"}), Contents(array));
    array.SetAt(3, "d");
    array.SetAtGrow(5, "z");
    EXPECT_EQ((std::vector<std::string>{"a", "b", "c", "d", "", "z"}), Contents(array));
    EXPECT_EQ(5, array.GetUpperBound());
    array.RemoveAt(4, 100);
    EXPECT_EQ(4, array.GetCount());
    array[0] = "A";
    EXPECT_EQ(CString("A"), array.GetAt(0));
    EXPECT_THROW(array.GetAt(4), std::out_of_range);
    EXPECT_THROW(array.GetAt(-1), std::out_of_range);

    CStringArray copy;
    copy.Copy(array);
    EXPECT_EQ(4, copy.Append(array));
    EXPECT_EQ(8, copy.GetSize());
    copy.RemoveAll();
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(CStringArrayTest, SerializeIsCountThenStrings)
{
    CStringArray array;
    array.Add("ab");
    array.Add("");
    array.Add(CString('x', 255));
    const Bytes bytes = StoreBytes([&](CArchive& ar) { array.Serialize(ar); });
    EXPECT_EQ(Concat({{0x03, 0x00}, {0x02, 'a', 'b'}, {0x00}, {0xFF, 0xFF, 0x00}, Bytes(255, 'x')}), bytes);

    CStringArray loaded;
    loaded.Add("replaced");
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(Contents(array), Contents(loaded));
}

TEST(CStringArrayTest, EmptyArrayIsTheTwoByteCountZero)
{
    CStringArray array;
    EXPECT_EQ((Bytes{0x00, 0x00}), StoreBytes([&](CArchive& ar) { array.Serialize(ar); }));
}

TEST(CStringArrayTest, FailedLoadLeavesTheArrayAsItWas)
{
    CStringArray array;
    array.Add("kept");
    const Bytes truncated = {0x02, 0x00, 0x01, 'a', 0x05, 'b'};
    EXPECT_THROW(LoadBytes(truncated, [&](CArchive& ar) { array.Serialize(ar); }), CArchiveException);
    EXPECT_EQ((std::vector<std::string>{"kept"}), Contents(array));
}

}  // namespace
