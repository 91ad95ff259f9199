#include "storage/task_store.h"

#include <windows.h>

#include "interfaces/task_file_state.h"
#include "platform/com/bstr.h"
#include "platform/com/com_ptr.h"
#include "storage/file_replacement.h"
#include "storage/record_file.h"
#include "storage/sched_item.h"
#include "storage/storage_log.h"
#include "storage/storage_texts.h"
#include "storage/task_file_lock.h"
#include "storage/task_file_name.h"
#include "storage/task_parts.h"

namespace {

enum StorageType : short {
    kTaskFile = 0,
    kDefaultTaskFile = 1,
};

// The error log the task names, else the default one.
CString ErrorLogOf(const CTaskParts& parts)
{
    tvx::com::Bstr name;
    if (FAILED(parts.Task()->get_ErrorLogFile(name.Receive())))
        return CString();
    return CString(name.c_str());
}

bool IsAbsence(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Which version of its file the task is based on; null for an object that
// does not keep one (another implementation of IQVTask, or one in another
// process), whose saves are not checked.
tvx::com::ComPtr<IQVTaskFileState> FileStateOf(IDispatch* task)
{
    tvx::com::ComPtr<IQVTaskFileState> state;
    if (task == nullptr || FAILED(task->QueryInterface(__uuidof(IQVTaskFileState), state.ReceiveVoid())))
        state.Reset();
    return state;
}

}  // namespace

CTaskStore::CTaskStore(const CStorageFolder& folder) : m_Folder(folder)
{
}

HRESULT CTaskStore::Fail(HRESULT hr, const CString& text)
{
    m_ErrorText = text;
    return hr;
}

HRESULT CTaskStore::FailBadName(const CString& name)
{
    CString text;
    text.Format(storage_text::kBadTaskName, static_cast<const char*>(name));
    return Fail(E_INVALIDARG, text);
}

HRESULT CTaskStore::CheckTaskName(const CString& name)
{
    if (!IsPlainTaskFileName(name))
        return FailBadName(name);
    if (!TaskFilePathFits(m_Folder, name)) {
        const CString path = m_Folder.TaskFilePath(name);
        CString text;
        text.Format(storage_text::kTaskNameTooLong, static_cast<const char*>(name), static_cast<const char*>(path),
                    path.GetLength(), MAX_PATH - 1);
        return Fail(E_INVALIDARG, text);
    }
    return S_OK;
}

HRESULT CTaskStore::FailBusy(const CString& name)
{
    CString text;
    text.Format(storage_text::kTaskFileBusy, static_cast<const char*>(m_Folder.TaskFilePath(name)));
    return Fail(E_FAIL, text);
}

HRESULT CTaskStore::CheckFileUnchanged(IQVTaskFileState* state, const CString& name)
{
    ULONGLONG basedOn = 0;
    if (state == nullptr || state->GetFileVersion(&basedOn) != S_OK)
        return S_OK;
    const CString path = m_Folder.TaskFilePath(name);
    ULONGLONG now = 0;
    DWORD error = 0;
    CString text;
    switch (ReadRecordFileVersion(path, &now, &error)) {
    case RecordLoad::loaded:
        if (now == basedOn)
            return S_OK;
        text.Format(storage_text::kTaskFileChanged, static_cast<const char*>(path));
        break;
    case RecordLoad::missing:
        text.Format(storage_text::kTaskFileGone, static_cast<const char*>(path));
        break;
    default:
        text.Format(storage_text::kTaskFileNotChecked, static_cast<const char*>(path), error);
        break;
    }
    return Fail(E_FAIL, text);
}

HRESULT CTaskStore::FailUnknownType(short type)
{
    CString text;
    text.Format(storage_text::kUnknownStorageType, static_cast<int>(type));
    return Fail(E_FAIL, text);
}

HRESULT CTaskStore::Read(IDispatch* task, short type)
{
    m_ErrorText.Empty();
    CTaskParts parts;
    const HRESULT attached = parts.Attach(task);
    if (attached == E_INVALIDARG)
        return Fail(E_INVALIDARG, storage_text::kNullObject);
    if (FAILED(attached))
        return Fail(E_FAIL, storage_text::kNotATask);

    CSchedItem item;
    CStorageLog log(ErrorLogOf(parts));
    const tvx::com::ComPtr<IQVTaskFileState> state = FileStateOf(task);
    ULONGLONG version = 0;
    switch (type) {
    case kTaskFile: {
        const CString name = parts.GetDescription();
        const HRESULT named = CheckTaskName(name);
        if (FAILED(named))
            return named;
        // A load may rewrite the file (an old format, another name inside).
        CTaskFileLock lock(m_Folder);
        if (!lock.Held())
            return FailBusy(name);
        if (!item.LoadFromFile(m_Folder, name, log, &version))
            return Fail(E_FAIL, log.LastText());
        parts.CopyFrom(item);
        if (state)
            state->SetFileVersion(version);
        return S_OK;
    }
    case kDefaultTaskFile:
        switch (item.LoadDefault(m_Folder, log)) {
        case CSchedItem::DefaultLoad::loaded:
            break;
        case CSchedItem::DefaultLoad::absent:
            // The first use makes the template; the task takes the defaults
            // whether or not it could be written.
            item.SaveDefault(m_Folder, log);
            break;
        case CSchedItem::DefaultLoad::refused:
            return Fail(E_FAIL, log.LastText());
        }
        break;
    default:
        return FailUnknownType(type);
    }
    parts.CopyFrom(item);
    // The task now holds the template, not its own file.
    if (state)
        state->ForgetFileVersion();
    return S_OK;
}

HRESULT CTaskStore::Write(IDispatch* task, short type)
{
    m_ErrorText.Empty();
    CTaskParts parts;
    const HRESULT attached = parts.Attach(task);
    if (attached == E_INVALIDARG)
        return Fail(E_INVALIDARG, storage_text::kNullObject);
    if (FAILED(attached))
        return Fail(E_FAIL, storage_text::kNotATask);
    if (type != kTaskFile && type != kDefaultTaskFile)
        return FailUnknownType(type);

    CSchedItem item;
    parts.CopyTo(item);
    const CString logFile = ErrorLogOf(parts);
    CStorageLog log(logFile);

    if (type == kDefaultTaskFile) {
        if (!item.SaveDefault(m_Folder, log))
            return Fail(E_FAIL, log.LastText());
        return S_OK;
    }

    const CString name = item.m_Description;
    const HRESULT named = CheckTaskName(name);
    if (FAILED(named))
        return named;
    const CString oldName = parts.GetOldDescription();
    if (!oldName.IsEmpty() && oldName.Compare(name) != 0 && !IsPlainTaskFileName(oldName))
        return FailBadName(oldName);

    CTaskFileLock lock(m_Folder);
    if (!lock.Held())
        return FailBusy(name);
    const tvx::com::ComPtr<IQVTaskFileState> state = FileStateOf(task);
    const HRESULT current = CheckFileUnchanged(state.Get(), name);
    if (FAILED(current))
        return current;

    if (!m_Folder.EnsureTaskFolder()) {
        CString text;
        text.Format(storage_text::kTaskFolderNotCreated, static_cast<const char*>(m_Folder.TaskFolder()),
                    GetLastError());
        log.Write(text);
        return Fail(E_FAIL, text);
    }
    // Under the lock no other save is under way: what a killed one left
    // goes before it can pile up.
    RemoveLeftoverTemporaryFiles(m_Folder.TaskFolder());
    ULONGLONG version = 0;
    if (!item.SaveToFile(m_Folder.TaskFilePath(name), log, &version))
        return Fail(E_FAIL, log.LastText());
    if (state)
        state->SetFileVersion(version);
    if (oldName.IsEmpty())
        return S_OK;
    return DeleteRenamedFile(parts, oldName, name, logFile);
}

HRESULT CTaskStore::DeleteRenamedFile(const CTaskParts& parts, const CString& oldName, const CString& name,
                                      const CString& logFile)
{
    // File names are not case-sensitive: a rename that changes only the
    // case wrote the same file, which must not be deleted now. An old name
    // whose path is too long never had a file.
    if (oldName.CompareNoCase(name) != 0 && TaskFilePathFits(m_Folder, oldName)) {
        const CString oldPath = m_Folder.TaskFilePath(oldName);
        if (!DeleteFileA(oldPath)) {
            const DWORD error = GetLastError();
            if (!IsAbsence(error)) {
                CString text;
                text.Format(storage_text::kOldFileNotDeleted, static_cast<const char*>(m_Folder.TaskFilePath(name)),
                            static_cast<const char*>(oldPath), error);
                CStorageLog(logFile).Write(text);
                // The old name stays, so that the next save tries again.
                return Fail(E_FAIL, text);
            }
        }
    }
    parts.ForgetOldDescription();
    return S_OK;
}

HRESULT CTaskStore::Delete(IDispatch* task, short type)
{
    m_ErrorText.Empty();
    CTaskParts parts;
    const HRESULT attached = parts.Attach(task);
    if (attached == E_INVALIDARG)
        return Fail(E_INVALIDARG, storage_text::kNullObject);
    if (FAILED(attached))
        return Fail(E_FAIL, storage_text::kNotATask);

    const CString name = parts.GetDescription();
    const HRESULT named = CheckTaskName(name);
    if (FAILED(named))
        return named;
    const CString path = m_Folder.TaskFilePath(name);
    CTaskFileLock lock(m_Folder);
    if (!lock.Held())
        return FailBusy(name);
    const tvx::com::ComPtr<IQVTaskFileState> state = FileStateOf(task);
    DWORD error = ERROR_SUCCESS;
    if (!DeleteFileA(path))
        error = GetLastError();
    if (error == ERROR_SUCCESS || IsAbsence(error)) {
        // A later save makes the file anew.
        if (state)
            state->ForgetFileVersion();
        return S_OK;
    }
    CString text;
    text.Format(storage_text::kFileNotDeleted, storage_text::kTaskFileKind, static_cast<const char*>(path), error);
    CStorageLog(ErrorLogOf(parts)).Write(text);
    return Fail(E_FAIL, text);
}
