// The task file record: its version-5 stream byte for byte, the defaults of
// a new record, versions 3 and 4, the trigger type derived for files without
// one, and the encodings' boundaries.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "byte_image.h"
#include "platform/framework/archive.h"
#include "record_stream.h"
#include "storage/sched_item.h"
#include "storage_test_values.h"
#include "task/shared/module_directory.h"

namespace {

Bytes Int32(LONG value)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&value);
    return Bytes(bytes, bytes + 4);
}

// An image with the first four bytes (the version) replaced.
Bytes WithVersion(Bytes image, LONG version)
{
    const Bytes stored = Int32(version);
    std::copy(stored.begin(), stored.end(), image.begin());
    return image;
}

TEST(SchedItemStream, StoresVersion5FieldByFieldInTableOrder)
{
    CSchedItem item;
    FillDistinctValues(item);
    const Bytes expected = FixtureBytes("task_v5.hex");
    const Bytes stored = StoreRecord(item);
    EXPECT_EQ(stored, expected) << "stored:   " << HexOf(stored) << "\nexpected: " << HexOf(expected);
}

TEST(SchedItemStream, LoadsEveryFieldOfVersion5AndStoresTheSameBytes)
{
    const Bytes image = FixtureBytes("task_v5.hex");
    CSchedItem loaded;
    ASSERT_EQ(LoadRecord(loaded, image), RecordLoad::loaded);

    CSchedItem expected;
    FillDistinctValues(expected);
    EXPECT_EQ(std::string(loaded.m_Description), "Backup");
    EXPECT_EQ(std::string(loaded.m_Password), "pw");
    EXPECT_EQ(std::string(loaded.m_UserName), "bob");
    EXPECT_EQ(std::string(loaded.m_AcctName), "nightly");
    EXPECT_EQ(loaded.m_TriggerType, 70);
    EXPECT_EQ(loaded.m_AutoReset, 71);
    EXPECT_EQ(loaded.m_IsMonthScheduled[11], expected.m_IsMonthScheduled[11]);
    EXPECT_EQ(loaded.m_WeekDaySelected[6], expected.m_WeekDaySelected[6]);
    ASSERT_EQ(loaded.GetCommandCount(), 2);
    EXPECT_EQ(std::string(loaded.GetCommandLine(1)), "Delay(5,Seconds)");
    EXPECT_EQ(loaded.m_IntervalEndingTime, expected.m_IntervalEndingTime);
    EXPECT_EQ(loaded.IsConvertedFromOldFormat(), 0);
    EXPECT_EQ(loaded.GetLoadedVersion(), 5);
    // Every other field: the loaded record stores the image it came from.
    EXPECT_EQ(StoreRecord(loaded), image);
}

TEST(SchedItemDefaults, NewRecordHoldsTheDefaultsOfANewTask)
{
    const COleDateTime before = COleDateTime::GetCurrentTime();
    CSchedItem item;
    const COleDateTime after = COleDateTime::GetCurrentTime();

    EXPECT_EQ(std::string(item.m_Description), "<untitled>");
    EXPECT_EQ(std::string(item.m_LogFile), GetModuleDirectory() + "Qvxsched.log");
    for (const COleDateTime* date : {&item.m_ReservedDate, &item.m_LastExecTime, &item.m_NextSchedTime,
                                     &item.m_DurationTime}) {
        EXPECT_EQ(date->GetStatus(), COleDateTime::valid);
        EXPECT_TRUE(*date >= before && *date <= after);
    }
    EXPECT_EQ(item.m_IntervalStartingTime.GetHour(), 8);
    EXPECT_EQ(item.m_IntervalEndingTime.GetHour(), 17);
    EXPECT_TRUE(COleDateTime(item.m_IntervalStartingTime.GetYear(), item.m_IntervalStartingTime.GetMonth(),
                             item.m_IntervalStartingTime.GetDay(), 0, 0, 0) <= after);

    // The rest, byte for byte: fixed dates and run log in the image.
    const double made = OaDate(2025, 1, 15, 9, 5, 3);
    item.m_ReservedDate = item.m_LastExecTime = item.m_NextSchedTime = item.m_DurationTime = ValidDate(made);
    item.m_IntervalStartingTime = ValidDate(OaDate(2025, 1, 15, 8));
    item.m_IntervalEndingTime = ValidDate(OaDate(2025, 1, 15, 17));
    item.m_LogFile = "C:\\Tarvex\\Qvxsched.log";
    const Bytes expected = FixtureBytes("default_task.hex");
    const Bytes stored = StoreRecord(item);
    EXPECT_EQ(stored, expected) << "stored:   " << HexOf(stored) << "\nexpected: " << HexOf(expected);
}

