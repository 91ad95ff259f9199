// Values the toolkit stores as archive images: their bytes, their reading
// back, and damaged images refused.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it uses.
#include <psapi.h>

#include <functional>
#include <memory>
#include <string>

#include "registry_fixture.h"
#include "toolkit/foundation/registry.h"
#include "toolkit/foundation/registry_holder.h"

namespace {

using WtkRegistryImages = RegistryTest;

Bytes RecordBody(LONG number, const std::string& name)
{
    return Concat({Le32(static_cast<DWORD>(number)), Bytes{static_cast<BYTE>(name.size())}, Text(name)});
}

// "CTestRecord" introduced with its schema, as WriteObject writes a class
// the first time.
Bytes RecordClassTag()
{
    return Concat({Le16(0xFFFF), Le16(1), Le16(11), Text("CTestRecord")});
}

TEST_F(WtkRegistryImages, EachFormWritesItsPinnedBytes)
{
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(Path().c_str()));

    CTestRecord record(7, "ab");
    const RECT rect = {1, -2, 300, 0x7FFFFFFF};
    const POINT point = {-5, 70000};
    CWordArray words;
    words.Add(1);
    words.Add(0xABCD);
    CStringArray strings;
    strings.Add("x");
    strings.Add("yz");
    CStringList list;
    list.AddTail("q");
    CByteArray bytes;
    bytes.Add(0x11);
    CDWordArray dwords;
    dwords.Add(0x01020304);
    CObList objects;
    CTestRecord first(1, "a");
    CTestRecord second(2, "b");
    objects.AddTail(&first);
    objects.AddTail(&second);

    ASSERT_TRUE(reg.Write("Pointer", &record));
    ASSERT_TRUE(reg.Write("Reference", static_cast<CObject&>(record)));
    ASSERT_TRUE(reg.Write("Rect", &rect));
    ASSERT_TRUE(reg.Write("Point", &point));
    ASSERT_TRUE(reg.Write("Words", words));
    ASSERT_TRUE(reg.Write("Strings", strings));
    ASSERT_TRUE(reg.Write("List", list));
    ASSERT_TRUE(reg.Write("Bytes", bytes));
    ASSERT_TRUE(reg.Write("Dwords", dwords));
    ASSERT_TRUE(reg.Write("Objects", objects));
    EXPECT_EQ(reg.GetLastType(), DWORD{REG_BINARY});

    struct Case {
        const char* name;
        Bytes bytes;
    };
    const Case cases[] = {
        {"Pointer", Concat({RecordClassTag(), RecordBody(7, "ab")})},
        {"Reference", RecordBody(7, "ab")},
        {"Rect", Concat({Le32(1), Le32(0xFFFFFFFE), Le32(300), Le32(0x7FFFFFFF)})},
        // 22 bytes: a five-element DWORD array.
        {"Point", Concat({Le16(5), Le32(0xFFFFFFFB), Le32(70000), Le32(0), Le32(0), Le32(0)})},
        {"Words", Concat({Le32(2), Le16(1), Le16(0xABCD)})},
        {"Strings", Concat({Le16(2), Bytes{1}, Text("x"), Bytes{2}, Text("yz")})},
        {"List", Concat({Le16(1), Bytes{1}, Text("q")})},
        {"Bytes", Concat({Le16(1), Bytes{0x11}})},
        {"Dwords", Concat({Le16(1), Le32(0x01020304)})},
        // A collection has no tag of its own; its objects have theirs, the
        // class named once and then referred to by index (0x8000 | 1).
        {"Objects", Concat({Le16(2), RecordClassTag(), RecordBody(1, "a"), Le16(0x8001), RecordBody(2, "b")})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RawValue value = ReadRaw(c.name);
        EXPECT_EQ(value.type, DWORD{REG_BINARY});
        EXPECT_EQ(value.bytes, c.bytes);
    }
    EXPECT_EQ(ReadRaw("Point").bytes.size(), 22u);
}

TEST_F(WtkRegistryImages, HandMadeImagesReadIntoTheirTypes)
{
    WriteRaw("Pointer", REG_BINARY, Concat({RecordClassTag(), RecordBody(-3, "Tarvex")}));
    WriteRaw("Reference", REG_BINARY, RecordBody(9, "cd"));
    WriteRaw("Rect", REG_BINARY, Concat({Le32(0xFFFFFFF6), Le32(20), Le32(30), Le32(40)}));
    WriteRaw("Point", REG_BINARY, Concat({Le16(5), Le32(12), Le32(0xFFFFFF9C), Le32(0), Le32(0), Le32(0)}));
    WriteRaw("Words", REG_BINARY, Concat({Le32(3), Le16(7), Le16(0), Le16(0xFFFF)}));
    WriteRaw("Strings", REG_BINARY, Concat({Le16(2), Bytes{0}, Bytes{3}, Text("abc")}));
    WriteRaw("List", REG_BINARY, Concat({Le16(2), Bytes{1}, Text("m"), Bytes{1}, Text("n")}));
    WriteRaw("Bytes", REG_BINARY, Concat({Le16(2), Bytes{0xFE, 0x01}}));
    WriteRaw("Dwords", REG_BINARY, Concat({Le16(1), Le32(0xDEADBEEF)}));
    WriteRaw("Objects", REG_BINARY,
             Concat({Le16(2), RecordClassTag(), RecordBody(5, "e"), Le16(0x8001), RecordBody(6, "f")}));

    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(Path().c_str()));

