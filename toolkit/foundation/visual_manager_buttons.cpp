// The classic look of buttons, menus, combo and edit frames and header
// items.
#include "platform/ui/pen.h"
#include "toolkit/controls/menu_images.h"
#include "toolkit/controls/show_all_button.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/extras/outlook_button.h"
#include "toolkit/foundation/draw_manager.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager.h"
#include "toolkit/foundation/visual_manager_paint.h"

using wtk_paint::FillSolid;
using wtk_paint::Frame3d;

namespace {

bool IsOutlookButton(const CWtkToolbarButton* pButton)
{
    return pButton && pButton->IsKindOf(RUNTIME_CLASS(CWtkOutlookButton));
}

void FillFace(CDC* pDC, const CRect& rect)
{
    ::FillRect(pDC->GetSafeHdc(), &rect, WtkGlobalData().m_brBtnFace);
}

}  // namespace

void CWtkVisualManager::DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                            BOOL bIsHighlighted, CWtkToolbarButton*)
{
    const CWtkGlobalData& data = WtkGlobalData();
    FillFace(pDC, rect);
    Frame3d(pDC, rect, data.m_clrBtnHilite, data.m_clrBtnHilite);

    const CSize size = CWtkMenuImages::Size();
    CPoint pt(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2);
    if (bIsDropped) {
        Frame3d(pDC, rect, data.m_clrBtnShadow, data.m_clrBtnHilite);
        pt.Offset(1, 1);
    } else if (bIsHighlighted) {
        Frame3d(pDC, rect, data.m_clrBtnHilite, data.m_clrBtnShadow);
    }
    CWtkMenuImages::Draw(pDC, 0, pt, bDisabled ? CWtkMenuImages::ImageGray : CWtkMenuImages::ImageBlack);
}

void CWtkVisualManager::DrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsHighlighted, BOOL bIsDropped,
                                        CWtkToolbarButton*)
{
    if (!bIsHighlighted && !bIsDropped)
        return;
    const CWtkGlobalData& data = WtkGlobalData();
    if (m_bMenuFlatLook) {
        rect.DeflateRect(1, 1);
        Frame3d(pDC, rect, data.m_clrBtnDkShadow, data.m_clrBtnDkShadow);
    } else {
        Frame3d(pDC, rect, data.m_clrBtnShadow, data.m_clrBtnHilite);
    }
}

void CWtkVisualManager::DrawEditBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsHighlighted, CWtkToolbarButton*)
{
    if (bIsHighlighted)
        pDC->DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
}

void CWtkVisualManager::FillCaptionStrip(CDC* pDC, CRect rect, BOOL bHighlight)
{
    FillFace(pDC, rect);
    rect.DeflateRect(2, 1);
    wtk_paint::FillSysColor(pDC, rect, bHighlight ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
}

void CWtkVisualManager::FillButtonInterior(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState)
{
    if (!pButton)
        return;
    if (pButton->IsKindOf(RUNTIME_CLASS(CWtkShowAllButton))) {
        if (nState == 2)
            CWtkDrawManager(*pDC).HighlightRect(rect, -1);
        return;
    }
    if (IsOutlookButton(pButton))
        return;
    if ((pButton->m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)) && nState != 2 &&
        !CWtkToolBar::IsCustomizeMode()) {
        rect.DeflateRect(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
        ::FillRect(pDC->GetSafeHdc(), &rect, WtkGlobalData().m_brLight);
    }
}

void CWtkVisualManager::DrawButtonBorder(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState)
{
    const CWtkGlobalData& data = WtkGlobalData();
    if (nState == 1)
        Frame3d(pDC, rect, data.m_clrBtnShadow, data.m_clrBtnHilite);
    else if (nState == 2)
        Frame3d(pDC, rect, IsOutlookButton(pButton) ? data.m_clrBtnLight : data.m_clrBtnHilite, data.m_clrBtnShadow);
}

COLORREF CWtkVisualManager::HighlightMenuItem(CDC* pDC, CWtkToolbarMenuButton*, CRect rect)
{
    ::FillRect(pDC->GetSafeHdc(), &rect, WtkGlobalData().m_brHilite);
    return WtkGlobalData().m_clrTextHilite;
}

void CWtkVisualManager::HighlightRarelyUsedItems(CDC* pDC, CRect rect)
{
    CWtkDrawManager(*pDC).HighlightRect(rect, -1);
    Frame3d(pDC, rect, WtkGlobalData().m_clrBtnShadow, WtkGlobalData().m_clrBtnHilite);
}

COLORREF CWtkVisualManager::GetButtonTextColor(CWtkToolbarButton* pButton, int nState)
{
    const CWtkGlobalData& data = WtkGlobalData();
    if (!pButton)
        return data.m_clrBtnText;
    const BOOL disabled = CWtkToolBar::IsCustomizeMode() ? !pButton->CanBeCustomized()
                                                         : (pButton->m_nStyle & TBBS_DISABLED) != 0;
    if (IsOutlookButton(pButton))
        return ::GetSysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW);
    if (disabled)
        return data.m_clrGrayedText;
    if (nState == 2)
        return CWtkToolBar::GetHotTextColor();
    return data.m_clrBtnText;
}

