#include "toolkit/foundation/dock_manager.h"

#include "platform/ui/frame_wnd.h"
#include "toolkit/foundation/base_control_bar.h"
#include "toolkit/foundation/dock_bar.h"
#include "toolkit/foundation/docking_control_bar.h"

BOOL CWtkDockManager::s_bRestoringDockState = FALSE;

CWtkDockManager::CWtkDockManager() = default;
CWtkDockManager::~CWtkDockManager() = default;

BOOL CWtkDockManager::Create(CFrameWnd* pFrame)
{
    m_pFrame = pFrame;
    return TRUE;
}

BOOL CWtkDockManager::AddControlBar(CWtkBaseControlBar* pBar, BOOL bTail, BOOL bAutoHide, BOOL bInsertForOuterEdge)
{
    if (!pBar)
        return FALSE;
    CObList& list = bAutoHide ? m_lstAutoHideBars : m_lstControlBars;
    if (list.Find(pBar))
        return FALSE;
    if (bTail) {
        list.AddTail(pBar);
    } else if (!bInsertForOuterEdge) {
        list.AddHead(pBar);
    } else {
        POSITION pos = list.GetHeadPosition();
        POSITION before = nullptr;
        while (pos && !before) {
            POSITION here = pos;
            if (static_cast<CWtkBaseControlBar*>(list.GetNext(pos))->CanBeDetached())
                before = here;
        }
        if (before)
            list.InsertBefore(before, pBar);
        else
            list.AddTail(pBar);
    }
    pBar->SetDockSite(m_pFrame);
    return TRUE;
}

BOOL CWtkDockManager::InsertBarNextTo(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter)
{
    if (!pBar || m_lstControlBars.Find(pBar))
        return FALSE;
    POSITION target = pTarget ? m_lstControlBars.Find(pTarget) : nullptr;
    if (!target)
        return FALSE;
    if (bAfter)
        m_lstControlBars.InsertAfter(target, pBar);
    else
        m_lstControlBars.InsertBefore(target, pBar);
    return TRUE;
}

void CWtkDockManager::RemoveBar(CWtkBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout, BOOL bAutoHide)
{
    CObList& list = bAutoHide ? m_lstAutoHideBars : m_lstControlBars;
    POSITION pos = pBar ? list.Find(pBar) : nullptr;
    if (!pos)
        return;
    list.RemoveAt(pos);
    if (bDestroy && pBar->GetSafeHwnd())
        pBar->DestroyWindow();
    if (bAdjustLayout)
        AdjustDockingLayout(nullptr);
}

void CWtkDockManager::DockControlBar(CWtkBaseControlBar* pBar, UINT, LPCRECT)
{
    if (!pBar || m_lstControlBars.IsEmpty())
        return;
    if ((pBar->GetControlBarStyle() & 0x5) == 0)
        AddControlBar(pBar, TRUE, FALSE, FALSE);
}

CWtkBaseControlBar* CWtkDockManager::BarAtPoint(CPoint point, int nSensitivity, BOOL bExact,
                                                const CRuntimeClass* pClass, BOOL bCheckVisibility,
                                                const CWtkBaseControlBar* pIgnore) const
{
    POSITION pos = m_lstControlBars.GetHeadPosition();
    while (pos) {
        CWtkBaseControlBar* bar = static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if (bar == pIgnore || !bar->GetSafeHwnd())
            continue;
        if (pClass && !bar->IsKindOf(pClass))
            continue;
        if (bCheckVisibility && !bar->IsBarVisible())
            continue;
        CRect rect;
        bar->GetWindowRect(&rect);
        if (!bExact)
            rect.InflateRect(nSensitivity, nSensitivity);
        if (rect.PtInRect(point))
            return bar;
    }
    return nullptr;
}

BOOL CWtkDockManager::EdgeZoneAtPoint(CPoint, DWORD&, BOOL&) const
{
    return FALSE;
}

BOOL CWtkDockManager::AdjustDockingLayout(HDWP)
{
    return TRUE;
}

CWtkDockBar* CWtkDockManager::DockBarForSide(DWORD dwAlignment, BOOL bFromHead) const
{
    const DWORD side = dwAlignment & CBRS_ALIGN_ANY;
    POSITION pos = bFromHead ? m_lstControlBars.GetHeadPosition() : m_lstControlBars.GetTailPosition();
    while (pos) {
        CObject* element = bFromHead ? m_lstControlBars.GetNext(pos) : m_lstControlBars.GetPrev(pos);
        if (element->IsKindOf(RUNTIME_CLASS(CWtkDockBar)) &&
            static_cast<CWtkDockBar*>(element)->GetCurrentAlignment() == side)
            return static_cast<CWtkDockBar*>(element);
    }
    return nullptr;
}

void CWtkDockManager::FreezeRedraw(BOOL bLock)
{
    m_bIsUpdateLocked = bLock;
    HWND frame = m_pFrame ? m_pFrame->GetSafeHwnd() : nullptr;
    if (bLock) {
        // Locking again while the lock is held fails harmlessly.
        if (frame && ::LockWindowUpdate(frame))
            m_bFrameLocked = TRUE;
    } else if (m_bFrameLocked) {
        ::LockWindowUpdate(nullptr);
        m_bFrameLocked = FALSE;
    }
}

BOOL CWtkDockManager::PreviewDropRect(CWnd*, int, int, CRect& rectDrop, BOOL& bDrawTab, CWtkBaseControlBar*& pTargetBar)
{
    rectDrop.SetRectEmpty();
    bDrawTab = FALSE;
    pTargetBar = nullptr;
    return FALSE;
}

CWtkBaseControlBar* CWtkDockManager::AttachableBarAtPoint(CPoint) const
{
    return nullptr;
}

CWtkBaseControlBar* CWtkDockManager::DockingBarAtPoint(CPoint point, int nSensitivity, BOOL bExact,
                                                       BOOL& bOnCaptionOrEdge) const
{
    bOnCaptionOrEdge = FALSE;
    POSITION pos = m_lstControlBars.GetHeadPosition();
    while (pos) {
        CObject* element = m_lstControlBars.GetNext(pos);
        if (!element->IsKindOf(RUNTIME_CLASS(CWtkDockingControlBar)))
            continue;
        auto* bar = static_cast<CWtkDockingControlBar*>(element);
        if (!bar->GetSafeHwnd() || !bar->IsWindowVisible())
            continue;
        CRect rect;
        bar->GetWindowRect(&rect);
        if (!bExact) {
            rect.InflateRect(nSensitivity, nSensitivity);
            if (rect.PtInRect(point))
                return bar;
            continue;
        }
        if (!rect.PtInRect(point))
            continue;
        CRect tabBottom;
        CRect tabTop;
        bar->GetTabArea(tabBottom, tabTop);
        const BOOL onCaption = point.y < rect.top + bar->GetCaptionHeight() || tabBottom.PtInRect(point) ||
                               tabTop.PtInRect(point);
        CRect inner = rect;
        inner.DeflateRect(nSensitivity, nSensitivity);
        bOnCaptionOrEdge = onCaption || !inner.PtInRect(point);
        return bar;
    }
    return nullptr;
}
