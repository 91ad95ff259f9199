#include "toolkit/foundation/dock_history.h"

#include "toolkit/foundation/slider.h"

IMPLEMENT_DYNAMIC(CWtkDockHistory, CObject)

CWtkDockHistory::CWtkDockHistory(CWtkBaseControlBar* pBar)
    : m_rectRecentFloatingRect(10, 10, 110, 110),
      m_hRecentDefaultSlider(reinterpret_cast<HWND>(-1)),
      m_pBar(pBar)
{
}

CWtkDockHistory::~CWtkDockHistory() = default;

void CWtkDockHistory::StoreDockInfo(CWtkBarContainer*, CWtkBaseControlBar*) {}

void CWtkDockHistory::CopyFrom(const CWtkDockHistory& other, BOOL bDocked)
{
    if (bDocked) {
        m_dwRecentAlignmentToFrame = other.m_dwRecentAlignmentToFrame;
        m_hRecentDefaultSlider = other.m_hRecentDefaultSlider;
        m_recentSliderInfo.CopyFrom(other.m_recentSliderInfo);
    } else {
        m_rectRecentFloatingRect = other.m_rectRecentFloatingRect;
        m_rectRecentFloatingCompanion = other.m_rectRecentFloatingCompanion;
        m_hRecentMiniFrame = other.m_hRecentMiniFrame;
        m_recentMiniFrameInfo.CopyFrom(other.m_recentMiniFrameInfo);
    }
}

CWtkBarContainer* CWtkDockHistory::GetRecentContainer(BOOL bForSlider) const
{
    return Entry(bForSlider).m_pRecentBarContainer;
}

CWtkBarContainer* CWtkDockHistory::GetRecentTabContainer(BOOL bForSlider) const
{
    return Entry(bForSlider).m_pRecentTabContainer;
}

CRect& CWtkDockHistory::GetRecentDockedRect(BOOL bForSlider)
{
    return Entry(bForSlider).m_rectRecentDockedRect;
}

int CWtkDockHistory::GetRecentDockedPercent(BOOL bForSlider) const
{
    return Entry(bForSlider).m_nRecentPercent;
}

BOOL CWtkDockHistory::IsRecentLeftBar(BOOL bForSlider) const
{
    return Entry(bForSlider).m_bIsRecentLeftBar;
}

std::vector<HWND>& CWtkDockHistory::GetRecentListOfBars(BOOL bForSlider)
{
    return Entry(bForSlider).m_lstRecentListOfBars;
}

CWtkSlider* CWtkDockHistory::GetRecentDefaultSlider() const
{
    CWnd* wnd = CWnd::FromHandlePermanent(m_hRecentDefaultSlider);
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CWtkSlider)) ? static_cast<CWtkSlider*>(wnd) : nullptr;
}
