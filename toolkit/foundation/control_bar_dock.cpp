// Docking a control bar into a dock bar and floating it into a mini frame.
#include "toolkit/foundation/control_bar.h"

#include "platform/ui/frame_wnd.h"
#include "toolkit/foundation/dock_bar.h"
#include "toolkit/foundation/dock_bar_row.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/mini_frame_wnd.h"

namespace {

// The window's rectangle in the client coordinates of another window (of the
// screen when there is none).
CRect RectIn(const CWnd& wnd, HWND hWndOther)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    if (hWndOther)
        ::MapWindowPoints(nullptr, hWndOther, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

// ---- Docking ------------------------------------------------------------------------

BOOL CWtkControlBar::DockControlBar(CWtkDockBar* pDockBar, LPCRECT lpRect, int nDockMethod)
{
    StorePinState();
    if (!DoDock(pDockBar, lpRect, nDockMethod))
        return FALSE;
    OnAfterDock(this, lpRect, nDockMethod);
    return TRUE;
}

BOOL CWtkControlBar::DockToBar(CWtkDockBar* pDockBar)
{
    return DockControlBar(pDockBar, nullptr, 1);
}

BOOL CWtkControlBar::DoDock(CWtkDockBar* pDockBar, LPCRECT lpRect, int nDockMethod)
{
    if (nDockMethod == 2) {
        pDockBar = m_recentDockInfo.m_pRecentDockBar;
        if (!pDockBar) {
            FrameDockControlBar(TRUE);
            return TRUE;
        }
    }
    if (!pDockBar || !CanBeDocked(pDockBar) || !pDockBar->CanAcceptBar(this))
        return FALSE;
    CRect window;
    GetWindowRect(&window);
    CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame(TRUE);
    // A bar dragged out of a moving mini frame keeps being dragged once it
    // lands; so does a bar that had no mini frame.
    const BOOL resumeDrag = miniFrame ? miniFrame->IsMoving() : TRUE;
    PrepareDock(pDockBar, nDockMethod);
    if (nDockMethod == 1) {
        pDockBar->DockControlBar(this, 1, &window);
        if (resumeDrag)
            ResumeDrag();
    } else {
        pDockBar->DockControlBar(this, nDockMethod, lpRect);
    }
    return TRUE;
}

void CWtkControlBar::PrepareDock(CWtkDockBar* pDockBar, int nDockMethod)
{
    // A bar moving from one dock bar to another leaves the first for good.
    if (m_pParentDockBar && m_pParentDockBar != pDockBar)
        RemoveFromDockBar();
    m_pParentDockBar = pDockBar;
    ReparentBar(pDockBar, nDockMethod);
    SetBarStyle((GetBarStyle() & ~CBRS_FLOATING) | CBRS_BORDER_ANY);
    if (pDockBar)
        SetBarAlignment(pDockBar->GetCurrentAlignment());
}

void CWtkControlBar::ReparentBar(CWnd* pNewParent, int nDockMethod)
{
    RemoveFromDockBar();
    if (CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame(TRUE)) {
        miniFrame->RemoveControlBar(this, FALSE, FALSE);
        // The mini frame was carrying the drag: it goes when this drag ends.
        if (nDockMethod == 1 && m_nPinState == 0)
            m_hwndHandOver = miniFrame->GetSafeHwnd();
        miniFrame->SendMessage(WM_LBUTTONUP);
    }
    CWnd* oldParent = GetParent();
    SetParent(pNewParent);
    OnAfterChangeParent(oldParent);
}

void CWtkControlBar::RemoveFromDockBar()
{
    if (m_pParentDockBar)
        m_pParentDockBar->RemoveControlBar(this);
}

void CWtkControlBar::OnAfterChangeParent(CWnd*)
{
    UpdateFullRect();
    CWnd* parent = m_hWnd ? CWnd::FromHandlePermanent(::GetParent(m_hWnd)) : nullptr;
    if (!parent || !parent->IsKindOf(RUNTIME_CLASS(CWtkDockBar))) {
        m_pParentDockBar = nullptr;
        m_pDockBarRow = nullptr;
    }
}

void CWtkControlBar::UnDockControlBar(BOOL bDelay)
{
    if (m_pParentDockBar)
        m_pParentDockBar->RemoveControlBar(this);
    if (!bDelay)
        AdjustDockingLayout(nullptr);
}

void CWtkControlBar::StoreRecentDockInfo()
{
    m_recentDockInfo.m_pRecentDockBarRow = m_pDockBarRow;
    m_recentDockInfo.m_pRecentDockBar = m_pParentDockBar;
    if (m_pParentDockBar)
        m_recentDockInfo.m_nRecentRowIndex = m_pParentDockBar->GetRowIndex(m_pDockBarRow);
    if (!m_hWnd)
        return;
    HWND reference = m_pParentDockBar ? m_pParentDockBar->GetSafeHwnd() : nullptr;
    if (!reference && GetDockSite())
        reference = GetDockSite()->GetSafeHwnd();
    m_recentDockInfo.m_rectRecentDockedRect = RectIn(*this, reference);
}

// ---- Floating -----------------------------------------------------------------------

CWtkMiniFrameWnd* CWtkControlBar::CreateDefaultMiniFrame(CRect rectInitial)
{
    if (!m_pMiniFrameRTC)
        return nullptr;
    CObject* object = m_pMiniFrameRTC->CreateObject();
    if (!object)
        return nullptr;
    if (!object->IsKindOf(RUNTIME_CLASS(CWtkMiniFrameWnd))) {
        delete object;
        return nullptr;
    }
    CWtkMiniFrameWnd* miniFrame = static_cast<CWtkMiniFrameWnd*>(object);
    if (!miniFrame->Create(nullptr, WS_POPUP, rectInitial, WtkGetParentFrame(this))) {
        delete miniFrame;
        return nullptr;
    }
    return miniFrame;
}

BOOL CWtkControlBar::FloatControlBar(CRect rect, int nDockMethod, BOOL bShow)
{
    if (!IsDocked() && !IsTabbed())
        return TRUE;
    if (!CanFloat())
        return TRUE;

    CRect window;
    GetWindowRect(&window);
    CFrameWnd* dockSite = GetDockSite();
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CPoint hot(m_ptHot);
    ClientToScreen(&hot);
    if (!OnBeforeFloat(rect, nDockMethod))
        return FALSE;

    CWtkMiniFrameWnd* miniFrame = CreateDefaultMiniFrame(rect);
    if (!miniFrame)
        return FALSE;
    miniFrame->SetRecentFloatingRect(m_recentDockInfo.m_rectRecentFloatingRect);

    RemoveFromDockBar();
    if (nDockMethod == 1) {
        // The drag that tore the bar off ends here; the mini frame takes it on.
        CPoint client(cursor);
        ScreenToClient(&client);
        SendMessage(WM_LBUTTONUP, 0xFFFF, MAKELPARAM(client.x, client.y));
        if (IsTabbed()) {
            if (CWtkMiniFrameWnd* tabFrame = GetParentMiniFrame(TRUE))
                tabFrame->SendMessage(WM_LBUTTONUP, 0xFFFF, MAKELPARAM(client.x, client.y));
        }
    }

    CWnd* oldParent = GetParent();
    SetParent(miniFrame);
    m_pParentDockBar = nullptr;
    OnAfterChangeParent(oldParent);
    miniFrame->AddControlBar(this);
    miniFrame->AdjustLayout();
    CRect client;
    miniFrame->GetClientRect(&client);
    SetWindowPos(nullptr, client.left, client.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (nDockMethod == 1 && GetDockMode() == 1)
        miniFrame->BeginMove(m_hWnd);
    UpdateMiniFrameState();
    SetBarStyle(GetBarStyle() | CBRS_FLOATING);
    RecalcLayout();

    if (nDockMethod == 1) {
        CRect frameRect;
        miniFrame->GetWindowRect(&frameRect);
        CPoint offset(hot.x - window.left, hot.y - window.top);
        if (offset.x < 0 || offset.x > frameRect.Width())
            offset.x = frameRect.Width() / 2;
        if (offset.y < 0 || offset.y > frameRect.Height())
            offset.y = miniFrame->GetCaptionHeight() / 2;
        miniFrame->SetWindowPos(nullptr, cursor.x - offset.x, cursor.y - offset.y, 0, 0,
                                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        miniFrame->SetCursorPoint(cursor);
    }

    if (bShow) {
        miniFrame->ShowWindow(SW_SHOW);
        if (dockSite && dockSite->GetSafeHwnd())
            dockSite->RedrawWindow(nullptr, nullptr,
                                   RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN |
                                       RDW_UPDATENOW | RDW_FRAME);
    }
    return TRUE;
}

// ---- Leaving the dock bar ---------------------------------------------------------------

BOOL CWtkControlBar::IsLeavingDockBar(int nSensitivity, CWtkDockBar*& pDockBar)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    pDockBar = static_cast<CWtkDockBar*>(FrameBarFromPoint(cursor, nSensitivity, FALSE, RUNTIME_CLASS(CWtkDockBar)));

    if (m_pParentDockBar && m_pParentDockBar->GetSafeHwnd()) {
        CRect dockRect;
        m_pParentDockBar->GetWindowRect(&dockRect);
        CRect overlap;
        if (!overlap.IntersectRect(&m_rectDrag, &dockRect))
            return TRUE;
        // A bar that still covers a tenth of its thickness across the dock
        // bar stays in it.
        if (m_pParentDockBar->IsHorizontal()) {
            if (overlap.Height() * 10 >= m_rectDrag.Height())
                return FALSE;
        } else if (overlap.Width() * 10 >= m_rectDrag.Width()) {
            return FALSE;
        }
        return !dockRect.PtInRect(cursor);
    }

    if (!pDockBar || !pDockBar->GetSafeHwnd() || !CanBeDocked(pDockBar))
        return FALSE;
    CRect dockRect;
    pDockBar->GetWindowRect(&dockRect);
    if (dockRect.PtInRect(cursor))
        return TRUE;
    const double factor = 0.01 * nSensitivity;
    dockRect.InflateRect(static_cast<int>(m_rectDrag.Width() * factor), static_cast<int>(m_rectDrag.Height() * factor));
    return dockRect.PtInRect(cursor);
}

void CWtkControlBar::PrepareDoubleClickFloat()
{
    m_bDblClick = TRUE;
    StoreRecentDockInfo();
    if (m_bDragging) {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        m_bDragging = FALSE;
        SetDragMode(FALSE);
    }
    DestroyHandOver();
}
