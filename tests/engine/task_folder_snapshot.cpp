#include "task_folder_snapshot.h"

#include <algorithm>
#include <cwctype>
#include <map>
#include <set>
#include <utility>

#include "engine_test_support.h"

using tvx::com::Bstr;
using tvx::com::ComPtr;

namespace enginetest {

namespace {

constexpr wchar_t kTaskExtension[] = L".tsk";
constexpr std::size_t kTaskExtensionLength = 4;

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

std::vector<std::wstring> FilesInTaskFolder(const wchar_t* pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    FindHandle search(FindFirstFileW((EngineFolder() + L"tasks\\" + pattern).c_str(), &found));
    if (!search.Valid())
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search.Get(), &found));
    return names;
}

EngineFilesCleanup::EngineFilesCleanup(std::vector<std::wstring> engine_folder_files)
    : files_(std::move(engine_folder_files))
{
}

EngineFilesCleanup::~EngineFilesCleanup()
{
    ClearEngineFiles();
    // The storage's temporary files of a save in progress.
    for (const std::wstring& name : FilesInTaskFolder(L"qvx*.tmp"))
        DeleteFileW((EngineFolder() + L"tasks\\" + name).c_str());
    for (const std::wstring& name : files_)
        DeleteFileW((EngineFolder() + name).c_str());
}

std::vector<std::wstring> TaskFileNames()
{
    std::vector<std::wstring> names;
    // "*.tsk" also finds longer extensions that begin with "tsk".
    for (const std::wstring& file : FilesInTaskFolder(L"*.tsk")) {
        if (file.size() > kTaskExtensionLength &&
            _wcsicmp(file.c_str() + file.size() - kTaskExtensionLength, kTaskExtension) == 0)
            names.push_back(file.substr(0, file.size() - kTaskExtensionLength));
    }
    return names;
}

bool TaskListNames(IQVTaskCollection* tasks, std::vector<std::wstring>& names)
{
    names.clear();
    long count = 0;
    if (FAILED(tasks->get_Count(&count)))
        return false;
    for (long index = 0; index < count; ++index) {
        ComPtr<IQVTask> task;
        Bstr description;
        if (FAILED(tasks->Item(index, task.Receive())) || !task ||
            FAILED(task->get_Description(description.Receive())))
            return false;
        names.push_back(description.ToString());
    }
    return true;
}

StoredTask ReadStoredTask(const std::wstring& description)
{
    StoredTask stored;
    ComPtr<IQVTask> task;
    stored.read = task.CreateInstance(CLSID_QVTask, CLSCTX_INPROC_SERVER);
    if (FAILED(stored.read))
        return stored;
    task->put_Description(Bstr(description).Get());
    stored.read = task->ReadFromStorage(0);
    if (FAILED(stored.read)) {
        stored.error = TakeErrorDescription();
        return stored;
    }
    Bstr held;
    task->get_Description(held.Receive());
    stored.description = held.ToString();
    task->get_Enabled(&stored.enabled);
    ComPtr<IQVCmdCollection> commands;
    long count = 0;
    if (FAILED(task.As(commands)) || FAILED(commands->get_Count(&count))) {
        stored.read = E_NOINTERFACE;
        return stored;
    }
    for (long index = 0; index < count; ++index) {
        ComPtr<IQVCommand> command;
        Bstr line;
        if (SUCCEEDED(commands->Item(static_cast<int>(index), command.Receive())) && command)
            command->get_FullCommand(line.Receive());
        stored.commands.push_back(line.ToString());
    }
    return stored;
}

std::wstring LowerName(std::wstring name)
{
    for (wchar_t& c : name)
        c = static_cast<wchar_t>(std::towlower(c));
    return name;
}

std::vector<std::wstring> RepeatedNames(const std::vector<std::wstring>& names)
{
    std::map<std::wstring, int> seen;
    std::vector<std::wstring> repeated;
    for (const std::wstring& name : names) {
        if (++seen[LowerName(name)] == 2)
            repeated.push_back(name);
    }
    return repeated;
}

std::vector<std::wstring> NamesMissingFrom(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b)
{
    std::set<std::wstring> present;
    for (const std::wstring& name : b)
        present.insert(LowerName(name));
    std::vector<std::wstring> missing;
    for (const std::wstring& name : a) {
        if (present.count(LowerName(name)) == 0)
            missing.push_back(name);
    }
    return missing;
}

std::string JoinNames(const std::vector<std::wstring>& names)
{
    std::string text;
    for (const std::wstring& name : names)
        text += (text.empty() ? "" : ", ") + Narrow(name);
    return text.empty() ? "(none)" : text;
}

}  // namespace enginetest
