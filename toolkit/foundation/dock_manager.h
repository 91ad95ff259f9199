// CWtkDockManager: the docking layout of one toolkit frame. It keeps the
// frame's docked bars in layout order and answers which bar lies at a
// point; it owns none of their windows.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/framework/oblist.h"
#include "platform/ui/geometry.h"

class CFrameWnd;
class CWnd;
class CWtkBaseControlBar;
class CWtkDockBar;

class CWtkDockManager : public CObject {
public:
    CWtkDockManager();
    ~CWtkDockManager() override;
    CWtkDockManager(const CWtkDockManager&) = delete;
    CWtkDockManager& operator=(const CWtkDockManager&) = delete;

    // Binds the manager to its frame (the dock site of its bars).
    BOOL Create(CFrameWnd* pFrame);
    CFrameWnd* GetDockSite() const { return m_pFrame; }

    // Appends (bTail) or prepends the bar to the bar list, or to the
    // auto-hide list; without bTail and with bInsertForOuterEdge the bar goes
    // before the first bar that may be detached. FALSE when the bar is
    // already there. The frame becomes the bar's dock site.
    BOOL AddControlBar(CWtkBaseControlBar* pBar, BOOL bTail = TRUE, BOOL bAutoHide = FALSE,
                       BOOL bInsertForOuterEdge = FALSE);
    // Puts the bar before or after pTarget in the bar list; FALSE when the
    // bar is already listed or the target is not.
    BOOL InsertBarNextTo(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter = TRUE);
    // Takes the bar out of the auto-hide list or the bar list (nothing when
    // it is not there), then destroys its window and lays out as asked.
    void RemoveBar(CWtkBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout, BOOL bAutoHide);
    // Docks the bar with the frame's dock bars. Without dock bars only a bar
    // that may neither float nor be resized joins the bar list (at its end),
    // and only once the list holds something.
    void DockControlBar(CWtkBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);

    // The first bar of the bar list of that class (any when null) whose
    // window rectangle, grown by nSensitivity unless bExact, holds the screen
    // point; hidden bars are passed over with bCheckVisibility, and pIgnore
    // always.
    virtual CWtkBaseControlBar* BarAtPoint(CPoint point, int nSensitivity, BOOL bExact,
                                           const CRuntimeClass* pClass, BOOL bCheckVisibility = FALSE,
                                           const CWtkBaseControlBar* pIgnore = nullptr) const;
    // Whether the screen point lies in the docking zone along a frame edge;
    // the frame has no dock bars to dock at yet.
    BOOL EdgeZoneAtPoint(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const;
    // The first dock bar of the bar list (from the head, or from the tail)
    // at the side dwAlignment & CBRS_ALIGN_ANY; null when none.
    virtual CWtkDockBar* DockBarForSide(DWORD dwAlignment, BOOL bFromHead = TRUE) const;
    // Lays the docked bars out; they keep their places for now.
    virtual BOOL AdjustDockingLayout(HDWP hdwp = nullptr);

    // Locks (bLock) or unlocks the frame's window updates while something is
    // dragged over it. The system locks one window at a time, so only the
    // frame is locked; drag outlines draw through the lock.
    void FreezeRedraw(BOOL bLock);
    BOOL IsUpdateLocked() const { return m_bIsUpdateLocked; }
    // Where pDraggedWnd would go if dropped at the screen point (x, y):
    // rectDrop (screen, empty for nowhere), whether the point is on a
    // caption that takes it as a tab (bDrawTab) and the bar under the point.
    // FALSE when there is no proposal; none is made for now.
    virtual BOOL PreviewDropRect(CWnd* pDraggedWnd, int x, int y, CRect& rectDrop, BOOL& bDrawTab,
                                 CWtkBaseControlBar*& pTargetBar);
    // The bar of a floating frame whose caption takes the screen point as a
    // place to attach a tab; floating frames take none yet.
    virtual CWtkBaseControlBar* AttachableBarAtPoint(CPoint point) const;
    // The visible docking bar under the screen point. bExact: the window
    // rectangle holds the point, and bOnCaptionOrEdge tells whether it lies
    // on the caption, in a tab area or within nSensitivity of an edge;
    // otherwise the rectangle grown by nSensitivity holds it.
    virtual CWtkBaseControlBar* DockingBarAtPoint(CPoint point, int nSensitivity, BOOL bExact,
                                                  BOOL& bOnCaptionOrEdge) const;

    // TRUE while a saved layout is applied: bars then answer their
    // visibility from the state they read.
    static BOOL s_bRestoringDockState;

private:
    CObList m_lstControlBars;
    CObList m_lstAutoHideBars;
    CFrameWnd* m_pFrame = nullptr;
    BOOL m_bIsUpdateLocked = FALSE;
    // This manager holds the system's window-update lock on its frame.
    BOOL m_bFrameLocked = FALSE;
};
