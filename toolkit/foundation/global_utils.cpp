#include "toolkit/foundation/global_utils.h"

#include "platform/framework/oblist.h"
#include "platform/ui/dialog.h"
#include "platform/ui/property_sheet.h"
#include "toolkit/foundation/bar_container_manager.h"
#include "toolkit/foundation/base_control_bar.h"
#include "toolkit/foundation/dock_manager.h"
#include "toolkit/foundation/docking_control_bar.h"
#include "toolkit/foundation/frame_wnd.h"
#include "toolkit/foundation/mdi_child_wnd.h"
#include "toolkit/foundation/mdi_frame_wnd.h"
#include "toolkit/foundation/mini_frame_wnd.h"
#include "toolkit/foundation/multi_mini_frame_wnd.h"
#include "toolkit/foundation/ole_cntr_frame_wnd.h"
#include "toolkit/foundation/ole_doc_ip_frame_wnd.h"
#include "toolkit/foundation/ole_ip_frame_wnd.h"
#include "toolkit/foundation/slider.h"

CWtkGlobalUtils g_wtkGlobalUtils;

namespace {

// The docking sensitivity of the drop search, in pixels.
constexpr int kDockSensitivity = 15;

// The bar being dragged: the control bar itself, or a mini frame's first bar.
CWtkBaseControlBar* DraggedBar(CWnd* pDraggedWnd)
{
    if (!pDraggedWnd)
        return nullptr;
    if (pDraggedWnd->IsKindOf(RUNTIME_CLASS(CWtkMiniFrameWnd)))
        return static_cast<CWtkMiniFrameWnd*>(pDraggedWnd)->GetFirstBar();
    if (pDraggedWnd->IsKindOf(RUNTIME_CLASS(CWtkBaseControlBar)))
        return static_cast<CWtkBaseControlBar*>(pDraggedWnd);
    return nullptr;
}

template <class TFrame>
CWtkDockManager* ManagerOf(CWnd* pWnd, const CRuntimeClass* pClass)
{
    return pWnd->IsKindOf(pClass) ? static_cast<TFrame*>(pWnd)->GetDockManager() : nullptr;
}

}  // namespace

CWtkDockManager* CWtkGlobalUtils::GetDockManager(CWnd* pWnd)
{
    if (!pWnd)
        return nullptr;
    CWtkDockManager* manager = nullptr;
    if ((manager = ManagerOf<CWtkFrameWnd>(pWnd, RUNTIME_CLASS(CWtkFrameWnd))) ||
        (manager = ManagerOf<CWtkMDIFrameWnd>(pWnd, RUNTIME_CLASS(CWtkMDIFrameWnd))) ||
        (manager = ManagerOf<CWtkOleIPFrameWnd>(pWnd, RUNTIME_CLASS(CWtkOleIPFrameWnd))) ||
        (manager = ManagerOf<CWtkOleDocIPFrameWnd>(pWnd, RUNTIME_CLASS(CWtkOleDocIPFrameWnd))) ||
        (manager = ManagerOf<CWtkMDIChildWnd>(pWnd, RUNTIME_CLASS(CWtkMDIChildWnd))) ||
        (manager = ManagerOf<CWtkOleCntrFrameWnd>(pWnd, RUNTIME_CLASS(CWtkOleCntrFrameWnd))))
        return manager;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CDialog)) || pWnd->IsKindOf(RUNTIME_CLASS(CPropertySheet)))
        m_bDialogApp = TRUE;
    return nullptr;
}

