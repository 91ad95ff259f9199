#include "sample_process.h"

#include <vector>

#include "platform/com/handle.h"
#include "platform/com/module.h"

namespace tvx::com::test {

std::wstring FileBesideTest(const wchar_t* name)
{
    std::wstring path = ModuleFileName(nullptr);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

DWORD RunToEnd(const std::wstring& command_line, DWORD timeout_ms)
{
    std::vector<wchar_t> line(command_line.begin(), command_line.end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return ~0u;
    Handle process(info.hProcess);
    Handle thread(info.hThread);
    if (WaitForSingleObject(process.Get(), timeout_ms) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        return ~0u;
    }
    DWORD code = ~0u;
    GetExitCodeProcess(process.Get(), &code);
    return code;
}

Handle OpenRunningProcess(DWORD process_id)
{
    return Handle(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, process_id));
}

bool ProcessEnds(const Handle& process, DWORD timeout_ms)
{
    if (!process)
        return true;  // gone before it could be opened
    if (WaitForSingleObject(process.Get(), timeout_ms) == WAIT_OBJECT_0)
        return true;
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 5000);
    return false;
}

}  // namespace tvx::com::test
