#include "toolkit/foundation/base_tabbed_bar.h"

#include "toolkit/extras/base_tab_wnd.h"

IMPLEMENT_DYNAMIC(CWtkBaseTabbedBar, CWtkDockingControlBar)

BOOL CWtkBaseTabbedBar::ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (!m_pTabWnd || !pBar)
        return FALSE;
    return m_pTabWnd->SetTabShown(m_pTabWnd->FindTabByWindow(pBar->GetSafeHwnd()), bShow, !bDelay, bActivate);
}

BOOL CWtkBaseTabbedBar::RemoveControlBar(CWtkBaseControlBar* pBar)
{
    if (!m_pTabWnd || !pBar)
        return FALSE;
    return m_pTabWnd->RemoveTab(m_pTabWnd->FindTabByWindow(pBar->GetSafeHwnd()));
}
