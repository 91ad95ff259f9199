// CTaskFolderLoader: loading every task file of the tasks folder into the
// scheduler's task collection at start-up, the work behind
// QVSchedStorage::ReadAllTask.
//
// Tasks from files written before record version 5 that had both a schedule
// and an enabled condition are split in two: the task keeps its schedule
// with the condition disabled, and a second task "Trigger For - <name>"
// carries the condition with a command that runs, enables or disables the
// first. Both end in the collection.
#pragma once

#include <objbase.h>

#include <vector>

#include "platform/com/com_ptr.h"
#include "platform/framework/string.h"
#include "qvxtask.h"
#include "storage/storage_folder.h"

class CTaskFolderLoader {
public:
    explicit CTaskFolderLoader(const CStorageFolder& folder);

    // E_INVALIDARG for a null scheduler, E_FAIL when it does not give
    // IQVScheduler; otherwise S_OK, also when the scheduler has no task
    // collection, the folder has no task file or the task class can't be
    // reached. A file that can't be read is skipped; it never stops the
    // others. Tasks are made by the registered QVTask class, which is only
    // looked for when there is a task file.
    HRESULT LoadAll(IDispatch* scheduler);
    // The same with the given maker of task objects (none: nothing loaded).
    HRESULT LoadAll(IDispatch* scheduler, IClassFactory* taskClass);

    // The names (without ".tsk") of the task files, in the order of the
    // directory search; names that can't be task names are left out.
    std::vector<CString> ListTaskNames() const;

private:
    HRESULT Load(IDispatch* scheduler, IClassFactory* taskClass, bool findTaskClass);
    tvx::com::ComPtr<IQVTask> NewTask(IClassFactory* taskClass) const;
    void LoadTask(const CString& name, IClassFactory* taskClass, IQVTaskCollection* collection);
    // The second task of a split, saved under its own name; null when the
    // split could not be made (the first task is then left as it is).
    tvx::com::ComPtr<IQVTask> ConvertConditionToTriggerTask(const CString& name, IClassFactory* taskClass) const;
    bool AddedAsSecondTask(const CString& name) const;

    CStorageFolder m_Folder;
    std::vector<CString> m_SecondTasks;
};
