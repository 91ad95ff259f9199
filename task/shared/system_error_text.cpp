#include "task/shared/system_error_text.h"

#include "task/shared/system_error_table.h"

#include <windows.h>

#include <algorithm>

const char* FindSystemErrorText(unsigned long code)
{
    const SystemErrorTextRow* first = kSystemErrorTexts;
    const SystemErrorTextRow* last = kSystemErrorTexts + kSystemErrorTextCount;
    const SystemErrorTextRow* row = std::lower_bound(
        first, last, code,
        [](const SystemErrorTextRow& entry, unsigned long wanted) { return entry.code < wanted; });
    if (row == last || row->code != code)
        return nullptr;
    return row->text;
}

std::string GetLastErrorText()
{
    const DWORD code = GetLastError();
    std::string text;
    if (code != ERROR_SUCCESS) {
        const char* found = FindSystemErrorText(code);
        text = found != nullptr ? found : "Description not found";
    }
    // The code is shown as a signed number, as it always has been in the logs.
    std::string result = "Error code " + std::to_string(static_cast<int>(code)) + "\n" + text;
    SetLastError(code);
    return result;
}
