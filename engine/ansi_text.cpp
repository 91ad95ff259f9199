#include "engine/ansi_text.h"

#include <windows.h>

#include <cstring>

std::wstring WideFromAnsi(const char* text, int length)
{
    if (!text)
        return std::wstring();
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    int size = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
    std::wstring wide(size > 0 ? size : 0, L'\0');
    if (size > 0)
        MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], size);
    return wide;
}

std::string AnsiFromWide(const std::wstring& text)
{
    int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                   nullptr);
    std::string ansi(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &ansi[0], size, nullptr,
                            nullptr);
    return ansi;
}
