// A burst of files for the engine's task folder: made in a folder beside it
// and moved in all at once, as a copy from the explorer drops thousands of
// files. Besides the task files it may hold files that are no tasks:
// damaged task files (text, empty, cut short) and the temporary files that
// saves killed midway leave ("qvx<hex>.tmp", each holding a whole task).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace enginetest {

struct BurstMix {
    int tasks = 0;
    int damaged = 0;
    int leftovers = 0;
};

class TaskFileBurst {
public:
    // Writes one task through a QVTask of this process (into the task folder
    // for a moment) and makes the burst's files from it; the names are
    // "<prefix>-0000" on. Up to 10 000 tasks.
    TaskFileBurst(const std::wstring& prefix, const BurstMix& mix);
    // Removes every file of the burst, dropped or not.
    ~TaskFileBurst();
    TaskFileBurst(const TaskFileBurst&) = delete;
    TaskFileBurst& operator=(const TaskFileBurst&) = delete;

    // Whether every file could be made.
    bool Ready() const { return ready_; }
    // Moves every file into the task folder, the damaged and temporary ones
    // spread among the tasks; false when one could not be moved.
    bool Drop();
    // Deletes the burst's task files from the task folder, all at once.
    bool DeleteTasks();
    // The descriptions of the burst's tasks.
    const std::vector<std::wstring>& TaskNames() const { return task_names_; }

private:
    std::wstring staging_;
    std::vector<std::wstring> files_;  // in the order of the drop
    std::vector<std::wstring> task_names_;
    bool ready_ = false;
};

// A whole number from the environment, or the fallback when it is unset or
// not above 0: lengths of soaks and sizes of bursts run longer by hand.
int EnvironmentCount(const wchar_t* name, int fallback);

}  // namespace enginetest
