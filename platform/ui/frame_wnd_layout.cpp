// CFrameWnd: the layout of bars and pane, border space, control bars,
// docking state and print-preview mode.
#include "platform/ui/frame_wnd.h"

#include "platform/ui/control_bar.h"
#include "platform/ui/dock_state.h"

namespace {

// Clears the frame's in-layout flag however the layout ends.
class LayoutGuard {
public:
    explicit LayoutGuard(BOOL& flag) : m_flag(flag) { m_flag = TRUE; }
    ~LayoutGuard() { m_flag = FALSE; }
    LayoutGuard(const LayoutGuard&) = delete;
    LayoutGuard& operator=(const LayoutGuard&) = delete;

private:
    BOOL& m_flag;
};

}  // namespace

void AfxRepositionBars(HWND hWndParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag,
                       LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(hWndParent, &layout.rect);
    if (nFlag != CFrameWnd::reposQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);

    HWND leftOver = nullptr;
    for (HWND child = ::GetWindow(hWndParent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
        if (id == nIDLeftOver)
            leftOver = child;
        else if (id >= nIDFirst && id <= nIDLast)
            ::SendMessageA(child, WM_SIZEPARENT, static_cast<WPARAM>(bStretch), reinterpret_cast<LPARAM>(&layout));
    }

    if (nFlag == CFrameWnd::reposQuery) {
        if (lpRectParam) {
            if (bStretch) {
                *lpRectParam = layout.rect;
            } else {
                ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
            }
        }
        return;
    }
    if (nFlag == CFrameWnd::reposExtra && lpRectParam) {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (leftOver && layout.hDWP) {
        const RECT& r = layout.rect;
        layout.hDWP = ::DeferWindowPos(layout.hDWP, leftOver, nullptr, r.left, r.top,
                                       r.right > r.left ? r.right - r.left : 0,
                                       r.bottom > r.top ? r.bottom - r.top : 0,
                                       SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void CFrameWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                               LPCRECT lpRectClient, BOOL bStretch)
{
    AfxRepositionBars(m_hWnd, nIDFirst, nIDLast, nIDLeftOver, nFlag, lpRectParam, lpRectClient, bStretch);
}

void CFrameWnd::RecalcLayout(BOOL)
{
    // A bar or view that asks for a layout while one runs would otherwise
    // recurse through WM_SIZEPARENT without end.
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    LayoutGuard guard(m_bInRecalcLayout);
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos)
        static_cast<CControlBar*>(m_listControlBars.GetNext(pos))->RecalcDelayShow();
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_nIdleFlags &= ~idleLayout;
}

BOOL CFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    switch (nBorderCmd) {
    case borderGet: {
        if (!lpRectBorder)
            return FALSE;
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, lpRectBorder);
        return TRUE;
    }
    case borderRequest: {
        if (!lpRectBorder)
            return TRUE;
        CRect rest;
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rest);
        return lpRectBorder->left + lpRectBorder->right <= rest.Width() &&
               lpRectBorder->top + lpRectBorder->bottom <= rest.Height();
    }
    case borderSet: {
        CRect border(0, 0, 0, 0);
        if (lpRectBorder)
            border = *lpRectBorder;
        if (!::EqualRect(&border, &m_rectBorder)) {
            m_rectBorder = border;
            RecalcLayout();
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (pBar && !m_listControlBars.Find(pBar))
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    if (POSITION pos = m_listControlBars.Find(pBar))
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos) {
        CControlBar* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->m_hWnd && static_cast<UINT>(::GetDlgCtrlID(bar->m_hWnd)) == nID)
            return bar;
    }
    return nullptr;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    pBar->DelayShow(bShow);
    if (pBar->IsFloating()) {
        // A floating bar shows and hides with its own frame.
        pBar->RecalcDelayShow();
        if (CWnd* floating = pBar->GetParentFrame())
            floating->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
        return;
    }
    if (bDelay)
        m_nIdleFlags |= idleLayout;
    else
        RecalcLayout();
}

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
}

void CFrameWnd::SetDockState(const CDockState&) {}

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (!pState)
        return;
    if (bPreview) {
        pState->visibleBars.clear();
        POSITION pos = m_listControlBars.GetHeadPosition();
        while (pos) {
            CControlBar* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (bar->m_hWnd && bar->IsVisible()) {
                pState->visibleBars.push_back(bar->m_hWnd);
                ShowControlBar(bar, FALSE, TRUE);
            }
        }
        pState->hMenu = ::GetMenu(m_hWnd);
        ::SetMenu(m_hWnd, nullptr);
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = nullptr;
        pState->hWndFocus = ::GetFocus();
    } else {
        if (pState->hMenu)
            ::SetMenu(m_hWnd, pState->hMenu);
        m_hAccelTable = pState->hAccelTable;
        for (HWND barWindow : pState->visibleBars) {
            // A bar destroyed during the preview is simply not restored.
            CWnd* wnd = CWnd::FromHandlePermanent(barWindow);
            if (wnd && ::IsWindow(barWindow) && wnd->IsKindOf(RUNTIME_CLASS(CControlBar)))
                ShowControlBar(static_cast<CControlBar*>(wnd), TRUE, TRUE);
        }
        pState->visibleBars.clear();
        if (pState->hWndFocus && ::IsWindow(pState->hWndFocus))
            ::SetFocus(pState->hWndFocus);
    }
    RecalcLayout();
}
