// The classic look of tab windows: the tab area, the tabs, and the
// background and border of their scroll and close buttons.
#include "toolkit/foundation/visual_manager_tabs.h"

#include "platform/ui/brush.h"
#include "platform/ui/image_list.h"
#include "platform/ui/pen.h"
#include "toolkit/controls/button.h"
#include "toolkit/extras/base_tab_wnd.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager.h"
#include "toolkit/foundation/visual_manager_paint.h"

using wtk_paint::Frame3d;

namespace {

constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);

void FillFace(CDC* pDC, const CRect& rect)
{
    ::FillRect(pDC->GetSafeHdc(), &rect, WtkGlobalData().m_brBtnFace);
}

// A slanted tab of the flat styles with its label centred; no image.
void DrawFlatTab(CDC* pDC, const CRect& rectTab, int iTab, BOOL bIsActive, const CString& strLabel,
                 const CWtkBaseTabWnd* pTabWnd)
{
    const int h = pTabWnd->GetTabsHeight() / 2;
    const int L = rectTab.left, T = rectTab.top, R = rectTab.right, B = rectTab.bottom;
    CRect rectText = rectTab;
    POINT points[4];
    if (pTabWnd->GetLocation() == CWtkBaseTabWnd::LOCATION_BOTTOM) {
        points[0] = {L, T};
        points[1] = {L + h, B - 1};
        points[2] = {R - h, B - 1};
        points[3] = {R, T};
        rectText.bottom = B - 1;
    } else {
        points[0] = {L + h, T + 1};
        points[1] = {L, B};
        points[2] = {R, B};
        points[3] = {R - h, T + 1};
        rectText.left = L + 2;
        rectText.top = T + 1;
    }

    const COLORREF back = pTabWnd->TabBackColorAt(iTab);
    if (!bIsActive && back != kNoColor) {
        CBrush brush;
        brush.CreateSolidBrush(back);
        CBrush* oldBrush = pDC->SelectObject(&brush);
        pDC->Polygon(points, 4);
        pDC->SelectObject(oldBrush);
    } else {
        // The tab window's own brush fills the tab.
        pDC->Polygon(points, 4);
    }

    pDC->DrawText(strLabel, &rectText,
                  wtk_tab_paint::LabelFormat(pTabWnd, DT_CENTER | DT_VCENTER | DT_SINGLELINE));
}

// A rectangular tab of the 3D style with its edges, image and label.
void Draw3dTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CString& strLabel,
               const CWtkBaseTabWnd* pTabWnd)
{
    const CWtkGlobalData& data = WtkGlobalData();
    const bool bottom = pTabWnd->GetLocation() == CWtkBaseTabWnd::LOCATION_BOTTOM;

    // Inactive tabs stand back from the content by two pixels.
    if (!bIsActive) {
        if (bottom)
            rectTab.bottom -= 2;
        else
            rectTab.top += 2;
        const COLORREF back = pTabWnd->TabBackColorAt(iTab);
        if (back != kNoColor) {
            CRect rectFill = rectTab;
            rectFill.DeflateRect(1, 1);
            wtk_paint::FillSolid(pDC, rectFill, back);
        }
    }

    const int L = rectTab.left, T = rectTab.top, R = rectTab.right, B = rectTab.bottom;
    CPen penHilite(PS_SOLID, 1, data.m_clrBtnHilite);
    CPen penShadow(PS_SOLID, 1, data.m_clrBtnShadow);
    CPen* oldPen = pDC->SelectObject(&penHilite);
    if (bottom) {
        pDC->MoveTo(L, T);
        pDC->LineTo(L, B - 2);
        pDC->SelectStockObject(BLACK_PEN);
        pDC->LineTo(L + 2, B);
        pDC->LineTo(R - 2, B);
        pDC->LineTo(R, B - 2);
        pDC->LineTo(R, T - 1);
        pDC->SelectObject(&penShadow);
        pDC->MoveTo(L + 3, B - 1);
        pDC->LineTo(R - 2, B - 1);
        pDC->LineTo(R - 1, B - 2);
        pDC->LineTo(R - 1, T - 1);
    } else {
        const int lower = bIsActive ? B : B - 1;
        pDC->SelectStockObject(BLACK_PEN);
        pDC->MoveTo(R, lower);
        pDC->LineTo(R, T + 2);
        pDC->LineTo(R - 2, T);
        pDC->SelectObject(&penHilite);
        pDC->LineTo(L + 2, T);
        pDC->LineTo(L, T + 2);
        pDC->LineTo(L, B);
        pDC->SelectObject(&penShadow);
        pDC->MoveTo(R - 1, lower);
        pDC->LineTo(R - 1, T + 1);
    }

    // The active tab covers the line between the tab strip and the content,
    // so that the two read as one.
    if (bIsActive)
        FillFace(pDC, bottom ? CRect(L, T - 3, R - 1, T) : CRect(L, B, R - 1, B + 3));

    wtk_tab_paint::DrawImageAndLabel(pDC, rectTab, iTab, strLabel, pTabWnd, bIsActive && bottom ? 1 : 0, 0);
    pDC->SelectObject(oldPen);
}

}  // namespace

