// Task-control commands: a script acts on other tasks of the engine through
// its scheduler object. Their failures are only ever returned as the
// command's error text: they run on the engine's task threads, where a
// message box would wait for a user who may not be there.
#include "command/command_texts.h"
#include "command/macro_command.h"
#include "platform/com/bstr.h"
#include "platform/com/com_ptr.h"
#include "qvxcmd.h"
#include "qvxtask.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

namespace {

bool EndsTheRun(const CString& keyword)
{
    return keyword == "ShutDown" || keyword == "ReBoot" || keyword == "LogOff";
}

Bstr ToBstr(const CString& text)
{
    Bstr result;
    result.Attach(text.AllocSysString());
    return result;
}

// Marks a task as running through RunTask for as long as its lines run.
class RunTaskNameScope {
public:
    RunTaskNameScope(std::vector<CString>& names, const CString& name) : m_names(names)
    {
        m_names.push_back(name);
    }
    ~RunTaskNameScope() { m_names.pop_back(); }
    RunTaskNameScope(const RunTaskNameScope&) = delete;
    RunTaskNameScope& operator=(const RunTaskNameScope&) = delete;

private:
    std::vector<CString>& m_names;
};

}  // namespace

int CMacroCommand::EnableTask()
{
    return SetTaskEnabled(true);
}

int CMacroCommand::DisableTask()
{
    return SetTaskEnabled(false);
}

int CMacroCommand::SetTaskEnabled(bool enable)
{
    // The count comes first: a malformed line has no reason to start the
    // engine.
    if (!CheckParameterCount())
        return 0;
    const HRESULT connected = ConnectScheduler();
    if (FAILED(connected))
        return SetErrorFormat(command_text::kNoSchedulerObject, static_cast<int>(connected));

    m_strLastError.Empty();
    const CString task = GetParameter(1);
    const HRESULT hr = m_scheduler.Get()->EnableTask(ToBstr(task).Get(), enable ? 1 : 0);
    if (FAILED(hr)) {
        return SetErrorFormat(enable ? command_text::kUnableToEnableTask : command_text::kUnableToDisableTask,
                              static_cast<const char*>(task), static_cast<int>(hr));
    }
    return 1;
}

int CMacroCommand::ResetTaskTrigger()
{
    // The count comes first: a malformed line has no reason to start the
    // engine.
    if (!CheckParameterCount())
        return 0;
    const HRESULT connected = ConnectScheduler();
    if (FAILED(connected))
        return SetErrorFormat(command_text::kNoSchedulerObject, static_cast<int>(connected));

    m_strLastError.Empty();
    const CString task = GetParameter(1);
    const HRESULT hr = m_scheduler.Get()->ResetTrigger(ToBstr(task).Get());
    if (FAILED(hr)) {
        return SetErrorFormat(command_text::kUnableToResetTrigger, static_cast<const char*>(task),
                              static_cast<int>(hr));
    }
    return 1;
}

int CMacroCommand::RunTask()
{
    // The count comes first: a malformed line has no reason to start the
    // engine.
    if (!CheckParameterCount())
        return 0;
    const HRESULT connected = ConnectScheduler();
    if (FAILED(connected))
        return SetErrorFormat(command_text::kNoSchedulerForRunTask, static_cast<int>(connected));
    m_strLastError.Empty();

    // The other task's lines run on this object and replace the parsed line,
    // so the name is taken before they run.
    const CString task = GetParameter(1);
    // A task that reaches itself again, directly or through others, would
    // run its lines without end and exhaust the stack of the engine's thread.
    for (const CString& running : m_runTaskNames) {
        if (running.CompareNoCase(task) == 0)
            return SetErrorFormat(command_text::kRunTaskRecursion, static_cast<const char*>(task));
    }

    ComPtr<IQVTaskCollection> tasks;
    HRESULT hr = m_scheduler.Get()->QueryInterface(IID_IQVTaskCollection, tasks.ReceiveVoid());
    if (FAILED(hr))
        return SetErrorFormat(command_text::kNoTaskCollection, static_cast<unsigned>(hr));

    short index = -1;
    hr = tasks->FindTaskIndex(ToBstr(task).Get(), &index);
    if (FAILED(hr) || index < 0)
        return SetErrorText(command_text::kNoTaskIndex);

    ComPtr<IQVTask> other;
    hr = tasks->Item(index, other.Receive());
    if (FAILED(hr) || !other)
        return SetErrorFormat(command_text::kNoTaskObject, static_cast<int>(FAILED(hr) ? hr : E_POINTER));

    ComPtr<IQVCmdCollection> commands;
    hr = other->QueryInterface(IID_IQVCmdCollection, commands.ReceiveVoid());
    if (FAILED(hr))
        return SetErrorFormat(command_text::kNoCommandList, static_cast<unsigned>(hr));

    RunTaskNameScope scope(m_runTaskNames, task);
    return RunTaskLines(commands.Get());
}

int CMacroCommand::RunTaskLines(IQVCmdCollection* commands)
{
    long count = 0;
    HRESULT hr = commands->get_Count(&count);
    if (FAILED(hr))
        return SetErrorFormat(command_text::kNoCommandObject, static_cast<int>(hr));

    for (long i = 0; i < count; ++i) {
        ComPtr<IQVCommand> command;
        hr = commands->Item(static_cast<int>(i), command.Receive());
        if (FAILED(hr) || !command)
            return SetErrorFormat(command_text::kNoCommandObject, static_cast<int>(FAILED(hr) ? hr : E_POINTER));
        Bstr line;
        hr = command->get_FullCommand(line.Receive());
        if (FAILED(hr))
            return SetErrorFormat(command_text::kNoCommandObject, static_cast<int>(hr));
        if (m_bCancel)
            return SetErrorText(command_text::kUserCancelled);

        ParseLine(CString(line.c_str()));
        if (!ExecuteLine())
            return 0;
        // After a session-ending command nothing more may run.
        if (m_lineKind == LineKind::kCommand && EndsTheRun(m_strKeyword))
            return 0;
    }
    return 1;
}
