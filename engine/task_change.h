// Saving a change the engine makes to one task of its list on a client's
// request (EnableTask, ResetTrigger) so that neither it nor a save another
// program makes of the same task at the same time is lost.
//
// The task storage refuses to save a task whose file another program has
// changed since the task was read: the change is then applied to the task
// as that file holds it, and saved again. A save also reads the task back
// from its file; when that brought another program's save made in between
// (one that did not start from this task's file), the change is applied to
// it again as well.
#pragma once

#include <objbase.h>

#include <functional>
#include <string>

#include "qvxtask.h"

struct TaskChange {
    // Makes the change on the task.
    std::function<void(IQVTask*)> apply;
    // Whether the task, as it was read back after its save, holds it.
    std::function<bool(IQVTask*)> holds;
};

// S_OK once the change is saved. Otherwise the failure of the last save,
// with its reason in *error_text: the file can't be written or read, or
// other programs kept changing it.
HRESULT SaveTaskChange(IQVTask* task, const TaskChange& change, std::wstring* error_text);
