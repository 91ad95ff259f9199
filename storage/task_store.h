// CTaskStore: reading, writing and deleting one task's file, the work
// behind QVTaskStorage. Each call works on a record of its own; the store
// keeps nothing between calls but the reason of its last failure.
//
// Storage type 0 is the task's own file "tasks\<description>.tsk", 1 the
// default task file; any other is refused with E_FAIL before anything is
// written or deleted. A description that can't be a plain file name is
// refused with E_INVALIDARG, also before anything is written or deleted, and
// so is one whose task file would have a path too long to open.
// Files that can't be read or written are reported in the error log (the
// task's ErrorLogFile, else "Qvxerror.log" in the host directory).
#pragma once

#include <oaidl.h>

#include "platform/framework/string.h"
#include "storage/storage_folder.h"

class CTaskParts;
struct IQVTaskFileState;

class CTaskStore {
public:
    explicit CTaskStore(const CStorageFolder& folder);

    // Fills the task from its file (type 0) or from the default task file
    // (type 1; a missing or empty one is first written with the defaults).
    // On failure the task is left as it was.
    HRESULT Read(IDispatch* task, short type);
    // Writes the task to its file (type 0; the tasks folder is created when
    // missing) or as the default task file (type 1). After a rename (the
    // task's OldDescription set and different) the old file is deleted once
    // the new one is saved, and the old name is then cleared. A task read
    // from its file (or written to it) is saved only while the file is
    // still as it left it: another program's save or deletion in between is
    // not overwritten; the save fails with E_FAIL and says so. A task
    // file's save first removes the temporary files that saves killed
    // midway left in the folder.
    HRESULT Write(IDispatch* task, short type);
    // Deletes the task's own file; S_OK when there is none.
    HRESULT Delete(IDispatch* task, short type);

    // Why the last call failed; empty after a success.
    const CString& ErrorText() const { return m_ErrorText; }

private:
    HRESULT Fail(HRESULT hr, const CString& text);
    HRESULT FailBadName(const CString& name);
    // S_OK when the name can name a task file in this folder, else the
    // E_INVALIDARG failure that says why.
    HRESULT CheckTaskName(const CString& name);
    HRESULT FailUnknownType(short type);
    HRESULT FailBusy(const CString& name);
    // S_OK when the task keeps no file version or its file still has that
    // version; otherwise the failure that says the file was changed or
    // deleted since (a save would lose that change).
    HRESULT CheckFileUnchanged(IQVTaskFileState* state, const CString& name);
    HRESULT DeleteRenamedFile(const CTaskParts& parts, const CString& oldName, const CString& name,
                              const CString& logFile);

    CStorageFolder m_Folder;
    CString m_ErrorText;
};
