// CFileFind: a directory search.
//
//     CFileFind finder;
//     bool more = finder.FindFile("C:\\dir\\*.tsk");
//     while (more) {
//         more = finder.FindNextFile();
//         ... finder.GetFileName() ...
//     }
#pragma once

#include <windows.h>

#include "platform/framework/string.h"

class CFileFind {
public:
    CFileFind();
    ~CFileFind();

    // Starts a search ("*.*" when null); true when something matches. The
    // first match becomes current with the first FindNextFile.
    bool FindFile(const char* pattern = nullptr);
    // Makes the next match current; false when it is the last one.
    bool FindNextFile();
    void Close();

    // The current match.
    CString GetFileName() const;
    CString GetFilePath() const;   // the search directory and the name
    CString GetFileTitle() const;  // the name without its extension
    CString GetRoot() const;       // the search directory, no trailing backslash
    ULONGLONG GetLength() const;
    bool GetLastWriteTime(FILETIME& time) const;
    bool IsDots() const;
    bool IsDirectory() const;
    bool IsReadOnly() const;
    bool IsHidden() const;
    bool IsSystem() const;
    bool IsArchived() const;
    bool MatchesMask(DWORD attributes) const;

private:
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    HANDLE m_hFind;
    WIN32_FIND_DATAA m_found;
    WIN32_FIND_DATAA m_next;
    bool m_bHasFound;
    bool m_bHasNext;
    CString m_strRoot;
};
