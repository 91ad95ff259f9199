#include "task_file_burst.h"

#include <cstdio>

#include "engine_test_support.h"

namespace enginetest {

namespace {

constexpr int kMaxTasks = 10000;
// The template's description: as long as every name of the burst, so that
// its bytes are the template's with the name alone replaced.
constexpr wchar_t kTemplateNumber[] = L"TMPL";

std::wstring TaskName(const std::wstring& prefix, int index)
{
    wchar_t number[8];
    swprintf(number, 8, L"%04d", index);
    return prefix + L"-" + number;
}

std::string Ansi(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    const tvx::com::Handle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace

TaskFileBurst::TaskFileBurst(const std::wstring& prefix, const BurstMix& mix)
    : staging_(EngineFolder() + L"burst-" + prefix + L"\\")
{
    if (mix.tasks > kMaxTasks)
        return;
    CreateDirectoryW(staging_.c_str(), nullptr);
    const std::wstring template_name = prefix + L"-" + kTemplateNumber;
    WriteTaskFile(template_name.c_str(), {L"// one of a burst"});
    const std::string bytes = ReadFileText(TaskFilePath(template_name.c_str()));
    DeleteFileW(TaskFilePath(template_name.c_str()).c_str());
    const std::string stored_name = Ansi(template_name);
    const std::size_t at = bytes.find(stored_name);
    if (bytes.empty() || at == std::string::npos)
        return;

    const auto made = [&](const std::wstring& file, const std::string& content) {
        if (!WriteBytes(staging_ + file, content))
            return false;
        files_.push_back(file);
        return true;
    };
    // The others come after every so many tasks, so that they lie among them.
    const int others = mix.damaged + mix.leftovers;
    const int spacing = others > 0 ? mix.tasks / others + 1 : mix.tasks + 1;
    int damaged = 0;
    int leftovers = 0;
    unsigned leftover_base = 0;
    for (wchar_t c : prefix)
        leftover_base = leftover_base * 31 + c;
    leftover_base = (leftover_base & 0xFF) << 8;
    for (int i = 0; i < mix.tasks || damaged < mix.damaged || leftovers < mix.leftovers; ++i) {
        if (i < mix.tasks) {
            const std::wstring name = TaskName(prefix, i);
            std::string task = bytes;
            task.replace(at, stored_name.size(), Ansi(name));
            if (!made(name + L".tsk", task))
                return;
            task_names_.push_back(name);
        }
        if (i % spacing != 0)
            continue;
        if (damaged < mix.damaged) {
            const std::wstring name = TaskName(prefix + L"-damaged", damaged) + L".tsk";
            static const char* const kDamage[] = {"text, not a task", "", nullptr};
            const char* damage = kDamage[damaged % 3];
            if (!made(name, damage ? std::string(damage) : bytes.substr(0, bytes.size() / 2)))
                return;
            ++damaged;
        }
        if (leftovers < mix.leftovers) {
            // As GetTempFileName names them; numbered from the burst's name,
            // so that the leftovers of two bursts do not meet.
            wchar_t name[16];
            swprintf(name, 16, L"qvx%04X.tmp", (leftover_base + leftovers) & 0xFFFF);
            if (!made(name, bytes))
                return;
            ++leftovers;
        }
    }
    ready_ = true;
}

TaskFileBurst::~TaskFileBurst()
{
    const std::wstring folder = EngineFolder() + L"tasks\\";
    for (const std::wstring& file : files_) {
        DeleteFileW((staging_ + file).c_str());
        DeleteFileW((folder + file).c_str());
    }
    RemoveDirectoryW(staging_.c_str());
}

bool TaskFileBurst::Drop()
{
    const std::wstring folder = EngineFolder() + L"tasks\\";
    bool all = true;
    for (const std::wstring& file : files_)
        all = MoveFileW((staging_ + file).c_str(), (folder + file).c_str()) && all;
    return all;
}

bool TaskFileBurst::DeleteTasks()
{
    bool all = true;
    for (const std::wstring& name : task_names_)
        all = DeleteFileW(TaskFilePath(name.c_str()).c_str()) && all;
    return all;
}

int EnvironmentCount(const wchar_t* name, int fallback)
{
    wchar_t text[16] = {};
    if (GetEnvironmentVariableW(name, text, 16) > 0 && _wtoi(text) > 0)
        return _wtoi(text);
    return fallback;
}

}  // namespace enginetest
