// The commands that act on the desktop: programs, processes, windows, keys,
// messages, prompts, delays and log lines. Each takes the parameters of its
// parsed line and the state of the command object that runs it, and returns
// 1 on success or 0 on failure, leaving the reason (when there is one) in
// context.lastError. Each checks its own number of parameters.
#pragma once

#include "command/desktop/command_arguments.h"
#include "command/desktop/desktop_context.h"

namespace desktop {

// Programs and processes.
int RunProgram(const CommandArguments& arguments, DesktopContext& context);
int RunDOSCommand(const CommandArguments& arguments, DesktopContext& context);
int WaitForProgram(const CommandArguments& arguments, DesktopContext& context);
int QuitProgram(const CommandArguments& arguments, DesktopContext& context);

// Windows, found by title pattern.
int SetActiveWindow(const CommandArguments& arguments, DesktopContext& context);
int MaximizeWindow(const CommandArguments& arguments, DesktopContext& context);
int MinimizeWindow(const CommandArguments& arguments, DesktopContext& context);
int RestoreWindow(const CommandArguments& arguments, DesktopContext& context);
int CloseWindow(const CommandArguments& arguments, DesktopContext& context);

// Keys.
int SendKeys(const CommandArguments& arguments, DesktopContext& context);
int SendKeysToWindow(const CommandArguments& arguments, DesktopContext& context);
int SendKeysFromFile(const CommandArguments& arguments, DesktopContext& context);

// Messages, prompts, delays and log lines.
int DisplayMessage(const CommandArguments& arguments, DesktopContext& context);
int InputBox(const CommandArguments& arguments, DesktopContext& context);
// windows.h turns this name into MessageBoxA; declarations and calls that see
// this header see the same spelling.
int MessageBox(const CommandArguments& arguments, DesktopContext& context);
int Delay(const CommandArguments& arguments, DesktopContext& context);
int LogToFile(const CommandArguments& arguments, DesktopContext& context);

}  // namespace desktop
