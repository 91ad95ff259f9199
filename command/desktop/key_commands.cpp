// SendKeys, SendKeysToWindow and SendKeysFromFile.
#include <fstream>
#include <string>

#include "command/command_texts.h"
#include "command/desktop/desktop_commands.h"
#include "command/desktop/desktop_texts.h"
#include "command/desktop/system_key_output.h"
#include "command/desktop/window_actions.h"
#include "task/shared/title_pattern.h"

namespace desktop {

namespace {

// The reason a typed key text stopped, or nullptr when it went through.
const char* KeyTextFailure(int result)
{
    if (result == kActivateNotFound)
        return desktop_text::kKeyActivateFailed;
    if (result == kBraceNotClosed)
        return desktop_text::kKeyBraceNotClosed;
    if (result == kNestedTooDeeply)
        return desktop_text::kKeyNestedTooDeeply;
    if (result == kActivateNotReady)
        return desktop_text::kKeyActivateNotReady;
    if (result == kKeysStopped)
        return command_text::kUserCancelled;
    return nullptr;
}

int TypeKeysReporting(const CString& keys, DesktopContext& context)
{
    CSystemKeyOutput output(context.stopRequested);
    CKeyTextSender sender(output);
    if (const char* failure = KeyTextFailure(sender.TypeKeys(keys, context.keyDelay))) {
        context.lastError = failure;
        return 0;
    }
    return 1;
}

}  // namespace

int SendKeys(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 1) {
        context.lastError = desktop_text::kWrongNumberOfParameters;
        return 0;
    }
    return TypeKeysReporting(arguments.Text(1), context);
}

int SendKeysToWindow(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 2) {
        context.lastError = desktop_text::kWrongNumberOfParameters;
        return 0;
    }
    const CString pattern = arguments.Text(1);
    const CString keys = arguments.Text(2);
    const HWND window = pattern.IsEmpty() ? nullptr : FindWindowByTitle(pattern);
    if (window == nullptr) {
        context.lastError = desktop_text::kSendKeysToWindowFailed;
        return 0;
    }
    if (!ActivateForInput(window, kActivationLimitMs)) {
        context.lastError = desktop_text::kSendKeysToWindowFailed;
        return 0;
    }
    if (keys.IsEmpty())
        return 1;
    return TypeKeysReporting(keys, context);
}

int SendKeysFromFile(const CommandArguments& arguments, DesktopContext& context)
{
    if (arguments.Count() != 1) {
        context.lastError = desktop_text::kWrongNumberOfParameters;
        return 0;
    }
    const CString fileName = arguments.Text(1);
    const DWORD attributes = fileName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(fileName);
    std::ifstream file;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        file.open(static_cast<const char*>(fileName));
    if (!file.is_open()) {
        context.lastError = desktop_text::kSendKeysFromFileFailed;
        return 0;
    }
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!TypeKeysReporting(line.c_str(), context))
            return 0;
    }
    if (file.bad()) {
        context.lastError = desktop_text::kSendKeysFromFileFailed;
        return 0;
    }
    return 1;
}

}  // namespace desktop
