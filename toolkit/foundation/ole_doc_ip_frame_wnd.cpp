#include "toolkit/foundation/ole_doc_ip_frame_wnd.h"

IMPLEMENT_DYNCREATE(CWtkOleDocIPFrameWnd, COleDocIPFrameWnd)

CWtkOleDocIPFrameWnd::CWtkOleDocIPFrameWnd()
{
    m_dockManager.Create(this);
}

CWtkOleDocIPFrameWnd::~CWtkOleDocIPFrameWnd() = default;

BOOL CWtkOleDocIPFrameWnd::AddControlBar(CWtkBaseControlBar* pBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pBar, bTail);
}

BOOL CWtkOleDocIPFrameWnd::InsertControlBar(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertBarNextTo(pBar, pTarget, bAfter);
}

void CWtkOleDocIPFrameWnd::RemoveControlBarFromDockManager(CWtkBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                           BOOL bAutoHide)
{
    m_dockManager.RemoveBar(pBar, bDestroy, bAdjustLayout, bAutoHide);
}

CWtkBaseControlBar* CWtkOleDocIPFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                              const CRuntimeClass* pRTCBarType) const
{
    return m_dockManager.BarAtPoint(point, nSensitivity, bExactBar, pRTCBarType);
}

BOOL CWtkOleDocIPFrameWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const
{
    return m_dockManager.EdgeZoneAtPoint(point, dwBarAlignment, bOuterEdge);
}

void CWtkOleDocIPFrameWnd::DockControlBar(CWtkBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

void CWtkOleDocIPFrameWnd::AdjustDockingLayout(HDWP hdwp)
{
    m_dockManager.AdjustDockingLayout(hdwp);
}
