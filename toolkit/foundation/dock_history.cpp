#include "toolkit/foundation/dock_history.h"

#include "platform/ui/frame_wnd.h"
#include "toolkit/foundation/base_control_bar.h"
#include "toolkit/foundation/docking_control_bar.h"
#include "toolkit/foundation/mini_frame_wnd.h"
#include "toolkit/foundation/slider.h"

IMPLEMENT_DYNAMIC(CWtkDockHistory, CObject)

CWtkDockHistory::CWtkDockHistory(CWtkBaseControlBar* pBar)
    : m_rectRecentFloatingRect(10, 10, 110, 110),
      m_hRecentDefaultSlider(reinterpret_cast<HWND>(-1)),
      m_pBar(pBar)
{
}

CWtkDockHistory::~CWtkDockHistory() = default;

void CWtkDockHistory::StoreDockInfo(CWtkBarContainer* pRecentContainer, CWtkBaseControlBar* pTabbedBar)
{
    if (!m_pBar || !m_pBar->GetSafeHwnd())
        return;
    // A tab's place is that of the tabbed bar that holds it.
    CWtkBaseControlBar* placed = pTabbedBar ? pTabbedBar : m_pBar;

    if (CWtkMiniFrameWnd* miniFrame = m_pBar->GetParentMiniFrame(TRUE)) {
        m_recentMiniFrameInfo.StoreDockInfo(pRecentContainer, m_pBar, pTabbedBar);
        miniFrame->GetWindowRect(&m_rectRecentFloatingRect);
        miniFrame->ScreenToClient(&m_recentMiniFrameInfo.m_rectRecentDockedRect);
        m_hRecentMiniFrame = miniFrame->GetSafeHwnd();
        // The bar leaves the frame: the frame closes itself once it is empty.
        CWnd* stillThere = CWnd::FromHandlePermanent(m_hRecentMiniFrame);
        if (stillThere && stillThere->IsKindOf(RUNTIME_CLASS(CWtkMiniFrameWnd)))
            ::PostMessage(m_hRecentMiniFrame, WTKMSG_CHECKEMPTYMINIFRAME, 0, 0);
        return;
    }

    CWtkSlider* slider = placed->IsKindOf(RUNTIME_CLASS(CWtkDockingControlBar))
                             ? static_cast<CWtkDockingControlBar*>(placed)->GetOwnSlider()
                             : nullptr;
    if (slider && slider->IsDefault()) {
        m_recentSliderInfo.StoreDockInfo(pRecentContainer, m_pBar, pTabbedBar);
        if (CWnd* dockSite = m_pBar->GetDockSite(); dockSite && dockSite->GetSafeHwnd())
            dockSite->ScreenToClient(&m_recentSliderInfo.m_rectRecentDockedRect);
        m_hRecentDefaultSlider = slider->GetSafeHwnd();
        m_dwRecentAlignmentToFrame = slider->GetCurrentAlignment();
        return;
    }

    m_recentMiniFrameInfo.Clear();
}

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