    CObject* object = nullptr;
    ASSERT_TRUE(reg.Read("Pointer", object));
    std::unique_ptr<CObject> owned(object);
    ASSERT_TRUE(object->IsKindOf(RUNTIME_CLASS(CTestRecord)));
    EXPECT_EQ(static_cast<CTestRecord*>(object)->m_nNumber, -3);
    EXPECT_STREQ(static_cast<CTestRecord*>(object)->m_strName, "Tarvex");

    CTestRecord record;
    ASSERT_TRUE(reg.Read("Reference", record));
    EXPECT_EQ(record.m_nNumber, 9);
    EXPECT_STREQ(record.m_strName, "cd");

    RECT rect = {};
    ASSERT_TRUE(reg.Read("Rect", rect));
    EXPECT_EQ(rect.left, -10);
    EXPECT_EQ(rect.top, 20);
    EXPECT_EQ(rect.right, 30);
    EXPECT_EQ(rect.bottom, 40);

    POINT point = {};
    ASSERT_TRUE(reg.Read("Point", &point));
    EXPECT_EQ(point.x, 12);
    EXPECT_EQ(point.y, -100);

    // Collections are emptied before they are read.
    CWordArray words;
    words.Add(99);
    ASSERT_TRUE(reg.Read("Words", words));
    ASSERT_EQ(words.GetSize(), 3);
    EXPECT_EQ(words[0], 7);
    EXPECT_EQ(words[1], 0);
    EXPECT_EQ(words[2], 0xFFFF);

    CStringArray strings;
    strings.Add("old");
    ASSERT_TRUE(reg.Read("Strings", strings));
    ASSERT_EQ(strings.GetSize(), 2);
    EXPECT_STREQ(strings[0], "");
    EXPECT_STREQ(strings[1], "abc");

    CStringList list;
    list.AddTail("old");
    ASSERT_TRUE(reg.Read("List", list));
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_STREQ(list.GetHead(), "m");
    EXPECT_STREQ(list.GetTail(), "n");

    CByteArray bytes;
    bytes.Add(1);
    ASSERT_TRUE(reg.Read("Bytes", bytes));
    ASSERT_EQ(bytes.GetSize(), 2);
    EXPECT_EQ(bytes[0], 0xFE);
    EXPECT_EQ(bytes[1], 0x01);

    CDWordArray dwords;
    ASSERT_TRUE(reg.Read("Dwords", dwords));
    ASSERT_EQ(dwords.GetSize(), 1);
    EXPECT_EQ(dwords[0], 0xDEADBEEFu);

