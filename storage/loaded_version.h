// The record version of the task file last read on this thread, as it was
// before reading rewrote an old file. The folder loader decides on splitting
// a task by that version; learning it from the read itself spares opening
// every task file a second time at the engine's start.
#pragma once

#include <windows.h>

class CLoadedVersionWatch {
public:
    // Watches the reads of the calling thread until destroyed.
    CLoadedVersionWatch();
    ~CLoadedVersionWatch();
    CLoadedVersionWatch(const CLoadedVersionWatch&) = delete;
    CLoadedVersionWatch& operator=(const CLoadedVersionWatch&) = delete;

    // Forgets what was seen, before the next read.
    void Reset();
    // The version of the last file read since Reset; false when none was.
    bool Seen(LONG& version) const;

    // Called by every successful read of a task file.
    static void Report(LONG version);

private:
    CLoadedVersionWatch* m_Outer;
    bool m_Seen = false;
    LONG m_Version = 0;
};
