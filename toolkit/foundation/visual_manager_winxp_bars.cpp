// The platform's themed look of bars, grippers, separators, caption
// buttons, status bars and task panes.
#include <vssym32.h>

#include "toolkit/controls/menu_images.h"
#include "toolkit/controls/popup_menu_bar.h"
#include "toolkit/extras/task_group.h"
#include "toolkit/foundation/caption_button.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager_winxp.h"

void CWtkWinXPVisualManager::FillBarBackground(CDC* pDC, CWtkBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                               BOOL bNCArea)
{
    if (GetTheme(ThemeWindow) && pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkPopupMenuBar))) {
        ::FillRect(pDC->GetSafeHdc(), &rectClient, ::GetSysColorBrush(COLOR_MENU));
        return;
    }
    CWtkVisualManagerXP::FillBarBackground(pDC, pBar, rectClient, rectClip, bNCArea);
}

void CWtkWinXPVisualManager::DrawDoubleBorder(CDC* pDC, CWtkPopupMenu* pMenu, CRect rect)
{
    if (GetTheme(ThemeWindow))
        CWtkVisualManager::DrawDoubleBorder(pDC, pMenu, rect);
    else
        CWtkVisualManagerXP::DrawDoubleBorder(pDC, pMenu, rect);
}

void CWtkWinXPVisualManager::DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CWtkBaseControlBar* pBar)
{
    if (!GetTheme(ThemeRebar)) {
        CWtkVisualManagerXP::DrawBarGripper(pDC, rectGripper, bHorz, pBar);
        return;
    }
    // A horizontal bar has its gripper at its left end, standing upright.
    DrawThemePart(ThemeRebar, pDC, bHorz ? RP_GRIPPER : RP_GRIPPERVERT, 0, rectGripper);
}

void CWtkWinXPVisualManager::DrawSeparator(CDC* pDC, CWtkBaseControlBar* pBar, CRect rect, BOOL bHorz)
{
    if (!GetTheme(ThemeToolbar)) {
        CWtkVisualManagerXP::DrawSeparator(pDC, pBar, rect, bHorz);
        return;
    }
    DrawThemePart(ThemeToolbar, pDC, bHorz ? TP_SEPARATOR : TP_SEPARATORVERT, 0, rect);
}

void CWtkWinXPVisualManager::DrawCaptionButton(CDC* pDC, CWtkCaptionButton* pButton, BOOL bActive, BOOL bHorz,
                                               BOOL bMaximized, BOOL bDisabled)
{
    if (!GetTheme(ThemeButton)) {
        CWtkVisualManagerXP::DrawCaptionButton(pDC, pButton, bActive, bHorz, bMaximized, bDisabled);
        return;
    }
    if (!pButton || pButton->m_bHidden)
        return;
    const CRect rect = pButton->GetRect();
    const BOOL pushed = pButton->m_bPushed;
    const BOOL hot = pButton->m_bFocused;
    int state = PBS_NORMAL;
    if (bDisabled)
        state = PBS_DISABLED;
    else if (pushed && hot)
        state = PBS_PRESSED;
    else if (pushed || hot)
        state = PBS_HOT;
    DrawThemePart(ThemeButton, pDC, BP_PUSHBUTTON, state, rect);

    // The themed button is only the face: the glyph tells close from pin.
    const int glyph = CaptionButtonGlyph(pButton->m_nHit, bHorz, bMaximized);
    if (glyph < 0)
        return;
    const CSize size = CWtkMenuImages::Size();
    CPoint pt(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2);
    if (state == PBS_PRESSED)
        pt.Offset(1, 1);
    CWtkMenuImages::Draw(pDC, glyph, pt, bDisabled ? CWtkMenuImages::ImageGray : CWtkMenuImages::ImageBlack);
}

void CWtkWinXPVisualManager::DrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                  BOOL bHighlight)
{
    if (!GetTheme(ThemeWindow)) {
        CWtkVisualManagerXP::DrawMenuSystemButton(pDC, rect, uiSystemCommand, nStyle, bHighlight);
        return;
    }
    int part;
    switch (uiSystemCommand) {
    case SC_MINIMIZE: part = WP_MDIMINBUTTON; break;
    case SC_CLOSE: part = WP_MDICLOSEBUTTON; break;
    case SC_RESTORE: part = WP_RESTOREBUTTON; break;
    default: return;
    }
    // The three buttons number their states alike.
    int state = MINBS_NORMAL;
    if (nStyle & TBBS_DISABLED)
        state = MINBS_DISABLED;
    else if ((nStyle & TBBS_PRESSED) && bHighlight)
        state = MINBS_PUSHED;
    else if (bHighlight)
        state = MINBS_HOT;
    DrawThemePart(ThemeWindow, pDC, part, state, rect);
}

