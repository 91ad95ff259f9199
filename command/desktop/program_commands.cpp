// RunProgram, RunDOSCommand, WaitForProgram and QuitProgram.
#include <memory>

#include "command/desktop/desktop_commands.h"
#include "command/desktop/desktop_texts.h"
#include "command/desktop/message_pump.h"
#include "command/desktop/program_launch.h"
#include "task/shared/process_list.h"
#include "task/shared/title_pattern.h"

namespace desktop {

namespace {

// How long a program asked to quit gets before it is ended by force.
constexpr DWORD kQuitGraceMs = 2000;
constexpr DWORD kProcessEndCheckMs = 500;

BOOL CALLBACK PostCloseToProcessWindow(HWND window, LPARAM processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Asks the process to close its windows, and ends it when it is still
// running after the grace time. True when it ended either way.
bool EndProcess(HANDLE process, DWORD processId)
{
    EnumWindows(PostCloseToProcessWindow, static_cast<LPARAM>(processId));
    if (WaitForObjectPumping(process, kQuitGraceMs))
        return true;
    return TerminateProcess(process, 0) != FALSE;
}

CString LowerFileName(const std::string& processName)
{
    CString name = ProcessFileName(processName).c_str();
    name.MakeLower();
    return name;
}

// The first running process whose executable file name, in small letters,
// equals the name in small letters. The process-status library gives full
// paths, so only the file-name part of each process name is compared.
bool QuitProcessByName(const CString& name)
{
    CString wanted = name;
    wanted.MakeLower();
    std::unique_ptr<CProcessList> processes = CreateProcessList();
    if (!processes->Refresh())
        return false;
    DWORD processId = 0;
    while (const ProcessEntry* entry = processes->GetNext()) {
        if (LowerFileName(entry->name) == wanted) {
            processId = entry->id;
            break;
        }
    }
    if (processId == 0)
        return false;

    // The program may have ended since the list was taken and its id gone
    // to another process. Once opened, the id stays with the process the
    // handle holds, so a second list that still names it there proves the
    // handle is the program asked for.
    OwnedKernelHandle process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
    if (!process || !processes->Refresh())
        return false;
    while (const ProcessEntry* entry = processes->GetNext()) {
        if (entry->id == processId)
            return LowerFileName(entry->name) == wanted && EndProcess(process.get(), processId);
    }
    return false;
}

}  // namespace

int RunProgram(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() < 1) {
        context.lastError = desktop_text::kInvalidNumberOfParameters;
        return 0;
    }
    context.lastError.Empty();
    const CString program = arguments.Text(1);
    const CString directory = arguments.Text(2);
    const int showMode = ShowModeFromWord(arguments.Text(3));
    const bool wait = arguments.Number(4) != 0;

    // The working directory goes to the new process only: the host runs
    // other tasks at the same time, and its own current directory is theirs
    // as well.
    if (!IsUsableWorkingDirectory(directory)) {
        context.lastError = desktop_text::kNoWorkingDirectory;
        return 0;
    }
    const CString commandLine = ProgramCommandLine(program, directory);
    if (context.impersonating)
        return LaunchProgramAsUser(context, commandLine, directory, showMode, wait);
    OwnedKernelHandle started;
    if (!LaunchProgram(commandLine, directory, started, showMode, context.interactive)) {
        context.lastError.Format(desktop_text::kRunProgramFailed, static_cast<const char*>(commandLine));
        return 0;
    }
    if (wait)
        WaitForStartedProgram(context.process, std::move(started));
    else if (started)
        context.process.Keep(std::move(started));
    return 1;
}

int RunDOSCommand(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() < 1) {
        context.lastError = desktop_text::kInvalidNumberOfParameters;
        return 0;
    }
    context.lastError.Empty();
    const CString command = arguments.Text(1);
    const CString directory = arguments.Text(2);
    const int showMode = ShowModeFromWord(arguments.Text(3));
    const bool wait = arguments.Number(4) != 0;

    CString interpreter;
    const DWORD length = GetEnvironmentVariableA("COMSPEC", nullptr, 0);
    if (length > 0) {
        GetEnvironmentVariableA("COMSPEC", interpreter.GetBuffer(static_cast<int>(length)), length);
        interpreter.ReleaseBuffer();
    }
    const CString commandLine = interpreter + " /c " + command;

    if (!IsUsableWorkingDirectory(directory)) {
        context.lastError = desktop_text::kNoWorkingDirectory;
        return 0;
    }
    if (context.impersonating)
        return LaunchProgramAsUser(context, commandLine, directory, showMode, wait);
    // The command interpreter is not the program a later WaitForProgram
    // means, so its handle is not kept; while the run waits for it, it is
    // the program the run's time limit ends.
    OwnedKernelHandle interpreterProcess;
    if (!LaunchProgram(commandLine, directory, interpreterProcess, showMode, context.interactive)) {
        context.lastError.Format(desktop_text::kRunDOSCommandFailed, static_cast<const char*>(command));
        return 0;
    }
    if (wait)
        WaitForStartedProgram(context.process, std::move(interpreterProcess));
    return 1;
}

int WaitForProgram(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 1) {
        context.lastError = desktop_text::kWrongNumberOfParameters;
        return 0;
    }
    // Every negative limit means no limit, not only -1.
    const bool ended = WaitForProcessPumping(context.process.get(), arguments.Number(1));
    if (!ended)
        context.lastError = desktop_text::kWaitForProgramFailed;
    if (!context.process || WaitForSingleObject(context.process.get(), kProcessEndCheckMs) != WAIT_TIMEOUT)
        context.process.reset();
    return ended ? 1 : 0;
}

int QuitProgram(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() < 1) {
        context.lastError = desktop_text::kWrongNumberOfParametersCapital;
        return 0;
    }
    const CString name = arguments.Text(1);
    bool quit = false;
    if (arguments.Count() == 1 || arguments.Number(2) == 0) {
        const HWND window = FindWindowByTitle(name);
        if (window != nullptr)
            quit = PostMessageA(window, WM_CLOSE, 0, 0) != FALSE;
    } else {
        quit = QuitProcessByName(name);
    }
    if (!quit) {
        context.lastError.Format(desktop_text::kQuitProgramFailed, static_cast<const char*>(name));
        return 0;
    }
    return 1;
}

}  // namespace desktop
