#include "toolkit/foundation/drag_outline.h"

#include <cstdlib>

#include "platform/framework/string.h"
#include "platform/ui/dc.h"
#include "platform/ui/frame_wnd.h"
#include "toolkit/extras/base_tab_wnd.h"
#include "toolkit/foundation/base_control_bar.h"
#include "toolkit/foundation/base_tabbed_bar.h"
#include "toolkit/foundation/control_bar.h"
#include "toolkit/foundation/dock_history.h"
#include "toolkit/foundation/dock_manager.h"
#include "toolkit/foundation/docking_control_bar.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/global_utils.h"
#include "toolkit/foundation/mini_frame_wnd.h"
#include "toolkit/foundation/multi_mini_frame_wnd.h"
#include "toolkit/foundation/placeholder_docking_bar.h"

namespace {

// The system's drag threshold, read once.
const CSize& DragThreshold()
{
    static const CSize size(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
    return size;
}

// A device context of the desktop window that draws through a window-update
// lock: the frame is locked while something is dragged over it.
class DesktopDragDC {
public:
    DesktopDragDC()
        : m_hWnd(::GetDesktopWindow()),
          m_hDC(::GetDCEx(m_hWnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE))
    {
        if (m_hDC)
            m_dc.Attach(m_hDC);
    }
    ~DesktopDragDC()
    {
        if (m_hDC) {
            m_dc.Detach();
            ::ReleaseDC(m_hWnd, m_hDC);
        }
    }
    DesktopDragDC(const DesktopDragDC&) = delete;
    DesktopDragDC& operator=(const DesktopDragDC&) = delete;

    CDC* Get() { return m_hDC ? &m_dc : nullptr; }

private:
    HWND m_hWnd;
    HDC m_hDC;
    CDC m_dc;
};

CWtkBaseTabWnd* TabWndOf(CWtkBaseControlBar* pBar)
{
    if (!pBar || !pBar->IsKindOf(RUNTIME_CLASS(CWtkBaseTabbedBar)))
        return nullptr;
    return static_cast<CWtkBaseTabbedBar*>(pBar)->GetUnderlinedWindow();
}

}  // namespace

CWtkDragOutline::CWtkDragOutline() : m_nOldThickness(WtkGlobalData().m_nDragOutlineWidth) {}

CWtkDragOutline::~CWtkDragOutline() = default;

void CWtkDragOutline::Init(CWnd* pDraggedWnd)
{
    m_pDraggedWnd = pDraggedWnd;
    m_pDockManager = nullptr;
    if (!pDraggedWnd) {
        m_pDockManager = g_wtkGlobalUtils.GetDockManager(nullptr);
        return;
    }
    if (pDraggedWnd->IsKindOf(RUNTIME_CLASS(CWtkMiniFrameWnd))) {
        m_pDockManager = g_wtkGlobalUtils.GetDockManager(WtkGetParentFrame(pDraggedWnd));
    } else if (pDraggedWnd->IsKindOf(RUNTIME_CLASS(CWtkBaseControlBar))) {
        auto* bar = static_cast<CWtkBaseControlBar*>(pDraggedWnd);
        CWtkMiniFrameWnd* miniFrame = bar->GetSafeHwnd() ? bar->GetParentMiniFrame(TRUE) : nullptr;
        m_pDockManager = miniFrame ? g_wtkGlobalUtils.GetDockManager(WtkGetParentFrame(miniFrame))
                                   : g_wtkGlobalUtils.GetDockManager(bar->GetDockSite());
    } else {
        m_pDockManager = g_wtkGlobalUtils.GetDockManager(nullptr);
    }
}

void CWtkDragOutline::MoveDragOutline(BOOL bForceMove)
{
    m_bMoved = FALSE;
    if (!m_pDockManager || !m_pDraggedWnd || !m_pDraggedWnd->GetSafeHwnd())
        return;

    CWtkPlaceholderDockingBar::EnsureCreated();

    CPoint point;
    ::GetCursorPos(&point);
    const CSize& threshold = DragThreshold();
    if (std::abs(point.x - m_ptHot.x) < threshold.cx && std::abs(point.y - m_ptHot.y) < threshold.cy &&
        !m_rectDrag.IsRectEmpty() && !bForceMove)
        return;

    m_bMoved = TRUE;
    m_bDragStarted = TRUE;
    m_pDockManager->FreezeRedraw(TRUE);

    if (m_rectDrag.IsRectEmpty()) {
        m_pDraggedWnd->GetWindowRect(&m_rectDrag);
        if (m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CWtkControlBar)) &&
            !static_cast<CWtkControlBar*>(m_pDraggedWnd)->GetParentMiniFrame(TRUE)) {
            const CRect& floating =
                static_cast<CWtkControlBar*>(m_pDraggedWnd)->GetRecentDockInfo().m_rectRecentFloatingRect;
            m_rectDrag.right = m_rectDrag.left + floating.Width();
            m_rectDrag.bottom = m_rectDrag.top + floating.Height();
        }
        if (!m_rectDrag.PtInRect(point))
            m_rectDrag.OffsetRect(point.x - 5 - m_rectDrag.left, 0);
    }

    CRect rectTarget;
    BOOL bOnCaption = FALSE;
    CWtkBaseControlBar* pTarget = nullptr;
    const BOOL bPreview =
        m_pDockManager->PreviewDropRect(m_pDraggedWnd, point.x, point.y, rectTarget, bOnCaption, pTarget);
    if (!bPreview) {
        rectTarget.SetRectEmpty();
        bOnCaption = FALSE;
        pTarget = nullptr;
    }

    // A tab preview stays only while the cursor rests on the same bar's
    // caption: leaving the caption within the bar takes it away too, or the
    // outline would be drawn beside a temporary tab that nothing removes.
    if ((m_pTargetBar != pTarget || !bPreview || !bOnCaption) && (m_nInsertedTabID != -1 || m_bFrameTabDrawn)) {
        if (m_pTargetBar)
            RemoveTabPreDocking(m_pTargetBar);
        m_nInsertedTabID = -1;
    }
    m_pTargetBar = pTarget;

    BOOL bMayBeTabbed = m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CWtkMiniFrameWnd));
    if (!bMayBeTabbed && m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CWtkDockingControlBar)))
        bMayBeTabbed = static_cast<CWtkDockingControlBar*>(m_pDraggedWnd)->CanBeAttached();

    // Over a caption the outline gives way to a tab. It goes even on a
    // forced move: an outline left on the screen beside a tab would never be
    // erased.
    if (pTarget && bMayBeTabbed && bOnCaption) {
        if (CWtkBaseTabWnd* tabWnd = TabWndOf(pTarget)) {
            const int tabs = tabWnd->CountTabs();
            const BOOL accepts = static_cast<CWtkBaseTabbedBar*>(pTarget)->AcceptsTabs();
            CWtkPlaceholderDockingBar& placeholder = CWtkPlaceholderDockingBar::Get();
            if (((tabs > 1 && accepts) || (tabs > 0 && !accepts)) && placeholder.GetSafeHwnd()) {
                if (m_nInsertedTabID == -1) {
                    HideOutline();
                    if (m_pDraggedWnd->IsKindOf(RUNTIME_CLASS(CWtkMultiMiniFrameWnd)) &&
                        static_cast<CWtkMiniFrameWnd*>(m_pDraggedWnd)->HasBar() > 1)
                        m_pDraggedWnd->ShowWindow(SW_HIDE);
                    CString title;
                    m_pDraggedWnd->GetWindowText(title);
                    tabWnd->AddTab(&placeholder, title, -1, TRUE);
                    m_nInsertedTabID = tabWnd->CountTabs() - 1;
                }
                return;
            }
        } else if (!pTarget->IsKindOf(RUNTIME_CLASS(CWtkBaseTabbedBar))) {
            if (m_nInsertedTabID == -1 && !m_bFrameTabDrawn) {
                HideOutline();
                DrawTabOutline(pTarget, TRUE);
                m_nInsertedTabID = 1;
            }
            return;
        }
    }

    m_rectDrag.OffsetRect(point.x - m_ptHot.x, point.y - m_ptHot.y);
    m_ptHot = point;
    m_rectExpectedDocked = rectTarget;
    if (m_rectExpectedDocked.IsRectEmpty() && !m_rectDrag.PtInRect(point)) {
        const int width = m_rectDrag.Width();
        const int height = m_rectDrag.Height();
        m_rectDrag.left = point.x - width / 2;
        m_rectDrag.top = point.y - 5;
        m_rectDrag.right = m_rectDrag.left + width;
        m_rectDrag.bottom = m_rectDrag.top + height;
    }
    ShowOutline(m_rectExpectedDocked.IsRectEmpty() ? m_rectDrag : m_rectExpectedDocked);
}