BOOL CWtkGlobalUtils::CheckAlignment(CPoint point, CWtkBaseControlBar* pBar, int nSensitivity, BOOL bOuterEdge,
                                     DWORD& dwAlignment, DWORD dwEnabledAlignment, LPCRECT lpRectBar) const
{
    CRect r;
    if (pBar && pBar->GetSafeHwnd())
        pBar->GetWindowRect(&r);
    else if (lpRectBar)
        r = *lpRectBar;
    else
        return FALSE;

    int captionHeight = 0;
    int bottomCaptionHeight = 0;
    if (pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkDockingControlBar))) {
        auto* dockingBar = static_cast<CWtkDockingControlBar*>(pBar);
        captionHeight = dockingBar->GetCaptionHeight();
        CRect tabAreaBottom;
        CRect tabAreaTop;
        dockingBar->GetTabArea(tabAreaBottom, tabAreaTop);
        bottomCaptionHeight = tabAreaBottom.Height();
    }

    const int s = nSensitivity;
    struct Band {
        DWORD side;
        CRect rect;
    };
    const Band bands[] = {
        {CBRS_ALIGN_TOP, bOuterEdge ? CRect(r.left - s, r.top - s, r.right + s, r.top)
                                    : CRect(r.left - s, r.top - s, r.right + s, r.top + captionHeight + s)},
        {CBRS_ALIGN_LEFT, bOuterEdge ? CRect(r.left - s, r.top - s, r.left, r.bottom + s)
                                     : CRect(r.left - s, r.top - s, r.left + s, r.bottom + s)},
        {CBRS_ALIGN_BOTTOM, bOuterEdge
                                ? CRect(r.left - s, r.bottom, r.right + s, r.bottom + s)
                                : CRect(r.left - s, r.bottom - bottomCaptionHeight - s, r.right + s, r.bottom + s)},
        {CBRS_ALIGN_RIGHT, bOuterEdge ? CRect(r.right, r.top - s, r.right + s, r.bottom + s)
                                      : CRect(r.right - s, r.top - s, r.right + s, r.bottom + s)},
    };
    for (const Band& band : bands) {
        if ((dwEnabledAlignment & band.side) && band.rect.PtInRect(point)) {
            dwAlignment = band.side;
            return TRUE;
        }
    }
    return FALSE;
}

void CWtkGlobalUtils::FlipRect(CRect& rect, int nAngle) const
{
    const CRect old = rect;
    switch (nAngle) {
    case 180:
        rect.SetRect(old.left, old.bottom, old.right, old.top);
        break;
    case 90:
        rect.SetRect(old.bottom, old.left, old.top, old.right);
        break;
    case -90:
        rect.SetRect(old.top, old.right, old.bottom, old.left);
        break;
    default:
        break;
    }
}

