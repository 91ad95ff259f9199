#include "platform/ui/command_line_info.h"

CCommandLineInfo::CCommandLineInfo() = default;

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL last)
{
}

void ParseCommandLineWords(CCommandLineInfo& info, int count, const char* const* words)
{
    for (int i = 0; i < count; ++i) {
        const char* word = words[i] ? words[i] : "";
        const BOOL flag = word[0] == '/' || word[0] == '-';
        info.ParseParam(flag ? word + 1 : word, flag, i + 1 == count);
    }
}
