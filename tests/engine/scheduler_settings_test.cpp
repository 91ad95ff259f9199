// The scheduler's settings before any settings file is read: the defaults a
// new settings file gets.
#include <gtest/gtest.h>

#include "engine/ansi_text.h"
#include "engine/scheduler_settings.h"
#include "task/shared/module_directory.h"

namespace {

TEST(SchedulerSettings, DefaultsAreThoseOfANewSettingsFile)
{
    const SchedulerSettings settings = SchedulerSettings::Defaults();
    EXPECT_EQ(settings.run_on_startup, 0);
    EXPECT_EQ(settings.schedule_interval, 10);
    EXPECT_EQ(settings.startup_delay, 0);
    EXPECT_EQ(settings.send_key_delay, 50);
    EXPECT_EQ(settings.sort_order, 0);
    EXPECT_EQ(settings.display_errors, 1);
    EXPECT_EQ(settings.log_errors, 1);
    const long work_days[7] = {1, 1, 1, 1, 1, 0, 0};
    for (int day = 0; day < 7; ++day)
        EXPECT_EQ(settings.work_days[day], work_days[day]) << "day " << day;
    EXPECT_EQ(settings.error_file_name, WideFromAnsi(GetModuleDirectory().c_str()) + L"Qvxerror.log");
    EXPECT_FALSE(GetModuleDirectory().empty());
}

}  // namespace
