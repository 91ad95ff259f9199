// The Office-XP look of buttons, menus, combo boxes, the tear-off strip and
// task panes.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "platform/ui/image_list.h"
#include "toolkit/controls/menu_bar.h"
#include "toolkit/controls/menu_images.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/controls/toolbar_menu_button.h"
#include "toolkit/extras/task_group.h"
#include "toolkit/extras/task_link.h"
#include "toolkit/foundation/draw_manager.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager_paint.h"
#include "toolkit/foundation/visual_manager_xp.h"

using wtk_paint::FillSolid;
using wtk_paint::Frame3d;

namespace {

// The bar button whose popup menu is open: the menu joins it.
const CWtkToolbarMenuButton* OpenMenuButton(const CWtkToolbarButton* pButton)
{
    if (!pButton || !pButton->IsKindOf(RUNTIME_CLASS(CWtkToolbarMenuButton)))
        return nullptr;
    const auto* menuButton = static_cast<const CWtkToolbarMenuButton*>(pButton);
    return menuButton->IsDroppedDown() ? menuButton : nullptr;
}

}  // namespace

void CWtkVisualManagerXP::DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                              BOOL bIsHighlighted, CWtkToolbarButton*)
{
    const CWtkGlobalData& data = WtkGlobalData();
    if (!bIsDropped && !bIsHighlighted) {
        FillSolid(pDC, rect, data.m_clrBtnFace);
        Frame3d(pDC, rect, data.m_clrBtnHilite, data.m_clrBtnHilite);
    } else {
        ::FillRect(pDC->GetSafeHdc(), &rect, bIsDropped ? m_brPressedHighlight : m_brHighlight);
        FillSolid(pDC, CRect(rect.left, rect.top, rect.left + 1, rect.bottom), m_clrHighlightFrame);
    }

    int state = CWtkMenuImages::ImageBlack;
    if (bDisabled)
        state = CWtkMenuImages::ImageGray;
    else if (bIsDropped && bIsHighlighted)
        state = CWtkMenuImages::ImageWhite;
    const CSize size = CWtkMenuImages::Size();
    CWtkMenuImages::Draw(pDC, 0,
                         CPoint(rect.left + (rect.Width() - size.cx) / 2 + 1, rect.top + (rect.Height() - size.cy) / 2 + 1),
                         state);
}

void CWtkVisualManagerXP::DrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsHighlighted, BOOL bIsDropped,
                                          CWtkToolbarButton*)
{
    if (!bIsHighlighted && !bIsDropped)
        return;
    rect.DeflateRect(1, 1);
    Frame3d(pDC, rect, m_clrHighlightFrame, m_clrHighlightFrame);
}

void CWtkVisualManagerXP::FillCaptionStrip(CDC* pDC, CRect rect, BOOL bHighlight)
{
    const CWtkGlobalData& data = WtkGlobalData();
    ::FillRect(pDC->GetSafeHdc(), &rect, m_brMenuLight);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    ::FillRect(pDC->GetSafeHdc(), &inner, bHighlight ? m_brHighlight : m_brImageMargin);

    CreatePatternBrushes();
    const int band = std::max<int>(20, 2 * CWtkToolBar::GetMenuImageSize().cx);
    CRect rectBand = inner;
    const int side = (inner.Width() - band) / 2;
    rectBand.DeflateRect(side, bHighlight ? 2 : 1);
    const COLORREF oldText = pDC->SetTextColor(bHighlight ? data.m_clrBtnDkShadow : data.m_clrBtnShadow);
    const COLORREF oldBack = pDC->SetBkColor(bHighlight ? m_clrHighlight : m_clrImageMargin);
    ::FillRect(pDC->GetSafeHdc(), &rectBand, m_brRowPattern);
    pDC->SetBkColor(oldBack);
    pDC->SetTextColor(oldText);

    if (bHighlight)
        Frame3d(pDC, inner, data.m_clrBtnDkShadow, data.m_clrBtnDkShadow);
}

void CWtkVisualManagerXP::FillButtonInterior(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState)
{
    if (!pButton || nState == 0 || CWtkToolBar::IsCustomizeMode())
        return;
    const BOOL checked = (pButton->m_nStyle & TBBS_CHECKED) != 0;
    const BOOL pressed = (pButton->m_nStyle & TBBS_PRESSED) != 0;
    HBRUSH brush;
    if (nState == 2)
        brush = checked ? m_brPressedHighlight : m_brHighlight;
    else
        brush = checked && !pressed ? m_brChecked : m_brPressedHighlight;
    // The open menu button is filled up to its frame, which its menu carries on.
    if (!OpenMenuButton(pButton))
        rect.DeflateRect(1, 1);
    ::FillRect(pDC->GetSafeHdc(), &rect, brush);
}

void CWtkVisualManagerXP::DrawButtonBorder(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState)
{
    if (nState != 1 && nState != 2)
        return;
    const CWtkToolbarMenuButton* open = OpenMenuButton(pButton);
    if (!open || !open->m_pWndParent || !open->m_pWndParent->IsKindOf(RUNTIME_CLASS(CWtkMenuBar))) {
        Frame3d(pDC, rect, m_clrHighlightFrame, m_clrHighlightFrame);
        return;
    }
    // The menu hangs below: no bottom edge, and the button casts the menu's shadow.
    FillSolid(pDC, CRect(rect.left, rect.top, rect.right, rect.top + 1), m_clrHighlightFrame);
    FillSolid(pDC, CRect(rect.left, rect.top, rect.left + 1, rect.bottom), m_clrHighlightFrame);
    FillSolid(pDC, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), m_clrHighlightFrame);
    if (WtkGlobalData().m_nBitsPerPixel > 8)
        CWtkDrawManager(*pDC).DrawShadow(rect, GetMenuShadowDepth(), 100, 65);
}

