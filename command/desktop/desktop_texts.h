// The texts the desktop commands leave in the last error text. Scripts,
// error logs and the administrator show them as they are, so their wording
// and capitalisation stay as released.
#pragma once

namespace desktop_text {

inline constexpr char kInvalidNumberOfParameters[] = "Invalid Number of Parameters";
inline constexpr char kWrongNumberOfParameters[] = "Wrong number of parameters";
inline constexpr char kWrongNumberOfParametersCapital[] = "Wrong number of Parameters";

// Programs and processes.
inline constexpr char kNoWorkingDirectory[] = "Unable to set working directory";
inline constexpr char kRunProgramFailed[] = "Unable to run command line: %s";
inline constexpr char kRunDOSCommandFailed[] = "Unable to run DOS command: %s";
inline constexpr char kRunAsUserFailed[] = "Unable to run command line\r\n%s\r\nError: %d";
inline constexpr char kWaitForProgramFailed[] = "Unable to complete WaitForProgram command";
inline constexpr char kQuitProgramFailed[] = "Unable to Quit Program %s";

// Windows.
inline constexpr char kActivateFailed[] = "Unable to activate the following window: %s";
inline constexpr char kMaximizeFailed[] = "Unable to maximize the following window: %s";
inline constexpr char kMinimizeFailed[] = "Unable to minimize the following window: %s";
inline constexpr char kRestoreFailed[] = "Unable to restore the following window: %s";
inline constexpr char kCloseWindowFailed[] = "Unable to Close Window %s";

// Keys.
inline constexpr char kKeyActivateFailed[] = "sendkey function activate failed to find window";
inline constexpr char kKeyBraceNotClosed[] = "sendkey function found an opening brace without a closing brace";
inline constexpr char kKeyActivateNotReady[] = "sendkey function activate could not bring the window to the front";
inline constexpr char kKeyNestedTooDeeply[] = "sendkey function found groups and modifiers nested too deeply";
inline constexpr char kSendKeysToWindowFailed[] = "Unable to complete SendKeysToWindow command";
inline constexpr char kSendKeysFromFileFailed[] = "Unable to complete SendKeysFromFile command";

// Messages, prompts and logs.
inline constexpr char kNoMessageDefined[] = "No message defined";
inline constexpr char kDefaultMessageBoxCaption[] = "Message Box";
inline constexpr char kMessageNotShown[] = "Unable to display the message";
inline constexpr char kPromptNotShown[] = "Unable to display the input prompt";
inline constexpr char kLogFileNotWritten[] = "Unable to write to log file";

}  // namespace desktop_text
