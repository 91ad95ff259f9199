// Texts of the storage component's errors, as they reach the error log and
// the callers' error info. The first %s of most is the kind of file ("task
// file", "default task file", "settings file"), the second its path.
#pragma once

namespace storage_text {

constexpr char kTaskFileKind[] = "task file";
constexpr char kDefaultFileKind[] = "default task file";
constexpr char kSettingsFileKind[] = "settings file";

constexpr char kFileMissing[] = "The %s %s does not exist.";
constexpr char kFileNotOpened[] = "The %s %s could not be opened (error %lu).";
constexpr char kFileEmpty[] = "The %s %s is empty; it was not read.";
constexpr char kFileDamaged[] = "The %s %s is damaged, cut short or of another kind; it was not read and was left as it is.";
constexpr char kFileNotSaved[] = "The %s %s could not be saved (error %lu).";
constexpr char kFileNotDeleted[] = "The %s %s could not be deleted (error %lu).";
// The old program showed "Failed to Save new format" in a message box; a
// box can't be answered when the engine runs as a service, so the text goes
// to the log with the file's name.
constexpr char kOldFormatNotSaved[] = "Failed to Save new format: %s (error %lu).";
constexpr char kRenamedFileNotSaved[] = "The task file %s could not be rewritten under its file name (error %lu).";
constexpr char kOldFileNotDeleted[] = "The task was saved as %s, but its old file %s could not be deleted (error %lu).";
constexpr char kTaskFolderNotCreated[] = "The tasks folder %s could not be created (error %lu).";
constexpr char kBadTaskName[] =
    "\"%s\" can't name a task file: a task name must be a plain file name (none of \\ / : * ? \" < > |, "
    "not . or .., no device name such as CON or LPT1).";
constexpr char kTaskNameTooLong[] =
    "\"%s\" is too long to name a task file here: its path %s would have %d characters, and a path may have "
    "at most %d.";
constexpr char kTaskFileChanged[] =
    "The task file %s was changed by another program after this task was read from it; the task was not saved, "
    "so that the other change is kept. Read the task again and repeat the change.";
constexpr char kTaskFileGone[] =
    "The task file %s was deleted by another program after this task was read from it; the task was not saved.";
constexpr char kTaskFileNotChecked[] =
    "The task file %s could not be read to check that no other program changed it (error %lu); the task was "
    "not saved.";
constexpr char kTaskFileBusy[] =
    "Another program kept the task files locked for too long; the task file %s was not read, saved or deleted.";
constexpr char kUnknownStorageType[] = "Storage type %d is unknown: 0 is the task's own file, 1 the default task file.";
constexpr char kNotATask[] = "The object given is not a task (it does not answer IQVTask).";
constexpr char kNotAScheduler[] = "The object given is not the scheduler (it does not answer IQVScheduler).";
constexpr char kNullObject[] = "No object was given.";
constexpr char kUnexpectedFailure[] = "The storage component failed unexpectedly.";

}  // namespace storage_text
