// CWtkDragOutline: the hatched rectangle that follows the mouse while a bar
// or a mini frame is dragged in outline mode. Every control bar and every
// mini frame embeds one. Over the caption of a bar that would take the
// dragged window as a tab, the outline becomes tab-shaped (over a plain
// bar) or a temporary tab appears in the bar's tab window (over a tabbed
// bar).
#pragma once

#include <windows.h>

#include "platform/ui/geometry.h"

class CWnd;
class CWtkBaseControlBar;
class CWtkDockManager;

class CWtkDragOutline {
public:
    CWtkDragOutline();
    virtual ~CWtkDragOutline();
    CWtkDragOutline(const CWtkDragOutline&) = delete;
    CWtkDragOutline& operator=(const CWtkDragOutline&) = delete;

    // Binds the outline to the window being dragged (a mini frame or a
    // control bar) and finds the dock manager that proposes drop places.
    void Init(CWnd* pDraggedWnd);
    // Follows the cursor: redraws the outline at the place a drop would
    // take now. Moves below the system's drag threshold draw nothing once
    // an outline exists, unless bForceMove. A docked control bar's outline
    // starts with the size of its recent floating rectangle.
    void MoveDragOutline(BOOL bForceMove = FALSE);
    // Erases what is drawn. bFinal also takes away a temporary tab or a tab
    // outline and forgets the rectangles and the target bar.
    void EndDrawDragOutline(BOOL bFinal = TRUE);
    // Draws (bDrawTab) or erases the tab-shaped outline over pBar's window.
    void DrawTabOutline(CWtkBaseControlBar* pBar, BOOL bDrawTab);
    // Draws lpRectNew on the desktop with the half-tone drag pattern,
    // erasing lpRectOld (drawn with nOldWidth) when given. With bErase the
    // new rectangle is drawn on its own, which takes it off the screen
    // again when it was drawn before.
    virtual void DrawDragRect(LPCRECT lpRectNew, LPCRECT lpRectOld, BOOL bErase, int nWidth, int nOldWidth);

    // The cursor at the last move (screen); the drag start point until the
    // first move.
    CPoint m_ptHot;
    // The outline's own rectangle (screen), empty until the first move.
    CRect m_rectDrag;
    // The rectangle the dock manager proposes for a drop (screen).
    CRect m_rectExpectedDocked;
    // Cleared at every move; set when the move passed the drag threshold.
    BOOL m_bMoved = FALSE;
    // Carried only: whether a target bar was known when the last outline
    // ended.
    BOOL m_bHadTargetOnEnd = FALSE;
    // An outline is on the screen.
    BOOL m_bDragStarted = FALSE;
    // The index of the temporary tab in the target's tab window; 1 while the
    // tab-shaped outline stands for it over a plain bar; -1 for none.
    int m_nInsertedTabID = -1;
    // The width of the outline drawn last.
    int m_nOldThickness;
    CWtkDockManager* m_pDockManager = nullptr;
    CWnd* m_pDraggedWnd = nullptr;
    // The bar under the cursor at the last move.
    CWtkBaseControlBar* m_pTargetBar = nullptr;
    // The tab-shaped outline is on the screen.
    BOOL m_bFrameTabDrawn = FALSE;

private:
    // Takes the temporary tab out of a tabbed target, or erases the tab
    // outline over a plain one.
    void RemoveTabPreDocking(CWtkBaseControlBar* pTarget);
    // Draws the outline at rect, moving it from where it stands.
    void ShowOutline(const CRect& rect);
    // Takes the outline off the screen.
    void HideOutline();

    // What stands on the screen: the outline is drawn by inverting pixels,
    // so only a rectangle that is there may be drawn again to erase it.
    BOOL m_bOutlineShown = FALSE;
    CRect m_rectShown;
};
