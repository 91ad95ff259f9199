// The Office-XP look of bars, grippers, captions, mini frames and status
// bars.
#include <algorithm>

#include "platform/ui/framework_ids.h"
#include "toolkit/controls/base_tool_bar.h"
#include "toolkit/controls/menu_bar.h"
#include "toolkit/controls/menu_images.h"
#include "toolkit/controls/popup_menu.h"
#include "toolkit/controls/popup_menu_bar.h"
#include "toolkit/controls/toolbar_menu_button.h"
#include "toolkit/extras/outlook_bar_pane.h"
#include "toolkit/foundation/caption_button.h"
#include "toolkit/foundation/docking_control_bar.h"
#include "toolkit/foundation/draw_manager.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/mini_frame_wnd.h"
#include "toolkit/foundation/visual_manager_paint.h"
#include "toolkit/foundation/visual_manager_xp.h"

using wtk_paint::FillSolid;
using wtk_paint::Frame3d;

namespace {

// Fills with a monochrome pattern brush in the given text and background
// colours, and puts the DC's colours back.
void FillPattern(CDC* pDC, const CRect& rect, CBrush& brush, COLORREF clrText, COLORREF clrBack)
{
    const COLORREF oldText = pDC->SetTextColor(clrText);
    const COLORREF oldBack = pDC->SetBkColor(clrBack);
    ::FillRect(pDC->GetSafeHdc(), &rect, brush);
    pDC->SetBkColor(oldBack);
    pDC->SetTextColor(oldText);
}

// The part of a popup menu's two-pixel frame that faces the bar button the
// menu hangs from, in the menu's coordinates: the edge is the one the menu
// dropped away from, and the segment keeps one pixel at each end so that the
// button's side lines run on into the menu's frame. Empty when the button
// does not face that edge.
CRect JoinSegment(const CRect& menu, const CRect& button, int nDropDirection)
{
    CRect segment;
    const bool fromAbove = button.bottom <= menu.top;
    const bool fromLeft = button.right <= menu.left;
    if (nDropDirection == CWtkPopupMenu::DROP_UP || (nDropDirection == CWtkPopupMenu::DROP_NORMAL && fromAbove)) {
        const int top = nDropDirection == CWtkPopupMenu::DROP_UP ? menu.bottom - 2 : menu.top;
        segment.SetRect(std::max(button.left + 1, menu.left + 1), top, std::min(button.right - 1, menu.right - 1),
                        top + 2);
    } else if (nDropDirection == CWtkPopupMenu::DROP_LEFT || fromLeft) {
        const int left = nDropDirection == CWtkPopupMenu::DROP_LEFT ? menu.right - 2 : menu.left;
        segment.SetRect(left, std::max(button.top + 1, menu.top + 1), left + 2,
                        std::min(button.bottom - 1, menu.bottom - 1));
    }
    if (segment.left >= segment.right || segment.top >= segment.bottom)
        segment.SetRectEmpty();
    return segment;
}

}  // namespace

int CWtkVisualManagerXP::ImageColumnWidth() const
{
    return CWtkToolBar::GetMenuImageSize().cx + 2 * GetMenuImageMargin();
}

void CWtkVisualManagerXP::FillBarBackground(CDC* pDC, CWtkBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                            BOOL bNCArea)
{
    if (pBar && (pBar->IsKindOf(RUNTIME_CLASS(CWtkMenuBar)) || pBar->IsKindOf(RUNTIME_CLASS(CWtkOutlookBarPane)))) {
        CWtkVisualManager::FillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
        return;
    }
    if (pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkPopupMenuBar))) {
        ::FillRect(pDC->GetSafeHdc(), &rectClient, m_brMenuLight);
        CRect column = rectClient;
        column.right = column.left + ImageColumnWidth() + 1;
        ::FillRect(pDC->GetSafeHdc(), &column, m_brImageMargin);
        return;
    }
    const CRect rect = rectClip.IsRectEmpty() ? rectClient : rectClip;
    const BOOL toolbar = pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkToolBar));
    ::FillRect(pDC->GetSafeHdc(), &rect, toolbar ? static_cast<HBRUSH>(m_brLightFace) : WtkGlobalData().m_brBtnFace);
}

