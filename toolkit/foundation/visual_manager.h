// CWtkVisualManager: the one object every toolkit window asks to draw its
// look (bar backgrounds, borders, grippers, buttons, menus, captions, status
// panes, combo and edit frames, tabs, headers, task panes). This class draws
// the classic 3D look from the system colours of the display data; derived
// managers override the hooks.
//
// Every hook that selects a pen, brush or font of its own into the DC
// selects the previous one back before it returns and deletes what it
// created; 0xFFFFFFFF as a colour means "no colour of its own". Button
// states: 0 normal, 1 pressed or checked (sunken), 2 highlighted (raised).
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/ui/dc.h"
#include "platform/ui/geometry.h"

class CImageList;
class CWtkBaseControlBar;
class CWtkBaseTabWnd;
class CWtkButton;
class CWtkCaptionButton;
class CWtkHeaderCtrl;
class CWtkMiniFrameWnd;
class CWtkPopupMenu;
class CWtkStatusBar;
class CWtkTaskGroup;
class CWtkTaskLink;
class CWtkToolbarButton;
class CWtkToolbarMenuButton;

class CWtkVisualManager : public CObject {
    DECLARE_DYNCREATE(CWtkVisualManager)
public:
    // A manager that is not temporary becomes the current one when there is
    // none yet; a temporary one never does.
    explicit CWtkVisualManager(BOOL bIsTemporary = FALSE);
    // Clears the current instance when this is it.
    ~CWtkVisualManager() override;

    // The current manager, created (of the selected class, else of this
    // class) and marked for auto-deletion when there is none.
    static CWtkVisualManager* GetInstance();
    // Selects the class of the manager (null: this class). A class that is
    // not a visual manager is ignored. Otherwise the current manager is
    // dropped (deleted when GetInstance created it), so that the next
    // GetInstance creates one of the new class, and every window is redrawn.
    static void SetDefaultManager(const CRuntimeClass* pRTI);
    // Deletes the current manager when GetInstance created it (the
    // toolkit's clean-up at exit); creates none.
    static void DestroyAutoCreatedInstance();
    // Redraws the thread's main window, every live toolbar and every mini
    // frame.
    static void RedrawAll();

    // The 2000 look: a single-line gripper. Redraws everything.
    void SetLook2000(BOOL bLook2000 = TRUE);
    BOOL IsLook2000() const { return m_bLook2000; }
    BOOL IsTemporary() const { return m_bIsTemporary; }
    BOOL IsAutoDelete() const { return m_bAutoDelete; }

    // ---- The look metrics -------------------------------------------------------
    int GetMenuShadowDepth() const { return m_nMenuShadowDepth; }
    BOOL IsMenuFlatLook() const { return m_bMenuFlatLook; }
    BOOL IsShadowHighlightedImage() const { return m_bShadowHighlightedImage; }
    void SetShadowHighlightedImage(BOOL bShadow) { m_bShadowHighlightedImage = bShadow; }
    BOOL IsFadeInactiveImage() const { return m_bFadeInactiveImage; }
    BOOL IsEmbossDisabledImage() const { return m_bEmbossDisabledImage; }

