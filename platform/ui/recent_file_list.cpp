#include "platform/ui/recent_file_list.h"

#include <string>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// The length of the root: "C:\" or "\\server\share\".
size_t RootLength(const std::string& path)
{
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
        size_t separators = 0;
        for (size_t i = 2; i < path.size(); ++i) {
            if (IsSeparator(path[i]) && ++separators == 2)
                return i + 1;
        }
        return path.size();
    }
    if (path.size() >= 3 && path[1] == ':' && IsSeparator(path[2]))
        return 3;
    if (path.size() >= 2 && path[1] == ':')
        return 2;
    return 0;
}

std::string Abbreviate(const std::string& path, size_t maxLength, bool atLeastName)
{
    if (maxLength == 0 || path.size() <= maxLength)
        return path;
    const size_t nameStart = path.find_last_of("\\/");
    const std::string name = nameStart == std::string::npos ? path : path.substr(nameStart + 1);
    const std::string root = path.substr(0, RootLength(path));
    const std::string ellipsis = "...\\";
    if (root.size() + ellipsis.size() + name.size() > maxLength)
        return atLeastName ? name : std::string();
    // As many of the last folders as fit after the root and the ellipsis.
    std::string tail = name;
    size_t end = nameStart;
    while (end != std::string::npos && end > root.size()) {
        const size_t start = path.find_last_of("\\/", end - 1);
        if (start == std::string::npos || start < root.size())
            break;
        const std::string folder = path.substr(start + 1, end - start);
        if (root.size() + ellipsis.size() + folder.size() + tail.size() > maxLength)
            break;
        tail = folder + tail;
        end = start;
    }
    return root + ellipsis + tail;
}

}  // namespace

CRecentFileList::CRecentFileList(UINT nStart, LPCSTR lpszSection, LPCSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen > 0 ? nMaxDispLen : 0),
      m_strSectionName(lpszSection ? lpszSection : ""),
      m_strEntryFormat(lpszEntryFormat ? lpszEntryFormat : ""),
      m_arrNames(static_cast<size_t>(nSize > 0 ? nSize : 0))
{
}

CRecentFileList::~CRecentFileList() = default;

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    strName.Empty();
    if (nIndex < 0 || nIndex >= GetSize() || m_arrNames[static_cast<size_t>(nIndex)].IsEmpty())
        return FALSE;
    const std::string path(static_cast<const char*>(m_arrNames[static_cast<size_t>(nIndex)]));
    const std::string folder = lpszCurDir && nCurDir > 0 ? std::string(lpszCurDir, static_cast<size_t>(nCurDir))
                                                         : std::string();
    if (!folder.empty() && path.size() > folder.size() &&
        ::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path.c_str(), static_cast<int>(folder.size()),
                         folder.c_str(), static_cast<int>(folder.size())) == CSTR_EQUAL) {
        // Directly in the folder (the folder given with or without its
        // closing separator), not in one below it.
        size_t rest = folder.size();
        if (!IsSeparator(folder.back())) {
            if (!IsSeparator(path[rest]))
                rest = std::string::npos;
            else
                ++rest;
        }
        if (rest != std::string::npos && path.find_first_of("\\/", rest) == std::string::npos) {
            strName = path.substr(rest).c_str();
            return TRUE;
        }
    }
    strName = Abbreviate(path, static_cast<size_t>(m_nMaxDisplayLength), bAtLeastName != FALSE).c_str();
    return TRUE;
}
