#include "storage/task_folder_loader.h"

#include "platform/com/bstr.h"
#include "platform/framework/filefind.h"
#include "qvxcmd.h"
#include "storage/file_replacement.h"
#include "storage/loaded_version.h"
#include "storage/record_file.h"
#include "storage/sched_item.h"
#include "storage/task_file_lock.h"
#include "storage/task_file_name.h"
#include "tarvex.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

namespace {

constexpr DWORD kAnyServer = CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER;
constexpr char kExtension[] = ".tsk";
constexpr int kExtensionLength = 4;

enum ConditionAction : short {
    kActionRunTask = 0,
    kActionEnableTask = 1,
    kActionDisableTask = 2,
};

void PutDescription(IQVTask* task, const CString& name)
{
    Bstr text;
    text.Attach(name.AllocSysString());
    task->put_Description(text.Get());
}

// The trigger type of a condition type, as files before version 5 derive
// it; false for a condition type outside 0-11.
bool TriggerTypeOfCondition(short condType, short& triggerType, short& newCondType)
{
    newCondType = condType;
    switch (condType) {
    case 0:
    case 1:
        triggerType = kTriggerApplicationWatch;
        return true;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        triggerType = kTriggerFileWatch;
        return true;
    case 7:
    case 8:
        triggerType = kTriggerWindowWatch;
        return true;
    case 9:
        triggerType = kTriggerManual;
        return true;
    case 10:
    case 11:
        // The process conditions were numbered the other way round before.
        triggerType = kTriggerProcessWatch;
        newCondType = condType == 10 ? 11 : 10;
        return true;
    default:
        return false;
    }
}

// Empties a command collection; stops when the collection refuses.
void RemoveAllCommands(IQVCmdCollection* commands)
{
    long count = 0;
    if (FAILED(commands->get_Count(&count)))
        return;
    for (; count >= 1; --count) {
        if (FAILED(commands->Remove(0)))
            return;
    }
}

}  // namespace

CTaskFolderLoader::CTaskFolderLoader(const CStorageFolder& folder) : m_Folder(folder)
{
}

std::vector<CString> CTaskFolderLoader::ListTaskNames() const
{
    std::vector<CString> names;
    CFileFind finder;
    bool more = finder.FindFile(m_Folder.TaskFolder() + "*" + kExtension);
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory())
            continue;
        // The search also matches longer extensions through the short
        // names ("b.tskx" is "B~1.TSK"): only ".tsk" itself counts.
        const CString fileName = finder.GetFileName();
        if (fileName.GetLength() <= kExtensionLength ||
            fileName.Right(kExtensionLength).CompareNoCase(kExtension) != 0)
            continue;
        const CString name = fileName.Left(fileName.GetLength() - kExtensionLength);
        if (IsPlainTaskFileName(name))
            names.push_back(name);
    }
    return names;
}

HRESULT CTaskFolderLoader::LoadAll(IDispatch* scheduler)
{
    return Load(scheduler, nullptr, true);
}

HRESULT CTaskFolderLoader::LoadAll(IDispatch* scheduler, IClassFactory* taskClass)
{
    return Load(scheduler, taskClass, false);
}

HRESULT CTaskFolderLoader::Load(IDispatch* object, IClassFactory* taskClass, bool findTaskClass)
{
    if (object == nullptr)
        return E_INVALIDARG;
    ComPtr<IQVScheduler> scheduler;
    if (FAILED(scheduler.QueryFrom(object)))
        return E_FAIL;
    ComPtr<IQVTaskCollection> collection;
    if (FAILED(collection.QueryFrom(scheduler.Get())) || !collection)
        return S_OK;
    {
        // What saves killed midway left behind goes with the lock held, so
        // that no save under way loses its file.
        CTaskFileLock lock(m_Folder);
        if (lock.Held())
            RemoveLeftoverTemporaryFiles(m_Folder.TaskFolder());
    }
    const std::vector<CString> names = ListTaskNames();
    if (names.empty())
        return S_OK;
    ComPtr<IClassFactory> registeredClass;
    if (findTaskClass) {
        if (FAILED(CoGetClassObject(CLSID_QVTask, kAnyServer, nullptr, IID_IClassFactory,
                                    registeredClass.ReceiveVoid())))
            return S_OK;
        taskClass = registeredClass.Get();
    }
    if (taskClass == nullptr)
        return S_OK;
    m_SecondTasks.clear();
    for (const CString& name : names) {
        if (!AddedAsSecondTask(name))
            LoadTask(name, taskClass, collection.Get());
    }
    return S_OK;
}