COLORREF CWtkVisualManagerXP::HighlightMenuItem(CDC* pDC, CWtkToolbarMenuButton* pButton, CRect rect)
{
    const BOOL disabled = pButton && (pButton->m_nStyle & TBBS_DISABLED);
    ::FillRect(pDC->GetSafeHdc(), &rect, disabled ? m_brMenuLight : m_brHighlight);
    Frame3d(pDC, rect, m_clrHighlightFrame, m_clrHighlightFrame);
    return disabled ? WtkGlobalData().m_clrGrayedText : TextOnHighlight();
}

void CWtkVisualManagerXP::HighlightRarelyUsedItems(CDC* pDC, CRect rect)
{
    rect.left -= 1;
    rect.right = rect.left + CWtkToolBar::GetMenuImageSize().cx + 2 * GetMenuImageMargin() + 2;
    CWtkDrawManager(*pDC).HighlightRect(rect, 94);
}

COLORREF CWtkVisualManagerXP::GetButtonTextColor(CWtkToolbarButton* pButton, int nState)
{
    const CWtkGlobalData& data = WtkGlobalData();
    if (pButton) {
        const BOOL disabled = CWtkToolBar::IsCustomizeMode() ? !pButton->CanBeCustomized()
                                                             : (pButton->m_nStyle & TBBS_DISABLED) != 0;
        if (disabled)
            return data.m_clrGrayedText;
        if (nState == 2)
            return data.m_clrTextHilite;
    }
    return CWtkVisualManager::GetButtonTextColor(pButton, nState);
}

COLORREF CWtkVisualManagerXP::FillCommandsListItem(CDC* pDC, CRect rect, BOOL bIsSelected)
{
    if (bIsSelected) {
        ::FillRect(pDC->GetSafeHdc(), &rect, m_brHighlight);
        return TextOnHighlight();
    }
    ::FillRect(pDC->GetSafeHdc(), &rect, m_brMenuLight);
    CRect column = rect;
    column.right = column.left + CWtkToolBar::GetMenuImageSize().cx + GetMenuImageMargin() + 2;
    ::FillRect(pDC->GetSafeHdc(), &column, m_brImageMargin);
    return WtkGlobalData().m_clrBtnText;
}

void CWtkVisualManagerXP::DrawTaskGroupCaption(CDC* pDC, CWtkTaskGroup* pGroup, BOOL bIsHighlighted, BOOL,
                                               BOOL bCanCollapse)
{
    if (!pGroup)
        return;
    CWtkGlobalData& data = WtkGlobalData();
    const CRect caption = pGroup->m_rectGroup;

    CFont* oldFont = pDC->SelectObject(&data.m_fontBold);
    const COLORREF oldColor = pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectText(caption.left + m_nGroupTextHorzOffset, caption.top + m_nGroupTextVertOffset, 0, caption.bottom);
    rectText.right = std::max<LONG>(caption.right - caption.Height(), rectText.left);
    pDC->DrawText(pGroup->m_strName, rectText, DT_SINGLELINE);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    pDC->SelectObject(oldFont);

    if (!bCanCollapse || pGroup->m_strName.IsEmpty())
        return;
    const CSize glyph = CWtkMenuImages::Size();
    const CPoint pt(std::max<LONG>(caption.left, caption.right - glyph.cx),
                    std::max<LONG>(caption.top, caption.bottom - glyph.cy));
    if (bIsHighlighted) {
        CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_HIGHLIGHT));
        CPen* oldPen = pDC->SelectObject(&pen);
        CBrush* oldBrush = pDC->SelectObject(&m_brHighlight);
        pDC->Rectangle(pt.x, pt.y, caption.right, caption.bottom);
        pDC->SelectObject(oldBrush);
        pDC->SelectObject(oldPen);
    }
    CWtkMenuImages::Draw(pDC, pGroup->m_bIsCollapsed ? 0 : 7, pt, CWtkMenuImages::ImageBlack);
}

void CWtkVisualManagerXP::FillTaskGroupBackground(CDC* pDC, CRect rect, BOOL)
{
    CPen pen(PS_SOLID, 1, WtkGlobalData().m_clrBtnShadow);
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.right, rect.top);
    pDC->SelectObject(oldPen);
}

void CWtkVisualManagerXP::DrawPenShape(CDC*, CRect, BOOL, BOOL)
{
}

void CWtkVisualManagerXP::DrawLinkItem(CDC* pDC, CWtkTaskLink* pLink, CImageList* pIcons, BOOL bIsHighlighted, BOOL)
{
    if (!pLink)
        return;
    DrawLinkItemInColor(pDC, pLink, pIcons, bIsHighlighted,
                        pLink->m_bEnabled ? WtkGlobalData().m_clrHotText : 0xFFFFFFFF);
}
