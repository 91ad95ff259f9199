#include "platform/ui/property_sheet.h"

#include "platform/ui/app.h"
#include "platform/ui/tab_ctrl.h"
#include "platform/ui/ui_thread_state.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace {

// The sheet's Apply button, which the system's sheet template names so.
constexpr int kApplyButton = 0x3021;

// The style words of a dialog template (extended or not).
struct TemplateStyles {
    DWORD* style;
    DWORD* exStyle;
};

TemplateStyles StylesOf(void* dialogTemplate)
{
    WORD* words = static_cast<WORD*>(dialogTemplate);
    if (words[1] == 0xFFFF) {
        // DLGTEMPLATEEX: version, signature, help id, extended style, style.
        DWORD* fields = reinterpret_cast<DWORD*>(words + 2);
        return {fields + 2, fields + 1};
    }
    DLGTEMPLATE* plain = static_cast<DLGTEMPLATE*>(dialogTemplate);
    return {&plain->style, &plain->dwExtendedStyle};
}

}  // namespace

CPropertySheet::CPropertySheet()
    : m_psh(), m_pParentWnd(nullptr), m_createStyle(static_cast<DWORD>(-1)), m_createExStyle(0), m_modal(false)
{
    m_psh.dwSize = sizeof(m_psh);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet()
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet()
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString caption;
    caption.LoadString(nIDCaption);
    Construct(caption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption;
    m_pParentWnd = pParentWnd;
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage)
        return;
    m_pages.push_back(pPage);
    if (m_hWnd) {
        HPROPSHEETPAGE page = ::CreatePropertySheetPageA(&pPage->Description());
        if (!page || !SendMessage(PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(page))) {
            if (page)
                ::DestroyPropertySheetPage(page);
            m_pages.pop_back();
        }
    }
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd)
        SendMessage(PSM_REMOVEPAGE, static_cast<WPARAM>(nPage));
    m_pages.erase(m_pages.begin() + nPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    RemovePage(GetPageIndex(pPage));
}

int CPropertySheet::GetPageCount() const
{
    return static_cast<int>(m_pages.size());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i] == pPage)
            return static_cast<int>(i);
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (!m_hWnd)
        return static_cast<int>(m_psh.nStartPage);
    HWND page = reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND));
    return page ? static_cast<int>(SendMessage(PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page))) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (!m_hWnd) {
        m_psh.nStartPage = static_cast<UINT>(nPage);
        return TRUE;
    }
    return static_cast<BOOL>(SendMessage(PSM_SETCURSEL, static_cast<WPARAM>(nPage)));
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    HWND tab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    return reinterpret_cast<CTabCtrl*>(FromHandle(tab));
}

void CPropertySheet::SetTitle(LPCSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd)
        SendMessage(PSM_SETTITLEA, nStyle, reinterpret_cast<LPARAM>(static_cast<const char*>(m_strCaption)));
}

void CPropertySheet::PressButton(int nButton)
{
    SendMessage(PSM_PRESSBUTTON, static_cast<WPARAM>(nButton));
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nEndID);
    else if (m_hWnd)
        DestroyWindow();
}

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam)
{
    CPropertySheet* sheet = ThisUiThread().creatingSheet;
    if (message != PSCB_PRECREATE || !sheet || !lParam)
        return 0;
    const TemplateStyles styles = StylesOf(reinterpret_cast<void*>(lParam));
    if (sheet->m_createStyle != static_cast<DWORD>(-1)) {
        DWORD style = sheet->m_createStyle;
        if (style & WS_CHILD)
            style |= DS_CONTROL;
        // The font bits say what the template holds: they stay as they are.
        *styles.style = (*styles.style & (DS_SETFONT | DS_FIXEDSYS | DS_3DLOOK)) | style;
        *styles.exStyle |= sheet->m_createExStyle | ((style & WS_CHILD) ? WS_EX_CONTROLPARENT : 0);
    }
    // The framework shows the sheet itself once it is ready.
    *styles.style &= ~WS_VISIBLE;
    return 0;
}

