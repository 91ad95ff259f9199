// The settings file on disk: created with the defaults at the first start,
// refused and kept when it is damaged, replaced whole when saved.
#include <gtest/gtest.h>

#include <string>

#include "byte_image.h"
#include "record_stream.h"
#include "scratch_folder.h"
#include "storage/sched_options.h"
#include "storage/storage_log.h"

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    std::string LogText() const
    {
        const Bytes bytes = folder_.Read("errors.log");
        return std::string(bytes.begin(), bytes.end());
    }
    CStorageLog Log() const { return CStorageLog(folder_.PathOf("errors.log").c_str()); }

    ScratchFolder folder_;
};

TEST_F(SettingsFileTest, MissingFileIsCreatedWithTheDefaults)
{
    CSchedOptions options;
    CStorageLog log = Log();
    EXPECT_EQ(options.LoadFromFile(folder_.Storage(), log), CSchedOptions::Load::created);
    CSchedOptions defaults;
    EXPECT_EQ(folder_.Read("$qvxsys.dat"), StoreRecord(defaults));
    EXPECT_EQ(options.m_ScheduleInterval, 10);
}

TEST_F(SettingsFileTest, ExistingFileIsRead)
{
    folder_.Write("$qvxsys.dat", FixtureBytes("settings_v2.hex"));
    CSchedOptions options;
    CStorageLog log = Log();
    EXPECT_EQ(options.LoadFromFile(folder_.Storage(), log), CSchedOptions::Load::loaded);
    EXPECT_EQ(options.GetLoginCount(), 2);
}

TEST_F(SettingsFileTest, DamagedOrEmptyFileIsRefusedReportedAndKept)
{
    Bytes truncated = FixtureBytes("settings_v2.hex");
    truncated.resize(truncated.size() - 3);
    for (const Bytes& content : {truncated, Bytes(), BytesOf("[settings]\r\nInterval=10\r\n")}) {
        folder_.Write("$qvxsys.dat", content);
        CSchedOptions options;
        CStorageLog log = Log();
        EXPECT_EQ(options.LoadFromFile(folder_.Storage(), log), CSchedOptions::Load::refused);
        EXPECT_NE(LogText().find(folder_.PathOf("$qvxsys.dat")), std::string::npos) << LogText();
        EXPECT_EQ(folder_.Read("$qvxsys.dat"), content);
    }
}

TEST_F(SettingsFileTest, SaveReplacesTheFileWhole)
{
    folder_.Write("$qvxsys.dat", FixtureBytes("settings_v2.hex"));
    CSchedOptions options;
    CStorageLog log = Log();
    ASSERT_TRUE(options.SaveToFile(folder_.Storage(), log));
    EXPECT_EQ(folder_.Read("$qvxsys.dat"), StoreRecord(options));
    EXPECT_EQ(folder_.FileNames(""), std::vector<std::string>{"$qvxsys.dat"});
}

}  // namespace
