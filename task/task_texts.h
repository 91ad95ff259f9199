// The texts of the task, its run and the task list. The administrator shows
// the list texts as they are and sorts by them, and log readers look for the
// run's lines, so they are kept word for word.
#pragma once

namespace task_text {

// Trigger kinds of the task list (frequency column).
inline constexpr wchar_t kManual[] = L"Manual";
inline constexpr wchar_t kFileWatch[] = L"File Watch";
inline constexpr wchar_t kApplicationWatch[] = L"Application Watch";
inline constexpr wchar_t kWindowWatch[] = L"Window Watch";
inline constexpr wchar_t kProcessWatch[] = L"Process Watch";

// Status column.
inline constexpr wchar_t kDisabled[] = L"Disabled";
inline constexpr wchar_t kEnabled[] = L"Enabled";
inline constexpr wchar_t kRunning[] = L"Running";

// Next-run column.
inline constexpr wchar_t kObjectUnavailable[] = L"Object Unavailable";
inline constexpr wchar_t kPastDueNoAction[] = L"Past Due-No Action";
inline constexpr wchar_t kNever[] = L"Never";
inline constexpr wchar_t kOnCondition[] = L"On Condition";

// The run.
inline constexpr wchar_t kNoActions[] = L"This task does not contain any actions";
inline constexpr wchar_t kNoCommandObject[] = L"Unable to create command Object";
inline constexpr wchar_t kErrorPrefix[] = L"ERROR: ";
inline constexpr wchar_t kNoCommandInterface[] = L"Unable to get command interface pointer (Command %d";
inline constexpr wchar_t kLogLineCommand[] = L"LogToFile(%ls,%ls)";
inline constexpr wchar_t kLaunching[] = L"LAUNCHING: ";
inline constexpr wchar_t kCompleted[] = L"COMPLETED: ";
inline constexpr wchar_t kProductName[] = L"Tarvex";
inline constexpr wchar_t kPromptBefore[] = L"Run ";
inline constexpr wchar_t kPromptAfter[] = L"?";
inline constexpr wchar_t kErrorCaption[] = L"Tarvex Error";
inline constexpr wchar_t kNoErrorMessage[] = L"No Error Message";
inline constexpr wchar_t kErrorLogForm[] = L"[%ls] - %ls";

// The aggregated parts and the task storage, which live in other modules
// and may be missing or unregistered.
inline constexpr wchar_t kNoPart[] = L"Unable to create the %ls of the task (error 0x%08lX)";
inline constexpr wchar_t kNoStorage[] = L"Unable to create the task storage object QvxStorg.QVTaskStorage (error 0x%08lX)";

}  // namespace task_text
