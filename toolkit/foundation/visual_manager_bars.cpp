// The classic look of bars, captions, mini frames and status bars.
#include <cstdio>

#include "platform/ui/framework_ids.h"
#include "toolkit/controls/base_tool_bar.h"
#include "toolkit/controls/menu_images.h"
#include "toolkit/extras/outlook_bar_pane.h"
#include "toolkit/foundation/caption_bar.h"
#include "toolkit/foundation/caption_button.h"
#include "toolkit/foundation/draw_manager.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/mini_frame_wnd.h"
#include "toolkit/foundation/visual_manager.h"
#include "toolkit/foundation/visual_manager_paint.h"

using wtk_paint::FillSolid;
using wtk_paint::FillSysColor;
using wtk_paint::Frame3d;

int CWtkVisualManager::CaptionButtonGlyph(UINT nHit, BOOL bHorz, BOOL bMaximized)
{
    switch (nHit) {
    case 8: return bMaximized ? (bHorz ? 9 : 0) : (bHorz ? 1 : 7);
    case 9: return bMaximized ? 15 : 16;
    case 19:
    case 20: return 5;
    default: return -1;
    }
}

void CWtkVisualManager::FillBarBackground(CDC* pDC, CWtkBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                          BOOL)
{
    if (pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkOutlookBarPane))) {
        static_cast<CWtkOutlookBarPane*>(pBar)->DrawBackground(pDC, rectClient);
        return;
    }
    if (pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkCaptionBar))) {
        const COLORREF own = static_cast<CWtkCaptionBar*>(pBar)->m_clrBarBackground;
        FillSolid(pDC, rectClient, own == 0xFFFFFFFF ? WtkGlobalData().m_clrBtnShadow : own);
        return;
    }
    const CRect rect = rectClip.IsRectEmpty() ? rectClient : rectClip;
    ::FillRect(pDC->GetSafeHdc(), &rect, WtkGlobalData().m_brBtnFace);
}

void CWtkVisualManager::DrawBarBorder(CDC* pDC, CWtkBaseControlBar* pBar, CRect& rect)
{
    if (!pBar || pBar->IsFloating())
        return;
    const CWtkGlobalData& data = WtkGlobalData();
    const DWORD style = pBar->GetBarStyle();

    if (style & CBRS_BORDER_LEFT)
        FillSolid(pDC, CRect(rect.left, rect.top, rect.left + 1, rect.bottom), data.m_clrBtnHilite);
    if (style & CBRS_BORDER_TOP)
        FillSolid(pDC, CRect(rect.left, rect.top, rect.right, rect.top + 1), data.m_clrBtnHilite);
    if (style & CBRS_BORDER_RIGHT)
        FillSolid(pDC, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), data.m_clrBtnShadow);
    if (style & CBRS_BORDER_BOTTOM)
        FillSolid(pDC, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), data.m_clrBtnShadow);

    if (style & CBRS_BORDER_LEFT)
        ++rect.left;
    if (style & CBRS_BORDER_TOP)
        ++rect.top;
    if (style & CBRS_BORDER_RIGHT)
        --rect.right;
    if (style & CBRS_BORDER_BOTTOM)
        --rect.bottom;

    if (!pBar->CanFloat()) {
        // The etched edge takes its two rows from the remaining area.
        FillSolid(pDC, CRect(rect.left, rect.top, rect.right, rect.top + 1), data.m_clrBtnShadow);
        FillSolid(pDC, CRect(rect.left, rect.top + 1, rect.right, rect.top + 2), data.m_clrBtnHilite);
        rect.top += 2;
    }
}

void CWtkVisualManager::DrawDoubleBorder(CDC* pDC, CWtkPopupMenu*, CRect rect)
{
    const CWtkGlobalData& data = WtkGlobalData();
    Frame3d(pDC, rect, data.m_clrBtnLight, data.m_clrBtnDkShadow);
    rect.DeflateRect(1, 1);
    Frame3d(pDC, rect, data.m_clrBtnHilite, data.m_clrBtnShadow);
}

