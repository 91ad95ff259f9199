// The classic look of task panes: background, group captions and links.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "platform/ui/image_list.h"
#include "platform/ui/pen.h"
#include "toolkit/controls/menu_images.h"
#include "toolkit/extras/task_group.h"
#include "toolkit/extras/task_link.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager.h"
#include "toolkit/foundation/visual_manager_paint.h"

void CWtkVisualManager::FillTaskPaneBackground(CDC* pDC, CRect rect)
{
    wtk_paint::FillSysColor(pDC, rect, COLOR_WINDOW);
}

void CWtkVisualManager::DrawTaskGroupCaption(CDC* pDC, CWtkTaskGroup* pGroup, BOOL bIsHighlighted, BOOL,
                                             BOOL bCanCollapse)
{
    if (!pGroup)
        return;
    CWtkGlobalData& data = WtkGlobalData();
    const CRect caption = pGroup->m_rectGroup;
    const BOOL special = pGroup->m_bIsSpecial;

    wtk_paint::FillSolid(pDC, caption, special ? ::GetSysColor(COLOR_HIGHLIGHT) : data.m_clrBtnFace);

    CFont* oldFont = pDC->SelectObject(&data.m_fontBold);
    const COLORREF oldColor = pDC->SetTextColor(::GetSysColor(special ? COLOR_WINDOW : COLOR_WINDOWTEXT));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectText(caption.left + m_nGroupTextHorzOffset, caption.top + m_nGroupTextVertOffset, 0, caption.bottom);
    rectText.right = std::max(caption.right - caption.Height(), rectText.left);
    pDC->DrawText(pGroup->m_strName, rectText, DT_SINGLELINE);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    pDC->SelectObject(oldFont);

    if (!bCanCollapse || pGroup->m_strName.IsEmpty())
        return;
    const CSize glyph = CWtkMenuImages::Size();
    const int h = (caption.Height() + 1) / 2;
    const CPoint pt(std::max<int>(caption.left, caption.right - (glyph.cx + 1) / 2 - h),
                    std::max<int>(caption.top, caption.bottom - (glyph.cy + 1) / 2 - h));
    if (bIsHighlighted) {
        CRect frame(pt, glyph);
        frame.InflateRect(1, 1);
        wtk_paint::Frame3d(pDC, frame, ::GetSysColor(COLOR_WINDOW), data.m_clrBtnShadow);
    }
    CWtkMenuImages::Draw(pDC, pGroup->m_bIsCollapsed ? 0 : 7, pt, CWtkMenuImages::ImageBlack);
}

void CWtkVisualManager::FillTaskGroupInterior(CDC*, CRect)
{
}

void CWtkVisualManager::FillTaskGroupBackground(CDC*, CRect, BOOL)
{
}

void CWtkVisualManager::DrawPenShape(CDC* pDC, CRect rect, BOOL bHighlightColor, BOOL bClosed)
{
    CPen pen(PS_SOLID, 1, bHighlightColor ? ::GetSysColor(COLOR_HIGHLIGHT) : WtkGlobalData().m_clrBtnFace);
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.left, rect.bottom - 1);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    pDC->LineTo(rect.right - 1, rect.top);
    if (bClosed)
        pDC->LineTo(rect.left, rect.top);
    else
        pDC->LineTo(rect.right - 1, rect.top - 1);
    pDC->SelectObject(oldPen);
}

void CWtkVisualManager::DrawLinkItem(CDC* pDC, CWtkTaskLink* pLink, CImageList* pIcons, BOOL bIsHighlighted, BOOL)
{
    DrawLinkItemInColor(pDC, pLink, pIcons, bIsHighlighted, ::GetSysColor(COLOR_WINDOWTEXT));
}

void CWtkVisualManager::DrawLinkItemInColor(CDC* pDC, CWtkTaskLink* pLink, CImageList* pIcons,
                                            BOOL bIsHighlighted, COLORREF textColor)
{
    if (!pLink)
        return;
    CWtkGlobalData& data = WtkGlobalData();
    const CRect rect = pLink->m_rect;

    int iconWidth = 0;
    HIMAGELIST icons = pIcons ? pIcons->GetSafeHandle() : nullptr;
    if (icons) {
        int cx = 0;
        int cy = 0;
        if (::ImageList_GetIconSize(icons, &cx, &cy))
            iconWidth = cx;
    }
    if (pLink->m_nIcon >= 0 && iconWidth > 0)
        ::ImageList_Draw(icons, pLink->m_nIcon, pDC->GetSafeHdc(), rect.left, rect.top, ILD_TRANSPARENT);

    CRect rectText = rect;
    rectText.left += iconWidth + m_nTasksIconHorzOffset;
    CFont* oldFont =
        pDC->SelectObject(pLink->m_bEnabled && bIsHighlighted ? &data.m_fontUnderline : &data.m_fontRegular);
    const COLORREF oldColor = textColor != 0xFFFFFFFF ? pDC->SetTextColor(textColor) : pDC->GetTextColor();
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(pLink->m_strName, rectText, DT_SINGLELINE | DT_VCENTER);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    pDC->SelectObject(oldFont);
}
