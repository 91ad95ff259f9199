// The run of a task: Start, Stop and Run of CQVTask, the worker thread that
// Start begins, and the error report of a run.
#include "task/task_run.h"

#include <mmsystem.h>

#include <memory>
#include <utility>

#include "platform/framework/oledatetime.h"
#include "task/shared/log_line.h"
#include "task/shared/windows_version.h"
#include "task/task.h"
#include "task/task_texts.h"
#include "task/text_format.h"
#include "task/timed_message_box.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;
using tvx::com::ScopedLock;

// --- the worker thread ------------------------------------------------------------

namespace {

struct ThreadStart {
    void (*body)(void*);
    void* param;
    HMODULE module;
};

DWORD WINAPI ThreadEntry(void* param)
{
    const ThreadStart start = *static_cast<ThreadStart*>(param);
    delete static_cast<ThreadStart*>(param);
    start.body(start.param);
    // Nothing of this module may run once its last reference is gone.
    FreeLibraryAndExitThread(start.module, 0);
    return 0;
}

}  // namespace

CTaskRunThread::CTaskRunThread()
    : m_stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_done(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

bool CTaskRunThread::Begin(void (*body)(void*), void* param)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&ThreadEntry),
                            &module))
        return false;
    ThreadStart* start = new (std::nothrow) ThreadStart{body, param, module};
    if (start != nullptr)
        m_thread.Reset(CreateThread(nullptr, 0, ThreadEntry, start, 0, nullptr));
    if (!m_thread) {
        delete start;
        FreeLibrary(module);
        return false;
    }
    return true;
}

// --- what a run reads of the task ---------------------------------------------------

struct CQVTask::RunSettings {
    std::wstring description;
    bool alarm = false;
    std::wstring alarmWaveFile;
    bool prompt = false;
    bool runAsSystem = false;
    std::wstring userName;
    std::wstring password;
    LONG interactive = 0;
    LONG sendKeyDelay = 0;
    bool log = false;
    std::wstring logFile;
    bool disableAfterExec = false;
    bool displayErrors = false;
    bool logErrors = false;
    std::wstring errorLogFile;
};

CQVTask::RunSettings CQVTask::TakeRunSettings()
{
    RunSettings settings;
    ScopedLock hold(m_lock);
    settings.description = m_description.ToString();
    settings.alarm = m_isAlarm == 1;
    settings.alarmWaveFile = m_alarmWaveFile.ToString();
    settings.prompt = m_isPromptBeforeExec == 1;
    settings.runAsSystem = m_runAsSystem == 1;
    settings.userName = m_userName.ToString();
    settings.password = m_password.ToString();
    settings.interactive = m_isInteractive;
    settings.sendKeyDelay = m_sendKeyDelay;
    settings.log = m_isLog == 1;
    settings.logFile = m_logFile.ToString();
    settings.disableAfterExec = m_isDisableAfterExec == 1;
    settings.displayErrors = m_displayErrors == 1;
    settings.logErrors = m_logErrors == 1;
    settings.errorLogFile = m_errorLogFile.ToString();
    return settings;
}

namespace {

// A message box over the window in front, which gets the focus back after.
int AskOverForeground(const std::wstring& text, const wchar_t* caption, UINT type, int unanswered)
{
    HWND previous = GetForegroundWindow();
    const int answer = ShowTimedMessageBox(previous, text.c_str(), caption, type, kTaskMessageBoxTimeoutMs, unanswered);
    if (previous != nullptr && IsWindow(previous))
        SetForegroundWindow(previous);
    return answer;
}

void SoundAlarm(const std::wstring& waveFile)
{
    if (!waveFile.empty() && PlaySoundW(waveFile.c_str(), nullptr, SND_FILENAME | SND_SYNC | SND_NODEFAULT))
        return;
    MessageBeep(MB_ICONEXCLAMATION);
}

// Keeps the worker's thread answering window messages posted to it while it
// builds the queue.
void DispatchWaitingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring LogLineCommand(const std::wstring& logFile, const std::wstring& text)
{
    return FormatText(task_text::kLogLineCommand, logFile.c_str(), text.c_str());
}

HRESULT Queue(IQVCommand* command, const std::wstring& line)
{
    Bstr text(line);
    return command->AddToQue(text.Get());
}

std::wstring CommandError(IQVCommand* command)
{
    Bstr reason;
    command->get_LastErrorString(reason.Receive());
    return task_text::kErrorPrefix + reason.ToString();
}

}  // namespace

// --- Start, Stop, Run --------------------------------------------------------------

