#include "platform/com/server_switches.h"

#include <gtest/gtest.h>

#include <string>

namespace tvx::com {
namespace {

std::wstring Matched(const wchar_t* command_line)
{
    const wchar_t* names[] = {L"RegServer", L"UnregServer", L"Service", L"Start", L"Stop", L"Embedding"};
    std::wstring matched;
    for (std::wstring_view text : SwitchTexts(command_line)) {
        for (const wchar_t* name : names) {
            if (SwitchIs(text, name))
                matched += std::wstring(matched.empty() ? L"" : L",") + name;
        }
    }
    return matched;
}

TEST(ServerSwitches, EachSwitchRunsToTheEndOfTheLine)
{
    struct Case {
        const wchar_t* command_line;
        const wchar_t* matched;
    };
    const Case cases[] = {
        {L"Tarvex.exe /RegServer", L"RegServer"},
        {L"Tarvex.exe -regserver", L"RegServer"},
        {L"Tarvex.exe /SERVICE", L"Service"},
        {L"\"C:\\Program Files\\Tarvex\\Tarvex.exe\" -Embedding", L"Embedding"},
        {L"Tarvex.exe /Start -Embedding", L"Embedding"},  // "Start -Embedding" is no switch
        {L"Tarvex.exe -Start", L"Start"},
        {L"Tarvex.exe /RegServerX", L""},
        {L"Tarvex.exe /Reg Server", L""},
        {L"Tarvex.exe", L""},
        {L"Tarvex.exe -", L""},
        {L"C:\\my-tools\\Tarvex.exe /Stop", L"Stop"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Matched(c.command_line), c.matched) << c.command_line;
}

}  // namespace
}  // namespace tvx::com