void CWtkVisualManager::DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CWtkBaseControlBar*)
{
    const CWtkGlobalData& data = WtkGlobalData();
    const int ridges = m_bLook2000 ? 1 : 2;
    const int inset = m_bLook2000 ? 3 : 2;
    constexpr int kThickness = 3;
    constexpr int kPitch = 4;
    const int across = kThickness + kPitch * (ridges - 1);

    // A horizontal bar has its gripper at its left end: the ridges run from
    // top to bottom, one beside the other.
    if (bHorz) {
        rectGripper.DeflateRect(0, inset);
        const int x0 = rectGripper.left + (rectGripper.Width() - across) / 2;
        for (int i = 0; i < ridges; ++i) {
            const CRect ridge(x0 + i * kPitch, rectGripper.top, x0 + i * kPitch + kThickness, rectGripper.bottom);
            Frame3d(pDC, ridge, data.m_clrBtnHilite, data.m_clrBtnShadow);
            if (!m_bLook2000)
                FillSolid(pDC, CRect(ridge.left, ridge.bottom - 1, ridge.left + 1, ridge.bottom), data.m_clrBtnHilite);
        }
    } else {
        rectGripper.DeflateRect(inset, 0);
        const int y0 = rectGripper.top + (rectGripper.Height() - across) / 2;
        for (int i = 0; i < ridges; ++i) {
            const CRect ridge(rectGripper.left, y0 + i * kPitch, rectGripper.right, y0 + i * kPitch + kThickness);
            Frame3d(pDC, ridge, data.m_clrBtnHilite, data.m_clrBtnShadow);
            if (!m_bLook2000)
                FillSolid(pDC, CRect(ridge.right - 1, ridge.top, ridge.right, ridge.top + 1), data.m_clrBtnHilite);
        }
    }
}

void CWtkVisualManager::DrawSeparator(CDC* pDC, CWtkBaseControlBar*, CRect rect, BOOL bHorz)
{
    const CWtkGlobalData& data = WtkGlobalData();
    // In a horizontal bar the separator stands upright between two buttons.
    if (bHorz) {
        const int x = rect.left + rect.Width() / 2 - 1;
        FillSolid(pDC, CRect(x, rect.top, x + 1, rect.bottom), data.m_clrBtnShadow);
        FillSolid(pDC, CRect(x + 1, rect.top, x + 2, rect.bottom), data.m_clrBtnHilite);
    } else {
        const int y = rect.top + rect.Height() / 2 - 1;
        FillSolid(pDC, CRect(rect.left, y, rect.right, y + 1), data.m_clrBtnShadow);
        FillSolid(pDC, CRect(rect.left, y + 1, rect.right, y + 2), data.m_clrBtnHilite);
    }
}

COLORREF CWtkVisualManager::DrawCaption(CDC* pDC, CWtkBaseControlBar*, BOOL bActive, CRect rectCaption, CRect)
{
    FillSysColor(pDC, rectCaption, bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    return ::GetSysColor(COLOR_CAPTIONTEXT);
}

void CWtkVisualManager::DrawCaptionButton(CDC* pDC, CWtkCaptionButton* pButton, BOOL, BOOL bHorz,
                                          BOOL bMaximized, BOOL bDisabled)
{
    if (!pButton || pButton->m_bHidden)
        return;
    const CWtkGlobalData& data = WtkGlobalData();
    const CRect rect = pButton->GetRect();
    const BOOL pushed = pButton->m_bPushed;

    const int glyph = CaptionButtonGlyph(pButton->m_nHit, bHorz, bMaximized);
    if (glyph >= 0) {
        const CSize size = CWtkMenuImages::Size();
        CPoint pt(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2);
        if (pushed)
            pt.Offset(1, 1);
        CWtkMenuImages::Draw(pDC, glyph, pt,
                             bDisabled ? CWtkMenuImages::ImageGray : CWtkMenuImages::ImageBlack);
    }

    if (bDisabled)
        return;
    CRect frame = rect;
    if (pushed) {
        Frame3d(pDC, frame, data.m_clrBtnDkShadow, data.m_clrBtnLight);
        frame.DeflateRect(1, 1);
        Frame3d(pDC, frame, data.m_clrBtnShadow, data.m_clrBtnHilite);
    } else {
        Frame3d(pDC, frame, data.m_clrBtnLight, data.m_clrBtnDkShadow);
        frame.DeflateRect(1, 1);
        Frame3d(pDC, frame, data.m_clrBtnHilite, data.m_clrBtnShadow);
    }
}

void CWtkVisualManager::DrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL)
{
    UINT state;
    switch (uiSystemCommand) {
    case SC_MINIMIZE: state = DFCS_CAPTIONMIN; break;
    case SC_CLOSE: state = DFCS_CAPTIONCLOSE; break;
    case SC_RESTORE: state = DFCS_CAPTIONRESTORE; break;
    default: return;
    }
    if (nStyle & TBBS_PRESSED)
        state |= DFCS_PUSHED;
    if (nStyle & TBBS_DISABLED)
        state |= DFCS_INACTIVE;
    pDC->DrawFrameControl(rect, DFC_CAPTION, state);
}

