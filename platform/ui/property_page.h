// CPropertyPage: one page of a property sheet, built from a dialog template.
// The sheet's notifications arrive as the virtual operations below; the
// values of a page are taken (UpdateData(TRUE)) when it is left and applied
// when the sheet's OK or Apply is pressed.
#pragma once

#include <windows.h>
#include <prsht.h>

#include "platform/ui/dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCSTR lpszTemplateName, UINT nIDCaption = 0);

    // The page as the system sees it; flags, title and icon may be changed
    // before the page is added to a sheet.
    PROPSHEETPAGEA m_psp;

    // Changes the sheet's OK button to "Close" and disables Cancel.
    void CancelToClose();
    // Enables the sheet's Apply button while some page is modified.
    void SetModified(BOOL bChanged = TRUE);
    // Asks every page of the sheet (PSM_QUERYSIBLINGS); the first non-zero answer.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // FALSE refuses to become the active page. Base: moves the members into
    // the controls again, except on the first activation.
    virtual BOOL OnSetActive();
    // FALSE keeps the page active. Base: takes and validates the values.
    virtual BOOL OnKillActive();
    // FALSE keeps the sheet open. Base: OnOK.
    virtual BOOL OnApply();
    // The sheet was cancelled. Base: OnCancel.
    virtual void OnReset();
    // FALSE refuses to cancel the sheet.
    virtual BOOL OnQueryCancel();
    void OnOK() override;
    void OnCancel() override;

    // The sheet handles the page's keys (Tab, Ctrl+Tab, Enter, Escape).
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The page's description for the system, brought up to date.
    PROPSHEETPAGEA& Description();

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CString m_strCaption;
    BOOL m_bFirstSetActive;

private:
    static UINT CALLBACK PageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGEA page);
    static INT_PTR CALLBACK PageDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    CWnd* Sheet() const;
};
