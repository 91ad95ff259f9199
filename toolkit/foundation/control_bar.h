// CWtkControlBar: the dockable bar, base of the toolbars, the menu bar, the
// rebar, the status bar, the caption bar and the docking bars. It adds its
// window class, borders and inside-rectangle rule, the mouse dragging that
// floats a docked bar or moves it inside its dock bar, docking into a dock
// bar and floating into a mini frame, the recent docked and floating places,
// an element buffer for derived bars, and its placement in the registry
// under "WtkControlBars".
#pragma once

#include <windows.h>

#include <memory>

#include "toolkit/foundation/base_control_bar.h"
#include "toolkit/foundation/dock_history.h"
#include "toolkit/foundation/drag_outline.h"

class CWtkDockManager;

class CWtkControlBar : public CWtkBaseControlBar {
    DECLARE_DYNCREATE(CWtkControlBar)
public:
    CWtkControlBar();
    ~CWtkControlBar() override;

    // ---- Creation ---------------------------------------------------------------
    BOOL Create(LPCSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                DWORD dwControlBarStyle = 0, CCreateContext* pContext = nullptr);
    // Without a class name the bar's own window class "WtkControlBar:..." is
    // registered (once) and used; failing that throws the resource
    // exception. The window clips its siblings and children. The rectangle
    // (in the parent's client coordinates) seeds the recent places, the
    // owner becomes the parent.
    BOOL CreateEx(DWORD dwStyleEx, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle = 0,
                  CCreateContext* pContext = nullptr) override;

