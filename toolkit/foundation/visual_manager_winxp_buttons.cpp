// The platform's themed look of toolbar buttons, combo and edit frames,
// menu highlights, customisation rows and header items.
#include <vssym32.h>

#include "platform/ui/brush.h"
#include "platform/ui/pen.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/controls/toolbar_button.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager_paint.h"
#include "toolkit/foundation/visual_manager_winxp.h"

using wtk_paint::Frame3d;

void CWtkWinXPVisualManager::DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                 BOOL bIsHighlighted, CWtkToolbarButton* pButton)
{
    if (!GetTheme(ThemeComboBox)) {
        CWtkVisualManagerXP::DrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    int state = CBXS_NORMAL;
    if (bDisabled)
        state = CBXS_DISABLED;
    else if (bIsDropped)
        state = CBXS_PRESSED;
    else if (bIsHighlighted)
        state = CBXS_HOT;
    DrawThemePart(ThemeComboBox, pDC, CP_DROPDOWNBUTTON, state, rect);
}

void CWtkWinXPVisualManager::DrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted, BOOL bIsDropped,
                                             CWtkToolbarButton* pButton)
{
    if (!GetTheme(ThemeWindow)) {
        CWtkVisualManagerXP::DrawComboBorder(pDC, rect, bDisabled, bIsHighlighted, bIsDropped, pButton);
        return;
    }
    if (!bIsHighlighted && !bIsDropped)
        return;
    rect.DeflateRect(1, 1);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    Frame3d(pDC, rect, highlight, highlight);
}

void CWtkWinXPVisualManager::DrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                            CWtkToolbarButton* pButton)
{
    if (!GetTheme(ThemeWindow)) {
        CWtkVisualManagerXP::DrawEditBorder(pDC, rect, bDisabled, bIsHighlighted, pButton);
        return;
    }
    if (!bIsHighlighted)
        return;
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    Frame3d(pDC, rect, highlight, highlight);
}

void CWtkWinXPVisualManager::FillButtonInterior(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState)
{
    if (!GetTheme(ThemeToolbar) || !pButton) {
        CWtkVisualManagerXP::FillButtonInterior(pDC, pButton, rect, nState);
        return;
    }
    // Each later rule overrides the earlier ones.
    const UINT style = pButton->m_nStyle;
    int state = TS_NORMAL;
    if (nState == 2)
        state = TS_HOT;
    if (style & TBBS_PRESSED)
        state = TS_PRESSED;
    if (style & TBBS_CHECKED)
        state = nState == 2 ? TS_HOTCHECKED : TS_CHECKED;
    if (style & TBBS_DISABLED)
        state = TS_DISABLED;
    DrawThemePart(ThemeToolbar, pDC, TP_BUTTON, state, rect);
}

void CWtkWinXPVisualManager::DrawButtonBorder(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState)
{
    // The themed button face includes its border.
    if (!GetTheme(ThemeToolbar))
        CWtkVisualManagerXP::DrawButtonBorder(pDC, pButton, rect, nState);
}

COLORREF CWtkWinXPVisualManager::HighlightMenuItem(CDC* pDC, CWtkToolbarMenuButton* pButton, CRect rect)
{
    if (GetTheme(ThemeWindow))
        return CWtkVisualManager::HighlightMenuItem(pDC, pButton, rect);
    return CWtkVisualManagerXP::HighlightMenuItem(pDC, pButton, rect);
}

COLORREF CWtkWinXPVisualManager::FillCommandsListItem(CDC* pDC, CRect rect, BOOL bIsSelected)
{
    if (!GetTheme(ThemeWindow))
        return CWtkVisualManagerXP::FillCommandsListItem(pDC, rect, bIsSelected);
    ::FillRect(pDC->GetSafeHdc(), &rect, ::GetSysColorBrush(COLOR_MENU));
    return ::GetSysColor(COLOR_MENUTEXT);
}

void CWtkWinXPVisualManager::DrawHeaderItemBorder(CWtkHeaderCtrl* pHeader, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                                  BOOL bIsHighlighted)
{
    if (!GetTheme(ThemeHeader)) {
        CWtkVisualManager::DrawHeaderItemBorder(pHeader, pDC, rect, bIsPressed, bIsHighlighted);
        return;
    }
    int state = HIS_NORMAL;
    if (bIsPressed)
        state = HIS_PRESSED;
    else if (bIsHighlighted)
        state = HIS_HOT;
    DrawThemePart(ThemeHeader, pDC, HP_HEADERITEM, state, rect);
}

void CWtkWinXPVisualManager::DrawHeaderSortArrow(CDC* pDC, CRect rect, BOOL bIsUp)
{
    if (!GetTheme(ThemeHeader)) {
        CWtkVisualManager::DrawHeaderSortArrow(pDC, rect, bIsUp);
        return;
    }
    // The classic arrow's triangle, filled.
    const CPoint centre = rect.CenterPoint();
    const int half = 3;
    const int apexY = bIsUp ? centre.y - 2 : centre.y + 2;
    const int baseY = bIsUp ? centre.y + 2 : centre.y - 2;
    const POINT points[3] = {{centre.x, apexY}, {centre.x - half, baseY}, {centre.x + half, baseY}};

    const COLORREF shadow = WtkGlobalData().m_clrBtnShadow;
    CPen pen(PS_SOLID, 1, shadow);
    CBrush brush(shadow);
    CPen* oldPen = pDC->SelectObject(&pen);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    pDC->Polygon(points, 3);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}
