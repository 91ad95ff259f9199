// The file tests of a condition: the file's status against a baseline, the
// lock test and the directory search for a path or a pattern.
#pragma once

#include <windows.h>

// What a file change is measured by: its size, modification time and
// creation time (which the runtime library reports as its change time).
struct FileStatus {
    ULONGLONG size = 0;
    FILETIME modified = {};
    FILETIME created = {};
};

bool operator==(const FileStatus& a, const FileStatus& b);
inline bool operator!=(const FileStatus& a, const FileStatus& b) { return !(a == b); }

// The status of a file or directory; false when the path is not accessible.
bool ReadFileStatus(const char* path, FileStatus* status);

// Whether opening the file for writing fails: someone holds it open without
// sharing write access, or it can't be written at all.
bool IsFileLocked(const char* path);

// Whether a directory search for the path (wildcards allowed in its last
// part) finds an entry other than "." and "..". With requireUnlocked, only
// an entry that is not locked counts. An empty path finds nothing.
bool FindFileEntry(const char* path, bool requireUnlocked);