TEST(SchedItemDefaults, NewTaskIsScheduledIndefinitelyAndOnHolidays)
{
    CSchedItem item;
    EXPECT_EQ(item.m_ScheduledIndefinately, 1);
    EXPECT_EQ(item.m_IncludeHolidays, 1);
}

TEST(SchedItemOlderVersions, Version3KeepsAccountsPlainAndDerivesProcessWatch)
{
    CSchedItem item;
    ASSERT_EQ(LoadRecord(item, FixtureBytes("task_v3.hex")), RecordLoad::loaded);
    EXPECT_EQ(std::string(item.m_Password), "secret");
    EXPECT_EQ(std::string(item.m_UserName), "alice");
    EXPECT_EQ(std::string(item.m_AcctName), "");
    EXPECT_EQ(item.m_AutoReset, 0);
    // Frequency 5 is no schedule by time; condition type 10 of version 3 is
    // today's 11.
    EXPECT_EQ(item.m_TriggerType, kTriggerProcessWatch);
    EXPECT_EQ(item.m_CondType, 11);
    EXPECT_EQ(item.IsConvertedFromOldFormat(), 0);
    EXPECT_EQ(item.GetLoadedVersion(), 3);
    EXPECT_EQ(std::string(item.GetCommandLine(0)), "RunTask(Backup)");
}

TEST(SchedItemOlderVersions, Version4UnscramblesAccountsAndDerivesSchedule)
{
    CSchedItem item;
    ASSERT_EQ(LoadRecord(item, FixtureBytes("task_v4.hex")), RecordLoad::loaded);
    EXPECT_EQ(std::string(item.m_Password), "secret");
    EXPECT_EQ(std::string(item.m_UserName), "alice");
    EXPECT_EQ(item.m_TriggerType, kTriggerScheduled);
    EXPECT_EQ(item.m_CondType, 7);
    EXPECT_EQ(item.GetLoadedVersion(), 4);
}

struct TriggerCase {
    LONG frequency;
    LONG condType;
    LONG triggerType;      // expected
    LONG condTypeAfter;    // expected
};

TEST(SchedItemOlderVersions, DerivedTriggerTypeFollowsFrequencyThenConditionType)
{
    const LONG kUnchanged = 99;
    const TriggerCase cases[] = {
        {0, 10, kTriggerScheduled, 10},         {3, 7, kTriggerScheduled, 7},
        {-1, 4, kTriggerScheduled, 4},          {4, 0, kTriggerApplicationWatch, 0},
        {4, 1, kTriggerApplicationWatch, 1},    {5, 2, kTriggerFileWatch, 2},
        {4, 6, kTriggerFileWatch, 6},           {4, 7, kTriggerWindowWatch, 7},
        {4, 8, kTriggerWindowWatch, 8},         {4, 9, kTriggerManual, 9},
        {4, 10, kTriggerProcessWatch, 11},      {4, 11, kTriggerProcessWatch, 10},
        {4, 12, kUnchanged, 12},                {4, -1, kUnchanged, -1},
    };
    for (const TriggerCase& c : cases) {
        CSchedItem item;
        item.m_Frequency = c.frequency;
        item.m_CondType = c.condType;
        item.m_TriggerType = kUnchanged;
        item.DeriveTriggerType();
        EXPECT_EQ(item.m_TriggerType, c.triggerType) << "frequency " << c.frequency << ", condition " << c.condType;
        EXPECT_EQ(item.m_CondType, c.condTypeAfter) << "frequency " << c.frequency << ", condition " << c.condType;
    }
}

TEST(SchedItemRefusal, VersionsThatNothingWroteAreRefused)
{
    const Bytes image = FixtureBytes("task_v5.hex");
    for (LONG version : {0L, -1L, 6L, 0x6C6C6568L /* "hell" */}) {
        CSchedItem item;
        EXPECT_EQ(LoadRecord(item, WithVersion(image, version)), RecordLoad::damaged) << version;
    }
}

