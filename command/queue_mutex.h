// The named mutex "MutexProtectExecuteQue" that serialises the preparation and
// the clean-up of every queue run, across all processes that load the
// component.
#pragma once

#include <windows.h>

// The component's handle of the mutex, created (not owned) on first use; the
// module asks for it when it is loaded. Null when it could not be created.
HANDLE QueueMutex();

// Waits for the mutex in one-second slices for as long as it is held. An
// abandoned mutex counts as acquired.
class QueueMutexLock {
public:
    explicit QueueMutexLock(HANDLE mutex) : m_hMutex(mutex) {}
    ~QueueMutexLock() { Release(); }
    QueueMutexLock(const QueueMutexLock&) = delete;
    QueueMutexLock& operator=(const QueueMutexLock&) = delete;

    // ERROR_SUCCESS once owned, else the error of the failed wait.
    DWORD Acquire();
    // ERROR_SUCCESS, also when not owned; else the release's error.
    DWORD Release();

private:
    HANDLE m_hMutex;
    bool m_bOwned = false;
};
