// What the engine's task folder and task list hold, for the tests that
// compare the two after many clients, or a killed engine, worked on them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "qvxtask.h"

namespace enginetest {

// The names (without ".tsk") of the files in the engine's "tasks" folder
// whose extension is exactly ".tsk".
std::vector<std::wstring> TaskFileNames();
// The files of that folder whose name matches the pattern ("qvx*.tmp").
std::vector<std::wstring> FilesInTaskFolder(const wchar_t* pattern);

// At the end of its scope, also when a test ends early: the engine's files
// as ClearEngineFiles leaves them, without the temporary files of saves cut
// short by a killed engine and without the given files of the engine folder
// (logs of the test's tasks), so that the tests after it find the folder as
// they expect.
class EngineFilesCleanup {
public:
    explicit EngineFilesCleanup(std::vector<std::wstring> engine_folder_files = {});
    ~EngineFilesCleanup();
    EngineFilesCleanup(const EngineFilesCleanup&) = delete;
    EngineFilesCleanup& operator=(const EngineFilesCleanup&) = delete;

private:
    std::vector<std::wstring> files_;
};

// The descriptions of the tasks of a task list, in its order; false when
// the list could not be read whole.
bool TaskListNames(IQVTaskCollection* tasks, std::vector<std::wstring>& names);

// A task file read through a QVTask of this process.
struct StoredTask {
    HRESULT read = E_FAIL;
    std::wstring error;
    std::wstring description;
    long enabled = -1;
    std::vector<std::wstring> commands;
};
StoredTask ReadStoredTask(const std::wstring& description);

std::wstring LowerName(std::wstring name);
// Names that occur more than once, letter case aside.
std::vector<std::wstring> RepeatedNames(const std::vector<std::wstring>& names);
// Names of `a` missing from `b`, letter case aside.
std::vector<std::wstring> NamesMissingFrom(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b);
std::string JoinNames(const std::vector<std::wstring>& names);

}  // namespace enginetest
