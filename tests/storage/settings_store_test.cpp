// Moving the scheduler's settings, work days, holidays and logins between a
// scheduler double and the settings file.
#include <gtest/gtest.h>

#include <string>

#include "byte_image.h"
#include "fake_scheduler.h"
#include "fake_task.h"
#include "platform/com/co_init.h"
#include "record_stream.h"
#include "scratch_folder.h"
#include "storage/sched_options.h"
#include "storage/settings_store.h"
#include "storage_test_values.h"
#include "task/shared/module_directory.h"

using tvx::com::ComPtr;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStoreTest()
    {
        const std::string log = folder_.PathOf("errors.log");
        scheduler_->values.SetText("ErrorFileName", std::wstring(log.begin(), log.end()));
    }
    IDispatch* Scheduler() const { return static_cast<IQVScheduler*>(scheduler_.Get()); }
    std::string LogText() const
    {
        const Bytes bytes = folder_.Read("errors.log");
        return std::string(bytes.begin(), bytes.end());
    }
    void FillLikeTheFixture()
    {
        const std::pair<const char*, double> settings[] = {
            {"RunOnStartup", 1}, {"ScheduleInterval", 30}, {"StartupDelay", 120}, {"SendKeyDelay", 75},
            {"SortOrder", 2},    {"DisplayErrors", 0},     {"LogErrors", 1},
        };
        for (const auto& setting : settings)
            scheduler_->values.SetNumber(setting.first, setting.second);
        scheduler_->values.SetText("ErrorFileName", L"D:\\logs\\errors.log");
        const int workDays[] = {1, 1, 0, 1, 1, 1, 0};
        for (int day = 0; day < 7; ++day)
            scheduler_->values.SetNumber("IsWorkDay" + std::to_string(day), workDays[day]);
        scheduler_->holidays = {OaDate(2025, 12, 25), OaDate(2026, 1, 1)};
        scheduler_->logins = {{L"Office", L"CORP", L"jsmith", L"Pa55word"}, {L"Backup account", L"", L"backup", L""}};
    }

    tvx::com::CoInit com_{COINIT_APARTMENTTHREADED};
    ScratchFolder folder_;
    ComPtr<FakeScheduler> scheduler_ = FakeScheduler::Create();
    CSettingsStore store_{folder_.Storage()};
};

TEST_F(SettingsStoreTest, FirstReadCreatesTheFileAndGivesTheDefaults)
{
    ASSERT_EQ(store_.Read(Scheduler()), S_OK) << store_.ErrorText();
    EXPECT_TRUE(folder_.Exists("$qvxsys.dat"));
    const FakeScheduler& s = *scheduler_.Get();
    EXPECT_EQ(s.values.Number("ScheduleInterval"), 10);
    EXPECT_EQ(s.values.Number("SendKeyDelay"), 50);
    EXPECT_EQ(s.values.Number("DisplayErrors"), 1);
    EXPECT_EQ(s.values.Number("LogErrors"), 1);
    const std::string log = GetModuleDirectory() + "Qvxerror.log";
    EXPECT_EQ(s.values.Text("ErrorFileName"), std::wstring(log.begin(), log.end()));
    const int workDays[] = {1, 1, 1, 1, 1, 0, 0};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(s.values.Number("IsWorkDay" + std::to_string(day)), workDays[day]) << day;
}

TEST_F(SettingsStoreTest, ReadPutsEverySettingInOrderAndTheLists)
{
    folder_.Write("$qvxsys.dat", FixtureBytes("settings_v2.hex"));
    ASSERT_EQ(store_.Read(Scheduler()), S_OK) << store_.ErrorText();
    const std::vector<std::string> order = {"RunOnStartup", "ScheduleInterval", "StartupDelay", "SendKeyDelay",
                                            "SortOrder",    "DisplayErrors",    "LogErrors",    "ErrorFileName",
                                            "IsWorkDay0",   "IsWorkDay1",       "IsWorkDay2",   "IsWorkDay3",
                                            "IsWorkDay4",   "IsWorkDay5",       "IsWorkDay6"};
    EXPECT_EQ(scheduler_->values.Puts(), order);
    EXPECT_EQ(scheduler_->values.Number("StartupDelay"), 120);
    EXPECT_EQ(scheduler_->values.Number("SortOrder"), 2);
    EXPECT_EQ(scheduler_->values.Number("IsWorkDay2"), 0);
    EXPECT_EQ(scheduler_->values.Text("ErrorFileName"), L"D:\\logs\\errors.log");
    EXPECT_EQ(scheduler_->holidays, (std::vector<DATE>{OaDate(2025, 12, 25), OaDate(2026, 1, 1)}));
    ASSERT_EQ(scheduler_->logins.size(), 2u);
    EXPECT_EQ(scheduler_->logins[0], (FakeScheduler::Login{L"Office", L"CORP", L"jsmith", L"Pa55word"}));
    EXPECT_EQ(scheduler_->logins[1], (FakeScheduler::Login{L"Backup account", L"", L"backup", L""}));
}