void CWtkVisualManagerXP::DrawBarBorder(CDC* pDC, CWtkBaseControlBar* pBar, CRect& rect)
{
    if (!pBar || pBar->IsFloating())
        return;
    const COLORREF face = WtkGlobalData().m_clrBtnFace;
    const DWORD style = pBar->GetBarStyle();
    if (style & CBRS_BORDER_LEFT)
        FillSolid(pDC, CRect(rect.left, rect.top, rect.left + 1, rect.bottom), face);
    if (style & CBRS_BORDER_TOP)
        FillSolid(pDC, CRect(rect.left, rect.top, rect.right, rect.top + 1), face);
    if (style & CBRS_BORDER_RIGHT)
        FillSolid(pDC, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), face);
    if (style & CBRS_BORDER_BOTTOM)
        FillSolid(pDC, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), face);
    if (style & CBRS_BORDER_LEFT)
        ++rect.left;
    if (style & CBRS_BORDER_TOP)
        ++rect.top;
    if (style & CBRS_BORDER_RIGHT)
        --rect.right;
    if (style & CBRS_BORDER_BOTTOM)
        --rect.bottom;
}

void CWtkVisualManagerXP::DrawDoubleBorder(CDC* pDC, CWtkPopupMenu* pMenu, CRect rect)
{
    Frame3d(pDC, rect, m_clrMenuBorder, m_clrMenuBorder);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    Frame3d(pDC, inner, m_clrMenuLight, m_clrMenuLight);
    FillSolid(pDC, CRect(inner.left, inner.top, inner.left + 1, inner.bottom), m_clrImageMargin);

    // A menu dropped from an open bar button joins it. A sub-menu's parent
    // item keeps its whole highlight frame, so nothing there faces the menu.
    if (!pMenu || CWtkToolBar::IsCustomizeMode() || !pMenu->GetSafeHwnd())
        return;
    const CWtkToolbarMenuButton* button = pMenu->GetParentButton();
    if (!button || button->m_bMenuMode || !button->IsDroppedDown() || !button->m_pWndParent ||
        !button->m_pWndParent->GetSafeHwnd())
        return;
    CRect buttonRect = button->m_rect;
    button->m_pWndParent->ClientToScreen(&buttonRect);
    pMenu->ScreenToClient(&buttonRect);
    const CRect segment = JoinSegment(rect, buttonRect, pMenu->GetDropDirection());
    if (!segment.IsRectEmpty())
        FillSolid(pDC, segment, m_clrImageMargin);
}

