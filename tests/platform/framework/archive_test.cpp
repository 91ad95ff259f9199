#include "platform/framework/archive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/framework/array.h"
#include "platform/framework/file.h"
#include "platform/framework/memfile.h"
#include "platform/framework/oblist.h"
#include "platform/framework/stringarray.h"
#include "tests/platform/framework/archive_test_util.h"

// Serialisable classes live in the global namespace, where IMPLEMENT_SERIAL
// defines their extraction operators.
static int g_live_records = 0;

// Serialisable classes of the tests: a plain schema and a versionable one.
class CTestRecord : public CObject {
    DECLARE_SERIAL(CTestRecord)
public:
    CTestRecord() { ++g_live_records; }
    explicit CTestRecord(LONG value) : m_value(value) { ++g_live_records; }
    ~CTestRecord() override { --g_live_records; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_value;
        else
            ar >> m_value;
    }
    LONG m_value = 0;
};

class CTestOther : public CObject {
    DECLARE_SERIAL(CTestOther)
public:
    CTestOther() = default;
    explicit CTestOther(const char* text) : m_text(text) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_text;
        } else {
            m_loaded_schema = ar.GetObjectSchema();
            ar >> m_text;
        }
    }
    CString m_text;
    UINT m_loaded_schema = 0;
};

IMPLEMENT_SERIAL(CTestRecord, CObject, 3)
IMPLEMENT_SERIAL(CTestOther, CObject, VERSIONABLE_SCHEMA | 2)

namespace {

CArchiveException::Cause CauseOfLoad(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    try {
        LoadBytes(bytes, read);
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return CArchiveException::none;
}

TEST(CArchiveTest, StringLengthPrefixAtEachBoundary)
{
    const struct {
        int length;
        Bytes prefix;
    } cases[] = {
        {0, {0x00}},
        {1, {0x01}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {256, {0xFF, 0x00, 0x01}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        std::string content;
        for (int i = 0; i < c.length; ++i)
            content += static_cast<char>('a' + i % 26);
        const CString text(content.c_str());
        const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << text; });
        EXPECT_EQ(Concat({c.prefix, Text(content)}), bytes);

        CString loaded("previous");
        LoadBytes(bytes, [&](CArchive& ar) { ar >> loaded; });
        EXPECT_EQ(text, loaded);
    }
}

TEST(CArchiveTest, StringsKeepEightBitCharactersAndEmbeddedNulls)
{
    const CString text("caf\xE9\x00\x80z", 7);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << text; });
    EXPECT_EQ((Bytes{0x07, 'c', 'a', 'f', 0xE9, 0x00, 0x80, 'z'}), bytes);
    CString loaded;
    LoadBytes(bytes, [&](CArchive& ar) { ar >> loaded; });
    ASSERT_EQ(7, loaded.GetLength());
    EXPECT_EQ(0, std::memcmp(static_cast<const char*>(text), static_cast<const char*>(loaded), 7));
}