void CWtkDragOutline::EndDrawDragOutline(BOOL bFinal)
{
    HideOutline();
    if (m_nInsertedTabID != -1)
        m_bDragStarted = TRUE;

    if (!bFinal)
        return;

    if (m_pTargetBar && m_nInsertedTabID != -1)
        RemoveTabPreDocking(m_pTargetBar);
    m_nInsertedTabID = -1;

    m_rectDrag.SetRectEmpty();
    m_rectExpectedDocked.SetRectEmpty();
    m_bHadTargetOnEnd = m_pTargetBar != nullptr;
    m_pTargetBar = nullptr;
    m_bDragStarted = FALSE;
    if (m_pDockManager)
        m_pDockManager->FreezeRedraw(FALSE);
}

void CWtkDragOutline::RemoveTabPreDocking(CWtkBaseControlBar* pTarget)
{
    CWtkBaseTabWnd* tabWnd = TabWndOf(pTarget);
    if (tabWnd && !m_bFrameTabDrawn) {
        if (m_pDockManager)
            m_pDockManager->FreezeRedraw(TRUE);
        CWtkPlaceholderDockingBar& placeholder = CWtkPlaceholderDockingBar::Get();
        const int tab = tabWnd->FindTabByWindow(placeholder.GetSafeHwnd());
        if (tab != -1)
            tabWnd->RemoveTab(tab, TRUE);
        if (placeholder.GetSafeHwnd())
            placeholder.ShowWindow(SW_HIDE);
        if (m_pDockManager)
            m_pDockManager->FreezeRedraw(FALSE);
    } else {
        DrawTabOutline(pTarget, FALSE);
    }
}

