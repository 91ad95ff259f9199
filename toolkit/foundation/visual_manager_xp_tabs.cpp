// The Office-XP look of tab windows. The flat tab styles keep the classic
// tab area and tabs; only their buttons take the XP highlight.
#include "platform/ui/pen.h"
#include "toolkit/controls/button.h"
#include "toolkit/extras/base_tab_wnd.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager_paint.h"
#include "toolkit/foundation/visual_manager_tabs.h"
#include "toolkit/foundation/visual_manager_xp.h"

using wtk_paint::Frame3d;

namespace {

bool IsFlat(const CWtkBaseTabWnd* pTabWnd)
{
    return pTabWnd && pTabWnd->IsFlatTabs();
}

bool IsPushed(const CWtkButton* pButton)
{
    return pButton && pButton->IsPushed();
}

bool IsHot(const CWtkButton* pButton)
{
    return pButton && pButton->IsHighlighted();
}

}  // namespace

void CWtkVisualManagerXP::FillTabArea(CDC* pDC, CRect rectTabs, CWtkBaseTabWnd* pTabWnd)
{
    if (IsFlat(pTabWnd)) {
        CWtkVisualManager::FillTabArea(pDC, rectTabs, pTabWnd);
        return;
    }
    ::FillRect(pDC->GetSafeHdc(), &rectTabs, m_brLightFace);
}

void CWtkVisualManagerXP::DrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CWtkBaseTabWnd* pTabWnd)
{
    if (!pDC || !pTabWnd)
        return;
    if (pTabWnd->IsFlatTabs()) {
        CWtkVisualManager::DrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
        return;
    }

    const CWtkGlobalData& data = WtkGlobalData();
    const bool bottom = pTabWnd->GetLocation() == CWtkBaseTabWnd::LOCATION_BOTTOM;
    const int L = rectTab.left, T = rectTab.top, R = rectTab.right, B = rectTab.bottom;
    CPen penShadow(PS_SOLID, 1, data.m_clrBtnShadow);
    CPen penText(PS_SOLID, 1, data.m_clrBtnText);
    CPen penHilite(PS_SOLID, 1, data.m_clrBtnHilite);
    CPen* oldPen = pDC->SelectObject(&penShadow);

    // The active tab's own edge separates it from its left neighbour.
    if (iTab != pTabWnd->GetActiveTab() - 1) {
        pDC->MoveTo(R, T + 3);
        pDC->LineTo(R, B - 3);
    }

    if (bIsActive) {
        if (bottom) {
            // Without the content frame the face also covers the row the
            // frame would have taken.
            const int top = pTabWnd->HasContentFrame() ? T - 1 : T - 2;
            ::FillRect(pDC->GetSafeHdc(), CRect(L, top, R, B), data.m_brBtnFace);
            pDC->SelectObject(&penText);
            pDC->MoveTo(R, T);
            pDC->LineTo(R, B);
            pDC->LineTo(L, B);
            pDC->SelectObject(&penHilite);
            pDC->LineTo(L, T);
        } else {
            ::FillRect(pDC->GetSafeHdc(), CRect(L + 1, T, R, B + 1), data.m_brBtnFace);
            pDC->SelectObject(&penText);
            pDC->MoveTo(R, B);
            pDC->LineTo(R, T - 1);
            pDC->SelectObject(&penHilite);
            pDC->LineTo(R, T);
            pDC->LineTo(L, T);
            pDC->LineTo(L, B);
        }
    }

    // The text colour stays set: the tab window draws on in it.
    pDC->SetTextColor(bIsActive ? data.m_clrBtnText : m_clrDark);
    CString label;
    pTabWnd->GetTabLabel(iTab, label);
    const int raise = bIsActive && bottom ? 1 : 0;
    wtk_tab_paint::DrawImageAndLabel(pDC, rectTab, iTab, label, pTabWnd, raise, raise);

    pDC->SelectObject(oldPen);
}

void CWtkVisualManagerXP::FillTab(CDC* pDC, CRect rect, CWtkButton* pButton, CWtkBaseTabWnd* pTabWnd)
{
    HBRUSH brush = m_brLightFace;
    if (IsFlat(pTabWnd)) {
        if (!IsHot(pButton))
            brush = WtkGlobalData().m_brBtnFace;
        else if (IsPushed(pButton))
            brush = m_brPressedHighlight;
        else
            brush = m_brHighlight;
    }
    ::FillRect(pDC->GetSafeHdc(), &rect, brush);
}

void CWtkVisualManagerXP::DrawInsetFrame(CDC* pDC, CRect& rect, CWtkButton* pButton, UINT, CWtkBaseTabWnd* pTabWnd)
{
    const COLORREF dark = WtkGlobalData().m_clrBtnDkShadow;
    const bool pushed = IsPushed(pButton);
    const bool hot = IsHot(pButton);
    if (!pushed && !hot)
        return;
    if (IsFlat(pTabWnd))
        Frame3d(pDC, rect, dark, dark);
    else if (pushed && hot)
        Frame3d(pDC, rect, dark, m_clrLightShadow);
    else
        Frame3d(pDC, rect, m_clrLightShadow, dark);
}
