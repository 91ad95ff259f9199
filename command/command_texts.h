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

}  // namespace command_text
