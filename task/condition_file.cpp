#include "task/condition_file.h"

#include "platform/com/handle.h"
#include "platform/framework/filefind.h"

namespace {

bool SameTime(const FILETIME& a, const FILETIME& b)
{
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

}  // namespace

bool operator==(const FileStatus& a, const FileStatus& b)
{
    return a.size == b.size && SameTime(a.modified, b.modified) && SameTime(a.created, b.created);
}

bool ReadFileStatus(const char* path, FileStatus* status)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return false;
    status->size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status->modified = data.ftLastWriteTime;
    status->created = data.ftCreationTime;
    return true;
}

bool IsFileLocked(const char* path)
{
    // Sharing read and write lets a writer that shares them count as not
    // locking the file; one that denies write access makes this open fail.
    const tvx::com::Handle file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file.Valid();
}

bool FindFileEntry(const char* path, bool requireUnlocked)
{
    // The search takes an empty path for "every file here".
    if (path == nullptr || *path == '\0')
        return false;
    CFileFind finder;
    bool more = finder.FindFile(path);
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDots())
            continue;
        if (!requireUnlocked || !IsFileLocked(finder.GetFilePath()))
            return true;
    }
    return false;
}
