#include "command/desktop/program_launch.h"

#include <objbase.h>
#include <process.h>
#include <shellapi.h>

#include <vector>

#include "command/desktop/desktop_texts.h"
#include "command/desktop/message_pump.h"

namespace desktop {

namespace {

constexpr DWORD kInputIdleWaitMs = 1000;
// Programs started without a logon get a second to come up before the next
// line runs (a window to activate, a file to type into).
constexpr long kSettleAfterStartMs = 1000;
// Every desktop access right.
constexpr ACCESS_MASK kDesktopAllAccess = 0xFF;
constexpr char kInteractiveDesktop[] = "Winsta0\\Default";
constexpr char kPrivateDesktop[] = "RunPrgDesktop";
constexpr char kPrivateDesktopPath[] = "Winsta0\\RunPrgDesktop";

bool IsQuote(char c)
{
    return c == '"' || c == '\'';
}

bool StartsWithNoCase(const CString& text, const char* prefix)
{
    const int length = lstrlenA(prefix);
    return text.GetLength() >= length && text.Left(length).CompareNoCase(prefix) == 0;
}

// The extension as the runtime library splits a path: from the last dot of
// the last path element, the dot included; empty when there is no dot.
CString ExtensionOf(const CString& path)
{
    int element = 0;
    for (int i = 0; i < path.GetLength(); ++i) {
        const char c = path[i];
        if (c == '\\' || c == '/' || c == ':')
            element = i + 1;
    }
    const int dot = path.ReverseFind('.');
    if (dot < element)
        return CString();
    return path.Mid(dot);
}

bool IsExecutableExtension(const CString& extension)
{
    return extension.CompareNoCase(".exe") == 0 || extension.CompareNoCase(".bat") == 0 ||
           extension.CompareNoCase(".com") == 0;
}

bool IsProgramExtension(const CString& extension)
{
    return extension.IsEmpty() || extension == "." || IsExecutableExtension(extension);
}

// A private, writable copy: the process-creation calls may write into the
// command line they are given.
std::vector<char> WritableCopy(const CString& text)
{
    const char* characters = text;
    return std::vector<char>(characters, characters + text.GetLength() + 1);
}

// Closes the thread handle of a started process and hands back the process.
HANDLE KeepProcessOnly(const PROCESS_INFORMATION& started)
{
    OwnedKernelHandle thread(started.hThread);
    WaitForInputIdle(started.hProcess, kInputIdleWaitMs);
    return started.hProcess;
}

struct ShellOpenRequest {
    CString file;
    CString directory;
    int showMode;
    INT_PTR result;
};

unsigned __stdcall OpenOnShellThread(void* context)
{
    ShellOpenRequest* request = static_cast<ShellOpenRequest*>(context);
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    request->result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", request->file,
                      nullptr, request->directory.IsEmpty() ? nullptr : static_cast<const char*>(request->directory),
                      request->showMode));
    if (SUCCEEDED(joined))
        CoUninitialize();
    return 0;
}

// Opens a shortcut or address through the shell. Shell extensions (the
// shortcut resolver among them) want a single-threaded apartment, and the
// commands run on multithreaded ones, so the shell is called from a thread
// of its own while this one keeps dispatching its messages.
bool ShellOpen(const CString& file, const CString& directory, int showMode)
{
    ShellOpenRequest request{file, directory, showMode, 0};
    OwnedKernelHandle thread(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, OpenOnShellThread, &request, 0, nullptr)));
    if (!thread)
        return false;
    WaitForObjectPumping(thread.get(), INFINITE);
    return request.result > 32;
}

}  // namespace

int ShowModeFromWord(const CString& word)
{
    if (word == "Maximized")
        return SW_SHOWMAXIMIZED;
    if (word == "Minimized")
        return SW_MINIMIZE;
    if (word == "Hidden")
        return SW_HIDE;
    return SW_SHOW;
}

CString StripQuotes(const CString& text)
{
    CString result = text;
    if (!result.IsEmpty() && IsQuote(result[0]))
        result = result.Mid(1);
    if (!result.IsEmpty() && IsQuote(result[result.GetLength() - 1]))
        result = result.Left(result.GetLength() - 1);
    result.TrimLeft();
    result.TrimRight();
    return result;
}

CString QuoteIfBlank(const CString& text)
{
    CString result = text;
    result.TrimLeft();
    result.TrimRight();
    if (!result.IsEmpty() && result[0] == '"')
        result = result.Mid(1);
    if (!result.IsEmpty() && result[result.GetLength() - 1] == '"')
        result = result.Left(result.GetLength() - 1);
    result.TrimLeft();
    result.TrimRight();
    if (result.Find(' ') >= 0)
        result = "\"" + result + "\"";
    return result;
}

