#include "toolkit/foundation/frame_wnd.h"

IMPLEMENT_DYNCREATE(CWtkFrameWnd, CFrameWnd)

CWtkFrameWnd::CWtkFrameWnd()
{
    m_dockManager.Create(this);
}

CWtkFrameWnd::~CWtkFrameWnd() = default;

BOOL CWtkFrameWnd::AddControlBar(CWtkBaseControlBar* pBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pBar, bTail);
}

BOOL CWtkFrameWnd::InsertControlBar(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertBarNextTo(pBar, pTarget, bAfter);
}

void CWtkFrameWnd::RemoveControlBarFromDockManager(CWtkBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                           BOOL bAutoHide)
{
    m_dockManager.RemoveBar(pBar, bDestroy, bAdjustLayout, bAutoHide);
}

CWtkBaseControlBar* CWtkFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                              const CRuntimeClass* pRTCBarType) const
{
    return m_dockManager.BarAtPoint(point, nSensitivity, bExactBar, pRTCBarType);
}

BOOL CWtkFrameWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const
{
    return m_dockManager.EdgeZoneAtPoint(point, dwBarAlignment, bOuterEdge);
}

void CWtkFrameWnd::DockControlBar(CWtkBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

void CWtkFrameWnd::AdjustDockingLayout(HDWP hdwp)
{
    m_dockManager.AdjustDockingLayout(hdwp);
}