void CWtkVisualManagerXP::DrawBarGripper(CDC* pDC, CRect rect, BOOL bHorz, CWtkBaseControlBar* pBar)
{
    CreatePatternBrushes();
    CWtkGlobalData& data = WtkGlobalData();
    const bool docking = pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkDockingControlBar));
    const bool plainBackground = docking || (pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkMenuBar)));
    const COLORREF stripes = CWtkDrawManager::ScaleColor(data.m_clrBtnShadow, 110);
    const COLORREF back = plainBackground ? data.m_clrBtnFace : m_clrImageMargin;

    if (!docking) {
        if (bHorz) {
            const int mid = (rect.left + rect.right) / 2;
            FillPattern(pDC, CRect(mid - 1, rect.top + 5, mid + 2, rect.bottom - 6), m_brRowPattern, stripes, back);
        } else {
            const int mid = (rect.top + rect.bottom) / 2;
            FillPattern(pDC, CRect(rect.left + 5, mid - 1, rect.right - 6, mid + 2), m_brColumnPattern, stripes, back);
        }
        return;
    }

    CRect strip = rect;
    strip.DeflateRect(4, 0);
    FillPattern(pDC, strip, bHorz ? m_brColumnPattern : m_brRowPattern, stripes, back);

    CString caption;
    if (pBar->GetSafeHwnd())
        pBar->GetWindowText(caption);
    caption = " " + caption + " ";

    CFont* oldFont = pDC->SelectObject(&data.MenuFont(!bHorz));
    const COLORREF oldText = pDC->SetTextColor(data.m_clrBtnText);
    const COLORREF oldBack = pDC->SetBkColor(data.m_clrBtnFace);
    const int oldMode = pDC->SetBkMode(OPAQUE);
    TEXTMETRICA metrics = {};
    pDC->GetTextMetrics(&metrics);
    const int height = metrics.tmHeight;
    if (bHorz) {
        CRect text(rect.right - (rect.right - rect.left - height + 1) / 2, rect.top, rect.right, rect.bottom);
        pDC->DrawText(caption, text, DT_NOCLIP | DT_SINGLELINE);
    } else {
        CRect text(rect.left, rect.top + (rect.bottom - rect.top - height - 1) / 2, rect.right, rect.bottom);
        pDC->DrawText(caption, text, DT_LEFT | DT_TOP | DT_SINGLELINE);
    }
    pDC->SetBkMode(oldMode);
    pDC->SetBkColor(oldBack);
    pDC->SetTextColor(oldText);
    pDC->SelectObject(oldFont);
}

void CWtkVisualManagerXP::DrawSeparator(CDC* pDC, CWtkBaseControlBar* pBar, CRect rect, BOOL bHorz)
{
    CPen* oldPen = pDC->SelectObject(&m_penSeparator);
    if (pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkPopupMenuBar))) {
        const int y = (rect.top + rect.bottom) / 2;
        pDC->MoveTo(rect.left + ImageColumnWidth() + 1, y);
        pDC->LineTo(rect.right, y);
    } else if (bHorz) {
        const int x = (rect.left + rect.right) / 2;
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom);
    } else {
        const int y = (rect.top + rect.bottom) / 2;
        pDC->MoveTo(rect.left, y);
        pDC->LineTo(rect.right, y);
    }
    pDC->SelectObject(oldPen);
}

COLORREF CWtkVisualManagerXP::DrawCaption(CDC* pDC, CWtkBaseControlBar*, BOOL bActive, CRect rectCaption, CRect)
{
    const COLORREF fill = bActive ? m_clrShadow : m_clrLightFace;
    CBrush brush(fill);
    CPen pen(PS_SOLID, 1, fill);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->RoundRect(rectCaption.left, rectCaption.top, rectCaption.right, rectCaption.bottom, 4, 4);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
    return ::GetSysColor(COLOR_CAPTIONTEXT);
}

void CWtkVisualManagerXP::DrawCaptionButton(CDC* pDC, CWtkCaptionButton* pButton, BOOL bActive, BOOL bHorz,
                                            BOOL bMaximized, BOOL bDisabled)
{
    if (!pButton)
        return;
    const CRect rect = pButton->GetRect();
    const BOOL pushed = pButton->m_bPushed;
    const BOOL hot = pButton->m_bFocused;
    if (pushed && hot)
        ::FillRect(pDC->GetSafeHdc(), &rect, m_brPressedHighlight);
    else if (pushed || hot)
        ::FillRect(pDC->GetSafeHdc(), &rect, m_brHighlight);

    int glyph = -1;
    switch (pButton->m_nHit) {
    case 8: glyph = bMaximized ? (bHorz ? 9 : 0) : (bHorz ? 1 : 7); break;
    case 9: glyph = bMaximized ? 15 : 16; break;
    case 19:
    case 20: glyph = 5; break;
    default: break;
    }
    if (glyph >= 0) {
        int state;
        if (bDisabled)
            state = CWtkMenuImages::ImageGray;
        else if (pushed && hot)
            state = CWtkMenuImages::ImageWhite;
        else if (pushed || hot)
            state = CWtkMenuImages::ImageBlack;
        else
            state = bActive ? CWtkMenuImages::ImageWhite : CWtkMenuImages::ImageBlack;
        const CSize size = CWtkMenuImages::Size();
        CWtkMenuImages::Draw(pDC, glyph,
                             CPoint(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2),
                             state);
    }
    if (pushed || hot)
        Frame3d(pDC, rect, WtkGlobalData().m_clrBtnDkShadow, WtkGlobalData().m_clrBtnDkShadow);
}

