// CMacroCommand: the interpreter of command-script lines that every command
// object embeds. It parses one line into a keyword and parameters, runs the
// parsed line by its keyword, and runs a queue of lines under a stored user
// account on a chosen desktop.
#pragma once

#include <windows.h>
#include <userenv.h>

#include <atomic>
#include <vector>

#include "command/desktop/process_slot.h"
#include "command/dialup/dialup_commands.h"
#include "command/owned_handle.h"
#include "command/scheduler_connection.h"
#include "platform/framework/object.h"
#include "platform/framework/string.h"

class AccountApi;
namespace desktop {
class CommandArguments;
struct DesktopContext;
}  // namespace desktop
struct IQVCmdCollection;

class CMacroCommand : public CObject {
    DECLARE_SERIAL(CMacroCommand)

public:
    enum class LineKind { kCommand, kComment, kNoOperation };

    CMacroCommand();
    ~CMacroCommand();
    CMacroCommand(const CMacroCommand&) = delete;
    CMacroCommand& operator=(const CMacroCommand&) = delete;

    // Only the record's schema number is stored: the interpreter keeps no
    // data that outlives its object.
    void Serialize(CArchive& ar) override;

    // --- One line -------------------------------------------------------
    void ParseLine(const CString& line);
    // 1 on success, 0 on failure with the reason in the last error text.
    int ExecuteLine();

    LineKind GetLineKind() const { return m_lineKind; }
    const CString& GetFullLine() const { return m_strFullLine; }
    const CString& GetKeyword() const { return m_strKeyword; }
    const CString& GetParameterText() const { return m_strParameterText; }
    int GetParameterCount() const { return static_cast<int>(m_parameters.size()); }
    // 1-based; outside 1..count the empty text.
    CString GetParameter(int n) const;
    long GetParameterAsInt(int n) const;

    // --- Queue run ------------------------------------------------------
    // 1, or 0 with "Unable to logon user - ..." in the last error text.
    int SetImpersonateInfo(const CString& user, const CString& password, BOOL interactive);
    void SetIsInteractive(BOOL interactive) { m_bInteractive = interactive ? TRUE : FALSE; }
    void AddToQue(const CString& line) { m_queue.push_back(line); }
    int ExecuteQue();
    // May come from another thread; the run tests it before each line.
    void StopExecution() { m_bCancel = true; }

    // --- Object state ---------------------------------------------------
    const CString& GetLastErrorString() const { return m_strLastError; }
    void ClearLastErrorString() { m_strLastError.Empty(); }
    long GetKeyDelay() const { return m_nKeyDelay; }
    void SetKeyDelay(long milliseconds) { m_nKeyDelay = milliseconds; }
    // May come from another thread while a line runs: the handle stays open
    // as long as this object.
    HANDLE GetProcessHandle() { return m_hProcess.HandOut(); }
    void SetProcessHandle(HANDLE process) { m_hProcess.Keep(OwnedKernelHandle(process)); }
    BOOL IsInteractive() const { return m_bInteractive; }
    bool IsDialUpAvailable() const { return m_dialUp.IsAvailable(); }
    const CString& GetRunDesktopName() const { return m_strRunDesktopName; }

    // The account calls and the queue mutex a run uses: the system's and the
    // component's own unless replaced (the replacement must outlive the run).
    void UseAccountApi(AccountApi& api) { m_pAccountApi = &api; }
    void UseQueueMutex(HANDLE mutex) { m_hQueueMutex = mutex; }

    // --- Task-control commands -------------------------------------------
    // Makes the scheduler reference on first use; S_OK at once when one is
    // held. The reference and its apartment belong to the calling thread.
    HRESULT ConnectScheduler() { return m_scheduler.Connect(); }
    // Serves the task-control commands from the caller's scheduler instead
    // of the engine's (the object takes a reference of its own).
    void UseScheduler(IQVScheduler* scheduler) { m_scheduler.Use(scheduler); }

private:
    struct KeywordRule;
    struct RunPreparation;

    // Parser.
    void SplitParameters();
    static const KeywordRule* FindKeywordRule(const CString& keyword);
    // 1 when the parsed line has as many parameters as the keyword table
    // allows its keyword, else 0 with the table's message.
    int CheckParameterCount();
    int SetErrorText(const char* text);
    int SetErrorFormat(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));
    // For a command this build does not carry: the count check, then a
    // failure naming the command.
    int FailNotAvailable();

    // Queue run.
    int RunQueuedLines();
    int PrepareAccountRun(RunPreparation& run);
    int PrepareUnderQueueMutex(RunPreparation& run);
    int CreateRunDesktop();
    void CleanUpAccountRun(RunPreparation& run, int* result);

    // Task control.
    int SetTaskEnabled(bool enable);
    int RunTaskLines(IQVCmdCollection* commands);

    // Runs one of the desktop commands (programs, windows, keys, messages,
    // prompts, delays, log lines) with this object's parameters and state.
    using DesktopCommand = int (*)(const desktop::CommandArguments&, desktop::DesktopContext&);
    int RunDesktopCommand(DesktopCommand command);

    // Command entry points, one per keyword of the table.
    int RunProgram();
    int RunDOSCommand();
    int DisplayMessage();
    int SetActiveWindow();
    int MaximizeWindow();
    int MinimizeWindow();
    int RestoreWindow();
    int CloseWindow();
    int InputBox();
    int MessageBox();
    int Delay();
    int WaitForProgram();
    int SendKeys();
    int SendKeysToWindow();
    int SendKeysFromFile();
    int SystemCommand();  // ShutDown, LogOff, ReBoot
    int DialUpConnect();
    int DialUpDisConnect();
    int SendEMail();
    int LogToFile();
    int QuitProgram();
    int DisableTask();
    int EnableTask();
    int RunTask();
    int ResetTaskTrigger();

    // Parsed line. The kind is decided on the line as given: once "()" is
    // appended, "*" would read as a comment.
    LineKind m_lineKind = LineKind::kNoOperation;
    CString m_strFullLine;
    CString m_strKeyword;
    CString m_strParameterText;
    std::vector<CString> m_parameters;

    // Command state.
    dialup::DialUpCommands m_dialUp;
    std::atomic<bool> m_bCancel{false};
    desktop::ProcessSlot m_hProcess;
    CString m_strUserName;
    CString m_strPassword;
    BOOL m_bInteractive = TRUE;
    OwnedDesktop m_hRunDesktop;
    HANDLE m_hLogonToken = nullptr;  // closed through the account calls
    bool m_bImpersonating = false;
    CString m_strRunDesktopName;
    DWORD m_dwCreationFlags = 0;
    void* m_pEnvironment = nullptr;
    CString m_strLastError;
    long m_nKeyDelay = 100;
    std::vector<CString> m_queue;
    CString m_strInputAnswer;  // answer of the last InputBox

    AccountApi* m_pAccountApi;
    HANDLE m_hQueueMutex;

    // Engine reference of the task-control commands, and the names of the
    // tasks whose lines RunTask is running on this object, outermost first.
    SchedulerConnection m_scheduler;
    std::vector<CString> m_runTaskNames;
};
