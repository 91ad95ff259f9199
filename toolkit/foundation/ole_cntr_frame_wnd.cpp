#include "toolkit/foundation/ole_cntr_frame_wnd.h"

IMPLEMENT_DYNAMIC(CWtkOleCntrFrameWnd, COleCntrFrameWnd)

CWtkOleCntrFrameWnd::CWtkOleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame) : COleCntrFrameWnd(pInPlaceFrame)
{
    m_dockManager.Create(this);
}

CWtkOleCntrFrameWnd::~CWtkOleCntrFrameWnd() = default;

BOOL CWtkOleCntrFrameWnd::AddControlBar(CWtkBaseControlBar* pBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pBar, bTail);
}

BOOL CWtkOleCntrFrameWnd::InsertControlBar(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertBarNextTo(pBar, pTarget, bAfter);
}

void CWtkOleCntrFrameWnd::RemoveControlBarFromDockManager(CWtkBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                           BOOL bAutoHide)
{
    m_dockManager.RemoveBar(pBar, bDestroy, bAdjustLayout, bAutoHide);
}

CWtkBaseControlBar* CWtkOleCntrFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                              const CRuntimeClass* pRTCBarType) const
{
    return m_dockManager.BarAtPoint(point, nSensitivity, bExactBar, pRTCBarType);
}

BOOL CWtkOleCntrFrameWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const
{
    return m_dockManager.EdgeZoneAtPoint(point, dwBarAlignment, bOuterEdge);
}

void CWtkOleCntrFrameWnd::DockControlBar(CWtkBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

void CWtkOleCntrFrameWnd::AdjustDockingLayout(HDWP hdwp)
{
    m_dockManager.AdjustDockingLayout(hdwp);
}