TEST(CArchiveTest, CountEncodingAtEachBoundary)
{
    const struct {
        DWORD count;
        Bytes bytes;
    } cases[] = {
        {0, {0x00, 0x00}},
        {1, {0x01, 0x00}},
        {65534, {0xFE, 0xFF}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x12345678, {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(c.bytes, StoreBytes([&](CArchive& ar) { ar.WriteCount(c.count); }));
        DWORD loaded = 0;
        LoadBytes(c.bytes, [&](CArchive& ar) { loaded = ar.ReadCount(); });
        EXPECT_EQ(c.count, loaded);
    }
}

TEST(CArchiveTest, NumbersAreLittleEndianOfTheirWidth)
{
    const Bytes bytes = StoreBytes([](CArchive& ar) {
        ar << static_cast<BYTE>(0xAB) << static_cast<WORD>(0x1234) << static_cast<short>(-2)
           << static_cast<LONG>(-2) << static_cast<DWORD>(0x89ABCDEF) << 5 << 7u << 1.5 << 2.0f << 'x';
    });
    const Bytes expected = Concat({{0xAB},
                                   {0x34, 0x12},
                                   {0xFE, 0xFF},
                                   {0xFE, 0xFF, 0xFF, 0xFF},
                                   {0xEF, 0xCD, 0xAB, 0x89},
                                   {0x05, 0, 0, 0},
                                   {0x07, 0, 0, 0},
                                   {0, 0, 0, 0, 0, 0, 0xF8, 0x3F},
                                   {0, 0, 0, 0x40},
                                   {'x'}});
    EXPECT_EQ(expected, bytes);

    BYTE b = 0;
    WORD w = 0;
    short s = 0;
    LONG l = 0;
    DWORD d = 0;
    int i = 0;
    UINT u = 0;
    double dbl = 0;
    float f = 0;
    char c = 0;
    LoadBytes(bytes, [&](CArchive& ar) { ar >> b >> w >> s >> l >> d >> i >> u >> dbl >> f >> c; });
    EXPECT_EQ(0xAB, b);
    EXPECT_EQ(0x1234, w);
    EXPECT_EQ(-2, s);
    EXPECT_EQ(-2, l);
    EXPECT_EQ(0x89ABCDEFu, d);
    EXPECT_EQ(5, i);
    EXPECT_EQ(7u, u);
    EXPECT_EQ(1.5, dbl);
    EXPECT_EQ(2.0f, f);
    EXPECT_EQ('x', c);
}

TEST(CArchiveTest, DatesAreStatusThenDoubleAndRawDatesDoubleThenStatus)
{
    COleDateTime date(1900, 1, 1, 12, 0, 0);  // 2.5
    COleDateTime null_date(2.0);
    null_date.SetStatus(COleDateTime::null);
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar << date << null_date;
        ar.WriteRawDate(date);
        ar.WriteRawDate(null_date);
    });
    const Bytes two_and_half = {0, 0, 0, 0, 0, 0, 0x04, 0x40};
    const Bytes two = {0, 0, 0, 0, 0, 0, 0x00, 0x40};
    EXPECT_EQ(Concat({Le32(0), two_and_half, Le32(2), two, two_and_half, Le32(0), two, Le32(2)}), bytes);

    COleDateTime a, b, c, d;
    LoadBytes(bytes, [&](CArchive& ar) {
        ar >> a >> b;
        ar.ReadRawDate(c);
        ar.ReadRawDate(d);
    });
    EXPECT_EQ(date, a);
    EXPECT_EQ(COleDateTime::null, b.GetStatus());
    EXPECT_EQ(2.0, b.m_dt);
    EXPECT_EQ(date, c);
    EXPECT_EQ(COleDateTime::null, d.GetStatus());
}

TEST(CArchiveTest, UnknownStoredDateStatusReadsAsInvalid)
{
    COleDateTime date;
    LoadBytes(Concat({Le32(7), {0, 0, 0, 0, 0, 0, 0x04, 0x40}}), [&](CArchive& ar) { ar >> date; });
    EXPECT_EQ(COleDateTime::invalid, date.GetStatus());
    EXPECT_EQ(2.5, date.m_dt);
}

Bytes NewClassTag(WORD schema, const std::string& name)
{
    return Concat({{0xFF, 0xFF}, Le16(schema), Le16(static_cast<WORD>(name.size())), Text(name)});
}

