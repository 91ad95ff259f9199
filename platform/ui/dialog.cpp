#include "platform/ui/dialog.h"

#include "platform/ui/app.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_nIDHelp(0), m_pParentWnd(nullptr), m_lpszTemplateName(nullptr), m_nIDTemplate(0), m_lpDialogTemplate(nullptr)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd),
      m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)),
      m_nIDTemplate(nIDTemplate),
      m_lpDialogTemplate(nullptr)
{
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_nIDHelp(0),
      m_pParentWnd(pParentWnd),
      m_lpszTemplateName(lpszTemplateName),
      m_nIDTemplate(IS_INTRESOURCE(lpszTemplateName) ? LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName)) : 0),
      m_lpDialogTemplate(nullptr)
{
}

CDialog::~CDialog() = default;

LPCDLGTEMPLATEA CDialog::LoadTemplate(HINSTANCE* instance) const
{
    *instance = AfxGetResourceHandle();
    if (m_lpDialogTemplate)
        return m_lpDialogTemplate;
    if (!m_lpszTemplateName)
        return nullptr;
    *instance = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
    HRSRC resource = ::FindResourceA(*instance, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(*instance, resource) : nullptr;
    return loaded ? static_cast<LPCDLGTEMPLATEA>(::LockResource(loaded)) : nullptr;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDTemplate = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    HINSTANCE instance = nullptr;
    LPCDLGTEMPLATEA dialogTemplate = LoadTemplate(&instance);
    if (!dialogTemplate)
        return FALSE;
    return CreateDlgIndirect(dialogTemplate, m_pParentWnd, instance);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, m_pParentWnd, AfxGetResourceHandle());
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    HINSTANCE instance = nullptr;
    LPCDLGTEMPLATEA dialogTemplate = LoadTemplate(&instance);
    if (!dialogTemplate)
        return -1;

    CWnd* owner = GetSafeOwner(m_pParentWnd);
    HWND ownerWindow = owner ? owner->m_hWnd : nullptr;
    const bool disableOwner = ownerWindow && ::IsWindowEnabled(ownerWindow);
    if (disableOwner)
        ::EnableWindow(ownerWindow, FALSE);

    // EndDialog from OnInitDialog ends the box before its loop starts.
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    const BOOL created = CreateDlgIndirect(dialogTemplate, owner, instance);
    if (created && (m_nFlags & WF_CONTINUEMODAL))
        RunModalLoop((GetStyle() & DS_NOIDLEMSG) ? MLF_SHOWONIDLE | MLF_NOIDLEMSG : MLF_SHOWONIDLE);
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);

    // Hide first, so that activation goes back to the owner once it is enabled.
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

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else if (m_hWnd)
        ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    ExecuteDlgInit(m_lpszTemplateName);
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Control ids (below 0x8000) and system commands stay with the box.
    if ((nCode != CN_COMMAND && nCode != CN_UPDATE_COMMAND_UI) || nID < 0x8000 || nID >= AFX_FIRST_SYSTEM_COMMAND)
        return FALSE;
    CWinThread* thread = AfxGetThread();
    return thread ? thread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) : FALSE;
}

void CDialog::NextDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, FALSE);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, FALSE);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl)
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

void CDialog::SetDefID(UINT nID)
{
    ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    ::MapDialogRect(m_hWnd, lpRect);
}
