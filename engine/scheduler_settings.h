// The scheduler-wide settings and work days of the engine's scheduler
// object. They hold the settings file's defaults from the start, so that a
// scheduler whose settings file can't be read still works with them.
#pragma once

#include <string>

// Passes are made on every multiple of the interval: below one second the
// test has no meaning.
inline constexpr long kMinScheduleInterval = 1;

struct SchedulerSettings {
    long run_on_startup = 0;
    long schedule_interval = 10;  // seconds
    long startup_delay = 0;       // seconds
    long send_key_delay = 50;     // milliseconds
    short sort_order = 0;
    long display_errors = 1;
    long log_errors = 1;
    std::wstring error_file_name;  // "Qvxerror.log" in the program directory
    long work_days[7] = {1, 1, 1, 1, 1, 0, 0};  // Monday ... Sunday

    // The defaults of a new settings file.
    static SchedulerSettings Defaults();
};
