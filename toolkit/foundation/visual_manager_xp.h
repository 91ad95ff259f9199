// CWtkVisualManagerXP: the flat Office-XP look. Its palette is derived from
// the system colours with the draw manager's colour arithmetic on every
// system colour change (plain system colours on palette screens).
#pragma once

#include "platform/ui/brush.h"
#include "platform/ui/pen.h"
#include "toolkit/foundation/visual_manager.h"

class CWtkVisualManagerXP : public CWtkVisualManager {
    DECLARE_DYNCREATE(CWtkVisualManagerXP)
public:
    explicit CWtkVisualManagerXP(BOOL bIsTemporary = FALSE);
    ~CWtkVisualManagerXP() override;

    // Recomputes the palette.
    void OnUpdateSystemColors() override;

    void FillBarBackground(CDC* pDC, CWtkBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                           BOOL bNCArea = FALSE) override;
    void DrawBarBorder(CDC* pDC, CWtkBaseControlBar* pBar, CRect& rect) override;
    void DrawDoubleBorder(CDC* pDC, CWtkPopupMenu* pMenu, CRect rect) override;
    void DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CWtkBaseControlBar* pBar) override;
    void DrawSeparator(CDC* pDC, CWtkBaseControlBar* pBar, CRect rect, BOOL bHorz) override;
    COLORREF DrawCaption(CDC* pDC, CWtkBaseControlBar* pBar, BOOL bActive, CRect rectCaption,
                         CRect rectButtons) override;
    void DrawCaptionButton(CDC* pDC, CWtkCaptionButton* pButton, BOOL bActive, BOOL bHorz, BOOL bMaximized,
                           BOOL bDisabled) override;
    void DrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL bHighlight) override;
    void DrawStatusBarPaneBorder(CDC* pDC, CWtkStatusBar* pBar, CRect rectPane, UINT uiID, UINT nStyle) override;
    void DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                             CWtkToolbarButton* pButton) override;
    void DrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted, BOOL bIsDropped,
                         CWtkToolbarButton* pButton) override;
    void FillCaptionStrip(CDC* pDC, CRect rect, BOOL bHighlight) override;
    void FillButtonInterior(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState) override;
    void DrawButtonBorder(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState) override;
    COLORREF HighlightMenuItem(CDC* pDC, CWtkToolbarMenuButton* pButton, CRect rect) override;
    void HighlightRarelyUsedItems(CDC* pDC, CRect rect) override;
    COLORREF GetButtonTextColor(CWtkToolbarButton* pButton, int nState) override;
    void FillTabArea(CDC* pDC, CRect rectTabs, CWtkBaseTabWnd* pTabWnd) override;
    void DrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CWtkBaseTabWnd* pTabWnd) override;
    void FillTab(CDC* pDC, CRect rect, CWtkButton* pButton, CWtkBaseTabWnd* pTabWnd) override;
    void DrawInsetFrame(CDC* pDC, CRect& rect, CWtkButton* pButton, UINT uiState, CWtkBaseTabWnd* pTabWnd) override;
    COLORREF FillCommandsListItem(CDC* pDC, CRect rect, BOOL bIsSelected) override;
    COLORREF FillBarArea(CDC* pDC, CRect rectCaption, CWtkMiniFrameWnd* pFrame, BOOL bActive) override;
    void DrawMiniFrameBorder(CDC* pDC, CWtkMiniFrameWnd* pFrame, CRect rectWindow, CRect rectBorderSize) override;
    void DrawTaskGroupCaption(CDC* pDC, CWtkTaskGroup* pGroup, BOOL bIsHighlighted, BOOL bUnused,
                              BOOL bCanCollapse) override;
    void FillTaskGroupBackground(CDC* pDC, CRect rect, BOOL bSpecial) override;
    void DrawPenShape(CDC* pDC, CRect rect, BOOL bHighlightColor, BOOL bClosed) override;
    void DrawLinkItem(CDC* pDC, CWtkTaskLink* pLink, CImageList* pIcons, BOOL bIsHighlighted,
                      BOOL bUnused) override;
    int GetMenuImageMargin() const override;
    BOOL IsClassicLook(CWtkToolbarButton* pButton) override;

    // Builds the row and column pattern brushes when they are missing.
    virtual void CreatePatternBrushes();

    // The text colour on the highlight colour: black when all three of its
    // channels are above 128, else white.
    COLORREF TextOnHighlight() const;
    // The width of a popup menu's image column (without its right pixel).
    virtual int ImageColumnWidth() const;

    // ---- The palette ----------------------------------------------------------------
    COLORREF m_clrMenuLight = 0;
    CBrush m_brMenuLight;
    COLORREF m_clrImageMargin = 0;
    CBrush m_brImageMargin;
    COLORREF m_clrLightFace = 0;
    CBrush m_brLightFace;
    COLORREF m_clrDark = 0;
    CBrush m_brDark;
    COLORREF m_clrHighlight = 0;
    CBrush m_brHighlight;
    COLORREF m_clrPressedHighlight = 0;
    CBrush m_brPressedHighlight;
    COLORREF m_clrChecked = 0;
    CBrush m_brChecked;
    CPen m_penSeparator;
    COLORREF m_clrMenuBorder = 0;
    CBrush m_brMenuBorder;
    COLORREF m_clrShadow = 0;
    COLORREF m_clrLightShadow = 0;
    CBrush m_brShadow;
    COLORREF m_clrHighlightFrame = 0;
    // Lines on every other row, and on every other column.
    CBrush m_brRowPattern;
    CBrush m_brColumnPattern;
    BOOL m_bConnectMenuToParent = TRUE;

private:
    void DeletePalette();
};
