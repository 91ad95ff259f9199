#include "platform/ui/mini_frame_wnd.h"

#include "platform/ui/window_class.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() : m_bActive(FALSE) {}

CMiniFrameWnd::~CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName ? lpWindowName : "";
    m_nIDHelp = nID;
    dwStyle = (dwStyle & ~WS_CHILD) | WS_POPUP;
    if (dwStyle & WS_CAPTION)
        dwExStyle |= WS_EX_TOOLWINDOW;
    return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top,
                          pParentWnd ? pParentWnd->m_hWnd : nullptr, nullptr);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return TRUE;
}

void CMiniFrameWnd::PostNcDestroy()
{
    delete this;
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    const DWORD style = GetStyle();
    if (wParam & FS_SYNCACTIVE)
        return (style & MFS_SYNCACTIVE) != 0;
    if (wParam & FS_HIDE) {
        // Only what the owner's hiding hid comes back with it.
        if (style & WS_VISIBLE) {
            m_nFlags |= WF_TEMPHIDE;
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } else if (wParam & FS_SHOW) {
        if (m_nFlags & WF_TEMPHIDE) {
            m_nFlags &= ~WF_TEMPHIDE;
            SetWindowPos(nullptr, 0, 0, 0, 0,
                         SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (style & MFS_SYNCACTIVE)) {
        m_bActive = (wParam & FS_ACTIVATE) != 0;
        DefWindowProc(WM_NCACTIVATE, m_bActive, 0);
    }
    return TRUE;
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    // A synchronised caption looks as its owner frame does.
    if ((GetStyle() & MFS_SYNCACTIVE) && m_bActive)
        bActive = TRUE;
    if (!IsWindowEnabled())
        bActive = FALSE;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}
