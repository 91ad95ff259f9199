// Dragging a control bar with the mouse: live (the bar follows the cursor in
// its dock bar) or with an outline that the bar floats at when the button
// is released. Escape and cancel mode leave the bar where it was.
#include "toolkit/foundation/control_bar.h"

#include "toolkit/foundation/dock_bar.h"
#include "toolkit/foundation/dock_bar_row.h"
#include "toolkit/foundation/mini_frame_wnd.h"

namespace {

// Hands a mouse message of the bar to its mini frame, in the frame's client
// coordinates.
void SendToMiniFrame(CWnd& bar, CWtkMiniFrameWnd* miniFrame, UINT message, UINT nFlags, CPoint point)
{
    bar.MapWindowPoints(miniFrame, &point, 1);
    miniFrame->SendMessage(message, nFlags, MAKELPARAM(point.x, point.y));
}

}  // namespace

void CWtkControlBar::EnterDragMode(BOOL bChangeHotPoint)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    UpdateFullRect();
    if (bChangeHotPoint) {
        m_ptHot = cursor;
        ScreenToClient(&m_ptHot);
    }
    if (m_bDragging || !IsDocked())
        return;
    SetCapture();
    m_dragFrameImpl.m_ptHot = cursor;
    m_bDragging = TRUE;
    SetDragMode(TRUE);
    GetWindowRect(&m_rectDrag);
    m_ptLast = cursor;
}

void CWtkControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bDragging && CanFloat()) {
        CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame(TRUE);
        if (GetDockMode() == 1 || miniFrame) {
            StoreRecentDockInfo();
            if (IsDocked()) {
                EnterDragMode(TRUE);
                m_bForwarded = FALSE;
                Default();
                return;
            }
            // The mini frame that holds the bar moves it.
            SendToMiniFrame(*this, miniFrame, WM_LBUTTONDOWN, nFlags, point);
            m_bForwarded = TRUE;
            return;
        }
        if (GetDockMode() == 2 && IsDocked())
            EnterDragMode(TRUE);
    }
    Default();
}

void CWtkControlBar::OnMouseMove(UINT, CPoint)
{
    if (!m_bDragging) {
        Default();
        return;
    }
    if (GetDockMode() == 1) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        const CSize delta(cursor.x - m_ptLast.x, cursor.y - m_ptLast.y);
        m_rectDrag.OffsetRect(delta.cx, delta.cy);
        m_rectFull.OffsetRect(delta.cx, delta.cy);
        m_ptLast = cursor;
        if (m_pParentDockBar)
            m_pParentDockBar->MoveControlBar(this, delta.cx, delta.cy);
        return;
    }
    m_dragFrameImpl.MoveDragOutline();
}

void CWtkControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDragging) {
        m_bDragging = FALSE;
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        DestroyHandOver();
        SetDragMode(FALSE);
        if (GetDockMode() == 2) {
            if (!m_dragFrameImpl.m_bDragStarted) {
                // The outline never left the bar: a click, not a drag.
                if (m_pDockBarRow)
                    m_pDockBarRow->ArrangeBars(this);
                Default();
                return;
            }
            const CRect rect(m_dragFrameImpl.m_rectDrag);
            m_dragFrameImpl.EndDrawDragOutline();
            StoreRecentDockInfo();
            BOOL handled = FALSE;
            CWtkBaseControlBar* bar = GetBarToFloat(handled);
            if (!handled && bar)
                bar->FloatControlBar(rect, 2, TRUE);
        }
    } else if (!m_bDblClick) {
        CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame(TRUE);
        if (miniFrame && (miniFrame->GetStyle() & WS_VISIBLE) && miniFrame->GetFirstBar() != this)
            SendToMiniFrame(*this, miniFrame, WM_LBUTTONUP, nFlags, point);
    }
    m_bDblClick = FALSE;
    if (m_pDockBarRow)
        m_pDockBarRow->ArrangeBars(this);
}

void CWtkControlBar::CancelDrag()
{
    if (!m_bDragging)
        return;
    if (GetDockMode() == 2)
        m_dragFrameImpl.EndDrawDragOutline();
    m_bDragging = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    SetDragMode(FALSE);
    DestroyHandOver();
}

void CWtkControlBar::OnCancelMode()
{
    CancelDrag();
    Default();
}

void CWtkControlBar::OnChar(UINT nChar, UINT, UINT)
{
    if (nChar == VK_ESCAPE)
        CancelDrag();
    Default();
}

void CWtkControlBar::OnLButtonDblClk(UINT, CPoint)
{
    PrepareDoubleClickFloat();
    if (CanFloat())
        FloatControlBar(m_recentDockInfo.m_rectRecentFloatingRect, 2, TRUE);
    Default();
}

void CWtkControlBar::DestroyHandOver()
{
    const HWND handOver = m_hwndHandOver;
    m_hwndHandOver = nullptr;
    if (handOver && ::IsWindow(handOver))
        ::DestroyWindow(handOver);
}
