// DisplayMessage, InputBox, MessageBox, Delay and LogToFile.
#include <objbase.h>
#include <process.h>

#include "command/desktop/desktop_commands.h"
#include "command/desktop/desktop_texts.h"
#include "command/desktop/message_dialog.h"
#include "command/desktop/message_pump.h"
#include "command/desktop/prompt_dialog.h"
#include "task/shared/log_line.h"

namespace desktop {

namespace {

// Pauses after the first, second and third failed write of a log line.
constexpr DWORD kLogRetryPausesMs[] = {500, 1000, 3000};

// The message dialog and what became of it, shared with its thread.
struct MessageDisplay {
    MessageDisplay(const CString& message, long seconds) : dialog(message, seconds) {}
    CMessageDialog dialog;
    INT_PTR result = -1;
};

unsigned __stdcall ShowMessageDisplay(void* context)
{
    MessageDisplay* display = static_cast<MessageDisplay*>(context);
    const HRESULT joined = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    display->result = display->dialog.DoModal(nullptr);
    if (SUCCEEDED(joined))
        CoUninitialize();
    return 0;
}

int WrongCount(DesktopContext& context, const char* text)
{
    context.lastError = text;
    return 0;
}

bool HasDirectory(const CString& name)
{
    return name.FindOneOf("\\/") >= 0;
}

bool HasDrive(const CString& name)
{
    return name.GetLength() >= 2 && name[1] == ':';
}

// LogToFile's rule for where a log file lies: a bare file name in the
// program directory (as every log of the system), a name with a directory
// but no drive relative to the current directory, anything else as written.
CString LogFilePath(const CString& name)
{
    if (!HasDirectory(name) || HasDrive(name))
        return name;
    char full[MAX_PATH * 2] = "";
    const DWORD length = GetFullPathNameA(name, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return name;
    return full;
}

}  // namespace

int DisplayMessage(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 3)
        return WrongCount(context, desktop_text::kWrongNumberOfParameters);
    CString message = arguments.Text(1);
    if (message.IsEmpty())
        message = desktop_text::kNoMessageDefined;
    const long seconds = arguments.Number(2);

    // The dialog runs on a thread of its own so that this thread keeps
    // dispatching its messages while the message is shown.
    MessageDisplay display(message, seconds);
    OwnedKernelHandle thread(
        reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ShowMessageDisplay, &display, 0, nullptr)));
    if (!thread)
        return 0;
    WaitForObjectPumping(thread.get(), INFINITE);
    if (display.result == -1) {
        context.lastError = desktop_text::kMessageNotShown;
        return 0;
    }
    return 1;
}

int InputBox(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 2)
        return WrongCount(context, desktop_text::kWrongNumberOfParameters);
    if (context.inputAnswer != nullptr)
        context.inputAnswer->Empty();
    const HWND foreground = GetForegroundWindow();

    CPromptDialog prompt(arguments.Text(1), arguments.Text(2));
    const INT_PTR result = prompt.DoModal(nullptr);
    if (foreground != nullptr)
        SetForegroundWindow(foreground);
    if (result == -1) {
        context.lastError = desktop_text::kPromptNotShown;
        return 0;
    }
    if (result != IDOK)
        return 0;
    if (context.inputAnswer != nullptr)
        *context.inputAnswer = prompt.Answer();
    return 1;
}

int MessageBox(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 2)
        return WrongCount(context, desktop_text::kWrongNumberOfParameters);
    CString text = arguments.Text(1);
    CString caption = arguments.Text(2);
    if (caption.IsEmpty())
        caption = desktop_text::kDefaultMessageBoxCaption;
    if (text.IsEmpty())
        text = desktop_text::kNoMessageDefined;

    const HWND foreground = GetForegroundWindow();
    const int shown = ::MessageBoxA(foreground, text, caption, MB_ICONINFORMATION | MB_OK);
    if (foreground != nullptr)
        SetForegroundWindow(foreground);
    if (shown == 0) {
        context.lastError = desktop_text::kMessageNotShown;
        return 0;
    }
    return 1;
}

int Delay(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 2)
        return WrongCount(context, desktop_text::kWrongNumberOfParameters);
    long long milliseconds = arguments.Number(1);
    const CString unit = arguments.Text(2);
    if (unit == "Seconds")
        milliseconds *= 1000;
    else if (unit == "Minutes")
        milliseconds *= 60000;
    // A negative amount does not wait.
    WaitPumpingMessages(milliseconds);
    return 1;
}

int LogToFile(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 2)
        return WrongCount(context, desktop_text::kWrongNumberOfParametersCapital);
    const CString path = LogFilePath(arguments.Text(1));
    const CString text = arguments.Text(2);
    for (DWORD pause : kLogRetryPausesMs) {
        if (AppendLogLine(path, text))
            return 1;
        Sleep(pause);
    }
    context.lastError = desktop_text::kLogFileNotWritten;
    return 0;
}

}  // namespace desktop
