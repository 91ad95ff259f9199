#include "platform/ui/mini_dock_frame_wnd.h"

#include <vector>

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

CMiniDockFrameWnd::~CMiniDockFrameWnd() = default;

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD)
{
    // A floating strip is always one row across.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | MFS_SYNCACTIVE | MFS_MOVEFRAME;
    if (!CMiniFrameWnd::CreateEx(0, nullptr, "", style, CRect(0, 0, 0, 0), pParent))
        return FALSE;
    // The frame deletes itself when it fails from here on.
    HWND self = m_hWnd;
    if (!m_wndDockBar.Create(this, WS_VISIBLE | CBRS_ALIGN_TOP,
                             AFX_IDW_DOCKBAR_FLOAT)) {
        ::DestroyWindow(self);
        return FALSE;
    }
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (!m_hWnd || !m_wndDockBar.m_hWnd || m_bInRecalcLayout)
        return;
    const CSize bars = m_wndDockBar.CalcFixedLayout(FALSE, TRUE);
    CRect window;
    CRect client;
    GetWindowRect(&window);
    GetClientRect(&client);
    // The caption and edges as the system draws them here.
    const int width = bars.cx + window.Width() - client.Width();
    const int height = bars.cy + window.Height() - client.Height();
    if (width != window.Width() || height != window.Height())
        SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CMiniFrameWnd::RecalcLayout(bNotify);
}

void CMiniDockFrameWnd::OnClose()
{
    // The bars stay; they hide with their frame and can be shown again.
    std::vector<CControlBar*> bars;
    CFrameWnd* site = nullptr;
    for (CWnd* child = m_wndDockBar.GetWindow(GW_CHILD); child;
         child = child->GetWindow(GW_HWNDNEXT)) {
        CWnd* permanent = CWnd::FromHandlePermanent(child->m_hWnd);
        if (permanent && permanent->IsKindOf(RUNTIME_CLASS(CControlBar))) {
            CControlBar* bar = static_cast<CControlBar*>(permanent);
            bars.push_back(bar);
            site = bar->m_pDockSite;
        }
    }
    if (!site) {
        ShowWindow(SW_HIDE);
        return;
    }
    for (CControlBar* bar : bars)
        site->ShowControlBar(bar, FALSE, FALSE);
}
