// The values of task_v5.hex as the properties of a task double, and the
// reverse check.
#pragma once

#include "fake_task.h"

// Every property of the task, its schedule and its condition set to the
// value task_v5.hex stores for it (mostly its field number).
void SetDistinctProperties(FakeTask& task);
// Adds a failure for every property that does not hold its task_v5.hex
// value.
void ExpectDistinctProperties(const FakeTask& task);
