#include "platform/ui/file_dialog.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_strFilter(lpszFilter), m_strDefExt(lpszDefExt), m_szFileName(),
      m_szFileTitle()
{
    m_pParentWnd = pParentWnd;
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
    if (lpszFileName)
        lstrcpynA(m_szFileName, lpszFileName, sizeof(m_szFileName));
    if (!m_strDefExt.IsEmpty())
        m_ofn.lpstrDefExt = m_strDefExt;
    if (!m_strFilter.IsEmpty()) {
        // The system wants the parts separated by null characters.
        m_strFilter.Replace('|', '\0');
        m_ofn.lpstrFilter = m_strFilter;
    }
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal()
{
    CWnd* owner = GetSafeOwner(m_pParentWnd);
    m_ofn.hwndOwner = owner ? owner->m_hWnd : nullptr;
    m_ofn.hInstance = nullptr;
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    if (chosen)
        return IDOK;
    return ::CommDlgExtendedError() == 0 ? IDCANCEL : -1;
}

CString CFileDialog::GetPathName() const
{
    return CString(m_szFileName);
}

CString CFileDialog::GetFileName() const
{
    const char* name = m_szFileName + m_ofn.nFileOffset;
    return m_ofn.nFileOffset < std::strlen(m_szFileName) ? CString(name) : CString();
}

CString CFileDialog::GetFileExt() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}
