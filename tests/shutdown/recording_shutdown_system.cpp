#include "recording_shutdown_system.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

RecordingShutdownSystem::RecordingShutdownSystem() = default;

bool RecordingShutdownSystem::IsWindows9x()
{
    return IsSet("TVX_SHUTDOWN_WIN9X") || Win32ShutdownSystem::IsWindows9x();
}

bool RecordingShutdownSystem::EnableShutdownPrivilege()
{
    Record("privilege");
    if (IsSet("TVX_SHUTDOWN_REFUSE_PRIVILEGE"))
        return false;
    return Win32ShutdownSystem::EnableShutdownPrivilege();
}

void RecordingShutdownSystem::EndExplorer()
{
    Record("explorer");
}

void RecordingShutdownSystem::EndSessionOfTopLevelWindows(LPARAM endSessionFlag)
{
    char line[32];
    std::snprintf(line, sizeof(line), "windows %lx", static_cast<unsigned long>(endSessionFlag));
    Record(line);
}

bool RecordingShutdownSystem::ExitSession(UINT code)
{
    Record("exit " + std::to_string(code));
    return !IsSet("TVX_SHUTDOWN_FAIL_EXIT");
}

void RecordingShutdownSystem::Record(const std::string& line)
{
    const char* path = std::getenv("TVX_SHUTDOWN_LOG");
    if (!path || !*path)
        return;
    if (FILE* file = std::fopen(path, "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}
