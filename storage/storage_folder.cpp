#include "storage/storage_folder.h"

#include <windows.h>

#include "task/shared/module_directory.h"

namespace {

CString WithFinalBackslash(const CString& directory)
{
    if (directory.IsEmpty())
        return directory;
    const char last = directory[directory.GetLength() - 1];
    if (last == '\\' || last == '/')
        return directory;
    return directory + "\\";
}

}  // namespace

CStorageFolder::CStorageFolder() : m_HostDirectory(GetModuleDirectory().c_str())
{
}

CStorageFolder::CStorageFolder(const CString& hostDirectory) : m_HostDirectory(WithFinalBackslash(hostDirectory))
{
}

CString CStorageFolder::TaskFolder() const
{
    return m_HostDirectory + "tasks\\";
}

CString CStorageFolder::TaskFilePath(const CString& taskName) const
{
    CString path;
    path.Format("%s%s%s.tsk", static_cast<const char*>(m_HostDirectory), "tasks\\",
                static_cast<const char*>(taskName));
    return path;
}

CString CStorageFolder::DefaultTaskFilePath() const
{
    return m_HostDirectory + "$default.tsk";
}

CString CStorageFolder::SettingsFilePath() const
{
    return m_HostDirectory + "$qvxsys.dat";
}

bool CStorageFolder::EnsureTaskFolder() const
{
    const CString folder = TaskFolder();
    if (CreateDirectoryA(folder, nullptr))
        return true;
    const DWORD attributes = GetFileAttributesA(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}
