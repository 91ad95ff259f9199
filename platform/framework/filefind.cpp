#include "platform/framework/filefind.h"

#include <algorithm>
#include <cstring>

CFileFind::CFileFind() : m_hFind(INVALID_HANDLE_VALUE), m_found(), m_next(), m_bHasFound(false), m_bHasNext(false)
{
}

CFileFind::~CFileFind()
{
    Close();
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_bHasFound = false;
    m_bHasNext = false;
    m_strRoot.Empty();
}

bool CFileFind::FindFile(const char* pattern)
{
    Close();
    if (pattern == nullptr || *pattern == '\0')
        pattern = "*.*";
    m_hFind = ::FindFirstFileA(pattern, &m_next);
    if (m_hFind == INVALID_HANDLE_VALUE)
        return false;
    m_bHasNext = true;

    char full[MAX_PATH];
    const DWORD length = ::GetFullPathNameA(pattern, MAX_PATH, full, nullptr);
    CString root = length > 0 && length < MAX_PATH ? CString(full) : CString(pattern);
    const int separator = std::max(root.ReverseFind('\\'), root.ReverseFind('/'));
    if (separator >= 0) {
        root = root.Left(separator);
    } else {
        const int colon = root.ReverseFind(':');
        root = colon >= 0 ? root.Left(colon + 1) : CString();
    }
    m_strRoot = root;
    return true;
}

bool CFileFind::FindNextFile()
{
    if (!m_bHasNext)
        return false;
    m_found = m_next;
    m_bHasFound = true;
    m_bHasNext = ::FindNextFileA(m_hFind, &m_next) != FALSE;
    return m_bHasNext;
}

CString CFileFind::GetFileName() const
{
    return m_bHasFound ? CString(m_found.cFileName) : CString();
}

CString CFileFind::GetFilePath() const
{
    if (!m_bHasFound)
        return CString();
    CString path = m_strRoot;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\' && path[path.GetLength() - 1] != '/' &&
        path[path.GetLength() - 1] != ':')
        path += '\\';
    return path + m_found.cFileName;
}

CString CFileFind::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

CString CFileFind::GetRoot() const
{
    return m_strRoot;
}

ULONGLONG CFileFind::GetLength() const
{
    if (!m_bHasFound)
        return 0;
    return (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow;
}

bool CFileFind::GetLastWriteTime(FILETIME& time) const
{
    if (!m_bHasFound)
        return false;
    time = m_found.ftLastWriteTime;
    return true;
}

bool CFileFind::IsDots() const
{
    return m_bHasFound && IsDirectory() &&
           (std::strcmp(m_found.cFileName, ".") == 0 || std::strcmp(m_found.cFileName, "..") == 0);
}

bool CFileFind::MatchesMask(DWORD attributes) const
{
    return m_bHasFound && (m_found.dwFileAttributes & attributes) != 0;
}

bool CFileFind::IsDirectory() const
{
    return MatchesMask(FILE_ATTRIBUTE_DIRECTORY);
}

bool CFileFind::IsReadOnly() const
{
    return MatchesMask(FILE_ATTRIBUTE_READONLY);
}

bool CFileFind::IsHidden() const
{
    return MatchesMask(FILE_ATTRIBUTE_HIDDEN);
}

bool CFileFind::IsSystem() const
{
    return MatchesMask(FILE_ATTRIBUTE_SYSTEM);
}

bool CFileFind::IsArchived() const
{
    return MatchesMask(FILE_ATTRIBUTE_ARCHIVE);
}
