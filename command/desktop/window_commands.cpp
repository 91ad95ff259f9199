// SetActiveWindow, MaximizeWindow, MinimizeWindow, RestoreWindow and
// CloseWindow: top-level windows found by their title pattern.
#include "command/desktop/desktop_commands.h"
#include "command/desktop/desktop_texts.h"
#include "command/desktop/window_actions.h"
#include "task/shared/title_pattern.h"

namespace desktop {

namespace {

// How long CloseWindow waits for the window to handle its close message.
constexpr DWORD kCloseAnswerLimitMs = 5000;

int Fail(DesktopContext& context, const char* format, const CString& pattern)
{
    context.lastError.Format(format, static_cast<const char*>(pattern));
    return 0;
}

// The foreground window for an empty pattern, else the first match.
HWND PatternOrForegroundWindow(const CString& pattern)
{
    return pattern.IsEmpty() ? GetForegroundWindow() : FindWindowByTitle(pattern);
}

// Shows the window in the mode; success when it was visible before.
int ShowFoundWindow(const CommandArguments& arguments, DesktopContext& context, int showMode,
                    const char* failure)
{
    if (arguments.Count() != 1) {
        context.lastError = desktop_text::kWrongNumberOfParameters;
        return 0;
    }
    const CString pattern = arguments.Text(1);
    const HWND window = PatternOrForegroundWindow(pattern);
    if (window == nullptr || !ShowWindow(window, showMode))
        return Fail(context, failure, pattern);
    return 1;
}

}  // namespace

int SetActiveWindow(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 1) {
        context.lastError = desktop_text::kWrongNumberOfParameters;
        return 0;
    }
    const CString pattern = arguments.Text(1);
    const HWND window = FindWindowByTitle(pattern);
    if (window == nullptr)
        return Fail(context, desktop_text::kActivateFailed, pattern);
    // The lines after it type into the window: it must have taken the
    // foreground by then.
    if (!ActivateForInput(window, kActivationLimitMs))
        return Fail(context, desktop_text::kActivateFailed, pattern);
    return 1;
}

int MaximizeWindow(const CommandArguments& arguments, DesktopContext& context)
{
    return ShowFoundWindow(arguments, context, SW_SHOWMAXIMIZED, desktop_text::kMaximizeFailed);
}

int MinimizeWindow(const CommandArguments& arguments, DesktopContext& context)
{
    return ShowFoundWindow(arguments, context, SW_MINIMIZE, desktop_text::kMinimizeFailed);
}

int RestoreWindow(const CommandArguments& arguments, DesktopContext& context)
{
    return ShowFoundWindow(arguments, context, SW_SHOWNORMAL, desktop_text::kRestoreFailed);
}

int CloseWindow(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 1) {
        context.lastError = desktop_text::kWrongNumberOfParametersCapital;
        return 0;
    }
    const CString pattern = arguments.Text(1);
    const HWND window = FindWindowByTitle(pattern);
    if (window == nullptr)
        return Fail(context, desktop_text::kCloseWindowFailed, pattern);
    // A window that does not answer in time still got its close message;
    // the command is done with it either way.
    CloseWindowWaiting(window, kCloseAnswerLimitMs);
    return 1;
}

}  // namespace desktop