BOOL CPropertySheet::CreateSheet(HWND parent, DWORD style, DWORD exStyle)
{
    if (m_hWnd)
        return FALSE;
    m_createStyle = style;
    m_createExStyle = exStyle;
    m_descriptions.clear();
    for (CPropertyPage* page : m_pages)
        m_descriptions.push_back(page->Description());

    PROPSHEETHEADERA header = m_psh;
    header.dwSize = sizeof(header);
    header.dwFlags = (m_psh.dwFlags & ~(PSH_USEHPLWATERMARK)) | PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK;
    header.hwndParent = parent;
    header.hInstance = AfxGetResourceHandle();
    header.pszCaption = m_strCaption;
    header.nPages = static_cast<UINT>(m_descriptions.size());
    header.nStartPage = m_psh.nStartPage < header.nPages ? m_psh.nStartPage : 0;
    header.ppsp = m_descriptions.data();
    header.pfnCallback = SheetCallback;

    UiThreadState& state = ThisUiThread();
    CPropertySheet* previousSheet = state.creatingSheet;
    state.creatingSheet = this;
    INT_PTR created;
    {
        CreationScope scope(this);
        created = ::PropertySheetA(&header);
    }
    state.creatingSheet = previousSheet;

    HWND sheet = created == -1 ? nullptr : reinterpret_cast<HWND>(created);
    if (sheet && m_hWnd == sheet)
        return TRUE;
    if (sheet && ::IsWindow(sheet) && !m_hWnd && SubclassWindow(sheet))
        return TRUE;
    if (sheet && ::IsWindow(sheet))
        ::DestroyWindow(sheet);
    if (m_hWnd)
        Detach();
    return FALSE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    // The system sets the sheet up first.
    const LRESULT result = Default();
    OnInitDialog();
    return result;
}

BOOL CPropertySheet::OnInitDialog()
{
    if (GetStyle() & WS_CHILD)
        FitChildToTabControl();
    return TRUE;
}

void CPropertySheet::FitChildToTabControl()
{
    // A sheet inside a dialog has no buttons of its own: the dialog's serve.
    for (int id : {IDOK, IDCANCEL, kApplyButton, IDHELP}) {
        if (HWND button = ::GetDlgItem(m_hWnd, id)) {
            ::ShowWindow(button, SW_HIDE);
            ::EnableWindow(button, FALSE);
        }
    }
    HWND tab = reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL));
    if (!tab)
        return;
    RECT tabRect;
    ::GetWindowRect(tab, &tabRect);
    ScreenToClient(&tabRect);
    RECT client = {0, 0, tabRect.right + tabRect.left, tabRect.bottom + tabRect.top};
    ::AdjustWindowRectEx(&client, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_modal = false;
    if (!CreateSheet(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, dwStyle, dwExStyle))
        return FALSE;
    ShowWindow((GetStyle() & WS_CHILD) ? SW_SHOW : SW_SHOWNORMAL);
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd)
        return -1;
    CWnd* owner = GetSafeOwner(m_pParentWnd);
    HWND ownerWindow = owner ? owner->m_hWnd : nullptr;
    const bool disableOwner = ownerWindow && ::IsWindowEnabled(ownerWindow);
    if (disableOwner)
        ::EnableWindow(ownerWindow, FALSE);

    m_modal = true;
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    const BOOL created = CreateSheet(ownerWindow, static_cast<DWORD>(-1), 0);
    if (created && (m_nFlags & WF_CONTINUEMODAL))
        RunModalLoop(MLF_SHOWONIDLE);
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);
    m_modal = false;

    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (disableOwner && ::IsWindow(ownerWindow))
        ::EnableWindow(ownerWindow, TRUE);
    if (ownerWindow && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(ownerWindow);
    if (m_hWnd)
        DestroyWindow();
    return created ? m_nModalResult : -1;
}

int CPropertySheet::EndedResult() const
{
    return SendMessage(PSM_GETRESULT) > 0 ? IDOK : IDCANCEL;
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // OK and Cancel end a sheet by leaving it without a current page.
    if (!SendMessage(PSM_GETCURRENTPAGEHWND)) {
        m_nModalResult = EndedResult();
        return FALSE;
    }
    return TRUE;
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if ((message == WM_COMMAND || message == PSM_PRESSBUTTON) && !m_modal && m_hWnd && !(GetStyle() & WS_CHILD) &&
        !SendMessage(PSM_GETCURRENTPAGEHWND))
        DestroyWindow();
    return result;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return static_cast<BOOL>(SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)));
}
