#include "platform/ui/property_page.h"

#include "platform/ui/app.h"
#include "platform/ui/ui_thread_state.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage() : m_psp(), m_bFirstSetActive(TRUE)
{
    m_psp.dwSize = sizeof(m_psp);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage()
{
    Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCSTR lpszTemplateName, UINT nIDCaption) : CPropertyPage()
{
    Construct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
    m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(LPCSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    m_nIDTemplate = IS_INTRESOURCE(lpszTemplateName) ? LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName)) : 0;
    if (nIDCaption != 0) {
        m_strCaption.LoadString(nIDCaption);
    }
}

PROPSHEETPAGEA& CPropertyPage::Description()
{
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags |= PSP_USECALLBACK;
    if (!m_strCaption.IsEmpty()) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
    if (m_lpDialogTemplate) {
        m_psp.dwFlags |= PSP_DLGINDIRECT;
        m_psp.pResource = reinterpret_cast<LPCDLGTEMPLATE>(m_lpDialogTemplate);
    } else {
        m_psp.hInstance = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
        m_psp.pszTemplate = m_lpszTemplateName;
    }
    m_psp.pfnDlgProc = PageDialogProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_psp.pfnCallback = PageCallback;
    return m_psp;
}

UINT CALLBACK CPropertyPage::PageCallback(HWND, UINT message, LPPROPSHEETPAGEA page)
{
    // The sheet creates the page's window next.
    if (message == PSPCB_CREATE && page)
        ArmCreation(reinterpret_cast<CPropertyPage*>(page->lParam), true);
    return 1;
}

INT_PTR CALLBACK CPropertyPage::PageDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG || CWnd::FromHandlePermanent(hWnd))
        return FALSE;
    // The page's window came without the creation hook seeing it: take it
    // over now and let the object initialise it.
    const PROPSHEETPAGEA* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
    CPropertyPage* page = description ? reinterpret_cast<CPropertyPage*>(description->lParam) : nullptr;
    UiThreadState& state = ThisUiThread();
    if (state.creating == page) {
        state.creating = nullptr;
        state.creatingDialogOnly = false;
    }
    if (!page || !page->SubclassWindow(hWnd))
        return FALSE;
    return static_cast<INT_PTR>(::SendMessageA(hWnd, WM_INITDIALOG, wParam, lParam));
}

CWnd* CPropertyPage::Sheet() const
{
    return GetParent();
}

void CPropertyPage::CancelToClose()
{
    if (CWnd* sheet = Sheet())
        sheet->SendMessage(PSM_CANCELTOCLOSE);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    if (CWnd* sheet = Sheet())
        sheet->SendMessage(bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd));
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    CWnd* sheet = Sheet();
    return sheet ? sheet->SendMessage(PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    // Only the sheet's own notifications; the page's controls go the usual way.
    if (header->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (header->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = OnKillActive() ? FALSE : TRUE;
        return TRUE;
    case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return TRUE;
    case PSN_RESET:
        OnReset();
        *pResult = 0;
        return TRUE;
    case PSN_QUERYCANCEL:
        *pResult = OnQueryCancel() ? FALSE : TRUE;
        return TRUE;
    case PSN_HELP:
        SendMessage(WM_COMMAND, ID_HELP);
        *pResult = 0;
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}
