// The benchmark's task folder: many task files of the kinds an installation
// holds, none of them due while the benchmark runs.
//
// One file of each kind is written through QvxTask (so its bytes are the
// storage's own); every other file is a copy with its name written into the
// description, which the storage would otherwise rewrite on the first read.
#pragma once

#include <string>

namespace benchfiles {

struct TaskMix {
    int scheduled = 0;  // daily with repeats, weekly, monthly, one time in the future
    int condition = 0;  // file, window, application and process watches
    int disabled = 0;
};

// Replaces the task files of "<folder>tasks\" with `count` new ones and the
// settings file with none. False when a file can't be written.
bool WriteTaskFolder(const std::wstring& folder, int count, TaskMix& mix);

// Removes every task file of "<folder>tasks\".
void ClearTaskFolder(const std::wstring& folder);

}  // namespace benchfiles
