#include "fake_task.h"

#include <gtest/gtest.h>

#include "platform/com/bstr.h"
#include "storage/task_store.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

STDMETHODIMP FakeSchedTrigger::QueryInterface(REFIID iid, void** out) { return owner_->QueryInterface(iid, out); }
STDMETHODIMP_(ULONG) FakeSchedTrigger::AddRef() { return owner_->AddRef(); }
STDMETHODIMP_(ULONG) FakeSchedTrigger::Release() { return owner_->Release(); }
STDMETHODIMP FakeCondTrigger::QueryInterface(REFIID iid, void** out) { return owner_->QueryInterface(iid, out); }
STDMETHODIMP_(ULONG) FakeCondTrigger::AddRef() { return owner_->AddRef(); }
STDMETHODIMP_(ULONG) FakeCondTrigger::Release() { return owner_->Release(); }

ComPtr<FakeTask> FakeTask::Create(const CStorageFolder& folder)
{
    ComPtr<FakeTask> task;
    task.Attach(new FakeTask(folder));
    const HRESULT hr = task->commands_.CreateInstance(CLSID_QVCmdCollection, CLSCTX_INPROC_SERVER);
    EXPECT_EQ(hr, S_OK) << "QvxCmd.QVCmdCollection can't be made: is QvxCmd.dll registered?";
    return task;
}

STDMETHODIMP FakeTask::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, IID_IQVTask))
        *out = static_cast<IQVTask*>(this);
    else if (IsEqualIID(iid, IID_IQVSchedTrigger) && givesSchedule)
        *out = static_cast<IQVSchedTrigger*>(&schedule);
    else if (IsEqualIID(iid, IID_IQVCondTrigger) && givesCondition)
        *out = static_cast<IQVCondTrigger*>(&condition);
    else if (IsEqualIID(iid, IID_IQVCmdCollection) && givesCommands && commands_)
        return commands_->QueryInterface(iid, out);
    if (*out == nullptr)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) FakeTask::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) FakeTask::Release()
{
    const LONG refs = InterlockedDecrement(&refs_);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

void FakeTask::AddCommandLine(const std::wstring& line)
{
    ComPtr<IQVCommand> command;
    ASSERT_EQ(command.CreateInstance(CLSID_QVCommand, CLSCTX_INPROC_SERVER), S_OK);
    Bstr text(line);
    command->put_FullCommand(text.Get());
    commands_->Add(command.Get());
}

std::vector<std::wstring> FakeTask::CommandLines() const
{
    std::vector<std::wstring> lines;
    long count = 0;
    if (!commands_ || FAILED(commands_->get_Count(&count)))
        return lines;
    for (long index = 0; index < count; ++index) {
        ComPtr<IQVCommand> command;
        Bstr line;
        if (SUCCEEDED(commands_->Item(static_cast<int>(index), command.Receive())) &&
            SUCCEEDED(command->get_FullCommand(line.Receive())))
            lines.push_back(line.ToString());
    }
    return lines;
}

bool FakeTask::Untouched() const
{
    return values.Puts().empty() && schedule.values.Puts().empty() && condition.values.Puts().empty() &&
           CommandLines().size() == commandsAtForget_;
}

void FakeTask::ForgetChanges()
{
    values.ForgetPuts();
    schedule.values.ForgetPuts();
    condition.values.ForgetPuts();
    commandsAtForget_ = CommandLines().size();
}

// As the real task: the storage object is given the task itself.
STDMETHODIMP FakeTask::ReadFromStorage(short nType)
{
    CTaskStore store(folder_);
    return store.Read(static_cast<IQVTask*>(this), nType);
}

// As the real task: after a successful write the command list is the one
// in the file again.
STDMETHODIMP FakeTask::WriteToStorage(short nType)
{
    CTaskStore store(folder_);
    const HRESULT hr = store.Write(static_cast<IQVTask*>(this), nType);
    if (FAILED(hr))
        return hr;
    long count = 0;
    while (SUCCEEDED(commands_->get_Count(&count)) && count > 0) {
        if (FAILED(commands_->Remove(0)))
            break;
    }
    store.Read(static_cast<IQVTask*>(this), nType);
    return hr;
}

STDMETHODIMP FakeTask::DeleteFromStorage(short nType)
{
    CTaskStore store(folder_);
    return store.Delete(static_cast<IQVTask*>(this), nType);
}

STDMETHODIMP FakeTaskFactory::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory))
        return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    return S_OK;
}

STDMETHODIMP FakeTaskFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    ComPtr<FakeTask> task = FakeTask::Create(folder_);
    made.push_back(task);
    return task->QueryInterface(iid, out);
}
