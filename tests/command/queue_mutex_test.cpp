// Queue runs of different processes never prepare or clean up at the same
// time: two helper processes run the same slow runs together and count how
// many are inside at once.
#include <gtest/gtest.h>

#include <string>

#include "command/owned_handle.h"
#include "queue_overlap.h"

namespace {

constexpr int kRunsPerProcess = 10;

std::string HelperPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1) + "queue_overlap_helper.exe";
}

QueueOverlapCounters RunTwoHelpers(const char* mode)
{
    const std::string suffix = std::to_string(::GetCurrentProcessId()) + mode;
    const std::string mapping_name = "TarvexQueueOverlap" + suffix;
    const std::string event_name = "TarvexQueueOverlapStart" + suffix;
    OwnedKernelHandle mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                   sizeof(QueueOverlapCounters), mapping_name.c_str()));
    OwnedKernelHandle start(::CreateEventA(nullptr, TRUE, FALSE, event_name.c_str()));
    QueueOverlapCounters result{};
    if (!mapping || !start) {
        ADD_FAILURE() << "no shared memory or start event";
        return result;
    }
    OwnedKernelHandle processes[2];
    for (OwnedKernelHandle& process : processes) {
        std::string command_line = "\"" + HelperPath() + "\" " + mapping_name + " " + event_name + " " +
                                   std::to_string(kRunsPerProcess) + " " + mode;
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (!::CreateProcessA(nullptr, &command_line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &info)) {
            ADD_FAILURE() << "cannot start " << command_line << ": " << ::GetLastError();
            return result;
        }
        ::CloseHandle(info.hThread);
        process.reset(info.hProcess);
    }
    ::SetEvent(start.get());
    for (OwnedKernelHandle& process : processes) {
        EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(process.get(), 60000));
        DWORD exit_code = 99;
        ::GetExitCodeProcess(process.get(), &exit_code);
        EXPECT_EQ(0u, exit_code);
    }
    const auto* counters = static_cast<const QueueOverlapCounters*>(
        ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(QueueOverlapCounters)));
    if (counters != nullptr) {
        result = {counters->inside, counters->most_inside, counters->sections};
        ::UnmapViewOfFile(counters);
    }
    return result;
}

TEST(QueueMutexTest, PreparationsAndCleanUpsOfTwoProcessesNeverOverlap)
{
    const QueueOverlapCounters counters = RunTwoHelpers("shared");
    EXPECT_EQ(2 * kRunsPerProcess * 2, counters.sections) << "a preparation and a clean-up per run";
    EXPECT_EQ(1, counters.most_inside);
    EXPECT_EQ(0, counters.inside);
}

TEST(QueueMutexTest, WithoutTheSharedMutexTheSameRunsOverlap)
{
    // Shows that the counting above would see an overlap.
    const QueueOverlapCounters counters = RunTwoHelpers("private");
    EXPECT_EQ(2 * kRunsPerProcess * 2, counters.sections);
    EXPECT_EQ(2, counters.most_inside);
}

}  // namespace
