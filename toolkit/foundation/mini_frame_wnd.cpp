#include "toolkit/foundation/mini_frame_wnd.h"


#include "toolkit/foundation/bar_window_class.h"
#include "toolkit/foundation/base_control_bar.h"
#include "toolkit/foundation/global_utils.h"

const UINT WTKMSG_CHECKEMPTYMINIFRAME = ::RegisterWindowMessageA("WTKMSG_CHECKEMPTYMINIFRAME");

IMPLEMENT_DYNCREATE(CWtkMiniFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CWtkMiniFrameWnd, CWnd)
    ON_REGISTERED_MESSAGE(WTKMSG_CHECKEMPTYMINIFRAME, OnCheckEmpty)
END_MESSAGE_MAP()

namespace {

// The mini frames' window class, registered on first use.
LPCSTR MiniFrameClass()
{
    static char name[96];
    return WtkRegisterBarWindowClass("WtkMiniWrame", name, sizeof name);
}

}  // namespace

CWtkMiniFrameWnd::CWtkMiniFrameWnd() : m_nCaptionHeight(::GetSystemMetrics(SM_CYSMCAPTION)) {}
CWtkMiniFrameWnd::~CWtkMiniFrameWnd() = default;

BOOL CWtkMiniFrameWnd::Create(LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                              CCreateContext* pContext)
{
    return CreateEx(0, lpszWindowName, dwStyle, rect, pParentWnd, pContext);
}

BOOL CWtkMiniFrameWnd::CreateEx(DWORD dwStyleEx, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                CWnd* pParentWnd, CCreateContext*)
{
    // A mini frame docks through its owner's dock manager.
    if (pParentWnd && (!pParentWnd->IsFrameWnd() || !g_wtkGlobalUtils.GetDockManager(pParentWnd)))
        return FALSE;
    LPCSTR className = MiniFrameClass();
    m_hWndOwnerFrame = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    const CRect place(rect);
    if (!CWnd::CreateEx(dwStyleEx, className, lpszWindowName ? lpszWindowName : "", dwStyle | WS_POPUP, place.left,
                        place.top, place.Width(), place.Height(), m_hWndOwnerFrame, nullptr))
        return FALSE;
    m_bAutoDelete = TRUE;
    return TRUE;
}

void CWtkMiniFrameWnd::AddControlBar(CWtkBaseControlBar* pBar)
{
    if (!pBar || pBar == m_pBar)
        return;
    m_pBar = pBar;
    if (m_hWnd && pBar->GetSafeHwnd()) {
        CString text;
        pBar->GetWindowText(text);
        SetWindowText(text);
    }
}

void CWtkMiniFrameWnd::RemoveControlBar(CWtkBaseControlBar* pBar, BOOL bDestroy, BOOL bHideInsteadOfDestroy)
{
    m_bHideInsteadOfDestroy = bHideInsteadOfDestroy;
    if (pBar && pBar == m_pBar)
        m_pBar = nullptr;
    if (m_pBar || !m_hWnd)
        return;
    if (bDestroy)
        DestroyWindow();
    else
        PostMessage(WTKMSG_CHECKEMPTYMINIFRAME);
}

LRESULT CWtkMiniFrameWnd::OnCheckEmpty(WPARAM, LPARAM)
{
    // A bar may have arrived since the message was posted.
    if (m_pBar)
        return 0;
    if (m_bHideInsteadOfDestroy)
        ShowWindow(SW_HIDE);
    else
        DestroyWindow();
    return 0;
}

void CWtkMiniFrameWnd::BeginMove(HWND hWndDrag)
{
    m_hWndDrag = hWndDrag;
    m_bCapturing = TRUE;
}

void CWtkMiniFrameWnd::AdjustLayout()
{
    if (!m_hWnd || !m_pBar || !m_pBar->GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    m_pBar->SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                         SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    m_pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CWtkMiniFrameWnd::PostNcDestroy()
{
    m_bCapturing = FALSE;
    m_pBar = nullptr;
    if (m_bAutoDelete)
        delete this;
}

namespace {

BOOL CALLBACK RedrawIfMiniFrame(HWND hwnd, LPARAM)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CWtkMiniFrameWnd)))
        ::RedrawWindow(hwnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

}  // namespace

void CWtkMiniFrameWnd::RedrawAll()
{
    // Mini frames are pop-up windows of the user-interface thread, so the
    // thread's top-level windows hold every one of them.
    ::EnumThreadWindows(::GetCurrentThreadId(), RedrawIfMiniFrame, 0);
}