void CWtkVisualManagerXP::DrawStatusBarPaneBorder(CDC* pDC, CWtkStatusBar*, CRect rectPane, UINT, UINT nStyle)
{
    if (nStyle & SBPS_NOBORDERS)
        return;
    if (nStyle & SBPS_POPOUT)
        CWtkDrawManager(*pDC).HighlightRect(rectPane, -1);
    Frame3d(pDC, rectPane, WtkGlobalData().m_clrBtnShadow, WtkGlobalData().m_clrBtnShadow);
}

COLORREF CWtkVisualManagerXP::FillBarArea(CDC* pDC, CRect rectCaption, CWtkMiniFrameWnd* pFrame, BOOL bActive)
{
    CWtkBaseControlBar* bar = pFrame ? pFrame->GetFirstBar() : nullptr;
    if (bar && bar->IsKindOf(RUNTIME_CLASS(CWtkBaseToolBar)))
        ::FillRect(pDC->GetSafeHdc(), &rectCaption, m_brShadow);
    else
        wtk_paint::FillSysColor(pDC, rectCaption, bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    return ::GetSysColor(COLOR_CAPTIONTEXT);
}

void CWtkVisualManagerXP::DrawMiniFrameBorder(CDC* pDC, CWtkMiniFrameWnd*, CRect rectWindow, CRect rectBorderSize)
{
    auto strips = [&](const CRect& r, const CRect& b, int shorten) {
        pDC->PatBlt(r.left, r.top + shorten, b.left, r.Height() - 2 * shorten, PATCOPY);
        pDC->PatBlt(r.left + shorten, r.top, r.Width() - 2 * shorten, b.top, PATCOPY);
        pDC->PatBlt(r.right - b.right, r.top + shorten, b.right, r.Height() - 2 * shorten, PATCOPY);
        pDC->PatBlt(r.left + shorten, r.bottom - b.bottom, r.Width() - 2 * shorten, b.bottom, PATCOPY);
    };
    CBrush* oldBrush = pDC->SelectObject(&m_brShadow);
    strips(rectWindow, rectBorderSize, 0);

    // The thicknesses shrink as a rectangle: left and top grow, right and
    // bottom shrink.
    rectWindow.DeflateRect(2, 2);
    rectBorderSize.DeflateRect(2, 2);
    pDC->SelectObject(&WtkGlobalData().m_brBtnFace);
    strips(rectWindow, rectBorderSize, 1);
    pDC->SelectObject(oldBrush);
}

void CWtkVisualManagerXP::DrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                               BOOL bHighlight)
{
    int glyph;
    switch (uiSystemCommand) {
    case SC_MINIMIZE: glyph = 3; break;
    case SC_CLOSE: glyph = 5; break;
    case SC_RESTORE: glyph = 4; break;
    default: return;
    }
    const BOOL disabled = (nStyle & TBBS_DISABLED) != 0;
    const BOOL hot = bHighlight && !disabled;
    if (hot) {
        ::FillRect(pDC->GetSafeHdc(), &rect, (nStyle & TBBS_PRESSED) ? m_brPressedHighlight : m_brHighlight);
        Frame3d(pDC, rect, m_clrHighlightFrame, m_clrHighlightFrame);
    }

    int state = CWtkMenuImages::ImageBlack;
    if (disabled)
        state = CWtkMenuImages::ImageGray;
    else if (hot && TextOnHighlight() == RGB(255, 255, 255))
        state = CWtkMenuImages::ImageWhite;
    const CSize size = CWtkMenuImages::Size();
    CWtkMenuImages::Draw(pDC, glyph,
                         CPoint(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2),
                         state);
}