TEST(CArchiveTest, ObjectTagsIntroduceClassesOnceAndReferToObjectsByIndex)
{
    CTestRecord a1(10), a2(20);
    CTestOther b1("x"), b2("yz");
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar << &a1 << &a2 << &b1;
        ar.WriteObject(nullptr);
        ar << &a1 << &b2;
    });
    // Indexes: CTestRecord 1, a1 2, a2 3, CTestOther 4, b1 5, b2 6.
    const Bytes expected = Concat({NewClassTag(3, "CTestRecord"), Le32(10),
                                   {0x01, 0x80}, Le32(20),
                                   NewClassTag(2, "CTestOther"), {0x01, 'x'},
                                   {0x00, 0x00},
                                   {0x02, 0x00},
                                   {0x04, 0x80}, {0x02, 'y', 'z'}});
    EXPECT_EQ(expected, bytes);

    const int live_before = g_live_records;
    CObject* read[6] = {};
    LoadBytes(bytes, [&](CArchive& ar) {
        for (CObject*& object : read)
            ar >> object;
    });
    std::unique_ptr<CObject> owned[] = {std::unique_ptr<CObject>(read[0]), std::unique_ptr<CObject>(read[1]),
                                        std::unique_ptr<CObject>(read[2]), std::unique_ptr<CObject>(read[5])};
    ASSERT_TRUE(read[0] != nullptr && read[0]->IsKindOf(RUNTIME_CLASS(CTestRecord)));
    ASSERT_TRUE(read[1] != nullptr && read[1]->IsKindOf(RUNTIME_CLASS(CTestRecord)));
    ASSERT_TRUE(read[2] != nullptr && read[2]->IsKindOf(RUNTIME_CLASS(CTestOther)));
    ASSERT_TRUE(read[5] != nullptr && read[5]->IsKindOf(RUNTIME_CLASS(CTestOther)));
    EXPECT_EQ(10, static_cast<CTestRecord*>(read[0])->m_value);
    EXPECT_EQ(20, static_cast<CTestRecord*>(read[1])->m_value);
    EXPECT_EQ(CString("x"), static_cast<CTestOther*>(read[2])->m_text);
    EXPECT_EQ(2u, static_cast<CTestOther*>(read[2])->m_loaded_schema);
    EXPECT_EQ(nullptr, read[3]);
    EXPECT_EQ(read[0], read[4]);
    EXPECT_EQ(CString("yz"), static_cast<CTestOther*>(read[5])->m_text);
    EXPECT_EQ(live_before + 2, g_live_records);
}

TEST(CArchiveTest, ListOfTwoObjectsOfOneClassIsNewClassTagThenClassReference)
{
    CObList list;
    CTestRecord first(1), second(2);
    list.AddTail(&first);
    list.AddTail(&second);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { list.Serialize(ar); });
    EXPECT_EQ(Concat({{0x02, 0x00}, NewClassTag(3, "CTestRecord"), Le32(1), {0x01, 0x80}, Le32(2)}), bytes);
}

TEST(CArchiveTest, IndexesFromThe7FFFthEntryUseTheLongTag)
{
    // 0x7FFE records take the indexes 2 ... 0x7FFF after their class (1), so
    // the next class gets 0x8000 and its second object a long class tag.
    std::vector<std::unique_ptr<CTestRecord>> records;
    for (int i = 0; i < 0x7FFE; ++i)
        records.push_back(std::make_unique<CTestRecord>(i));
    CTestOther other1("a"), other2("b");
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        for (const auto& record : records)
            ar << record.get();
        ar << &other1 << &other2;
        ar << records.back().get() << &other1;
    });
    const Bytes tail = Concat({NewClassTag(2, "CTestOther"), {0x01, 'a'},
                               {0xFF, 0x7F}, Le32(0x80008000), {0x01, 'b'},
                               {0xFF, 0x7F}, Le32(0x7FFF),
                               {0xFF, 0x7F}, Le32(0x8001)});
    ASSERT_GE(bytes.size(), tail.size());
    EXPECT_EQ(tail, Bytes(bytes.end() - static_cast<std::ptrdiff_t>(tail.size()), bytes.end()));

    std::vector<std::unique_ptr<CObject>> loaded;
    CObject* last_record = nullptr;
    CObject* other_again = nullptr;
    LoadBytes(bytes, [&](CArchive& ar) {
        for (int i = 0; i < 0x7FFE + 2; ++i)
            loaded.emplace_back(ar.ReadObject(nullptr));
        last_record = ar.ReadObject(RUNTIME_CLASS(CTestRecord));
        other_again = ar.ReadObject(RUNTIME_CLASS(CTestOther));
    });
    EXPECT_EQ(loaded[0x7FFD].get(), last_record);
    EXPECT_EQ(loaded[0x7FFE].get(), other_again);
    EXPECT_EQ(CString("b"), static_cast<CTestOther*>(loaded.back().get())->m_text);
}

