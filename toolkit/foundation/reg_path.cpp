#include "toolkit/foundation/reg_path.h"

#include "platform/ui/app.h"

namespace {

void AppendPart(CString& path, LPCSTR part)
{
    if (!part || !*part)
        return;
    path += part;
    if (path[path.GetLength() - 1] != '\\')
        path += '\\';
}

}  // namespace

CString WtkGetRegPath(LPCSTR lpszSection, LPCSTR lpszPath)
{
    if (lpszPath && *lpszPath)
        return CString(lpszPath);
    CString path;
    AppendPart(path, "SOFTWARE");
    if (const CWinApp* app = AfxGetApp()) {
        AppendPart(path, app->m_pszRegistryKey);
        AppendPart(path, app->m_pszProfileName);
    }
    AppendPart(path, lpszSection);
    return path;
}
