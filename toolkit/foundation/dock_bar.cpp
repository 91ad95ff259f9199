#include "toolkit/foundation/dock_bar.h"

#include "toolkit/foundation/control_bar.h"
#include "toolkit/foundation/dock_bar_row.h"

IMPLEMENT_DYNAMIC(CWtkDockBar, CWtkBaseControlBar)

BOOL CWtkDockBar::ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->IsKindOf(RUNTIME_CLASS(CWtkControlBar)))
        return FALSE;
    CWtkDockBarRow* row = pBar->GetDockBarRow();
    return row ? row->ShowControlBar(pBar, bShow, bDelay) : FALSE;
}

BOOL CWtkDockBar::CanAcceptBar(const CWtkBaseControlBar* pBar) const
{
    return pBar != nullptr;
}

BOOL CWtkDockBar::DockControlBar(CWtkBaseControlBar* pBar, int, LPCRECT lpRect)
{
    if (!pBar || m_lstControlBars.Find(pBar))
        return FALSE;
    m_lstControlBars.AddTail(pBar);
    if (lpRect && m_hWnd && pBar->GetSafeHwnd()) {
        CRect rect(*lpRect);
        ScreenToClient(&rect);
        pBar->MoveWindow(&rect);
    }
    // The place the bar took is the one it keeps wanting in its row.
    if (pBar->IsKindOf(RUNTIME_CLASS(CWtkControlBar)))
        static_cast<CWtkControlBar*>(pBar)->UpdateFullRect();
    return TRUE;
}

void CWtkDockBar::RemoveControlBar(CWtkBaseControlBar* pBar)
{
    if (POSITION pos = pBar ? m_lstControlBars.Find(pBar) : nullptr)
        m_lstControlBars.RemoveAt(pos);
}

BOOL CWtkDockBar::MoveControlBar(CWtkBaseControlBar*, int, int)
{
    return FALSE;
}

int CWtkDockBar::GetRowIndex(const CWtkDockBarRow* pRow) const
{
    int index = 0;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos; ++index) {
        if (m_lstDockBarRows.GetNext(pos) == pRow)
            return index;
    }
    return 0;
}