struct CQVTask::RunStart {
    // Keeps the task alive while its worker runs.
    ComPtr<IUnknown> keepAlive;
    CQVTask* task;
    std::shared_ptr<CTaskRunThread> run;
    bool scheduled;
};

STDMETHODIMP CQVTask::Start()
{
    {
        ScopedLock hold(m_lock);
        if (m_run)
            return S_OK;
        auto run = std::make_shared<CTaskRunThread>();
        if (!run->Ready())
            return S_OK;
        // The run is one the scheduler started when the starter said so
        // before it called Start (the engine sets 1 for a run of its
        // schedule, 0 for a run on request).
        std::unique_ptr<RunStart> start(
            new (std::nothrow) RunStart{ControllingUnknown(), this, run, m_startedByScheduler == 1});
        if (!start || !run->Begin(&CQVTask::RunWorker, start.get()))
            return S_OK;
        start.release();
        m_run = std::move(run);
        // Set before the lock is left, so the worker's own end (even after a
        // stop within the grace second) always comes after it.
        m_isRunning = 1;
    }
    FireDataChanged();
    return S_OK;
}

void CQVTask::RunWorker(void* param)
{
    tvx::com::CoInit apartment(COINIT_MULTITHREADED);
    std::unique_ptr<RunStart> start(static_cast<RunStart*>(param));
    {
        CRunDoneSignal done(*start->run);
        if (!start->run->WaitForStopRequest(kRunGraceMs)) {
            std::wstring ignored;
            start->task->RunScript(start->scheduled, ignored);
        }
        start->task->EndRun(start->run);
    }
    // The task may end here (its last reference): inside the apartment.
    start.reset();
}

void CQVTask::EndRun(const std::shared_ptr<CTaskRunThread>& run)
{
    bool changed = false;
    {
        ScopedLock hold(m_lock);
        if (m_run == run)
            m_run.reset();
        changed = m_isRunning != 0;
        m_isRunning = 0;
    }
    if (changed)
        FireDataChanged();
}

STDMETHODIMP CQVTask::Stop()
{
    std::shared_ptr<CTaskRunThread> run;
    ComPtr<IQVCommand> command;
    {
        ScopedLock hold(m_lock);
        run = m_run;
        command = m_runCommand;
    }
    if (!run)
        return S_OK;
    run->RequestStop();
    // A run past its grace second stops before its next line.
    if (command)
        command->StopExecution();
    run->WaitDone(kStopWaitMs);
    FireDataChanged();
    return S_OK;
}

STDMETHODIMP CQVTask::Run()
{
    // Whoever calls Run asks for the run: the scheduler uses Start.
    PutLong(&CQVTask::m_startedByScheduler, 0, Dirty::kKeep);
    std::wstring errorText;
    const HRESULT hr = RunScript(false, errorText);
    if (hr != S_OK && !errorText.empty())
        return tvx::com::ReportError(hr, IID_IQVTask, errorText.c_str(), L"QvxTask.QVTask");
    return hr;
}

void CQVTask::SetRunning(LONG running)
{
    PutLong(&CQVTask::m_isRunning, running, Dirty::kKeep);
    FireDataChanged();
}

HRESULT CQVTask::RunScript(bool scheduled, std::wstring& errorText)
{
    SetRunning(1);
    errorText.clear();
    const RunSettings settings = TakeRunSettings();

    // One second back, so that the due test of this same second finds the
    // run within its tolerance.
    m_schedTrigger->put_LastExecTime(COleDateTime::GetCurrentTime() - COleDateTimeSpan(0, 0, 0, 1));

    if (scheduled) {
        if (settings.alarm)
            SoundAlarm(settings.alarmWaveFile);
        if (settings.prompt) {
            const std::wstring question = task_text::kPromptBefore + settings.description + task_text::kPromptAfter;
            // Nobody there to answer is no consent: the run does not happen.
            if (AskOverForeground(question, task_text::kProductName, MB_OKCANCEL | MB_ICONQUESTION, IDCANCEL) !=
                IDOK) {
                SetRunning(0);
                return S_OK;
            }
        }
    }

    HRESULT result = S_OK;
    std::vector<std::wstring> lines;
    const int unreadableLine = TakeScriptLines(lines);
    if (lines.empty() && unreadableLine < 0) {
        errorText = task_text::kNoActions;
        result = E_FAIL;
    } else {
        ComPtr<IQVCommand> command;
        if (FAILED(command.CreateInstance(CLSID_QVCommand,
                                          CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER))) {
            errorText = task_text::kNoCommandObject;
            result = E_FAIL;
        } else {
            {
                ScopedLock hold(m_lock);
                m_runCommand = command;
            }
            result = QueueScript(command.Get(), settings, lines, unreadableLine, errorText);
            RecordRunProcess(command.Get());
            {
                ScopedLock hold(m_lock);
                if (m_runCommand == command)
                    m_runCommand.Reset();
            }
        }
    }

    if (result != S_OK)
        ReportError(settings, errorText);
    if (scheduled && settings.disableAfterExec)
        PutLong(&CQVTask::m_enabled, 0, Dirty::kMark);
    SetRunning(0);
    return result;
}

