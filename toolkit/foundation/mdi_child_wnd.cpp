#include "toolkit/foundation/mdi_child_wnd.h"

IMPLEMENT_DYNCREATE(CWtkMDIChildWnd, CMDIChildWnd)

CWtkMDIChildWnd::CWtkMDIChildWnd()
{
    m_dockManager.Create(this);
}

CWtkMDIChildWnd::~CWtkMDIChildWnd() = default;

BOOL CWtkMDIChildWnd::AddControlBar(CWtkBaseControlBar* pBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pBar, bTail);
}

BOOL CWtkMDIChildWnd::InsertControlBar(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertBarNextTo(pBar, pTarget, bAfter);
}

void CWtkMDIChildWnd::RemoveControlBarFromDockManager(CWtkBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                           BOOL bAutoHide)
{
    m_dockManager.RemoveBar(pBar, bDestroy, bAdjustLayout, bAutoHide);
}

CWtkBaseControlBar* CWtkMDIChildWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                              const CRuntimeClass* pRTCBarType) const
{
    return m_dockManager.BarAtPoint(point, nSensitivity, bExactBar, pRTCBarType);
}

BOOL CWtkMDIChildWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const
{
    return m_dockManager.EdgeZoneAtPoint(point, dwBarAlignment, bOuterEdge);
}

void CWtkMDIChildWnd::DockControlBar(CWtkBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

void CWtkMDIChildWnd::AdjustDockingLayout(HDWP hdwp)
{
    m_dockManager.AdjustDockingLayout(hdwp);
}