bool IsShellTarget(const CString& name)
{
    const CString target = StripQuotes(name);
    if (target.GetLength() >= 4 && target.Right(4).CompareNoCase(".lnk") == 0)
        return true;
    return StartsWithNoCase(target, "http:") || StartsWithNoCase(target, "ftp:");
}

bool IsDocument(const CString& name)
{
    CString text = name;
    text.TrimLeft();
    text.TrimRight();
    if (!text.IsEmpty() && text[0] == '"') {
        const int close = text.Find('"', 1);
        if (close > 0) {
            CString rest = text.Mid(close + 1);
            rest.TrimLeft();
            if (!rest.IsEmpty())
                return false;
        }
    }
    const CString path = StripQuotes(text);
    if (IsProgramExtension(ExtensionOf(path)))
        return false;
    for (int blank = path.Find(' '); blank > 0; blank = path.Find(' ', blank + 1)) {
        if (IsExecutableExtension(ExtensionOf(path.Left(blank))))
            return false;
    }
    return true;
}

CString ProgramCommandLine(const CString& programOrDocument, const CString& workingDirectory)
{
    if (!IsDocument(programOrDocument))
        return programOrDocument;
    const CString document = StripQuotes(programOrDocument);
    const char* directory = workingDirectory.IsEmpty() ? nullptr : static_cast<const char*>(workingDirectory);
    char program[MAX_PATH] = "";
    const HINSTANCE found = FindExecutableA(document, directory, program);
    if (reinterpret_cast<INT_PTR>(found) <= 32 || program[0] == '\0')
        return programOrDocument;
    return QuoteIfBlank(program) + " " + QuoteIfBlank(programOrDocument);
}

bool IsUsableWorkingDirectory(const CString& workingDirectory)
{
    if (workingDirectory.IsEmpty())
        return true;
    const DWORD attributes = GetFileAttributesA(workingDirectory);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

int LaunchProgram(const CString& commandLine, const CString& workingDirectory, OwnedKernelHandle& started,
                  int showMode, BOOL interactive)
{
    if (commandLine.IsEmpty())
        return 0;
    const char* directory = workingDirectory.IsEmpty() ? nullptr : static_cast<const char*>(workingDirectory);

    if (IsShellTarget(commandLine))
        return ShellOpen(StripQuotes(commandLine), workingDirectory, showMode) ? 1 : 0;

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    OwnedDesktop privateDesktop;
    std::vector<char> desktopName;
    if (interactive) {
        desktopName = WritableCopy(kInteractiveDesktop);
    } else {
        privateDesktop.reset(CreateDesktopA(kPrivateDesktop, nullptr, nullptr, 0, kDesktopAllAccess, nullptr));
        if (!privateDesktop)
            return 0;
        desktopName = WritableCopy(kPrivateDesktopPath);
    }
    startup.lpDesktop = desktopName.data();

    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    std::vector<char> line = WritableCopy(commandLine);
    PROCESS_INFORMATION process{};
    const BOOL ok = CreateProcessA(nullptr, line.data(), &inheritable, &inheritable, FALSE, 0, nullptr, directory,
                                   &startup, &process);
    WaitPumpingMessages(kSettleAfterStartMs);
    if (!ok)
        return 0;
    started.reset(KeepProcessOnly(process));
    return 1;
}

void WaitForStartedProgram(ProcessSlot& slot, OwnedKernelHandle process)
{
    WaitedProgram waited(slot, std::move(process));
    WaitForObjectPumping(waited.get(), INFINITE);
}

int LaunchProgramAsUser(DesktopContext& context, const CString& commandLine, const CString& workingDirectory,
                        int showMode, bool wait)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    std::vector<char> desktopName = WritableCopy(context.interactive ? CString(kInteractiveDesktop)
                                                                     : context.runDesktopName);
    startup.lpDesktop = desktopName.data();

    std::vector<char> line = WritableCopy(commandLine);
    PROCESS_INFORMATION started{};
    // Handles are inherited: the window station and desktop handles the run
    // made inheritable give the user's program its access to them.
    if (!CreateProcessAsUserA(context.logonToken, nullptr, line.data(), nullptr, nullptr, TRUE,
                              context.creationFlags, context.environment,
                              workingDirectory.IsEmpty() ? nullptr : static_cast<const char*>(workingDirectory),
                              &startup, &started)) {
        context.lastError.Format(desktop_text::kRunAsUserFailed, static_cast<const char*>(commandLine),
                                 static_cast<int>(GetLastError()));
        return 0;
    }
    OwnedKernelHandle process(KeepProcessOnly(started));
    if (wait) {
        context.process.reset();
        WaitForStartedProgram(context.process, std::move(process));
    } else {
        context.process.Keep(std::move(process));
    }
    return 1;
}

}  // namespace desktop
