// CTaskFileLock: the task files of one tasks folder are read, checked and
// replaced by one program at a time. A save checks that the file is still
// the one its task was read from and then replaces it; without the lock a
// second save could replace the file in between and be overwritten unseen.
// The lock is a named mutex, so it holds across the engine, the
// administrator and any other program (also across sessions, where the
// system lets the name be global).
#pragma once

#include <windows.h>

#include "platform/com/handle.h"
#include "storage/storage_folder.h"

class CTaskFileLock {
public:
    // Waits up to wait_ms for the folder's lock.
    explicit CTaskFileLock(const CStorageFolder& folder, DWORD wait_ms = kDefaultWaitMs);
    ~CTaskFileLock();
    CTaskFileLock(const CTaskFileLock&) = delete;
    CTaskFileLock& operator=(const CTaskFileLock&) = delete;

    // False when the lock could not be had within the wait.
    bool Held() const { return m_held; }

    static constexpr DWORD kDefaultWaitMs = 10000;

private:
    tvx::com::Handle m_mutex;
    bool m_held = false;
};
