// CPropertySheet: the system's property sheet with CPropertyPage pages,
// shown modal (DoModal, in the framework's own modal loop), modeless
// (Create) or as a child window of a dialog (Create with WS_CHILD in the
// style; the sheet then shows no buttons of its own and fits its window to
// the tab control). A modeless sheet destroys its window when OK or Cancel
// ends it.
//
// The header m_psh may be adjusted (flags such as PSH_NOAPPLYNOW, icon)
// before the sheet is shown; the framework fills in pages, caption and
// callbacks.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <vector>

#include "platform/ui/property_page.h"

class CTabCtrl;

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    PROPSHEETHEADERA m_psh;

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    CTabCtrl* GetTabControl() const;
    void SetTitle(LPCSTR lpszText, UINT nStyle = 0);
    // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW...
    void PressButton(int nButton);
    // Ends a modal sheet with this result; destroys a modeless one.
    void EndDialog(int nEndID);

    // IDOK or IDCANCEL; -1 when the sheet cannot be created.
    virtual INT_PTR DoModal();
    // dwStyle -1: a popup sheet with caption and system menu; with WS_CHILD
    // a child window of pParentWnd.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);

    // The sheet's keys (Tab, Ctrl+Tab, Enter, Escape) for it and its pages.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

protected:
    // Runs after the system has set the sheet up.
    virtual BOOL OnInitDialog();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
    BOOL CreateSheet(HWND parent, DWORD style, DWORD exStyle);
    // The sheet's result as the system tells it, once it has ended.
    int EndedResult() const;
    void FitChildToTabControl();

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEA> m_descriptions;
    CString m_strCaption;
    CWnd* m_pParentWnd;
    DWORD m_createStyle;
    DWORD m_createExStyle;
    bool m_modal;
};
