#include "toolkit/foundation/docking_control_bar.h"

#include "toolkit/foundation/slider.h"

IMPLEMENT_DYNAMIC(CWtkDockingControlBar, CWtkControlBar)

void CWtkDockingControlBar::GetTabArea(CRect& rectTabAreaBottom, CRect& rectTabAreaTop) const
{
    rectTabAreaBottom.SetRectEmpty();
    rectTabAreaTop.SetRectEmpty();
}

BOOL CWtkDockingControlBar::CanAcceptBar(const CWtkBaseControlBar* pBar) const
{
    if (!pBar)
        return FALSE;
    if (pBar->IsKindOf(RUNTIME_CLASS(CWtkDockingControlBar)))
        return TRUE;
    const CWnd* parent = pBar->GetSafeHwnd() ? pBar->GetParent() : nullptr;
    return parent && parent->IsKindOf(RUNTIME_CLASS(CWtkDockingControlBar));
}

CWtkSlider* CWtkDockingControlBar::GetOwnSlider() const
{
    CWnd* wnd = m_hOwnSlider ? CWnd::FromHandlePermanent(m_hOwnSlider) : nullptr;
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CWtkSlider)) ? static_cast<CWtkSlider*>(wnd) : nullptr;
}
