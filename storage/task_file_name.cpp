#include "storage/task_file_name.h"

#include <windows.h>

#include <cstring>

#include "storage/storage_folder.h"

namespace {

// A file name element may have 255 characters; ".tsk" takes four of them.
constexpr int kLongestTaskName = 255 - 4;

const char* const kReservedDeviceNames[] = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9",
    "CONIN$", "CONOUT$",
};

bool IsForbiddenCharacter(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u < 32 || std::strchr("<>:\"/\\|?*", c) != nullptr;
}

// Windows opens the device for "NUL", "nul.txt" and "Nul .tsk" alike: the
// part before the first dot counts, without its trailing blanks.
bool IsReservedDeviceName(const CString& name)
{
    CString base = name;
    const int dot = base.Find('.');
    if (dot >= 0)
        base = base.Left(dot);
    base.TrimRight(' ');
    for (const char* reserved : kReservedDeviceNames) {
        if (base.CompareNoCase(reserved) == 0)
            return true;
    }
    return false;
}

}  // namespace

bool IsPlainTaskFileName(const CString& name)
{
    if (name.IsEmpty() || name.GetLength() > kLongestTaskName)
        return false;
    bool onlyDotsAndBlanks = true;
    for (int i = 0; i < name.GetLength(); ++i) {
        const char c = name[i];
        if (IsForbiddenCharacter(c))
            return false;
        if (c != '.' && c != ' ')
            onlyDotsAndBlanks = false;
    }
    return !onlyDotsAndBlanks && !IsReservedDeviceName(name);
}

bool TaskFilePathFits(const CStorageFolder& folder, const CString& name)
{
    return folder.TaskFilePath(name).GetLength() < MAX_PATH;
}
