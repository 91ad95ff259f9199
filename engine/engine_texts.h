// The engine's own texts. Event-log readers, the diagnostics log and the
// administrator's users see them as they are, so they are kept word for word.
#pragma once

namespace engine_text {

// Service life, in the event log (service) or on standard output (process).
inline constexpr wchar_t kServiceStarted[] = L"Service started";
inline constexpr wchar_t kServiceStopped[] = L"Service stopped";
inline constexpr wchar_t kHandlerNotInstalled[] = L"Handler not installed";
inline constexpr wchar_t kBadServiceRequest[] = L"Bad service request";

// Registration, into the diagnostics log.
inline constexpr char kCoInitializeFailed[] = "Call to CoInitialize function failed: %x";
inline constexpr char kAppIdScriptFailed[] = "Call to UpdateRegistryFromResource function failed: %x";
inline constexpr char kAppIdRootOpenFailed[] = "Call to keyAppID::Open() function failed: %d";
inline constexpr char kAppIdKeyOpenFailed[] = "Call to key::Open() function failed: %d";
inline constexpr char kDeleteValueFailed[] = "Call to key::DeleteValue() function failed: %d";
inline constexpr char kSetLocalServiceFailed[] = "Call to key::SetValue(LocalService) failed: %d";
inline constexpr char kSetServiceParametersFailed[] = "Call to key::SetValue(ServiceParameters) failed: %d";
inline constexpr char kRegisterServerFailed[] = "Call to CComModule::RegisterServer() failed: %x";
inline constexpr char kLastSystemError[] = "Last system error code: %d";

// Installing and removing the service.
inline constexpr char kAlreadyInstalled[] = "Application already installed";
inline constexpr char kNoServiceManager[] = "Couldn't open service manager";
inline constexpr char kCreateServiceFailed[] = "Couldn't create service";
inline constexpr char kOpenServiceFailed[] = "Couldn't open service";
inline constexpr char kDeleteServiceFailed[] = "Service could not be deleted";

// Start-up and the scheduler object.
inline constexpr char kNoSchedulerObject[] = "Unable to create scheduler object.";
inline constexpr char kNoSystemOptionFile[] = "Unable to read system option file.";
inline constexpr char kSchedulerDoesNotStop[] = "Unable to stop the scheduler";

// Task look-ups by name.
inline constexpr char kTaskNotFound[] = "Task %s Not Found";
inline constexpr char kNoTaskObject[] = "Unable to retrieve task object";
inline constexpr char kNoTaskObjectFor[] = "Ubnable to retrieve task object for task: %s";
inline constexpr char kNoScheduleTrigger[] = "Failed to get the schedule trigger object: %x";
inline constexpr char kNoConditionTrigger[] = "Failed to get the condition trigger object: %x";
inline constexpr char kTaskNotSaved[] = "The change of task %s could not be saved: %s";
inline constexpr wchar_t kTaskKeptBeingSaved[] = L"other programs kept saving the task at the same time.";

// Refusals of the scheduler object's own (error info of the failing call).
inline constexpr wchar_t kIntervalTooSmall[] = L"The schedule interval must be at least 1 second.";
inline constexpr wchar_t kDayOutOfRange[] = L"The day of the week must be 0 (Monday) to 6 (Sunday).";
inline constexpr wchar_t kHolidayOutOfRange[] = L"There is no holiday at this index.";
inline constexpr wchar_t kLoginOutOfRange[] = L"There is no login at this index.";
inline constexpr wchar_t kTaskIndexOutOfRange[] = L"There is no task at this index.";
inline constexpr wchar_t kNoDescription[] = L"A task needs a description.";
inline constexpr wchar_t kTaskFileUnreadable[] = L"The task file of %ls can't be read.";
inline constexpr wchar_t kCollectionExists[] = L"The task list exists already.";

// The diagnostics log, beside the program.
inline constexpr char kDiagnosticsLogFile[] = "qvdiag.log";

}  // namespace engine_text
