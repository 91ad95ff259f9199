// CWtkGlobalUtils: the toolkit's docking utilities. One global instance
// lives for the whole program; callers may also make short-lived ones.
#pragma once

#include <windows.h>

#include "platform/ui/framework_ids.h"
#include "platform/ui/geometry.h"

class CObList;
class CWnd;
class CWtkBaseControlBar;
class CWtkDockManager;

class CWtkGlobalUtils {
public:
    CWtkGlobalUtils() = default;
    virtual ~CWtkGlobalUtils() = default;
    CWtkGlobalUtils(const CWtkGlobalUtils&) = delete;
    CWtkGlobalUtils& operator=(const CWtkGlobalUtils&) = delete;

    // The dock manager of a toolkit frame of any kind (SDI, MDI, MDI child,
    // OLE in-place, OLE document in-place, OLE container); null for any
    // other window. A dialog or a property sheet marks that bars live in
    // dialogs.
    CWtkDockManager* GetDockManager(CWnd* pWnd);

    // Whether the screen point lies in the docking band along one of the
    // edges of pBar's window (or of lpRectBar when there is no bar), tested
    // top, left, bottom, right; the first band that holds the point and
    // whose side is in dwEnabledAlignment sets dwAlignment. Outer bands lie
    // outside the rectangle (nSensitivity deep), inner bands reach into it
    // (past a docking bar's caption at the top and its caption rectangle at
    // the bottom).
    BOOL CheckAlignment(CPoint point, CWtkBaseControlBar* pBar, int nSensitivity, BOOL bOuterEdge,
                        DWORD& dwAlignment, DWORD dwEnabledAlignment = CBRS_ALIGN_ANY,
                        LPCRECT lpRectBar = nullptr) const;

    // Turns the rectangle by nAngle degrees: 180 swaps top and bottom, 90
    // and -90 rotate the edges; any other angle leaves it.
    void FlipRect(CRect& rect, int nAngle) const;

    // Moves every window of lstWindows (CWnd objects) into pNewParent,
    // passing hidden ones over when bCheckVisibility. A slider only changes
    // parent; any other window is hidden meanwhile and parked at minus its
    // own size before it is shown again.
    void ReparentWindows(const CObList& lstWindows, CWnd* pNewParent, BOOL bCheckVisibility = FALSE) const;

    // Where pDraggedWnd (a control bar or a mini frame) would dock if
    // dropped at the screen point: the bar it would dock to (pTargetBar),
    // whether it would dock onto that bar itself (bDockToBar, the point on
    // the bar's caption or edge) and the rectangle it would take
    // (rectDrop). Nothing while the Ctrl key is down.
    BOOL GetDockingInfo(CWtkDockManager* pDockManager, CWnd* pDraggedWnd, CPoint point, CRect& rectDrop,
                        BOOL& bDockToBar, CWtkBaseControlBar*& pTargetBar);

    // Whether the dragged bar (or a mini frame's first bar) may dock to a
    // floating bar: it is docked in a multi-bar mini frame, or may float
    // together with others.
    BOOL CanBeDockedToFloatingBar(CWnd* pDraggedWnd) const;

    // Set once bars were met that live in a dialog rather than in a frame:
    // requests that concern a frame then succeed without doing anything.
    BOOL m_bDialogApp = FALSE;
};

extern CWtkGlobalUtils g_wtkGlobalUtils;
