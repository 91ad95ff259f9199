#include "toolkit/foundation/bar_nc_helper.h"

#include "platform/ui/dc.h"
#include "platform/ui/rgn.h"
#include "toolkit/foundation/control_bar.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager.h"

void CWtkBarNcHelper::CalcNcSize(LPRECT lpRect) const
{
    if (!m_pBar || !lpRect)
        return;
    CRect insets;
    m_pBar->CalcInsideRect(insets, m_pBar->IsHorizontal());
    lpRect->left += insets.left;
    lpRect->top += insets.top;
    lpRect->right += insets.right;
    lpRect->bottom += insets.bottom;
}

void CWtkBarNcHelper::GetNcRects(CRect& rectWindow, CRect& rectClient, BOOL bClientCoords) const
{
    rectWindow.SetRectEmpty();
    rectClient.SetRectEmpty();
    if (!m_pBar || !m_pBar->GetSafeHwnd())
        return;
    m_pBar->GetWindowRect(&rectWindow);
    m_pBar->GetClientRect(&rectClient);
    m_pBar->ClientToScreen(&rectClient);
    if (m_pBar->GetCurrentAlignment() & CBRS_ORIENT_HORZ)
        rectWindow.right = rectClient.right - 1;
    else
        rectWindow.bottom = rectClient.bottom - 1;
    if (bClientCoords) {
        m_pBar->ScreenToClient(&rectWindow);
        m_pBar->ScreenToClient(&rectClient);
        return;
    }
    const CPoint origin = rectWindow.TopLeft();
    rectClient.OffsetRect(-origin.x, -origin.y);
    rectWindow.OffsetRect(-origin.x, -origin.y);
}

void CWtkBarNcHelper::DrawNcArea()
{
    if (!m_pBar || !m_pBar->GetSafeHwnd())
        return;
    CWindowDC dc(m_pBar);
    CRect window;
    m_pBar->GetWindowRect(&window);
    CRect client;
    m_pBar->GetClientRect(&client);
    m_pBar->ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);

    // WM_NCPAINT names the part to repaint (in screen coordinates), or 1 for
    // the whole frame.
    const MSG* message = CWnd::GetCurrentMessage();
    CRgn update;
    if (message && message->message == WM_NCPAINT && message->wParam > 1) {
        CRect screen;
        m_pBar->GetWindowRect(&screen);
        if (update.CreateRectRgn(0, 0, 0, 0) &&
            ::CombineRgn(update, reinterpret_cast<HRGN>(message->wParam), nullptr, RGN_COPY) != ERROR) {
            ::OffsetRgn(update, -screen.left, -screen.top);
            ::ExtSelectClipRgn(dc.GetSafeHdc(), update, RGN_AND);
        }
    }

    CWtkVisualManager* manager = CWtkVisualManager::GetInstance();
    manager->FillBarBackground(&dc, m_pBar, window, window, TRUE);
    CRect inside(window);
    manager->DrawBarBorder(&dc, m_pBar, inside);

    const DWORD style = m_pBar->GetBarStyle();
    if ((style & CBRS_GRIPPER) && !(style & CBRS_FLOATING)) {
        // The gripper takes the strip between the border lines and the
        // client area at the bar's leading end.
        const BOOL horizontal = m_pBar->IsHorizontal();
        CRect gripper(inside);
        if (horizontal)
            gripper.right = client.left;
        else
            gripper.bottom = client.top;
        if (!gripper.IsRectEmpty())
            manager->DrawBarGripper(&dc, gripper, horizontal, m_pBar);
    }
}

void CWtkBarNcHelper::DrawParentBackground(CDC* pDC)
{
    if (m_pBar && pDC)
        WtkGlobalData().DrawParentBackground(m_pBar, pDC);
}
