// Shared between the two-process queue mutex test and its helper program.
#pragma once

#include <windows.h>

// In a named file mapping: how many helper processes are inside a queue
// run's preparation or clean-up right now, the most there ever were, and
// how many such sections were entered in all.
struct QueueOverlapCounters {
    volatile LONG inside;
    volatile LONG most_inside;
    volatile LONG sections;
};