TEST(CArchiveTest, MalformedObjectTagsRaiseTheirCause)
{
    const Bytes record = Concat({NewClassTag(3, "CTestRecord"), Le32(1)});
    const auto read_two = [](CArchive& ar) {
        std::unique_ptr<CObject> first(ar.ReadObject(nullptr));
        std::unique_ptr<CObject> second(ar.ReadObject(nullptr));
        if (second.get() == first.get())
            second.release();
    };
    const struct {
        const char* what;
        Bytes bytes;
        CArchiveException::Cause cause;
    } cases[] = {
        {"object index never introduced", Concat({record, {0x05, 0x00}}), CArchiveException::badIndex},
        {"class index never introduced", Concat({record, {0x05, 0x80}}), CArchiveException::badIndex},
        {"class reference to an object", Concat({record, {0x02, 0x80}}), CArchiveException::badIndex},
        {"object reference to a class", Concat({record, {0x01, 0x00}}), CArchiveException::badIndex},
        {"class reference zero", Concat({record, {0x00, 0x80}}), CArchiveException::badIndex},
        {"long object tag out of range", Concat({record, {0xFF, 0x7F}, Le32(0x40000000)}),
         CArchiveException::badIndex},
        {"unknown class", Concat({NewClassTag(1, "CNoSuchClass"), Le32(1)}), CArchiveException::badClass},
        {"class not serialisable", Concat({NewClassTag(0xFFFF, "CObject")}), CArchiveException::badClass},
        {"class name too long", Concat({{0xFF, 0xFF, 0x03, 0x00, 0xC8, 0x00}, Bytes(200, 'A')}),
         CArchiveException::badClass},
        {"fixed schema differs", Concat({NewClassTag(4, "CTestRecord"), Le32(1)}), CArchiveException::badSchema},
        {"class name truncated", Concat({{0xFF, 0xFF, 0x03, 0x00, 0x0B, 0x00}, Text("CTest")}),
         CArchiveException::endOfFile},
        {"record truncated", Concat({NewClassTag(3, "CTestRecord"), {0x01, 0x00}}), CArchiveException::endOfFile},
    };
    const int live_before = g_live_records;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.cause, CauseOfLoad(c.bytes, read_two));
    }
    EXPECT_EQ(live_before, g_live_records);
}

TEST(CArchiveTest, VersionableClassAcceptsOtherSchemasAndReportsThem)
{
    const Bytes bytes = Concat({NewClassTag(7, "CTestOther"), {0x01, 'q'}});
    CObject* object = nullptr;
    LoadBytes(bytes, [&](CArchive& ar) { object = ar.ReadObject(RUNTIME_CLASS(CTestOther)); });
    std::unique_ptr<CObject> owned(object);
    ASSERT_NE(nullptr, object);
    EXPECT_EQ(7u, static_cast<CTestOther*>(object)->m_loaded_schema);
}

TEST(CArchiveTest, ObjectOfAnotherClassThanRequestedIsBadClass)
{
    CTestOther other("x");
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << &other << &other; });
    EXPECT_EQ(CArchiveException::badClass, CauseOfLoad(bytes, [](CArchive& ar) {
                  std::unique_ptr<CObject>(ar.ReadObject(RUNTIME_CLASS(CTestRecord)));
              }));
    // The typed extraction operator of a serialisable class asks for its class.
    EXPECT_EQ(CArchiveException::badClass, CauseOfLoad(bytes, [](CArchive& ar) {
                  CTestRecord* record = nullptr;
                  ar >> record;
                  delete record;
              }));
    // A reference to an object already read is checked too.
    EXPECT_EQ(CArchiveException::badClass, CauseOfLoad(bytes, [](CArchive& ar) {
                  std::unique_ptr<CObject> first(ar.ReadObject(RUNTIME_CLASS(CTestOther)));
                  ar.ReadObject(RUNTIME_CLASS(CTestRecord));
              }));
}

TEST(CArchiveTest, ReadNewObjectRefusesReferencesButAcceptsNull)
{
    CTestRecord record(4);
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar << &record;
        ar.WriteObject(nullptr);
        ar << &record;
    });
    const int live_before = g_live_records;
    EXPECT_EQ(CArchiveException::badIndex, CauseOfLoad(bytes, [](CArchive& ar) {
                  std::unique_ptr<CObject> first(ar.ReadNewObject(nullptr));
                  EXPECT_EQ(nullptr, ar.ReadNewObject(nullptr));
                  ar.ReadNewObject(nullptr);
              }));
    EXPECT_EQ(live_before, g_live_records);
}