    // ---- Borders and the inside rectangle -------------------------------------
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpBorders);
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    // Narrows the rectangle to the bar's inside: the border lines of a docked
    // bar, the four borders (turned for a vertical bar) and a gripper.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // ---- Elements of derived bars ------------------------------------------------
    // Replaces the element buffer with nElements zeroed elements of cbElement
    // bytes; 0 elements leave none. FALSE (the old buffer kept) when the
    // memory cannot be had or the size does not fit in memory at all.
    BOOL AllocElements(int nElements, int cbElement);
    int GetCount() const { return m_nCount; }

    // ---- The bar's full rectangle ---------------------------------------------------
    // The window rectangle in the parent's client coordinates: where the bar
    // wants to be in its row, whatever the row made of it.
    void UpdateFullRect();
    void SetFullRectSize(int cx, int cy);
    CRect GetFullRect() const { return m_rectFull; }
    void SetFullRect(const CRect& rect) { m_rectFull = rect; }
    // While dragging: the window rectangle the drag began with, moved by every
    // step of the mouse since (screen coordinates).
    const CRect& GetDragRect() const { return m_rectDrag; }

    // ---- Overrides of the base bar ---------------------------------------------------
    // The parent is a tab window of a tabbed or docking bar, or a wrapper in
    // one.
    BOOL IsTabbed() const override;
    // The dock bar's side is one the bar may dock at.
    BOOL CanBeDocked(CWtkDockBar* pDockBar) const override;
    BOOL DockControlBar(CWtkDockBar* pDockBar, LPCRECT lpRect, int nDockMethod) override;
    // Moves the bar into a new mini frame at rect (screen); see the steps in
    // the body. FALSE only when the mini frame cannot be made or the bar
    // refuses.
    BOOL FloatControlBar(CRect rect, int nDockMethod, BOOL bShow) override;
    // A mini frame of the bar's mini-frame class at rect, owned by the frame
    // above the bar; null (nothing kept) when it cannot be made.
    CWtkMiniFrameWnd* CreateDefaultMiniFrame(CRect rectInitial) override;
    void RecalcLayout() override;
    void RemoveFromDockBar() override;
    void OnAfterChangeParent(CWnd* pWndOldParent) override;
    void UnDockControlBar(BOOL bDelay) override;
    // "ID", the recent places, the floating state, "MRUWidth" and
    // "PinState" under "<path>WtkControlBar-<id><index in hex>" (index -1:
    // without the index) in the section "WtkControlBars", then the base
    // bar's "IsVisible". SaveState answers FALSE when a value could not be
    // written.
    BOOL LoadState(LPCSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = static_cast<UINT>(-1)) override;
    BOOL SaveState(LPCSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = static_cast<UINT>(-1)) override;

    // ---- Sizes ---------------------------------------------------------------------
    virtual BOOL IsDragMode() const { return m_bDragMode; }
    virtual CSize GetMinSize() const { return CSize(1, 1); }
    // How much longer the window may grow to reach its full rectangle.
    virtual int GetExpandableSize() const;
    // How much shorter the window may get before its minimum size.
    virtual int GetAvailableShrink() const;
    // Whether the bar shares its row with other bars.
    virtual BOOL DoesAllowSiblingBars() const { return !m_bExclusiveRow; }
    virtual BOOL StoreOption(BOOL bOption);
    virtual void SetExclusiveRowMode(BOOL bExclusive) { m_bExclusiveRow = bExclusive; }
    virtual BOOL GetExclusiveRowMode() const { return m_bExclusiveRow; }
    BOOL GetOption() const { return m_bOption; }

    // ---- Docking --------------------------------------------------------------------
    virtual void PrepareDock(CWtkDockBar* pDockBar, int nDockMethod);
    // Docks by the mouse position, without a rectangle.
    virtual BOOL DockToBar(CWtkDockBar* pDockBar);
    // Moves the window to a screen rectangle, pushing an edge out to the
    // minimum size unless bNoMinimum; answers the change of size.
    virtual CSize ResizeToRect(const CRect& rectNew, BOOL bNoMinimum = FALSE);
    // Grows (delta > 0) or shrinks the bar along its length as far as it
    // can; answers the change applied.
    virtual int StretchBar(int nStretchSize, HDWP& hdwp);
    // The bar that a drop floats (this one; bHandled FALSE).
    virtual CWtkBaseControlBar* GetBarToFloat(BOOL& bHandled);
    // Whether a dragged bar has left its dock bar; pDockBar gets the dock
    // bar under the cursor.
    virtual BOOL IsLeavingDockBar(int nSensitivity, CWtkDockBar*& pDockBar);
    // Applies a loaded layout to the bar.
    virtual void RestoreDockState(CWtkDockManager* pDockManager);
    virtual void PrepareDoubleClickFloat();
    virtual BOOL OnBeforeFloat(CRect& rect, int nDockMethod) { return TRUE; }
    virtual void UpdateMiniFrameState();
    virtual CSize CalcSizeChange(const CRect& rect) const;
    virtual void AdjustSizeImmediate(BOOL bRecalcLayout = TRUE);
    virtual void ResumeDrag() { EnterDragMode(TRUE); }
    virtual BOOL StorePinState();
    virtual void OnAfterDock(CWtkBaseControlBar* pBar, LPCRECT lpRect, int nDockMethod) {}
    virtual void ReparentBar(CWnd* pNewParent, int nDockMethod);
    virtual void SetDragMode(BOOL bDragMode) { m_bDragMode = bDragMode; }
    virtual BOOL DoDock(CWtkDockBar* pDockBar, LPCRECT lpRect, int nDockMethod);
    virtual void EnterDragMode(BOOL bChangeHotPoint);
    virtual void StoreRecentDockInfo();

    // ---- What the bar remembers --------------------------------------------------------
    CWtkDockHistory& GetRecentDockInfo() { return m_recentDockInfo; }
    const CWtkDockHistory& GetRecentDockInfo() const { return m_recentDockInfo; }
    CWtkDragOutline& GetDragFrameImpl() { return m_dragFrameImpl; }
    BOOL IsDragging() const { return m_bDragging; }
    CPoint GetHotSpot() const { return m_ptHot; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    int GetPinState() const { return m_nPinState; }
    void SetPinState(int nPinState) { m_nPinState = nPinState; }
    BOOL GetRecentFloatingState() const { return m_bRecentFloatingState; }
    void SetMiniFrameRTC(const CRuntimeClass* pClass) { m_pMiniFrameRTC = pClass; }
    const CRuntimeClass* GetMiniFrameRTC() const { return m_pMiniFrameRTC; }

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnNcDestroy();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnCancelMode();
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // Destroys the mini frame that took a drag over, when there is one.
    void DestroyHandOver();
    // Removes the outline of an outline drag and ends the drag; the bar
    // stays where it was.
    void CancelDrag();

    int m_nCount = 0;
    std::unique_ptr<BYTE[]> m_pData;
    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    int m_cxDefaultGap = 2;
    int m_nMRUWidth = 32767;
    CRect m_rectFull;
    CRect m_rectDrag;
    BOOL m_bDragging = FALSE;
    UINT m_nID = 0;
    CPoint m_ptHot;
    BOOL m_bDblClick = FALSE;
    BOOL m_bDragMode = FALSE;
    const CRuntimeClass* m_pMiniFrameRTC;
    CWtkDragOutline m_dragFrameImpl;
    // The mini frame that took a drag over; it goes when the drag ends.
    HWND m_hwndHandOver = nullptr;
    BOOL m_bExclusiveRow = FALSE;
    BOOL m_bOption = TRUE;
    int m_nPinState = 0;
    CWtkDockHistory m_recentDockInfo;
    CRect m_rectSavedDockedRect;
    BOOL m_bRecentFloatingState = FALSE;
    // A floating bar's mouse-down was handed to its mini frame.
    BOOL m_bForwarded = FALSE;
    // The cursor at the last step of a live drag.
    CPoint m_ptLast;
};
