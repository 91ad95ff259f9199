// The control bar's placement in the registry, and a loaded placement put
// back once the frame's bars exist.
#include "toolkit/foundation/control_bar.h"

#include "toolkit/foundation/dock_bar.h"
#include "toolkit/foundation/dock_bar_row.h"
#include "toolkit/foundation/dock_manager.h"
#include "toolkit/foundation/reg_path.h"
#include "toolkit/foundation/registry_holder.h"

namespace {

const char kSection[] = "WtkControlBars";

}  // namespace

BOOL CWtkControlBar::LoadState(LPCSTR lpszProfileName, int nIndex, UINT uiID)
{
    {
        CWtkRegistrySP holder;
        CWtkRegistry& registry = holder.Create(FALSE, TRUE);
        if (!registry.Open(StateKey(kSection, "WtkControlBar", lpszProfileName, nIndex, uiID)))
            return FALSE;
        int id = static_cast<int>(m_nID);
        if (registry.Read("ID", id))
            m_nID = static_cast<UINT>(id);
        registry.Read("RectRecentFloat", m_recentDockInfo.m_rectRecentFloatingRect);
        if (registry.Read("RectRecentDocked", m_rectSavedDockedRect))
            m_recentDockInfo.m_rectRecentDockedRect = m_rectSavedDockedRect;
        registry.Read("RecentFrameAlignment", m_recentDockInfo.m_dwRecentAlignmentToFrame);
        registry.Read("RecentRowIndex", m_recentDockInfo.m_nRecentRowIndex);
        int floating = m_bRecentFloatingState;
        if (registry.Read("IsFloating", floating))
            m_bRecentFloatingState = floating != 0;
        registry.Read("MRUWidth", m_nMRUWidth);
        registry.Read("PinState", m_nPinState);
    }
    return CWtkBaseControlBar::LoadState(lpszProfileName, nIndex, uiID);
}

BOOL CWtkControlBar::SaveState(LPCSTR lpszProfileName, int nIndex, UINT uiID)
{
    if (m_pParentDockBar && m_pDockBarRow && !IsFloating())
        m_recentDockInfo.m_nRecentRowIndex = m_pParentDockBar->GetRowIndex(m_pDockBarRow);
    BOOL written = FALSE;
    {
        CWtkRegistrySP holder;
        CWtkRegistry& registry = holder.Create(FALSE, FALSE);
        written = registry.CreateKey(StateKey(kSection, "WtkControlBar", lpszProfileName, nIndex, uiID)) &&
                  registry.Write("ID", static_cast<int>(m_nID)) &&
                  registry.Write("RectRecentFloat", &m_recentDockInfo.m_rectRecentFloatingRect) &&
                  registry.Write("RectRecentDocked", &m_recentDockInfo.m_rectRecentDockedRect) &&
                  registry.Write("RecentFrameAlignment", m_recentDockInfo.m_dwRecentAlignmentToFrame) &&
                  registry.Write("RecentRowIndex", m_recentDockInfo.m_nRecentRowIndex) &&
                  registry.Write("IsFloating", static_cast<int>(IsFloating())) &&
                  registry.Write("MRUWidth", m_nMRUWidth) && registry.Write("PinState", m_nPinState);
    }
    // The visibility goes under its own key even when the placement failed.
    const BOOL visibility = CWtkBaseControlBar::SaveState(lpszProfileName, nIndex, uiID);
    return written && visibility;
}

void CWtkControlBar::RestoreDockState(CWtkDockManager* pDockManager)
{
    const BOOL visible = GetRecentVisibleState();
    if (m_bRecentFloatingState) {
        ShowControlBar(visible, FALSE, FALSE);
        return;
    }
    if (!pDockManager)
        return;
    CWtkDockBar* dockBar = pDockManager->DockBarForSide(m_recentDockInfo.m_dwRecentAlignmentToFrame, TRUE);
    if (!dockBar)
        return;
    CRect rect(m_recentDockInfo.m_rectRecentDockedRect);
    DockControlBar(dockBar, &rect, 4);
    if (m_pParentDockBar) {
        m_pParentDockBar->ShowControlBar(this, visible, TRUE);
        if (m_pDockBarRow)
            m_pDockBarRow->ArrangeBars(this);
    }
}