TEST(CArchiveTest, HostileLengthsAndCountsFailWithoutAllocatingThem)
{
    const struct {
        const char* what;
        Bytes bytes;
        std::function<void(CArchive&)> read;
        CArchiveException::Cause cause;
    } cases[] = {
        {"2 GB string in 10 bytes", Concat({{0xFF, 0xFF, 0xFF}, Le32(0x7FFFFFFF), {'a', 'b', 'c'}}),
         [](CArchive& ar) { CString s; ar >> s; }, CArchiveException::endOfFile},
        {"4 GB string", Concat({{0xFF, 0xFF, 0xFF}, Le32(0xFFFFFFFF), {'a'}}),
         [](CArchive& ar) { CString s; ar >> s; }, CArchiveException::genericException},
        {"16-bit character marker", Bytes{0xFF, 0xFE, 0xFF, 0x01, 'a', 0},
         [](CArchive& ar) { CString s; ar >> s; }, CArchiveException::genericException},
        {"string list of 4 billion", Concat({{0xFF, 0xFF}, Le32(0xFFFFFFFF), {0x01, 'a'}}),
         [](CArchive& ar) { CStringArray a; a.Serialize(ar); }, CArchiveException::endOfFile},
        {"date array of 4 billion", Concat({{0xFF, 0xFF}, Le32(0xFFFFFFFF)}),
         [](CArchive& ar) { CArray<COleDateTime> a; a.Serialize(ar); }, CArchiveException::endOfFile},
        {"object list of 4 billion", Concat({{0xFF, 0xFF}, Le32(0xFFFFFFFF), {0x00, 0x00}}),
         [](CArchive& ar) { CObList a; a.Serialize(ar); }, CArchiveException::endOfFile},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.cause, CauseOfLoad(c.bytes, c.read));
    }
}

// One stream holding every kind of value, and the reader that matches it.
Bytes EveryKindOfValue()
{
    return StoreBytes([](CArchive& ar) {
        ar << static_cast<LONG>(5) << CString("description") << CString('x', 300);
        ar << COleDateTime(2024, 2, 29, 8, 0, 0);
        CStringArray lines;
        lines.Add("RunProgram(a,b,Normal,1)");
        lines.Add("");
        lines.Serialize(ar);
        CArray<COleDateTime> holidays;
        holidays.Add(COleDateTime(2024, 12, 25, 0, 0, 0));
        holidays.Serialize(ar);
        CObList list;
        CTestRecord r1(1), r2(2);
        CTestOther o("o");
        list.AddTail(&r1);
        list.AddTail(&o);
        list.AddTail(static_cast<CObject*>(nullptr));
        list.AddTail(&r2);
        list.Serialize(ar);
        ar << static_cast<WORD>(0xBEEF);
    });
}

void ReadEveryKindOfValue(CArchive& ar)
{
    LONG version;
    CString a, b;
    COleDateTime date;
    ar >> version >> a >> b >> date;
    CStringArray lines;
    lines.Serialize(ar);
    CArray<COleDateTime> holidays;
    holidays.Serialize(ar);
    CObList list;
    list.Serialize(ar);
    for (POSITION p = list.GetHeadPosition(); p != nullptr;)
        delete list.GetNext(p);
    WORD end;
    ar >> end;
}

TEST(CArchiveTest, EveryTruncationRaisesEndOfFile)
{
    const Bytes whole = EveryKindOfValue();
    ASSERT_EQ(CArchiveException::none, CauseOfLoad(whole, ReadEveryKindOfValue));
    const int live_before = g_live_records;
    for (size_t length = 0; length < whole.size(); ++length) {
        SCOPED_TRACE(length);
        const Bytes part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        ASSERT_EQ(CArchiveException::endOfFile, CauseOfLoad(part, ReadEveryKindOfValue));
    }
    EXPECT_EQ(live_before, g_live_records);
}

TEST(CArchiveTest, DamagedAndRandomStreamsOnlyRaiseArchiveExceptions)
{
    const Bytes whole = EveryKindOfValue();
    const int live_before = g_live_records;
    unsigned int seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    int failures = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes;
        if (round % 3 == 0) {
            bytes.resize(next() % 64);
            for (BYTE& byte : bytes)
                byte = static_cast<BYTE>(next());
        } else {
            bytes = whole;
            const int flips = 1 + static_cast<int>(next() % 4);
            for (int i = 0; i < flips; ++i)
                bytes[next() % bytes.size()] = static_cast<BYTE>(next());
        }
        try {
            LoadBytes(bytes, ReadEveryKindOfValue, 16 + static_cast<int>(next() % 64));
        } catch (const CArchiveException&) {
            ++failures;
        }
    }
    EXPECT_GT(failures, 1000);
    EXPECT_EQ(live_before, g_live_records);
}