int CQVTask::TakeScriptLines(std::vector<std::wstring>& lines)
{
    lines.clear();
    ScopedLock whole(m_storageLock);
    long count = 0;
    m_commands->get_Count(&count);
    for (long index = 0; index < count; ++index) {
        ComPtr<IQVCommand> line;
        Bstr text;
        if (FAILED(m_commands->Item(static_cast<int>(index), line.Receive())) || !line ||
            FAILED(line->get_FullCommand(text.Receive())))
            return static_cast<int>(index);
        lines.push_back(text.ToString());
    }
    return -1;
}

HRESULT CQVTask::QueueScript(IQVCommand* command, const RunSettings& settings, const std::vector<std::wstring>& lines,
                             int unreadableLine, std::wstring& errorText)
{
    if (IsWindowsNT()) {
        // Without an account of its own the script runs as the engine does,
        // as with the system account: a logon without a name could only fail.
        if (settings.runAsSystem || settings.userName.empty()) {
            command->SetIsInteractive(settings.interactive);
        } else {
            Bstr user(settings.userName);
            Bstr password(settings.password);
            const HRESULT hr = command->SetImpersonateInfo(user.Get(), password.Get(), settings.interactive);
            if (FAILED(hr)) {
                errorText = CommandError(command);
                return hr;
            }
        }
    }
    command->put_SendKeyDelay(settings.sendKeyDelay);

    // Log lines only with a log file to write them to: LogToFile without a
    // file name fails, and would fail the whole run with it.
    const bool logLines = settings.log && !settings.logFile.empty();
    if (logLines)
        Queue(command, LogLineCommand(settings.logFile, task_text::kLaunching + settings.description));

    for (const std::wstring& line : lines) {
        DispatchWaitingMessages();
        command->AddToQue(Bstr(line).Get());
    }
    HRESULT result = S_OK;
    if (unreadableLine >= 0) {
        // The lines before it still run, as the queue was meant to up to
        // here, but the run does not count as a success.
        errorText = FormatText(task_text::kNoCommandInterface, unreadableLine);
        result = E_FAIL;
    }

    if (logLines)
        Queue(command, LogLineCommand(settings.logFile, task_text::kCompleted + settings.description));
    const HRESULT executed = command->ExecuteQue();
    if (executed != S_OK) {
        errorText = CommandError(command);
        return executed;
    }
    return result;
}

void CQVTask::ReportError(const RunSettings& settings, const std::wstring& text)
{
    const std::string logForm =
        ToAnsi(FormatText(task_text::kErrorLogForm, settings.description.c_str(), text.c_str()));
    if (settings.logErrors && !settings.errorLogFile.empty())
        AppendLogLine(ToAnsi(settings.errorLogFile).c_str(), logForm.c_str());
    if (settings.log && !settings.logFile.empty())
        AppendLogLine(ToAnsi(settings.logFile).c_str(), logForm.c_str());
    if (settings.displayErrors)
        AskOverForeground(text.empty() ? std::wstring(task_text::kNoErrorMessage) : text, task_text::kErrorCaption,
                          MB_OK | MB_ICONINFORMATION, IDOK);
}

void CQVTask::RecordRunProcess(IQVCommand* command)
{
    LONG value = 0;
    if (FAILED(command->get_ProcessHandle(&value)) || value == 0)
        return;
    // The command object is in this process (QvxCmd is an in-process
    // server), so the number is one of this process's handles. It may be
    // closed at any moment by the run's own thread (its program ended), so
    // it is duplicated at once, and only a process handle is taken.
    HANDLE own = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), LongToHandle(value), GetCurrentProcess(), &own, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        return;
    tvx::com::Handle process(own);
    const DWORD processId = GetProcessId(process.Get());
    if (processId == 0)
        return;
    tvx::com::Handle replaced;
    ScopedLock hold(m_lock);
    if (m_runProcess && static_cast<DWORD>(m_processId) == processId)
        return;
    replaced = std::move(m_runProcess);
    m_runProcess = std::move(process);
    m_hProcess = HandleToLong(m_runProcess.Get());
    m_hThread = 0;
    m_processId = static_cast<LONG>(processId);
    m_threadId = 0;
}
