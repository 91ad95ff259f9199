// The texts the command interpreter leaves in its last error text. Stored
// scripts, the task's error log and the administrator show them as they are,
// so their wording and capitalisation never change.
#pragma once

namespace command_text {

// Count rules of the keyword table: three spellings, kept as released.
inline constexpr char kInvalidNumberOfParameters[] = "Invalid Number of Parameters";
inline constexpr char kWrongNumberOfParameters[] = "Wrong number of parameters";
inline constexpr char kWrongNumberOfParametersCapital[] = "Wrong number of Parameters";

inline constexpr char kUnknownCommand[] = "Unknown command \"%s\"";
inline constexpr char kCommandNotAvailable[] = "%s is not available";
inline constexpr char kDialUpNotAvailable[] = "Dial-Up Networking not available";

// Queue run.
inline constexpr char kUnableToLogon[] = "Unable to logon user - %s";
inline constexpr char kUserNameBlank[] = "UserName is blank ";
inline constexpr char kPasswordBlank[] = "Password is blank";
inline constexpr char kNoPrimaryToken[] = "Unable to get user primary token\n%d";
inline constexpr char kNoAccountName[] = "Unable to get username and domain from token \n%d";
inline constexpr char kQueueMutexWaitFailed[] = "Unable to wait for mutex MutexProtectExecuteQue\nError Code %d";
inline constexpr char kNoProfile[] = "Unable to access user's profile\n%d";
inline constexpr char kNoEnvironmentBlock[] = "Call to OperateWithUserEnvironmentalBlock failed\n%d";
inline constexpr char kNoImpersonation[] = "Unable to complete user Impersonation\n%d";
inline constexpr char kNoDesktopAccess[] = "Unable to access Desktop\nError Code %d";
inline constexpr char kPreparationReleaseFailed[] = "Unable to release mutex \nError Code %d";
inline constexpr char kCleanUpReleaseFailed[] = "Unable to release mutex \n%d";
inline constexpr char kNoRunDesktop[] = "Unable to create desktop object\n%d";
inline constexpr char kUserCancelled[] = "User cancelled execution";
inline constexpr char kLineFailedWithoutText[] = "Command failed: %s";

// Task-control commands. The connection texts carry the activation's code.
inline constexpr char kNoSchedulerObject[] = "Unable to initial scheduler object: %d";
inline constexpr char kNoSchedulerForRunTask[] = "Unable to initialize scheduler object for Run Task: %d";
inline constexpr char kUnableToEnableTask[] = "Unable to enable task\n%s\nError: %d";
inline constexpr char kUnableToDisableTask[] = "Unable to disable task\n%s\nError: %d";
inline constexpr char kUnableToResetTrigger[] = "Unable to reset task trigger\n%s\nError: %d";
inline constexpr char kNoTaskCollection[] = "Failed to get the task collection object: %x";
inline constexpr char kNoTaskIndex[] = "Unable to retrieve task index for run task command";
inline constexpr char kNoTaskObject[] = "Unable to retrieve task object.\nError: %d";
inline constexpr char kNoCommandList[] = "Unable to query command list: %x";
inline constexpr char kNoCommandObject[] = "Failed to get command object: %d";
inline constexpr char kRunTaskRecursion[] = "RunTask refused: task \"%s\" would run itself";

// System commands and the shutdown helper.
inline constexpr char kShutdownHelperFile[] = "qvshutdown.exe";
inline constexpr char kShutdownHelperMissing[] = "QVShutdown application could not be found";
inline constexpr char kSystemCommandUndefined[] = "System command not defined correctly";
inline constexpr char kShutdownHelperStartFailed[] = "Unable to start the QVShutdown application\n%s";

}  // namespace command_text
