#include "engine/scheduler_settings.h"

#include "engine/ansi_text.h"
#include "task/shared/module_directory.h"

SchedulerSettings SchedulerSettings::Defaults()
{
    SchedulerSettings settings;
    settings.error_file_name = WideFromAnsi(GetModuleDirectory().c_str()) + L"Qvxerror.log";
    return settings;
}