namespace wtk_tab_paint {

UINT LabelFormat(const CWtkBaseTabWnd* pTabWnd, UINT nFormat)
{
    return pTabWnd->GetTabOption() != 0 ? nFormat | DT_NOPREFIX : nFormat;
}

void DrawImageAndLabel(CDC* pDC, const CRect& rectTab, int iTab, const CString& strLabel,
                       const CWtkBaseTabWnd* pTabWnd, int iconRaise, int imageRaise)
{
    CSize sizeImage = pTabWnd->GetImageSize();
    const int image = pTabWnd->GetTabIcon(iTab);
    const HICON icon = pTabWnd->GetTabHicon(iTab);
    if (image == -1 && icon == nullptr)
        sizeImage.cx = 0;
    if (sizeImage.cx + kImageMargin > rectTab.Width())
        return;

    const int x = rectTab.left + kImageMargin;
    const int y = rectTab.top + (rectTab.Height() - sizeImage.cy) / 2;
    if (icon) {
        pDC->DrawState(CPoint(x, y - iconRaise), sizeImage, icon, DSS_NORMAL | DST_ICON);
    } else if (image != -1) {
        if (CImageList* images = pTabWnd->GetImageList())
            images->Draw(pDC, image, CPoint(x, y - imageRaise), ILD_TRANSPARENT);
    }

    CRect rectText(rectTab.left + sizeImage.cx + 2 * kImageMargin, rectTab.top, rectTab.right, rectTab.bottom);
    pDC->DrawText(strLabel, &rectText, LabelFormat(pTabWnd, DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS));
}

}  // namespace wtk_tab_paint

void CWtkVisualManager::FillTabArea(CDC* pDC, CRect rectTabs, CWtkBaseTabWnd*)
{
    FillFace(pDC, rectTabs);
}

void CWtkVisualManager::DrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CWtkBaseTabWnd* pTabWnd)
{
    if (!pDC || !pTabWnd)
        return;
    CString label;
    pTabWnd->GetTabLabel(iTab, label);

    // An active tab always shows in the tab window's own colours.
    const COLORREF oldText = pDC->GetTextColor();
    const COLORREF text = pTabWnd->TabTextColorAt(iTab);
    if (!bIsActive && text != kNoColor)
        pDC->SetTextColor(text);

    if (pTabWnd->IsFlatTabs())
        DrawFlatTab(pDC, rectTab, iTab, bIsActive, label, pTabWnd);
    else
        Draw3dTab(pDC, rectTab, iTab, bIsActive, label, pTabWnd);

    pDC->SetTextColor(oldText);
}

void CWtkVisualManager::FillTab(CDC* pDC, CRect rect, CWtkButton*, CWtkBaseTabWnd*)
{
    FillFace(pDC, rect);
}

void CWtkVisualManager::DrawInsetFrame(CDC* pDC, CRect& rect, CWtkButton* pButton, UINT uiState, CWtkBaseTabWnd*)
{
    const CWtkGlobalData& data = WtkGlobalData();
    const bool sunken = (pButton && pButton->IsPushed() && pButton->IsHighlighted()) || (uiState & ODS_SELECTED);
    if (sunken) {
        Frame3d(pDC, rect, data.m_clrBtnDkShadow, data.m_clrBtnHilite);
        // The glyph of a pushed button moves right and down.
        rect.left += 2;
        rect.top += 2;
    } else {
        Frame3d(pDC, rect, data.m_clrBtnHilite, data.m_clrBtnDkShadow);
    }
    rect.DeflateRect(2, 2);
}
