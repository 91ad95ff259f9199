// CStorageFolder: where the storage component keeps its files, all in the
// host directory (the directory of the program that loaded the component):
// the task files in "tasks\", the default task file "$default.tsk" and the
// settings file "$qvxsys.dat".
#pragma once

#include "platform/framework/string.h"

class CStorageFolder {
public:
    // The host directory of the running program.
    CStorageFolder();
    // Another directory, for tests and tools. A missing final backslash is
    // added.
    explicit CStorageFolder(const CString& hostDirectory);

    const CString& HostDirectory() const { return m_HostDirectory; }
    // "<host>tasks\"
    CString TaskFolder() const;
    // "<host>tasks\<name>.tsk"
    CString TaskFilePath(const CString& taskName) const;
    // "<host>$default.tsk"
    CString DefaultTaskFilePath() const;
    // "<host>$qvxsys.dat"
    CString SettingsFilePath() const;

    // Creates the tasks folder when it is missing; false when it is still
    // not there.
    bool EnsureTaskFolder() const;

private:
    CString m_HostDirectory;
};