void CWtkDragOutline::DrawTabOutline(CWtkBaseControlBar* pBar, BOOL bDrawTab)
{
    // Drawing inverts pixels: the shape may only be drawn when it is off the
    // screen, and erased when it is on it.
    if (!pBar || !pBar->GetSafeHwnd() || bDrawTab == m_bFrameTabDrawn)
        return;
    const CWtkGlobalData& data = WtkGlobalData();
    const int w = data.m_nTabOutlineWidth;
    const int t = data.m_nTextHeightHorz;

    CRect window;
    pBar->GetWindowRect(&window);
    CRect body = window;
    body.bottom -= t;
    CRect tab(window.left + 10, body.bottom, window.left + 50, window.bottom);
    if (tab.right >= window.right)
        tab.right = window.right - w - 4;
    // Drawn over the line between body and tab, it opens the shape there.
    const CRect joint(tab.left + w, body.bottom - w, tab.right - w, body.bottom + w);

    DrawDragRect(&body, nullptr, TRUE, w, w);
    DrawDragRect(&tab, nullptr, TRUE, w, w);
    DrawDragRect(&joint, nullptr, TRUE, w, w);
    m_bFrameTabDrawn = bDrawTab;
}

void CWtkDragOutline::DrawDragRect(LPCRECT lpRectNew, LPCRECT lpRectOld, BOOL bErase, int nWidth, int nOldWidth)
{
    DesktopDragDC dc;
    CDC* pDC = dc.Get();
    if (!pDC || !lpRectNew)
        return;
    const CSize size(nWidth, nWidth);
    const CSize sizeOld(nOldWidth, nOldWidth);
    if (bErase || !lpRectOld)
        pDC->DrawDragRect(lpRectNew, size, nullptr, size);
    else
        pDC->DrawDragRect(lpRectNew, size, lpRectOld, sizeOld);
}

void CWtkDragOutline::ShowOutline(const CRect& rect)
{
    const int width = WtkGlobalData().m_nDragOutlineWidth;
    if (m_bOutlineShown)
        DrawDragRect(&rect, &m_rectShown, FALSE, width, m_nOldThickness);
    else
        DrawDragRect(&rect, nullptr, FALSE, width, width);
    m_rectShown = rect;
    m_bOutlineShown = TRUE;
    m_nOldThickness = width;
}

void CWtkDragOutline::HideOutline()
{
    if (!m_bOutlineShown)
        return;
    DrawDragRect(&m_rectShown, nullptr, TRUE, m_nOldThickness, m_nOldThickness);
    m_bOutlineShown = FALSE;
    m_rectShown.SetRectEmpty();
}