void CWtkGlobalUtils::ReparentWindows(const CObList& lstWindows, CWnd* pNewParent, BOOL bCheckVisibility) const
{
    if (!pNewParent || !pNewParent->GetSafeHwnd())
        return;
    POSITION pos = lstWindows.GetHeadPosition();
    while (pos) {
        CObject* element = lstWindows.GetNext(pos);
        if (!element || !element->IsKindOf(RUNTIME_CLASS(CWnd)))
            continue;
        auto* wnd = static_cast<CWnd*>(element);
        if (!wnd->GetSafeHwnd() || (bCheckVisibility && !wnd->IsWindowVisible()))
            continue;
        if (wnd->IsKindOf(RUNTIME_CLASS(CWtkSlider))) {
            wnd->SetParent(pNewParent);
            continue;
        }
        // Parked outside the new parent's client area until its owner lays
        // it out, so that it never flashes at a wrong place.
        wnd->ShowWindow(SW_HIDE);
        wnd->SetParent(pNewParent);
        CRect rect;
        wnd->GetWindowRect(&rect);
        wnd->SetWindowPos(nullptr, -rect.Width(), -rect.Height(), 0, 0,
                          SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        wnd->ShowWindow(SW_SHOW);
    }
}

BOOL CWtkGlobalUtils::GetDockingInfo(CWtkDockManager* pDockManager, CWnd* pDraggedWnd, CPoint point,
                                     CRect& rectDrop, BOOL& bDockToBar, CWtkBaseControlBar*& pTargetBar)
{
    rectDrop.SetRectEmpty();
    bDockToBar = FALSE;
    pTargetBar = nullptr;
    // Holding Ctrl while dragging keeps a bar from docking anywhere.
    if (::GetKeyState(VK_CONTROL) < 0 || !pDockManager || !pDraggedWnd || !pDraggedWnd->GetSafeHwnd())
        return FALSE;

    // The target: a floating frame's bar whose caption takes the point, else
    // the docking bar right under the point (kept only on its caption, at
    // its edge or in one of its docking bands), else one near the point.
    BOOL onCaptionOrEdge = FALSE;
    CWtkBaseControlBar* target = pDockManager->AttachableBarAtPoint(point);
    if (target) {
        onCaptionOrEdge = TRUE;
    } else {
        target = pDockManager->DockingBarAtPoint(point, kDockSensitivity, TRUE, onCaptionOrEdge);
        DWORD side = 0;
        if (target && !onCaptionOrEdge &&
            !CheckAlignment(point, target, kDockSensitivity, FALSE, side, CBRS_ALIGN_ANY))
            target = nullptr;
        if (!target) {
            onCaptionOrEdge = FALSE;
            target = pDockManager->DockingBarAtPoint(point, kDockSensitivity, FALSE, onCaptionOrEdge);
        }
    }
    if (!target || !target->GetSafeHwnd() || !target->IsKindOf(RUNTIME_CLASS(CWtkDockingControlBar)))
        return FALSE;
    auto* dockingTarget = static_cast<CWtkDockingControlBar*>(target);

    CWtkMiniFrameWnd* targetMiniFrame = target->GetParentMiniFrame(TRUE);
    const BOOL targetFloats = targetMiniFrame != nullptr;
    const DWORD targetAlignment = targetFloats ? CBRS_ALIGN_ANY : target->GetCurrentAlignment();

    CWtkBaseControlBar* draggedBar = DraggedBar(pDraggedWnd);
    if (pDraggedWnd->IsKindOf(RUNTIME_CLASS(CWtkMiniFrameWnd)) && draggedBar &&
        (draggedBar->GetEnabledAlignment() & targetAlignment) == 0)
        return FALSE;
    if (targetFloats && !CanBeDockedToFloatingBar(pDraggedWnd))
        return FALSE;
    if (!dockingTarget->CanAcceptBar(draggedBar))
        return FALSE;
    if (target == pDraggedWnd || targetMiniFrame == pDraggedWnd)
        return FALSE;

    DWORD side = 0;
    if (!CheckAlignment(point, target, kDockSensitivity, FALSE, side, CBRS_ALIGN_ANY))
        return FALSE;
    CRect rectTarget;
    target->GetWindowRect(&rectTarget);
    CRect rectDragged;
    pDraggedWnd->GetWindowRect(&rectDragged);
    CRect rectSlider;
    DWORD sliderStyle = 0;
    if (!CWtkBarContainerManager::CalcRects(rectTarget, rectDragged, rectSlider, sliderStyle, side, 0, 0))
        return FALSE;

    rectDrop = rectDragged;
    bDockToBar = onCaptionOrEdge;
    pTargetBar = target;
    return TRUE;
}

BOOL CWtkGlobalUtils::CanBeDockedToFloatingBar(CWnd* pDraggedWnd) const
{
    CWtkBaseControlBar* bar = DraggedBar(pDraggedWnd);
    if (!bar || !bar->IsKindOf(RUNTIME_CLASS(CWtkControlBar)))
        return FALSE;
    CWtkMiniFrameWnd* miniFrame = bar->GetSafeHwnd() ? bar->GetParentMiniFrame(TRUE) : nullptr;
    if (miniFrame && miniFrame->IsKindOf(RUNTIME_CLASS(CWtkMultiMiniFrameWnd)))
        return TRUE;
    // Bars that may float together with others.
    return (bar->GetControlBarStyle() & 0x40) != 0;
}
