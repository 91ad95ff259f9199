// CCommandLineInfo: what a program makes of the words of its command line.
// The application object splits the line into words and hands each one to
// ParseParam; a derived class keeps the words it knows and passes the rest
// on to the base.
//
// The base keeps the first plain word as the file to open (the shell
// command then is FileOpen, else FileNew). A program started by COM
// ("Embedding" or "Automation") shows no splash window.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"

class CCommandLineInfo {
public:
    enum {
        FileNew = 0,
        FileOpen = 1,
        FileNothing = -1,
    };

    CCommandLineInfo();
    virtual ~CCommandLineInfo();

    // One word of the command line, in order. A word that begins with "/" or
    // "-" is a flag and arrives without that first character; bLast is set
    // for the final word.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    int m_nShellCommand;
    CString m_strFileName;
};

// Hands the words to info.ParseParam as the application object does; the
// program's own name is not among them.
void ParseCommandLineWords(CCommandLineInfo& info, int count, const char* const* words);
