// Between the engine's wide texts and the 8-bit texts (ANSI code page) of
// the records, the log lines and the event log's fallbacks.
#pragma once

#include <string>

std::wstring WideFromAnsi(const char* text, int length = -1);
std::string AnsiFromWide(const std::wstring& text);