TEST(SchedItemRefusal, BytesAfterTheRecordAreRefused)
{
    Bytes image = FixtureBytes("task_v5.hex");
    image.push_back(0);
    CSchedItem item;
    EXPECT_EQ(LoadRecord(item, image), RecordLoad::damaged);
}

TEST(SchedItemRefusal, EveryTruncationIsRefused)
{
    for (const char* fixture : {"task_v5.hex", "task_v4.hex", "task_v3.hex", "task_v2.hex", "task_v1.hex"}) {
        const Bytes image = FixtureBytes(fixture);
        for (size_t length = 0; length < image.size(); ++length) {
            CSchedItem item;
            const RecordLoad result = LoadRecord(item, Bytes(image.begin(), image.begin() + length));
            EXPECT_NE(result, RecordLoad::loaded) << fixture << " cut to " << length;
        }
    }
}

struct LengthCase {
    size_t length;
    Bytes prefix;
};

TEST(SchedItemEncoding, StringLengthPrefixGrowsAtItsBoundaries)
{
    const LengthCase cases[] = {
        {0, {0x00}},
        {1, {0x01}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const LengthCase& c : cases) {
        CSchedItem item;
        item.m_Description = CString('d', static_cast<int>(c.length));
        const Bytes stored = StoreRecord(item);
        // The description follows the 4-byte version.
        const Bytes prefix(stored.begin() + 4, stored.begin() + 4 + c.prefix.size());
        EXPECT_EQ(prefix, c.prefix) << "length " << c.length;
        if (c.length > 0) {
            EXPECT_EQ(stored[4 + c.prefix.size()], 'd') << "length " << c.length;
        }

        CSchedItem loaded;
        ASSERT_EQ(LoadRecord(loaded, stored), RecordLoad::loaded) << "length " << c.length;
        EXPECT_EQ(static_cast<size_t>(loaded.m_Description.GetLength()), c.length);
    }
}

struct CountCase {
    int count;
    Bytes prefix;
};

TEST(SchedItemEncoding, CommandCountGrowsAtItsBoundary)
{
    const CountCase cases[] = {
        {0, {0x00, 0x00}},
        {1, {0x01, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
    };
    for (const CountCase& c : cases) {
        CSchedItem item;
        item.m_Description.Empty();
        item.m_LogFile.Empty();
        for (int i = 0; i < c.count; ++i)
            item.AddCommandLine("");
        const Bytes stored = StoreRecord(item);
        // Version, three empty texts and the two account texts, 14 int32
        // flags, the condition (five int32 and a text), the reserved list's
        // two-byte count: then the command count.
        const size_t at = 4 + 5 + 14 * 4 + 2 * 4 + 1 + 4 * 4 + 2;
        const Bytes prefix(stored.begin() + at, stored.begin() + at + c.prefix.size());
        EXPECT_EQ(prefix, c.prefix) << "count " << c.count;

        CSchedItem loaded;
        ASSERT_EQ(LoadRecord(loaded, stored), RecordLoad::loaded) << "count " << c.count;
        EXPECT_EQ(loaded.GetCommandCount(), c.count);
    }
}

TEST(SchedItemCommands, LineOutsideTheListIsEmpty)
{
    CSchedItem item;
    item.AddCommandLine("Delay(1,Seconds)");
    EXPECT_EQ(std::string(item.GetCommandLine(0)), "Delay(1,Seconds)");
    EXPECT_EQ(std::string(item.GetCommandLine(1)), "");
    EXPECT_EQ(std::string(item.GetCommandLine(-1)), "");
}

TEST(SchedItemAccounts, EveryPrintableAndAccentedCharacterSurvivesTheFile)
{
    std::string text;
    for (int c = 0x20; c <= 0xFF; ++c)
        text += static_cast<char>(c);
    CSchedItem item;
    item.m_Password = CString(text.data(), static_cast<int>(text.size()));
    item.m_UserName = CString(text.data(), static_cast<int>(text.size()));
    const Bytes stored = StoreRecord(item);
    CSchedItem loaded;
    ASSERT_EQ(LoadRecord(loaded, stored), RecordLoad::loaded);
    EXPECT_EQ(std::string(loaded.m_Password, loaded.m_Password.GetLength()), text);
    EXPECT_EQ(std::string(loaded.m_UserName, loaded.m_UserName.GetLength()), text);
    // And the file does not hold them plain.
    EXPECT_EQ(std::search(stored.begin(), stored.end(), text.begin(), text.end()), stored.end());
}

}  // namespace
