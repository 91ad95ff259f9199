// The settings record: the defaults of a first start, its version-2 stream
// with holidays and logins as tagged objects, version 1, and the streams it
// refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "byte_image.h"
#include "platform/framework/archive.h"
#include "platform/framework/memfile.h"
#include "platform/framework/stringarray.h"
#include "record_stream.h"
#include "storage/sched_options.h"
#include "storage_test_values.h"
#include "task/shared/module_directory.h"

namespace {

void FillLikeTheFixture(CSchedOptions& options)
{
    options.m_RunOnStartup = 1;
    options.m_ScheduleInterval = 30;
    options.m_StartupDelay = 120;
    options.m_SendKeyDelay = 75;
    options.m_SortOrder = 2;
    options.m_DisplayErrors = 0;
    options.m_LogErrors = 1;
    options.m_ErrorFileName = "D:\\logs\\errors.log";
    const LONG workDays[] = {1, 1, 0, 1, 1, 1, 0};
    for (int day = 0; day < 7; ++day)
        options.m_WorkDays[day] = workDays[day];
    options.AddHoliday(OaDate(2025, 12, 25));
    options.AddHoliday(OaDate(2026, 1, 1));
    options.AddLogin("Office", "CORP", "jsmith", "Pa55word");
    options.AddLogin("Backup account", "", "backup", "");
}

TEST(SchedOptions, FirstStartDefaults)
{
    CSchedOptions options;
    EXPECT_EQ(options.m_RunOnStartup, 0);
    EXPECT_EQ(options.m_ScheduleInterval, 10);
    EXPECT_EQ(options.m_StartupDelay, 0);
    EXPECT_EQ(options.m_SendKeyDelay, 50);
    EXPECT_EQ(options.m_SortOrder, 0);
    EXPECT_EQ(options.m_ReservedA, 1);
    EXPECT_EQ(options.m_DisplayErrors, 1);
    EXPECT_EQ(options.m_LogErrors, 1);
    EXPECT_EQ(options.m_ReservedB, 0);
    EXPECT_EQ(std::string(options.m_Title), "Tarvex");
    EXPECT_EQ(std::string(options.m_ErrorFileName), GetModuleDirectory() + "Qvxerror.log");
    const LONG workDays[] = {1, 1, 1, 1, 1, 0, 0};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(options.m_WorkDays[day], workDays[day]) << "day " << day;
    EXPECT_EQ(options.GetHolidayCount(), 0);
    EXPECT_EQ(options.GetLoginCount(), 0);
}

TEST(SchedOptions, StoresVersion2WithHolidaysAndLoginsAsTaggedObjects)
{
    CSchedOptions options;
    FillLikeTheFixture(options);
    const Bytes expected = FixtureBytes("settings_v2.hex");
    const Bytes stored = StoreRecord(options);
    EXPECT_EQ(stored, expected) << "stored:   " << HexOf(stored) << "\nexpected: " << HexOf(expected);
}

TEST(SchedOptions, LoadsVersion2AndStoresTheSameBytes)
{
    const Bytes image = FixtureBytes("settings_v2.hex");
    CSchedOptions options;
    ASSERT_EQ(LoadRecord(options, image), RecordLoad::loaded);
    EXPECT_EQ(options.m_SendKeyDelay, 75);
    EXPECT_EQ(std::string(options.m_ErrorFileName), "D:\\logs\\errors.log");
    ASSERT_EQ(options.GetHolidayCount(), 2);
    EXPECT_EQ(options.GetHoliday(1).m_dt, OaDate(2026, 1, 1));
    ASSERT_EQ(options.GetLoginCount(), 2);
    EXPECT_EQ(std::string(options.GetLogin(0).GetLoginName()), "jsmith");
    EXPECT_EQ(std::string(options.GetLogin(0).GetPassword()), "Pa55word");
    EXPECT_EQ(std::string(options.GetLogin(1).GetDescription()), "Backup account");
    EXPECT_EQ(StoreRecord(options), image);
}

TEST(SchedOptions, Version1HasNoLogins)
{
    CSchedOptions options;
    options.AddLogin("stale", "", "x", "y");
    ASSERT_EQ(LoadRecord(options, FixtureBytes("settings_v1.hex")), RecordLoad::loaded);
    EXPECT_EQ(options.GetHolidayCount(), 2);
    EXPECT_EQ(options.GetLoginCount(), 0);
    EXPECT_EQ(options.m_ScheduleInterval, 30);
}

TEST(SchedOptions, LoadingReplacesTheHolidays)
{
    CSchedOptions options;
    options.AddHoliday(OaDate(1999, 1, 1));
    ASSERT_EQ(LoadRecord(options, FixtureBytes("settings_v2.hex")), RecordLoad::loaded);
    ASSERT_EQ(options.GetHolidayCount(), 2);
    EXPECT_EQ(options.GetHoliday(0).m_dt, OaDate(2025, 12, 25));
}

TEST(SchedOptions, NullTagIsAnEmptyLoginEntry)
{
    CSchedOptions options;
    options.AddLogin("Office", "CORP", "jsmith", "Pa55word");
    Bytes image = StoreRecord(options);
    // The login count 1 becomes 2, and a null tag follows the record.
    const size_t countAt = image.size() - (2 + 2 + 2 + 17) - (4 + 7 + 5 + 7 + 9) - 2;
    ASSERT_EQ(image[countAt], 1);
    image[countAt] = 2;
    image.push_back(0);
    image.push_back(0);
    CSchedOptions loaded;
    ASSERT_EQ(LoadRecord(loaded, image), RecordLoad::loaded);
    ASSERT_EQ(loaded.GetLoginCount(), 1);
    EXPECT_EQ(std::string(loaded.GetLogin(0).GetDescription()), "Office");
}

TEST(SchedOptions, RefusesAnotherClassInTheLoginList)
{
    // One login entry that is a string array, a class the stream knows but
    // not a login.
    CSchedOptions options;
    Bytes image = StoreRecord(options);
    image.pop_back();
    image.pop_back();
    CStringArray foreign;
    CMemFile memory;
    {
        CArchive ar(&memory, CArchive::store);
        ar.WriteCount(1);
        ar.WriteObject(&foreign);
        ar.Close();
    }
    const size_t size = static_cast<size_t>(memory.GetLength());
    BYTE* block = memory.Detach();
    image.insert(image.end(), block, block + size);
    std::free(block);
    CSchedOptions loaded;
    EXPECT_EQ(LoadRecord(loaded, image), RecordLoad::damaged);
}

TEST(SchedOptions, RefusesOneLoginNamedTwice)
{
    Bytes image = FixtureBytes("settings_v2.hex");
    // Replace the second login (tag 0x8001 and its record) by a reference
    // to the first login object (index 2).
    const Bytes second = {0x01, 0x80};
    const auto at = std::find_end(image.begin(), image.end(), second.begin(), second.end());
    ASSERT_NE(at, image.end());
    image.erase(at, image.end());
    image.push_back(0x02);
    image.push_back(0x00);
    CSchedOptions loaded;
    EXPECT_EQ(LoadRecord(loaded, image), RecordLoad::damaged);
}

TEST(SchedOptions, RefusesVersionsThatNothingWroteAndTruncations)
{
    const Bytes image = FixtureBytes("settings_v2.hex");
    for (LONG version : {0L, 3L, -2L}) {
        Bytes changed = image;
        std::memcpy(changed.data(), &version, 4);
        CSchedOptions options;
        EXPECT_EQ(LoadRecord(options, changed), RecordLoad::damaged) << version;
    }
    for (size_t length = 1; length < image.size(); ++length) {
        CSchedOptions options;
        EXPECT_EQ(LoadRecord(options, Bytes(image.begin(), image.begin() + length)), RecordLoad::damaged)
            << "cut to " << length;
    }
}

}  // namespace
