// CDialog: a dialog box built from a dialog template, modal (DoModal) or
// modeless (Create). The object is the window for the life of the box; its
// messages run through the message map like any window's.
//
// DoModal runs the framework's own modal loop, so the application's
// PreTranslateMessage sees the box's messages and the box gets WM_KICKIDLE
// while the queue is empty. The owner (the given parent's top-level window,
// else the main window) is disabled while the box is up.
#pragma once

#include <windows.h>

#include "platform/ui/wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // A modeless box; FALSE when the template is missing or the box refused
    // to start.
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // A modal box from a template in memory instead of the resources.
    BOOL InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Shows the box and returns when it ends: the value given to EndDialog
    // (IDOK, IDCANCEL), or -1 when it cannot be created or WM_QUIT ended it.
    virtual INT_PTR DoModal();
    // Ends a modal box with this result; hides a modeless one.
    void EndDialog(int nResult);

    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void SetDefID(UINT nID);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT lpRect) const;

    // Keys of the box's controls go through the dialog manager (Tab, Enter,
    // Escape, mnemonics).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The box's own map, then the application for menu-range commands.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    UINT GetTemplateId() const { return m_nIDTemplate; }

    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    // Base: moves the members into the controls (UpdateData(FALSE)); TRUE
    // lets the system put the focus on the first control.
    virtual BOOL OnInitDialog();
    // Base: takes the values (UpdateData(TRUE)) and ends with IDOK when they
    // are valid.
    virtual void OnOK();
    virtual void OnCancel();

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    // The template of the box: from memory, else from the resources; null
    // when missing.
    LPCDLGTEMPLATEA LoadTemplate(HINSTANCE* instance) const;

    LPCSTR m_lpszTemplateName;
    UINT m_nIDTemplate;
    LPCDLGTEMPLATEA m_lpDialogTemplate;

    DECLARE_MESSAGE_MAP()
};
