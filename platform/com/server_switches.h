#pragma once

#include <string_view>
#include <vector>

namespace tvx::com {

// The switches of a server's command line, as COM and installers pass them
// ("-Embedding", "/RegServer"): the text after each "-" or "/", running to
// the end of the line. Compare with SwitchIs, which takes the whole text,
// so "/Start -Embedding" gives "Start -Embedding" (not Start) and then
// "Embedding".
std::vector<std::wstring_view> SwitchTexts(std::wstring_view command_line);
bool SwitchIs(std::wstring_view text, std::wstring_view name);

}  // namespace tvx::com
