#include "toolkit/foundation/ole_ip_frame_wnd.h"

IMPLEMENT_DYNCREATE(CWtkOleIPFrameWnd, COleIPFrameWnd)

CFrameWnd* g_pWtkActiveOleIPFrame = nullptr;

CWtkOleIPFrameWnd::CWtkOleIPFrameWnd()
{
    m_dockManager.Create(this);
}

CWtkOleIPFrameWnd::~CWtkOleIPFrameWnd() = default;

BOOL CWtkOleIPFrameWnd::AddControlBar(CWtkBaseControlBar* pBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pBar, bTail);
}

BOOL CWtkOleIPFrameWnd::InsertControlBar(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertBarNextTo(pBar, pTarget, bAfter);
}

void CWtkOleIPFrameWnd::RemoveControlBarFromDockManager(CWtkBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                           BOOL bAutoHide)
{
    m_dockManager.RemoveBar(pBar, bDestroy, bAdjustLayout, bAutoHide);
}

CWtkBaseControlBar* CWtkOleIPFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                              const CRuntimeClass* pRTCBarType) const
{
    return m_dockManager.BarAtPoint(point, nSensitivity, bExactBar, pRTCBarType);
}

BOOL CWtkOleIPFrameWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const
{
    return m_dockManager.EdgeZoneAtPoint(point, dwBarAlignment, bOuterEdge);
}

void CWtkOleIPFrameWnd::DockControlBar(CWtkBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

void CWtkOleIPFrameWnd::AdjustDockingLayout(HDWP hdwp)
{
    m_dockManager.AdjustDockingLayout(hdwp);
}
