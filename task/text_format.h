// Small text helpers of the task component: printf-style wide texts and the
// single-byte form that log files and the command lines' log files take.
#pragma once

#include <windows.h>

#include <string>

// The formatted text; "%ls" for wide strings.
std::wstring FormatText(const wchar_t* format, ...);

// The text in the system code page.
std::string ToAnsi(const std::wstring& text);