    // ---- The hooks, in slot order --------------------------------------------------
    virtual void OnUpdateSystemColors();
    virtual void FillBarBackground(CDC* pDC, CWtkBaseControlBar* pBar, CRect rectClient, CRect rectClip,
                                   BOOL bNCArea = FALSE);
    virtual void DrawBarBorder(CDC* pDC, CWtkBaseControlBar* pBar, CRect& rect);
    virtual void DrawDoubleBorder(CDC* pDC, CWtkPopupMenu* pMenu, CRect rect);
    virtual void DrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CWtkBaseControlBar* pBar);
    virtual void DrawSeparator(CDC* pDC, CWtkBaseControlBar* pBar, CRect rect, BOOL bHorz);
    // Answers the caption's text colour.
    virtual COLORREF DrawCaption(CDC* pDC, CWtkBaseControlBar* pBar, BOOL bActive, CRect rectCaption,
                                 CRect rectButtons);
    virtual void DrawCaptionButton(CDC* pDC, CWtkCaptionButton* pButton, BOOL bActive, BOOL bHorz,
                                   BOOL bMaximized, BOOL bDisabled);
    virtual void DrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                      BOOL bHighlight);
    virtual void DrawStatusBarPaneBorder(CDC* pDC, CWtkStatusBar* pBar, CRect rectPane, UINT uiID,
                                         UINT nStyle);
    // clrProgressBarDest 0xFFFFFFFF: one colour, else a gradient.
    virtual void DrawStatusBarProgress(CDC* pDC, CWtkStatusBar* pStatusBar, CRect rectProgress,
                                       int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                       COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                       BOOL bProgressText);
    virtual void DrawStatusBarSizeBox(CDC* pDC, CWtkStatusBar* pStatusBar, CRect rectSizeBox);
    virtual void DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                     BOOL bIsHighlighted, CWtkToolbarButton* pButton);
    virtual void DrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted, BOOL bIsDropped,
                                 CWtkToolbarButton* pButton);
    virtual void DrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                CWtkToolbarButton* pButton);
    virtual void FillCaptionStrip(CDC* pDC, CRect rect, BOOL bHighlight);
    virtual void FillButtonInterior(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState);
    virtual void DrawButtonBorder(CDC* pDC, CWtkToolbarButton* pButton, CRect rect, int nState);
    // Answers the item's text colour.
    virtual COLORREF HighlightMenuItem(CDC* pDC, CWtkToolbarMenuButton* pButton, CRect rect);
    virtual void HighlightRarelyUsedItems(CDC* pDC, CRect rect);
    virtual COLORREF GetButtonTextColor(CWtkToolbarButton* pButton, int nState);
    virtual COLORREF GetSystemWindowColor(CWtkToolbarButton* pButton);
    virtual void FillFaceArea(CDC* pDC, CRect rect, CWtkToolbarButton* pButton, COLORREF& clrText);
    virtual void DrawDoubleFrame(CDC* pDC, CRect& rect, BOOL bFirst, BOOL bSecond);
    virtual void FillTabArea(CDC* pDC, CRect rectTabs, CWtkBaseTabWnd* pTabWnd);
    virtual void DrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, CWtkBaseTabWnd* pTabWnd);
    virtual void FillTab(CDC* pDC, CRect rect, CWtkButton* pButton, CWtkBaseTabWnd* pTabWnd);
    virtual void DrawInsetFrame(CDC* pDC, CRect& rect, CWtkButton* pButton, UINT uiState,
                                CWtkBaseTabWnd* pTabWnd);
    // Answers the row's text colour.
    virtual COLORREF FillCommandsListItem(CDC* pDC, CRect rect, BOOL bIsSelected);
    virtual CSize GetButtonExtraBorder() const;
    // Answers the caption's text colour.
    virtual COLORREF FillBarArea(CDC* pDC, CRect rectCaption, CWtkMiniFrameWnd* pFrame, BOOL bActive);
    virtual void DrawMiniFrameBorder(CDC* pDC, CWtkMiniFrameWnd* pFrame, CRect rectWindow,
                                     CRect rectBorderSize);
    virtual void DrawHeaderItemBorder(CWtkHeaderCtrl* pHeader, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                      BOOL bIsHighlighted = FALSE);
    virtual void DrawHeaderSortArrow(CDC* pDC, CRect rect, BOOL bIsUp);
    virtual void FillTaskPaneBackground(CDC* pDC, CRect rect);
    virtual void DrawTaskGroupCaption(CDC* pDC, CWtkTaskGroup* pGroup, BOOL bIsHighlighted, BOOL bUnused,
                                      BOOL bCanCollapse);
    virtual void FillTaskGroupInterior(CDC* pDC, CRect rect);
    virtual void FillTaskGroupBackground(CDC* pDC, CRect rect, BOOL bSpecial);
    virtual void DrawPenShape(CDC* pDC, CRect rect, BOOL bHighlightColor, BOOL bClosed);
    virtual void DrawLinkItem(CDC* pDC, CWtkTaskLink* pLink, CImageList* pIcons, BOOL bIsHighlighted,
                              BOOL bUnused);
    virtual int GetMenuImageMargin() const;
    // TRUE in the classic look; the flat looks answer FALSE.
    virtual BOOL IsClassicLook(CWtkToolbarButton* pButton);

protected:
    // A task link's icon and name, the name in textColor (0xFFFFFFFF: the
    // DC's own); both looks draw links this way and differ in the colour.
    void DrawLinkItemInColor(CDC* pDC, CWtkTaskLink* pLink, CImageList* pIcons, BOOL bIsHighlighted,
                             COLORREF textColor);
    // The progress in whole percent of nTotal (above 0), centred in the
    // rectangle in the button text colour; answers the filled part of the
    // rectangle, nCurrent clamped to the range.
    // The menu glyph of a caption button by its hit code (8 the third
    // button, 9 the pin, 19 and 20 close); -1 for none.
    static int CaptionButtonGlyph(UINT nHit, BOOL bHorz, BOOL bMaximized);
    static CRect ProgressPart(const CRect& rectProgress, int nTotal, int nCurrent);
    static void DrawProgressText(CDC* pDC, const CRect& rectProgress, int nTotal, int nCurrent);

    BOOL m_bLook2000 = FALSE;

    int m_nMenuShadowDepth = 6;
    BOOL m_bMenuFlatLook = FALSE;
    BOOL m_bShadowHighlightedImage = FALSE;
    BOOL m_bFadeInactiveImage = TRUE;
    BOOL m_bEmbossDisabledImage = FALSE;

    BOOL m_bIsTemporary;

    // Task and group pane metrics (the classic ones until a look changes them).
    void SetClassicGroupMetrics();
    int m_nGroupVertOffset;
    int m_nGroupCaptionHeight;
    int m_nGroupCaptionHorzOffset;
    int m_nGroupCaptionVertOffset;
    int m_nGroupTextHorzOffset;
    int m_nGroupTextVertOffset;
    int m_nTasksHorzOffset;
    int m_nTasksIconHorzOffset;
    int m_nTasksIconVertOffset;
    BOOL m_bActiveCaptions;

    BOOL m_bAutoDelete = FALSE;

private:
    static CWtkVisualManager* s_pInstance;
    static const CRuntimeClass* s_pRTIDefault;
};
