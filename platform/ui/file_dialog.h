// CFileDialog: the system's dialog for choosing a file to open or a name to
// save under. The filter is "Text|pattern|Text|pattern||"; m_ofn may be
// adjusted before DoModal.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include "platform/ui/dialog.h"

class CFileDialog : public CDialog {
    DECLARE_DYNAMIC(CFileDialog)
public:
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);
    ~CFileDialog() override;

    // IDOK with the chosen name, IDCANCEL, or -1 when the dialog failed.
    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;

    OPENFILENAMEA m_ofn;

private:
    BOOL m_bOpenFileDialog;
    CString m_strFilter;
    CString m_strDefExt;
    char m_szFileName[MAX_PATH * 8];
    char m_szFileTitle[MAX_PATH];
};