TEST_F(SettingsStoreTest, ReadReplacesTheSchedulersHolidaysAndLogins)
{
    folder_.Write("$qvxsys.dat", FixtureBytes("settings_v2.hex"));
    scheduler_->holidays = {OaDate(1999, 1, 1), OaDate(1999, 1, 2), OaDate(1999, 1, 3)};
    scheduler_->logins = {{L"stale", L"", L"x", L"y"}};
    ASSERT_EQ(store_.Read(Scheduler()), S_OK);
    EXPECT_EQ(scheduler_->holidays, (std::vector<DATE>{OaDate(2025, 12, 25), OaDate(2026, 1, 1)}));
    EXPECT_EQ(scheduler_->logins.size(), 2u);
}

TEST_F(SettingsStoreTest, DamagedFileLeavesTheSchedulerAsItWas)
{
    Bytes truncated = FixtureBytes("settings_v2.hex");
    truncated.resize(truncated.size() - 1);
    folder_.Write("$qvxsys.dat", truncated);
    scheduler_->holidays = {OaDate(1999, 1, 1)};
    scheduler_->logins = {{L"kept", L"", L"x", L"y"}};
    scheduler_->values.ForgetPuts();
    EXPECT_EQ(store_.Read(Scheduler()), E_FAIL);
    EXPECT_TRUE(scheduler_->values.Puts().empty());
    EXPECT_EQ(scheduler_->holidays.size(), 1u);
    EXPECT_EQ(scheduler_->logins.size(), 1u);
    EXPECT_EQ(folder_.Read("$qvxsys.dat"), truncated);
    EXPECT_NE(LogText().find(folder_.PathOf("$qvxsys.dat")), std::string::npos) << LogText();
    EXPECT_NE(std::string(store_.ErrorText()).find("$qvxsys.dat"), std::string::npos);
}

TEST_F(SettingsStoreTest, WriteStoresEverySettingHolidayAndLoginByteForByte)
{
    FillLikeTheFixture();
    ASSERT_EQ(store_.Write(Scheduler()), S_OK) << store_.ErrorText();
    const Bytes expected = FixtureBytes("settings_v2.hex");
    const Bytes written = folder_.Read("$qvxsys.dat");
    EXPECT_EQ(written, expected) << "written:  " << HexOf(written) << "\nexpected: " << HexOf(expected);
}

TEST_F(SettingsStoreTest, Version1FileGivesNoLoginsAndTheNextWriteStoresVersion2)
{
    folder_.Write("$qvxsys.dat", FixtureBytes("settings_v1.hex"));
    scheduler_->logins = {{L"stale", L"", L"x", L"y"}};
    ASSERT_EQ(store_.Read(Scheduler()), S_OK);
    EXPECT_TRUE(scheduler_->logins.empty());
    scheduler_->logins = {{L"Office", L"CORP", L"jsmith", L"Pa55word"}, {L"Backup account", L"", L"backup", L""}};
    ASSERT_EQ(store_.Write(Scheduler()), S_OK);
    EXPECT_EQ(folder_.Read("$qvxsys.dat"), FixtureBytes("settings_v2.hex"));
}

TEST_F(SettingsStoreTest, NullAndNonSchedulerObjectsAreRefused)
{
    EXPECT_EQ(store_.Read(nullptr), E_INVALIDARG);
    EXPECT_EQ(store_.Write(nullptr), E_INVALIDARG);
    ComPtr<FakeTask> task = FakeTask::Create(folder_.Storage());
    IDispatch* notAScheduler = static_cast<IQVTask*>(task.Get());
    EXPECT_EQ(store_.Read(notAScheduler), E_NOINTERFACE);
    EXPECT_EQ(store_.Write(notAScheduler), E_FAIL);
    EXPECT_FALSE(folder_.Exists("$qvxsys.dat"));
}

TEST_F(SettingsStoreTest, WriteThatCannotReplaceTheFileFails)
{
    ASSERT_TRUE(CreateDirectoryA(folder_.PathOf("$qvxsys.dat").c_str(), nullptr));
    EXPECT_EQ(store_.Write(Scheduler()), E_FAIL);
}

}  // namespace
