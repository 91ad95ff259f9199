// CFrameWnd: dock bars along its sides, docking and floating control bars.
#include "platform/ui/frame_wnd.h"

#include "platform/ui/control_bar.h"
#include "platform/ui/dock_bar.h"
#include "platform/ui/mini_dock_frame_wnd.h"

namespace {

// The sides in the order their strips are made and laid out: top and bottom
// span the frame, left and right the height between them.
struct DockSide {
    DWORD align;
    UINT id;
};
const DockSide kDockSides[] = {
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT},
};

}  // namespace

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    for (const DockSide& side : kDockSides) {
        if (!(dwDockStyle & side.align) || GetControlBar(side.id))
            continue;
        CDockBar* dockBar = new CDockBar;
        dockBar->m_bAutoDelete = TRUE;
        // A strip that cannot be made deleted itself; that side stays closed.
        dockBar->Create(this, WS_VISIBLE | side.align, side.id);
    }
}

CDockBar* CFrameWnd::FindDockBar(CControlBar* pBar, UINT nDockBarID)
{
    for (const DockSide& side : kDockSides) {
        if (nDockBarID != 0 && nDockBarID != side.id)
            continue;
        if (!(pBar->m_dwDockStyle & side.align))
            continue;
        CControlBar* found = GetControlBar(side.id);
        if (found && found->IsKindOf(RUNTIME_CLASS(CDockBar)))
            return static_cast<CDockBar*>(found);
    }
    return nullptr;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    // Only a side that the frame opened and the bar accepts.
    if (CDockBar* dockBar = FindDockBar(pBar, nDockBarID))
        DockControlBar(pBar, dockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd || !pDockBar || !pDockBar->m_hWnd)
        return;
    CDockBar* previous = pBar->m_pDockBar;
    pDockBar->DockControlBar(pBar, lpRect);
    if (previous && previous != pDockBar && previous->m_bFloating && previous->GetDockedCount() == 0) {
        // A floating frame left empty goes.
        if (CFrameWnd* floating = previous->GetParentFrame())
            floating->DestroyWindow();
    }
    if (pDockBar->m_bFloating) {
        if (CFrameWnd* floating = pDockBar->GetParentFrame())
            floating->RecalcLayout();
    }
    RecalcLayout();
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CDockBar* current = pBar->m_pDockBar;
    CFrameWnd* floating = nullptr;
    if (current && current->m_bFloating && current->GetDockedCount() == 1) {
        // Already alone in its own floating frame: that frame moves.
        floating = current->GetParentFrame();
    } else {
        CMiniDockFrameWnd* created = new CMiniDockFrameWnd;
        if (!created->Create(this, dwStyle))
            return;  // the frame deleted itself
        DockControlBar(pBar, &created->m_wndDockBar, nullptr);
        floating = created;
    }
    if (!floating)
        return;
    floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    floating->RecalcLayout();
    if (pBar->IsVisible())
        floating->ShowWindow(SW_SHOWNA);
}
