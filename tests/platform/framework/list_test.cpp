#include "platform/framework/list.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/framework/ptrlist.h"
#include "platform/framework/stringlist.h"
#include "tests/platform/framework/archive_test_util.h"

namespace {

template <typename List>
std::vector<std::string> Forwards(const List& list)
{
    std::vector<std::string> items;
    for (POSITION p = list.GetHeadPosition(); p != nullptr;)
        items.emplace_back(static_cast<const char*>(list.GetNext(p)));
    return items;
}

template <typename List>
std::vector<std::string> Backwards(const List& list)
{
    std::vector<std::string> items;
    for (POSITION p = list.GetTailPosition(); p != nullptr;)
        items.emplace_back(static_cast<const char*>(list.GetPrev(p)));
    return items;
}

using Texts = std::vector<std::string>;

TEST(CStringListTest, EditingKeepsBothDirectionsLinked)
{
    CStringList list;
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail("b");
    list.AddHead("a");
    POSITION c = list.AddTail("c");
    list.InsertBefore(c, "b2");
    list.InsertAfter(c, "d");
    list.InsertBefore(nullptr, "head");
    list.InsertAfter(nullptr, "tail");
    EXPECT_EQ(Forwards(list), (Texts{"head", "a", "b", "b2", "c", "d", "tail"}));
    EXPECT_EQ(Backwards(list), (Texts{"tail", "d", "c", "b2", "b", "a", "head"}));
    EXPECT_EQ(list.GetCount(), 7);

    EXPECT_EQ(list.RemoveHead(), "head");
    EXPECT_EQ(list.RemoveTail(), "tail");
    list.RemoveAt(list.Find("b2"));
    list.SetAt(list.FindIndex(0), "A");
    EXPECT_EQ(Forwards(list), (Texts{"A", "b", "c", "d"}));
    EXPECT_EQ(Backwards(list), (Texts{"d", "c", "b", "A"}));
    EXPECT_EQ(list.GetHead(), "A");
    EXPECT_EQ(list.GetTail(), "d");

    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    EXPECT_EQ(Forwards(list), (Texts{"b", "c"}));
    EXPECT_EQ(Backwards(list), (Texts{"c", "b"}));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    EXPECT_THROW(list.GetHead(), std::invalid_argument);
    EXPECT_THROW(list.RemoveTail(), std::invalid_argument);
}

TEST(CStringListTest, FindComparesTextsAndStartsAfterTheGivenPosition)
{
    CStringList list;
    for (const char* text : {"x", "y", "x", "z"})
        list.AddTail(text);
    const POSITION first = list.Find("x");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, list.FindIndex(0));
    const POSITION second = list.Find("x", first);
    EXPECT_EQ(second, list.FindIndex(2));
    EXPECT_EQ(list.Find("x", second), nullptr);
    EXPECT_EQ(list.Find("X"), nullptr) << "the comparison is exact";
    EXPECT_EQ(list.Find(CString("z")), list.FindIndex(3));
    EXPECT_EQ(list.FindIndex(4), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST(CStringListTest, AddingAListToItselfDoublesIt)
{
    CStringList list;
    list.AddTail("1");
    list.AddTail("2");
    list.AddTail(&list);
    EXPECT_EQ(Forwards(list), (Texts{"1", "2", "1", "2"}));
    list.AddHead(&list);
    EXPECT_EQ(list.GetCount(), 8);
    EXPECT_EQ(Forwards(list), (Texts{"1", "2", "1", "2", "1", "2", "1", "2"}));
}

TEST(CStringListTest, SerializeIsCountThenStringsAndLoadingAppends)
{
    CStringList list;
    list.AddTail("ab");
    list.AddTail("");
    list.AddTail(CString("n\0l", 3));
    const Bytes bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ(bytes, Concat({Le16(3), Bytes{2}, Text("ab"), Bytes{0}, Bytes{3, 'n', 0, 'l'}}));

    CStringList loaded;
    loaded.AddTail("kept");
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(loaded.GetCount(), 4);
    EXPECT_EQ(loaded.GetHead(), "kept");
    EXPECT_EQ(loaded.GetTail().GetLength(), 3) << "a null character inside a text survives";

    // Through the object form too, as part of a larger record.
    const Bytes asObject = StoreBytes([&](CArchive& ar) { ar << &list; });
    CObject* read = nullptr;
    LoadBytes(asObject, [&](CArchive& ar) { ar >> read; });
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->IsKindOf(RUNTIME_CLASS(CStringList)));
    EXPECT_EQ(static_cast<CStringList*>(read)->GetCount(), 3);
    delete read;
}

TEST(CStringListTest, DamagedStreamLeavesTheListAsItWas)
{
    CStringList list;
    list.AddTail("one");
    const Bytes damaged[] = {
        Bytes{},                                            // no count
        Concat({Le16(2), Bytes{1}, Text("a")}),              // second string missing
        Concat({Le16(0xFFFF), Le32(0x7FFFFFFF), Bytes{0}}),  // huge count, one string
        Concat({Le16(1), Bytes{5}, Text("ab")}),             // string cut short
    };
    for (const Bytes& bytes : damaged) {
        EXPECT_THROW(LoadBytes(bytes, [&](CArchive& ar) { list.Serialize(ar); }), CArchiveException);
        EXPECT_EQ(Forwards(list), (Texts{"one"}));
    }
}

TEST(CListTest, HoldsValuesAndStoresThemAsRawLittleEndianElements)
{
    CList<DWORD, DWORD> list;
    list.AddTail(0x01020304u);
    list.AddHead(7u);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_NE(list.Find(7u), nullptr);
    EXPECT_EQ(list.Find(8u), nullptr);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ(bytes, Concat({Le16(2), Le32(7), Le32(0x01020304u)}));

    CList<DWORD, DWORD> loaded;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(loaded.GetCount(), 2);
    EXPECT_EQ(loaded.GetHead(), 7u);
    EXPECT_EQ(loaded.GetTail(), 0x01020304u);
}

TEST(CPtrListTest, HoldsPointersItDoesNotOwnAndRefusesToBeStored)
{
    int a = 1;
    int b = 2;
    CPtrList list;
    list.AddTail(&a);
    list.AddTail(&b);
    list.AddTail(&a);
    EXPECT_EQ(list.Find(&b), list.FindIndex(1));
    list.RemoveAt(list.Find(&a));
    EXPECT_EQ(list.GetHead(), &b);
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_THROW(StoreBytes([&](CArchive& ar) { list.Serialize(ar); }), CArchiveException);
}

}  // namespace