void CWtkVisualManager::DrawStatusBarPaneBorder(CDC* pDC, CWtkStatusBar*, CRect rectPane, UINT, UINT nStyle)
{
    if (nStyle & SBPS_NOBORDERS)
        return;
    const CWtkGlobalData& data = WtkGlobalData();
    if (nStyle & SBPS_POPOUT)
        Frame3d(pDC, rectPane, data.m_clrBtnHilite, data.m_clrBtnShadow);
    else
        Frame3d(pDC, rectPane, data.m_clrBtnShadow, data.m_clrBtnHilite);
}

CRect CWtkVisualManager::ProgressPart(const CRect& rectProgress, int nTotal, int nCurrent)
{
    const int current = nCurrent < 0 ? 0 : (nCurrent > nTotal ? nTotal : nCurrent);
    CRect rectBar = rectProgress;
    rectBar.right = rectBar.left + static_cast<int>(static_cast<LONGLONG>(rectProgress.Width()) * current / nTotal);
    return rectBar;
}

void CWtkVisualManager::DrawProgressText(CDC* pDC, const CRect& rectProgress, int nTotal, int nCurrent)
{
    const int current = nCurrent < 0 ? 0 : (nCurrent > nTotal ? nTotal : nCurrent);
    char text[16];
    std::snprintf(text, sizeof(text), "%d%%", static_cast<int>(static_cast<LONGLONG>(current) * 100 / nTotal));
    const COLORREF oldColor = pDC->SetTextColor(WtkGlobalData().m_clrBtnText);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rect = rectProgress;
    pDC->DrawText(text, -1, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
}

void CWtkVisualManager::DrawStatusBarProgress(CDC* pDC, CWtkStatusBar*, CRect rectProgress, int nProgressTotal,
                                              int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                              COLORREF, BOOL bProgressText)
{
    // An empty range has nothing to show (and would divide by zero).
    if (nProgressTotal <= 0)
        return;
    const CRect rectBar = ProgressPart(rectProgress, nProgressTotal, nProgressCurr);
    if (clrProgressBarDest == 0xFFFFFFFF)
        FillSolid(pDC, rectBar, clrBar);
    else
        CWtkDrawManager(*pDC).FillGradient(rectBar, clrBar, clrProgressBarDest, FALSE);

    if (bProgressText)
        DrawProgressText(pDC, rectProgress, nProgressTotal, nProgressCurr);
}

void CWtkVisualManager::DrawStatusBarSizeBox(CDC* pDC, CWtkStatusBar*, CRect rectSizeBox)
{
    CWtkGlobalData& data = WtkGlobalData();
    CFont* oldFont = pDC->SelectObject(&data.m_fontMarlett);
    const COLORREF oldColor = pDC->SetTextColor(data.m_clrBtnShadow);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const UINT oldAlign = pDC->SetTextAlign(TA_RIGHT | TA_BOTTOM);
    pDC->TextOut(rectSizeBox.right, rectSizeBox.bottom, "o", 1);
    pDC->SetTextAlign(oldAlign);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    pDC->SelectObject(oldFont);
}

COLORREF CWtkVisualManager::FillBarArea(CDC* pDC, CRect rectCaption, CWtkMiniFrameWnd* pFrame, BOOL bActive)
{
    CWtkBaseControlBar* bar = pFrame ? pFrame->GetFirstBar() : nullptr;
    const BOOL toolbar = bar && bar->IsKindOf(RUNTIME_CLASS(CWtkBaseToolBar));
    FillSysColor(pDC, rectCaption, toolbar || bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    return ::GetSysColor(COLOR_CAPTIONTEXT);
}

void CWtkVisualManager::DrawMiniFrameBorder(CDC* pDC, CWtkMiniFrameWnd*, CRect rectWindow, CRect)
{
    const CWtkGlobalData& data = WtkGlobalData();
    Frame3d(pDC, rectWindow, data.m_clrBtnFace, data.m_clrBtnDkShadow);
    rectWindow.DeflateRect(1, 1);
    Frame3d(pDC, rectWindow, data.m_clrBtnHilite, data.m_clrBtnShadow);
    rectWindow.DeflateRect(1, 1);
    Frame3d(pDC, rectWindow, data.m_clrBtnFace, data.m_clrBtnFace);
}
