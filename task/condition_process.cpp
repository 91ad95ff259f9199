#include "task/condition_process.h"

#include <windows.h>

#include <string>

#include "task/shared/process_list.h"
#include "task/shared_snapshots.h"

namespace {

std::string Lowered(std::string text)
{
    if (!text.empty())
        CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace

bool IsProcessRunning(const char* executableName)
{
    if (executableName == nullptr || *executableName == '\0')
        return false;
    const std::string wanted = Lowered(executableName);
    auto matches = [&wanted](const ProcessEntry& entry) {
        return Lowered(entry.name) == wanted || Lowered(ProcessFileName(entry.name)) == wanted;
    };
    if (const std::vector<ProcessEntry>* shared = SharedProcessList()) {
        for (const ProcessEntry& entry : *shared) {
            if (matches(entry))
                return true;
        }
        return false;
    }
    const std::unique_ptr<CProcessList> processes = CreateProcessList();
    processes->Refresh();
    while (const ProcessEntry* entry = processes->GetNext()) {
        if (matches(*entry))
            return true;
    }
    return false;
}
