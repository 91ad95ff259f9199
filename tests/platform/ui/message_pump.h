// Bounded message pumping for tests: the thread's messages go through the
// framework's pre-translation and are dispatched, but never for longer than
// the time given, so a test that waits for something that never comes ends.
#pragma once

#include <windows.h>

#include <functional>

// Handles this thread's messages for about that long.
void PumpMessages(DWORD milliseconds);
// Handles messages until done() answers true (checked after every message
// and at least every 20 ms) or the time is up; answers done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
