// ShutDown, LogOff and ReBoot: start the shutdown helper that ships beside
// the host program and return at once; the helper ends the session itself.
#include <cstring>
#include <vector>

#include "command/command_texts.h"
#include "command/macro_command.h"
#include "command/owned_handle.h"
#include "task/shared/module_directory.h"
#include "task/shared/system_error_text.h"

namespace {

struct SystemAction {
    const char* keyword;
    const char* action;  // the helper's action word
};

constexpr SystemAction kSystemActions[] = {
    {"ShutDown", "SHUTDOWN"},
    {"LogOff", "LOGOFF"},
    {"ReBoot", "REBOOT"},
};

const char* ActionOf(const CString& keyword)
{
    for (const SystemAction& entry : kSystemActions) {
        if (keyword == entry.keyword)
            return entry.action;
    }
    return nullptr;
}

// True when a file search for the path finds an entry of its own (not the
// "." or ".." that a search for a directory name can give).
bool HelperExists(const CString& path)
{
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    bool exists = false;
    do {
        const CString name(found.cFileName);
        if (name != "." && name != "..")
            exists = true;
    } while (!exists && ::FindNextFileA(search, &found));
    ::FindClose(search);
    return exists;
}

// The program directory may hold blanks; unquoted, the system would try
// "C:\Program" and the like as the program first.
CString QuotedWhenBlank(const CString& path)
{
    if (path.Find(' ') < 0 && path.Find('\t') < 0)
        return path;
    return CString("\"") + path + "\"";
}

}  // namespace

int CMacroCommand::SystemCommand()
{
    const CString helper = CString(GetModuleDirectory().c_str()) + command_text::kShutdownHelperFile;
    if (!HelperExists(helper))
        return SetErrorText(command_text::kShutdownHelperMissing);
    if (!CheckParameterCount())
        return 0;

    CString force = GetParameter(1);
    force.MakeUpper();
    const bool forced = force == "TRUE";

    const char* action = ActionOf(m_strKeyword);
    if (action == nullptr)
        return SetErrorText(command_text::kSystemCommandUndefined);

    CString commandLine;
    commandLine.Format(forced ? "%s /t FORCE%s /w 2" : "%s /t %s /w 2",
                       static_cast<const char*>(QuotedWhenBlank(helper)), action);

    // The helper is not waited for: it may end this very process.
    std::vector<char> writable(commandLine.GetLength() + 1);
    memcpy(writable.data(), static_cast<const char*>(commandLine), writable.size());
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &process)) {
        return SetErrorFormat(command_text::kShutdownHelperStartFailed, GetLastErrorText().c_str());
    }
    OwnedKernelHandle thread(process.hThread);
    OwnedKernelHandle started(process.hProcess);
    return 1;
}
