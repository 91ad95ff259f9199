// CCommandLineInfo: what a program makes of the words of its command line.
// The application object splits the line into words and hands each one to
// ParseParam; a derived class keeps the words it knows.
#pragma once

#include <windows.h>

class CCommandLineInfo {
public:
    CCommandLineInfo();
    virtual ~CCommandLineInfo();

    // One word of the command line, in order. A word that begins with "/" or
    // "-" is a flag and arrives without that first character; last is set for
    // the final word. The base keeps nothing.
    virtual void ParseParam(const char* param, BOOL flag, BOOL last);
};

// Hands the words to info.ParseParam as the application object does; the
// program's own name is not among them.
void ParseCommandLineWords(CCommandLineInfo& info, int count, const char* const* words);
