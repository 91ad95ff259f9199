#include "platform/framework/map.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/framework/archive.h"
#include "tests/platform/framework/archive_test_util.h"

namespace {

using UsageMap = CMap<UINT, UINT, UINT, UINT>;
using NameMap = CMap<CString, const char*, int, int>;

template <typename Map, typename Key, typename Value>
std::map<Key, Value> Entries(const Map& map)
{
    std::map<Key, Value> entries;
    for (POSITION p = map.GetStartPosition(); p != nullptr;) {
        Key key{};
        Value value{};
        map.GetNextAssoc(p, key, value);
        EXPECT_TRUE(entries.emplace(key, value).second) << "an entry was visited twice";
    }
    return entries;
}

std::map<std::string, int> NameEntries(const NameMap& map)
{
    std::map<std::string, int> entries;
    for (POSITION p = map.GetStartPosition(); p != nullptr;) {
        CString key;
        int value = 0;
        map.GetNextAssoc(p, key, value);
        entries.emplace(static_cast<const char*>(key), value);
    }
    return entries;
}

TEST(CMapTest, SetsLooksUpAndRemovesEntries)
{
    UsageMap map;
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    map.SetAt(32771, 5);
    map[32772] = 1;
    map[32771] += 2;
    UINT value = 0;
    EXPECT_TRUE(map.Lookup(32771, value));
    EXPECT_EQ(value, 7u);
    EXPECT_FALSE(map.Lookup(1, value));
    EXPECT_EQ(value, 7u) << "a failed look-up leaves the value alone";
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(map.RemoveKey(32772));
    EXPECT_FALSE(map.RemoveKey(32772));
    EXPECT_EQ(map.GetCount(), 1);
    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_FALSE(map.Lookup(32771, value));
}

TEST(CMapTest, IterationVisitsEveryEntryOnceAcrossManyBuckets)
{
    UsageMap map;
    map.InitHashTable(7);
    EXPECT_EQ(map.GetHashTableSize(), 7u);
    std::map<UINT, UINT> expected;
    for (UINT key = 0; key < 200; key += 3) {
        map[key] = key * 10;
        expected[key] = key * 10;
    }
    map.InitHashTable(101);
    EXPECT_EQ(map.GetHashTableSize(), 7u) << "the table is only sized while empty";
    EXPECT_EQ((Entries<UsageMap, UINT, UINT>(map)), expected);
    for (UINT key = 0; key < 200; key += 6) {
        EXPECT_TRUE(map.RemoveKey(key));
        expected.erase(key);
    }
    EXPECT_EQ((Entries<UsageMap, UINT, UINT>(map)), expected);
    EXPECT_EQ(map.GetCount(), static_cast<int>(expected.size()));
}

TEST(CMapTest, TextKeysMatchExactly)
{
    NameMap views;
    views["Tasks"] = 1;
    views.SetAt("Log", 2);
    int id = 0;
    EXPECT_TRUE(views.Lookup("Tasks", id));
    EXPECT_EQ(id, 1);
    EXPECT_FALSE(views.Lookup("tasks", id));
    EXPECT_TRUE(views.Lookup(CString("Log"), id));
    EXPECT_EQ(id, 2);
    EXPECT_EQ(NameEntries(views), (std::map<std::string, int>{{"Tasks", 1}, {"Log", 2}}));
}

// The command usage record: a 16-bit count, then per entry the 32-bit key
// and the 32-bit count, in the map's order.
TEST(CMapTest, SerializeIsCountThenKeyAndValuePairs)
{
    UsageMap usage;
    usage[100] = 3;
    const Bytes one = StoreBytes([&](CArchive& ar) { usage.Serialize(ar); });
    EXPECT_EQ(one, Concat({Le16(1), Le32(100), Le32(3)}));

    for (UINT key = 1; key <= 40; ++key)
        usage[key] = key + 1000;
    const Bytes bytes = StoreBytes([&](CArchive& ar) { usage.Serialize(ar); });
    ASSERT_EQ(bytes.size(), 2u + 41u * 8u);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 2), Le16(41));

    UsageMap loaded;
    loaded[100] = 99;
    loaded[5000] = 1;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    auto expected = Entries<UsageMap, UINT, UINT>(usage);
    expected[5000] = 1;
    EXPECT_EQ((Entries<UsageMap, UINT, UINT>(loaded)), expected) << "loading sets each pair into the map";

    NameMap names;
    names["a"] = -1;
    const Bytes named = StoreBytes([&](CArchive& ar) { names.Serialize(ar); });
    EXPECT_EQ(named, Concat({Le16(1), Bytes{1}, Text("a"), Le32(0xFFFFFFFFu)}));
}

TEST(CMapTest, DamagedStreamLeavesTheMapAsItWas)
{
    UsageMap map;
    map[1] = 2;
    const Bytes damaged[] = {
        Bytes{1},
        Concat({Le16(2), Le32(5), Le32(6), Le32(7)}),
        Concat({Le16(0xFFFF), Le32(0x10000000), Le32(1), Le32(1)}),
    };
    for (const Bytes& bytes : damaged) {
        EXPECT_THROW(LoadBytes(bytes, [&](CArchive& ar) { map.Serialize(ar); }), CArchiveException);
        EXPECT_EQ((Entries<UsageMap, UINT, UINT>(map)), (std::map<UINT, UINT>{{1, 2}}));
    }
}

}  // namespace