COLORREF CWtkVisualManager::GetSystemWindowColor(CWtkToolbarButton*)
{
    return ::GetSysColor(COLOR_WINDOW);
}

void CWtkVisualManager::FillFaceArea(CDC* pDC, CRect rect, CWtkToolbarButton*, COLORREF& clrText)
{
    FillFace(pDC, rect);
    clrText = WtkGlobalData().m_clrBtnText;
}

void CWtkVisualManager::DrawDoubleFrame(CDC* pDC, CRect& rect, BOOL bFirst, BOOL bSecond)
{
    const CWtkGlobalData& data = WtkGlobalData();
    if (bFirst && bSecond) {
        Frame3d(pDC, rect, data.m_clrBtnDkShadow, data.m_clrBtnFace);
        rect.DeflateRect(1, 1);
        Frame3d(pDC, rect, data.m_clrBtnShadow, data.m_clrBtnHilite);
        rect.DeflateRect(1, 1);
    } else if (bFirst || bSecond) {
        Frame3d(pDC, rect, data.m_clrBtnFace, data.m_clrBtnDkShadow);
        rect.DeflateRect(1, 1);
        Frame3d(pDC, rect, data.m_clrBtnHilite, data.m_clrBtnShadow);
        rect.DeflateRect(1, 1);
    } else {
        Frame3d(pDC, rect, data.m_clrBtnHilite, data.m_clrBtnShadow);
        rect.DeflateRect(1, 1);
    }
}

COLORREF CWtkVisualManager::FillCommandsListItem(CDC* pDC, CRect rect, BOOL bIsSelected)
{
    const CWtkGlobalData& data = WtkGlobalData();
    if (bIsSelected) {
        ::FillRect(pDC->GetSafeHdc(), &rect, data.m_brHilite);
        return data.m_clrTextHilite;
    }
    FillFace(pDC, rect);
    return data.m_clrBtnText;
}

void CWtkVisualManager::DrawHeaderItemBorder(CWtkHeaderCtrl*, CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL)
{
    const CWtkGlobalData& data = WtkGlobalData();
    if (bIsPressed) {
        Frame3d(pDC, rect, data.m_clrBtnShadow, data.m_clrBtnShadow);
        rect.OffsetRect(1, 1);
    } else {
        Frame3d(pDC, rect, data.m_clrBtnHilite, data.m_clrBtnShadow);
    }
}

void CWtkVisualManager::DrawHeaderSortArrow(CDC* pDC, CRect rect, BOOL bIsUp)
{
    const CWtkGlobalData& data = WtkGlobalData();
    // A triangle of 7 x 4 pixels centred in the rectangle: lit on its right
    // side and its base, shaded on its left side.
    const CPoint centre = rect.CenterPoint();
    const int half = 3;
    const int apexY = bIsUp ? centre.y - 2 : centre.y + 2;
    const int baseY = bIsUp ? centre.y + 2 : centre.y - 2;

    CPen penLight(PS_SOLID, 1, data.m_clrBtnHilite);
    CPen penDark(PS_SOLID, 1, data.m_clrBtnDkShadow);
    CPen* oldPen = pDC->SelectObject(&penDark);
    pDC->MoveTo(centre.x, apexY);
    pDC->LineTo(centre.x - half, baseY);
    pDC->SelectObject(&penLight);
    pDC->LineTo(centre.x + half, baseY);
    pDC->LineTo(centre.x, apexY);
    pDC->SelectObject(oldPen);
}