TEST(CArchiveTest, SmallBuffersAndLargeValuesCrossBufferEdges)
{
    const CString big('b', 9000);
    for (int buffer_size : {16, 17, 100, 4096}) {
        SCOPED_TRACE(buffer_size);
        const Bytes bytes = StoreBytes(
            [&](CArchive& ar) {
                for (int i = 0; i < 50; ++i)
                    ar << static_cast<LONG>(i) << CString("line") << big;
            },
            buffer_size);
        EXPECT_EQ(50u * (4 + 5 + 3 + 9000), bytes.size());
        LoadBytes(
            bytes,
            [&](CArchive& ar) {
                for (int i = 0; i < 50; ++i) {
                    LONG n;
                    CString line, text;
                    ar >> n >> line >> text;
                    ASSERT_EQ(i, n);
                    ASSERT_EQ(CString("line"), line);
                    ASSERT_EQ(big, text);
                }
            },
            buffer_size);
    }
}

TEST(CArchiveTest, WrongDirectionRaisesReadOnlyOrWriteOnly)
{
    CMemFile file;
    CArchive storing(&file, CArchive::store);
    LONG value = 0;
    try {
        storing >> value;
        FAIL() << "read from a storing archive";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(CArchiveException::writeOnly, e.m_cause);
    }
    storing.Abort();

    BYTE block[4] = {};
    CMemFile source(block, sizeof block);
    CArchive loading(&source, CArchive::load);
    try {
        loading << value;
        FAIL() << "write to a loading archive";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(CArchiveException::readOnly, e.m_cause);
    }
}

class TempFile {
public:
    TempFile()
    {
        char dir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        ::GetTempFileNameA(dir, "tvx", 0, m_path);
    }
    ~TempFile() { ::DeleteFileA(m_path); }
    const char* path() const { return m_path; }

private:
    char m_path[MAX_PATH];
};

TEST(CArchiveTest, RoundTripThroughFileOnDisk)
{
    TempFile temp;
    CTestRecord record(77);
    {
        CFile file(temp.path(), CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
        CArchive ar(&file, CArchive::store);
        ar << static_cast<LONG>(5) << CString('n', 255) << &record;
        ar.WriteCount(70000);
        ar.Close();
    }
    CFile file(temp.path(), CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_EQ(4u + 3 + 255 + 2 + 2 + 2 + 11 + 4 + 6, file.GetLength());
    CArchive ar(&file, CArchive::load);
    LONG version = 0;
    CString text;
    CTestRecord* loaded = nullptr;
    ar >> version >> text >> loaded;
    std::unique_ptr<CTestRecord> owned(loaded);
    EXPECT_EQ(5, version);
    EXPECT_EQ(CString('n', 255), text);
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(77, loaded->m_value);
    EXPECT_EQ(70000u, ar.ReadCount());
    BYTE extra;
    EXPECT_EQ(0u, ar.Read(&extra, 1));
}

TEST(CArchiveTest, ClosingALoadingArchiveLeavesTheFileAfterWhatWasRead)
{
    BYTE block[100] = {};
    block[0] = 9;
    CMemFile file(block, sizeof block);
    CArchive ar(&file, CArchive::load);
    LONG value = 0;
    ar >> value;
    ar.Close();
    EXPECT_EQ(9, value);
    EXPECT_EQ(4u, file.GetPosition());
}

TEST(CArchiveTest, DestructorFlushesStoredBytesUnlessAskedNotTo)
{
    CMemFile flushed;
    {
        CArchive ar(&flushed, CArchive::store);
        ar << static_cast<LONG>(1);
    }
    EXPECT_EQ(4u, flushed.GetLength());

    CMemFile dropped;
    {
        CArchive ar(&dropped, CArchive::store | CArchive::bNoFlushOnDelete);
        ar << static_cast<LONG>(1);
    }
    EXPECT_EQ(0u, dropped.GetLength());
}

}  // namespace