    CObList objects;
    objects.AddTail(new CTestRecord(0, "deleted by the read"));
    ASSERT_TRUE(reg.Read("Objects", objects));
    ASSERT_EQ(objects.GetCount(), 2);
    EXPECT_EQ(static_cast<CTestRecord*>(objects.GetHead())->m_nNumber, 5);
    EXPECT_STREQ(static_cast<CTestRecord*>(objects.GetTail())->m_strName, "f");
    while (!objects.IsEmpty())
        delete objects.RemoveHead();
}

TEST_F(WtkRegistryImages, EveryFormReadsBackWhatWasWritten)
{
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(Path().c_str()));

    const RECT rect = {-100, 0, 2147483647, -2147483647 - 1};
    const POINT point = {-2147483647 - 1, 123456};
    CWordArray words;
    for (WORD w : {0, 1, 0x8000, 0xFFFF})
        words.Add(w);
    CTestRecord record(42, std::string(300, 'z').c_str());
    ASSERT_TRUE(reg.Write("Rect", &rect));
    ASSERT_TRUE(reg.Write("Point", &point));
    ASSERT_TRUE(reg.Write("Words", words));
    ASSERT_TRUE(reg.Write("Record", &record));
    CWordArray no_words;
    ASSERT_TRUE(reg.Write("NoWords", no_words));

    RECT rect_read = {};
    ASSERT_TRUE(reg.Read("Rect", rect_read));
    EXPECT_TRUE(::EqualRect(&rect, &rect_read));
    POINT point_read = {};
    ASSERT_TRUE(reg.Read("Point", &point_read));
    EXPECT_EQ(point_read.x, point.x);
    EXPECT_EQ(point_read.y, point.y);
    CWordArray words_read;
    ASSERT_TRUE(reg.Read("Words", words_read));
    ASSERT_EQ(words_read.GetSize(), words.GetSize());
    for (int i = 0; i < words.GetSize(); ++i)
        EXPECT_EQ(words_read[i], words[i]);
    words_read.Add(1);
    ASSERT_TRUE(reg.Read("NoWords", words_read));
    EXPECT_EQ(words_read.GetSize(), 0);

    CObject* object = nullptr;
    ASSERT_TRUE(reg.Read("Record", object));
    std::unique_ptr<CObject> owned(object);
    ASSERT_TRUE(object && object->IsKindOf(RUNTIME_CLASS(CTestRecord)));
    EXPECT_EQ(static_cast<CTestRecord*>(object)->m_nNumber, 42);
    EXPECT_EQ(static_cast<CTestRecord*>(object)->m_strName.GetLength(), 300);
}

// The process's peak working set, to see that a damaged count did not make
// a read allocate (and fill) what the count claims. (Wine keeps no peak of
// committed memory.)
SIZE_T PeakMemory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