void CWtkWinXPVisualManager::DrawStatusBarPaneBorder(CDC* pDC, CWtkStatusBar* pBar, CRect rectPane, UINT uiID,
                                                     UINT nStyle)
{
    if (!GetTheme(ThemeStatus)) {
        CWtkVisualManagerXP::DrawStatusBarPaneBorder(pDC, pBar, rectPane, uiID, nStyle);
        return;
    }
    // A pane that asks for no border gets none in any look.
    if (nStyle & SBPS_NOBORDERS)
        return;
    DrawThemePart(ThemeStatus, pDC, SP_PANE, 0, rectPane);
}

void CWtkWinXPVisualManager::DrawStatusBarProgress(CDC* pDC, CWtkStatusBar* pStatusBar, CRect rectProgress,
                                                   int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                                   COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                                   BOOL bProgressText)
{
    if (!GetTheme(ThemeProgress)) {
        CWtkVisualManager::DrawStatusBarProgress(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr, clrBar,
                                                 clrProgressBarDest, clrProgressText, bProgressText);
        return;
    }
    // An empty range has nothing to show (and would divide by zero).
    if (nProgressTotal <= 0)
        return;
    DrawThemePart(ThemeProgress, pDC, PP_BAR, 0, rectProgress);
    const CRect rectChunk = ProgressPart(rectProgress, nProgressTotal, nProgressCurr);
    if (!rectChunk.IsRectEmpty())
        DrawThemePart(ThemeProgress, pDC, PP_CHUNK, 0, rectChunk);
    if (bProgressText)
        DrawProgressText(pDC, rectProgress, nProgressTotal, nProgressCurr);
}

void CWtkWinXPVisualManager::DrawStatusBarSizeBox(CDC* pDC, CWtkStatusBar* pStatusBar, CRect rectSizeBox)
{
    if (!GetTheme(ThemeScrollBar)) {
        CWtkVisualManager::DrawStatusBarSizeBox(pDC, pStatusBar, rectSizeBox);
        return;
    }
    DrawThemePart(ThemeScrollBar, pDC, SBP_SIZEBOX, SZB_RIGHTALIGN, rectSizeBox);
}

void CWtkWinXPVisualManager::FillTaskPaneBackground(CDC* pDC, CRect rect)
{
    if (!GetTheme(ThemeExplorerBar)) {
        CWtkVisualManager::FillTaskPaneBackground(pDC, rect);
        return;
    }
    DrawThemePart(ThemeExplorerBar, pDC, EBP_HEADERBACKGROUND, 0, rect);
}

void CWtkWinXPVisualManager::DrawTaskGroupCaption(CDC* pDC, CWtkTaskGroup* pGroup, BOOL bIsHighlighted, BOOL bUnused,
                                                  BOOL bCanCollapse)
{
    if (!GetTheme(ThemeExplorerBar)) {
        CWtkVisualManagerXP::DrawTaskGroupCaption(pDC, pGroup, bIsHighlighted, bUnused, bCanCollapse);
        return;
    }
    if (!pGroup)
        return;
    const CRect caption = pGroup->m_rectGroup;
    DrawThemePart(ThemeExplorerBar, pDC, EBP_NORMALGROUPHEAD, 0, caption);
    // The Office-XP caption without its glyph is the name alone.
    CWtkVisualManagerXP::DrawTaskGroupCaption(pDC, pGroup, bIsHighlighted, bUnused, FALSE);

    if (!bCanCollapse || pGroup->m_strName.IsEmpty())
        return;
    // A collapsed group shows the button that expands it.
    int part;
    if (pGroup->m_bIsSpecial)
        part = pGroup->m_bIsCollapsed ? EBP_SPECIALGROUPEXPAND : EBP_SPECIALGROUPCOLLAPSE;
    else
        part = pGroup->m_bIsCollapsed ? EBP_NORMALGROUPEXPAND : EBP_NORMALGROUPCOLLAPSE;
    const CRect button(caption.right - caption.Height(), caption.top, caption.right, caption.bottom);
    DrawThemePart(ThemeExplorerBar, pDC, part, bIsHighlighted ? EBNGC_HOT : EBNGC_NORMAL, button);
}

void CWtkWinXPVisualManager::FillTaskGroupBackground(CDC* pDC, CRect rect, BOOL bSpecial)
{
    if (!GetTheme(ThemeExplorerBar)) {
        CWtkVisualManagerXP::FillTaskGroupBackground(pDC, rect, bSpecial);
        return;
    }
    DrawThemePart(ThemeExplorerBar, pDC, bSpecial ? EBP_SPECIALGROUPBACKGROUND : EBP_NORMALGROUPBACKGROUND, 0, rect);
}
