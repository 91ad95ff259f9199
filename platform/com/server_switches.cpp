#include "platform/com/server_switches.h"

#include <cwctype>

namespace tvx::com {

std::vector<std::wstring_view> SwitchTexts(std::wstring_view command_line)
{
    std::vector<std::wstring_view> texts;
    for (std::size_t i = 0; i < command_line.size(); ++i) {
        if (command_line[i] == L'-' || command_line[i] == L'/')
            texts.push_back(command_line.substr(i + 1));
    }
    return texts;
}

bool SwitchIs(std::wstring_view text, std::wstring_view name)
{
    if (text.size() != name.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::towlower(text[i]) != std::towlower(name[i]))
            return false;
    }
    return true;
}

}  // namespace tvx::com