TEST_F(WtkRegistryImages, DamagedImagesReadAsFalseWithoutAllocatingWhatTheyClaim)
{
    struct Case {
        const char* name;
        Bytes bytes;
        // Reads the value into a target that starts with content; true when
        // the read left the target as the failure rule says.
        std::function<bool(CWtkRegistry&, const char*, bool&)> read;
    };
    const auto words = [](CWtkRegistry& reg, const char* name, bool& kept) {
        CWordArray array;
        array.Add(5);
        const BOOL read = reg.Read(name, array);
        kept = array.GetSize() == 0;
        return read != FALSE;
    };
    const auto point = [](CWtkRegistry& reg, const char* name, bool& kept) {
        POINT p = {3, 4};
        const BOOL read = reg.Read(name, &p);
        kept = p.x == 3 && p.y == 4;
        return read != FALSE;
    };
    const auto rect = [](CWtkRegistry& reg, const char* name, bool& kept) {
        RECT r = {1, 2, 3, 4};
        const BOOL read = reg.Read(name, r);
        kept = r.left == 1 && r.top == 2 && r.right == 3 && r.bottom == 4;
        return read != FALSE;
    };
    const auto dwords = [](CWtkRegistry& reg, const char* name, bool& kept) {
        CDWordArray array;
        array.Add(5);
        const BOOL read = reg.Read(name, array);
        kept = array.GetSize() == 0;
        return read != FALSE;
    };
    const auto strings = [](CWtkRegistry& reg, const char* name, bool& kept) {
        CStringList list;
        list.AddTail("x");
        const BOOL read = reg.Read(name, list);
        kept = list.IsEmpty();
        return read != FALSE;
    };
    const auto pointer = [](CWtkRegistry& reg, const char* name, bool& kept) {
        CObject* object = reinterpret_cast<CObject*>(&reg);
        const BOOL read = reg.Read(name, object);
        kept = object == nullptr;
        return read != FALSE;
    };
    const auto objects = [](CWtkRegistry& reg, const char* name, bool& kept) {
        CObList list;
        list.AddTail(new CTestRecord);
        const BOOL read = reg.Read(name, list);
        kept = list.IsEmpty();
        while (!list.IsEmpty())
            delete list.RemoveHead();
        return read != FALSE;
    };
    const Case cases[] = {
        {"WordsCountPastTheEnd", Concat({Le32(0x7FFFFFFF), Le16(1)}), words},
        {"WordsCountOneTooMany", Concat({Le32(2), Le16(1)}), words},
        {"WordsNoCount", Bytes{1, 0}, words},
        {"PointOneElement", Concat({Le16(1), Le32(9)}), point},
        {"PointNoElements", Le16(0), point},
        {"PointLongCountPastTheEnd", Concat({Le16(0xFFFF), Le32(0x40000000), Le32(1), Le32(2)}), point},
        {"PointTruncated", Concat({Le16(5), Le32(1), Le32(2), Le32(0)}), point},
        {"RectFifteenBytes", Bytes(15, 1), rect},
        {"DwordsLongCountPastTheEnd", Concat({Le16(0xFFFF), Le32(0x7FFFFFFF), Le32(1)}), dwords},
        {"StringLengthPastTheEnd", Concat({Le16(1), Bytes{0xFF}, Le16(0xFFFF), Le32(0x7FFFFFF0), Text("ab")}),
         strings},
        {"UnknownClass", Concat({Le16(0xFFFF), Le16(1), Le16(7), Text("CNoSuch"), Le32(0)}), pointer},
        {"ClassNameCut", Concat({Le16(0xFFFF), Le16(1), Le16(11), Text("CTest")}), pointer},
        {"ObjectIndexNeverIntroduced", Le16(5), pointer},
        {"ObjectListCut", Concat({Le16(3), RecordClassTag(), RecordBody(1, "a")}), objects},
    };
    for (const Case& c : cases)
        WriteRaw(c.name, REG_BINARY, c.bytes);

    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(Path().c_str()));
    const SIZE_T peak_before = PeakMemory();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool kept = false;
        EXPECT_FALSE(c.read(reg, c.name, kept));
        EXPECT_TRUE(kept);
    }
    EXPECT_LT(PeakMemory() - peak_before, SIZE_T{16} << 20);
}

TEST_F(WtkRegistryImages, PointNeedsABinaryValueOfAtLeastTwoElements)
{
    WriteRaw("TwoElements", REG_BINARY, Concat({Le16(2), Le32(8), Le32(9)}));
    WriteRaw("NotBinary", REG_DWORD, Le32(1));
    CWtkRegistrySP holder;
    CWtkRegistry& reg = holder.Create(FALSE, TRUE);
    ASSERT_TRUE(reg.Open(Path().c_str()));
    POINT point = {};
    EXPECT_TRUE(reg.Read("TwoElements", &point));
    EXPECT_EQ(point.x, 8);
    EXPECT_EQ(point.y, 9);
    EXPECT_FALSE(reg.Read("NotBinary", &point));
    EXPECT_FALSE(reg.Read("Missing", &point));
    EXPECT_EQ(point.x, 8);
    EXPECT_FALSE(reg.Read("TwoElements", static_cast<POINT*>(nullptr)));
}

}  // namespace
