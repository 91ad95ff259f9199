#include "platform/framework/oblist.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/framework/archive.h"
#include "tests/platform/framework/archive_test_util.h"
#include "tests/platform/framework/test_item.h"

namespace {

std::vector<LONG> Ids(const CObList& list)
{
    std::vector<LONG> ids;
    for (POSITION p = list.GetHeadPosition(); p != nullptr;) {
        const CObject* object = list.GetNext(p);
        ids.push_back(object != nullptr ? static_cast<const CTestItem*>(object)->m_id : -1);
    }
    return ids;
}

std::vector<LONG> IdsBackwards(const CObList& list)
{
    std::vector<LONG> ids;
    for (POSITION p = list.GetTailPosition(); p != nullptr;)
        ids.push_back(static_cast<const CTestItem*>(list.GetPrev(p))->m_id);
    return ids;
}

void DeleteAll(CObList& list)
{
    for (POSITION p = list.GetHeadPosition(); p != nullptr;)
        delete list.GetNext(p);
    list.RemoveAll();
}

TEST(CObListTest, InsertionAndRemovalKeepBothDirectionsLinked)
{
    CTestItem a(1), b(2), c(3), d(4), e(5);
    CObList list;
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail(&b);
    list.AddHead(&a);
    POSITION pos_d = list.AddTail(&d);
    list.InsertBefore(pos_d, &c);
    list.InsertAfter(pos_d, &e);
    EXPECT_EQ((std::vector<LONG>{1, 2, 3, 4, 5}), Ids(list));
    EXPECT_EQ((std::vector<LONG>{5, 4, 3, 2, 1}), IdsBackwards(list));
    EXPECT_EQ(5, list.GetCount());
    EXPECT_EQ(&a, list.GetHead());
    EXPECT_EQ(&e, list.GetTail());

    list.RemoveAt(list.Find(&c));
    EXPECT_EQ(&a, list.RemoveHead());
    EXPECT_EQ(&e, list.RemoveTail());
    EXPECT_EQ((std::vector<LONG>{2, 4}), Ids(list));
    EXPECT_EQ((std::vector<LONG>{4, 2}), IdsBackwards(list));
    EXPECT_EQ(nullptr, list.Find(&a));
    EXPECT_EQ(&d, list.GetAt(list.FindIndex(1)));
    EXPECT_EQ(nullptr, list.FindIndex(2));
    list.SetAt(list.GetHeadPosition(), &c);
    EXPECT_EQ((std::vector<LONG>{3, 4}), Ids(list));

    CObList other;
    other.AddTail(&list);
    other.AddHead(&list);
    EXPECT_EQ((std::vector<LONG>{3, 4, 3, 4}), Ids(other));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.GetHeadPosition());
    EXPECT_THROW(list.GetHead(), std::invalid_argument);
}

TEST(CObListTest, FindStartsAfterTheGivenPosition)
{
    CTestItem a(1), b(2);
    CObList list;
    POSITION first = list.AddTail(&a);
    list.AddTail(&b);
    POSITION second = list.AddTail(&a);
    EXPECT_EQ(first, list.Find(&a));
    EXPECT_EQ(second, list.Find(&a, first));
    EXPECT_EQ(nullptr, list.Find(&a, second));
}

TEST(CObListTest, SerializeRoundTripAppendsAndKeepsNullEntries)
{
    CTestItem a(10), b(20);
    CObList list;
    list.AddTail(&a);
    list.AddTail(static_cast<CObject*>(nullptr));
    list.AddTail(&b);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ(Concat({{0x03, 0x00},
                      {0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}, Text("CTestItem"), Le32(10),
                      {0x00, 0x00},
                      {0x01, 0x80}, Le32(20)}),
              bytes);

    CTestItem existing(1);
    CObList loaded;
    loaded.AddTail(&existing);
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ((std::vector<LONG>{1, 10, -1, 20}), Ids(loaded));
    loaded.RemoveHead();
    DeleteAll(loaded);
}

TEST(CObListTest, LoadRejectsAnObjectNamedTwiceAndLeavesTheListAsItWas)
{
    // Count 2: a new object, then a reference to it; deleting every element
    // of such a list would delete that object twice.
    const Bytes bytes = Concat({{0x02, 0x00},
                                {0xFF, 0xFF, 0x01, 0x00, 0x09, 0x00}, Text("CTestItem"), Le32(10),
                                {0x02, 0x00}});
    const int live_before = CTestItem::Live();
    CTestItem existing(1);
    CObList list;
    list.AddTail(&existing);
    try {
        LoadBytes(bytes, [&](CArchive& ar) { list.Serialize(ar); });
        FAIL() << "a list naming one object twice was loaded";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(CArchiveException::badIndex, e.m_cause);
    }
    EXPECT_EQ((std::vector<LONG>{1}), Ids(list));
    EXPECT_EQ(live_before + 1, CTestItem::Live());
}

TEST(CObListTest, TruncatedLoadDeletesWhatWasReadAndLeavesTheListAsItWas)
{
    CTestItem a(10), b(20);
    CObList list;
    list.AddTail(&a);
    list.AddTail(&b);
    Bytes bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
    bytes.resize(bytes.size() - 1);
    const int live_before = CTestItem::Live();
    CObList loaded;
    EXPECT_THROW(LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }), CArchiveException);
    EXPECT_TRUE(loaded.IsEmpty());
    EXPECT_EQ(live_before, CTestItem::Live());
}

}  // namespace