ComPtr<IQVTask> CTaskFolderLoader::NewTask(IClassFactory* taskClass) const
{
    ComPtr<IQVTask> task;
    if (FAILED(taskClass->CreateInstance(nullptr, IID_IQVTask, task.ReceiveVoid())))
        return nullptr;
    return task;
}

void CTaskFolderLoader::LoadTask(const CString& name, IClassFactory* taskClass, IQVTaskCollection* collection)
{
    ComPtr<IQVTask> task = NewTask(taskClass);
    if (!task)
        return;
    PutDescription(task.Get(), name);
    // Reading rewrites an old-format file in version 5: the version that
    // counts is the one the read found, before it rewrote the file.
    CLoadedVersionWatch read;
    if (FAILED(task->ReadFromStorage(0)))
        return;
    LONG version = CSchedItem::kCurrentVersion;
    const bool versionKnown = read.Seen(version);
    collection->Add(task.Get());

    // Only files from before the trigger type were meant to carry a
    // schedule and a condition at once; a current task's enabled condition
    // is its own business.
    if (!versionKnown || version >= CSchedItem::kCurrentVersion)
        return;
    ComPtr<IQVCondTrigger> condition;
    if (FAILED(condition.QueryFrom(task.Get())))
        return;
    long enabled = 0;
    short triggerType = 0;
    if (FAILED(condition->get_Enabled(&enabled)) || enabled == 0)
        return;
    if (FAILED(task->get_TriggerType(&triggerType)) || triggerType != kTriggerScheduled)
        return;

    ComPtr<IQVTask> second = ConvertConditionToTriggerTask(name, taskClass);
    if (!second)
        return;
    condition->put_Enabled(0);
    task->WriteToStorage(0);

    Bstr secondName;
    second->get_Description(secondName.Receive());
    short index = -1;
    if (FAILED(collection->FindTaskIndex(secondName.Get(), &index)) || index < 0)
        collection->Add(second.Get());
    m_SecondTasks.push_back(CString(secondName.c_str()));
}

ComPtr<IQVTask> CTaskFolderLoader::ConvertConditionToTriggerTask(const CString& name, IClassFactory* taskClass) const
{
    ComPtr<IQVTask> task = NewTask(taskClass);
    if (!task)
        return nullptr;
    PutDescription(task.Get(), name);
    if (FAILED(task->ReadFromStorage(0)))
        return nullptr;
    ComPtr<IQVCondTrigger> condition;
    if (FAILED(condition.QueryFrom(task.Get())))
        return nullptr;

    CString secondName;
    secondName.Format("Trigger For - %s", static_cast<const char*>(name));
    PutDescription(task.Get(), secondName);

    short condType = 0;
    short triggerType = 0;
    short newCondType = 0;
    if (SUCCEEDED(condition->get_CondType(&condType)) && TriggerTypeOfCondition(condType, triggerType, newCondType)) {
        task->put_TriggerType(triggerType);
        if (newCondType != condType)
            condition->put_CondType(newCondType);
    }

    ComPtr<IQVCmdCollection> commands;
    ComPtr<IQVCommand> command;
    if (SUCCEEDED(commands.QueryFrom(task.Get())) &&
        SUCCEEDED(command.CreateInstance(CLSID_QVCommand, kAnyServer))) {
        RemoveAllCommands(commands.Get());
        short action = -1;
        condition->get_Action(&action);
        const char* keyword = nullptr;
        if (action == kActionRunTask)
            keyword = "RunTask";
        else if (action == kActionEnableTask)
            keyword = "EnableTask";
        else if (action == kActionDisableTask)
            keyword = "DisableTask";
        if (keyword != nullptr) {
            CString line;
            line.Format("%s(%s)", keyword, static_cast<const char*>(name));
            condition->put_Action(kActionEnableTask);
            Bstr text;
            text.Attach(line.AllocSysString());
            command->put_FullCommand(text.Get());
            commands->Add(command.Get());
        }
    }

    // The first task gives up its condition only once the second one is
    // safely in its own file.
    if (FAILED(task->WriteToStorage(0)))
        return nullptr;
    return task;
}

bool CTaskFolderLoader::AddedAsSecondTask(const CString& name) const
{
    for (const CString& added : m_SecondTasks) {
        if (added.CompareNoCase(name) == 0)
            return true;
    }
    return false;
}
