// CRecentFileList: the files a program opened last, shown in its File menu.
// GetDisplayName gives the text of one entry as a menu shows it.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/framework/string.h"

class CRecentFileList {
public:
    // nSize entries at most; nMaxDispLen: the longest display name.
    CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = 0);
    virtual ~CRecentFileList();

    int GetSize() const { return static_cast<int>(m_arrNames.size()); }
    CString& operator[](int nIndex) { return m_arrNames[static_cast<size_t>(nIndex)]; }

    // The entry's name for a menu: the file name alone when the file lies
    // directly in lpszCurDir (its first nCurDir characters, compared without
    // case), else the path, shortened to nMaxDispLen characters by putting
    // "..." for the folders after the root ("C:\...\folder\name.txt").
    // When not even the root, "...\" and the name fit, the name alone with
    // bAtLeastName, else an empty text. 0 means no limit. FALSE for an
    // empty entry or an index out of range.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;

    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strSectionName;
    CString m_strEntryFormat;

protected:
    std::vector<CString> m_arrNames;
};
