// CWtkBaseControlBar: the root of every toolkit bar (toolbars, the menu bar,
// the rebar, the status bar, the caption bar, docking bars, dock bars and
// sliders). A child window that knows its dock site, its alignment and
// docking sides, its capabilities, the dock bar and row that hold it while
// docked, and whether it floats in a mini frame or sits as a tab in a tab
// window. It hands owner-directed messages on to its owner, paints its
// background through the visual manager, keeps its visibility in the
// registry ("IsVisible") and routes the requests that concern the whole
// frame to whichever toolkit frame kind owns it.
#pragma once

#include <windows.h>

#include "platform/ui/geometry.h"
#include "platform/ui/wnd.h"

class CArchive;
class CDC;
class CFrameWnd;
class CWtkBaseTabWnd;
class CWtkDockBar;
class CWtkDockBarRow;
class CWtkMiniFrameWnd;
struct CCreateContext;

// Capability flags of a bar: the control-bar style given to CreateEx.
enum : DWORD {
    WTK_CBRS_FLOAT = 0x1,     // may be dragged off to float
    WTK_CBRS_AUTOHIDE = 0x2,  // may collapse to an auto-hide button
    WTK_CBRS_RESIZE = 0x4,    // may be resized
    WTK_CBRS_CLOSE = 0x8,     // may be closed
};

class CWtkBaseControlBar : public CWnd {
    DECLARE_DYNAMIC(CWtkBaseControlBar)
public:
    CWtkBaseControlBar();
    ~CWtkBaseControlBar() override;

    // ---- Creation ---------------------------------------------------------------
    // The bar style takes dwStyle in addition, the capability flags become
    // dwControlBarStyle. With a dialog template name set the window is made
    // from that template as a child (the template's own dialog bits kept),
    // else as an ordinary window. The dock site is the parent when it is a
    // frame, else the frame above the parent. On failure nothing is kept.
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle = 0,
                          CCreateContext* pContext = nullptr);

    // ---- Where the bar is -------------------------------------------------------
    // Top or bottom alignment.
    virtual BOOL IsHorizontal() const;
    // No parent mini frame, or one that does not hold exactly one bar.
    virtual BOOL IsDocked() const;
    // The parent window is a tab window.
    virtual BOOL IsTabbed() const;
    virtual BOOL IsFloating() const;
    // A tabbed bar: its tab window is visible and shows the bar's tab. Else,
    // while a saved layout is applied, the visibility read from the
    // registry; else the window's WS_VISIBLE bit.
    virtual BOOL IsBarVisible() const;
    virtual BOOL CanBeDetached() const { return CanFloat(); }
    // Whether the bar may dock in that dock bar; the base never does.
    virtual BOOL CanBeDocked(CWtkDockBar* pDockBar) const;
    virtual DWORD GetCurrentAlignment() const { return m_dwStyle & CBRS_ALIGN_ANY; }
    virtual DWORD GetEnabledAlignment() const { return m_dwEnabledAlignment; }
    // The frame that hosts the bar; a bar without one in a dialog marks that
    // bars live in dialogs (the frame requests then succeed doing nothing).
    virtual CFrameWnd* GetDockSite() const;
    virtual CWtkDockBar* GetParentDockBar() const { return m_pParentDockBar; }
    // The visibility read by LoadState.
    virtual BOOL GetRecentVisibleState() const { return m_bRecentVisibleState; }
    virtual BOOL IsRestoredFromRegistry() const { return m_bIsRestoredFromRegistry; }
    virtual void SetRestoredFromRegistry(BOOL bRestored) { m_bIsRestoredFromRegistry = bRestored; }
    // 1: the bar itself follows the mouse while dragged; 2: an outline does.
    // A bar without a mode of its own has the toolkit's default.
    virtual int GetDockMode() const;
    virtual HICON GetIcon(BOOL bBigIcon = TRUE) const;
    // The first mini frame among the bar's ancestors, or null.
    virtual CWtkMiniFrameWnd* GetParentMiniFrame(BOOL bNoAssert = FALSE) const;
    // The tab window that holds the bar (through the tabbed bar that holds
    // it, or through a docking wrapper around it), and in hWndTab the window
    // its tab shows; null when the bar is no tab.
    CWtkBaseTabWnd* GetParentTabWnd(HWND& hWndTab) const;
    CWtkDockBarRow* GetDockBarRow() const { return m_pDockBarRow; }
    // Kept by the row that takes the bar in or lets it go.
    void SetDockBarRow(CWtkDockBarRow* pRow) { m_pDockBarRow = pRow; }

    // ---- Styles and capabilities --------------------------------------------------
    virtual DWORD GetBarStyle() const { return m_dwStyle; }
    virtual DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }
    virtual BOOL CanBeClosed() const { return (m_dwControlBarStyle & WTK_CBRS_CLOSE) != 0; }
    // A tab asks its tab window whether the tab may be dragged out; any other
    // bar answers its float capability.
    virtual BOOL CanFloat() const;
    virtual BOOL CanBeResized() const { return (m_dwControlBarStyle & WTK_CBRS_RESIZE) != 0; }
    virtual BOOL CanAutoHide() const { return (m_dwControlBarStyle & WTK_CBRS_AUTOHIDE) != 0; }
    virtual void SetBarAlignment(DWORD dwAlignment);
    virtual void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    virtual void EnableDocking(DWORD dwAlignment) { m_dwEnabledAlignment = dwAlignment; }
    void SetDockSite(CFrameWnd* pDockSite) { m_pDockSite = pDockSite; }

    // ---- Docking, floating and showing --------------------------------------------
    // What derived bars do when they dock, float or leave their dock bar; the
    // base bar does none of it.
    virtual BOOL DockControlBar(CWtkDockBar* pDockBar, LPCRECT lpRect, int nDockMethod);
    virtual BOOL FloatControlBar(CRect rect, int nDockMethod, BOOL bShow);
    virtual CWtkMiniFrameWnd* CreateDefaultMiniFrame(CRect rectInitial);
    virtual void UnDockControlBar(BOOL bDelay) {}
    virtual void RemoveFromDockBar() {}
    virtual void OnAfterChangeParent(CWnd* pWndOldParent) {}
    // Lays the bar's own content out again.
    virtual void RecalcLayout() {}
    // SW_SHOWNOACTIVATE or SW_HIDE: a floating bar with its mini frame, a
    // docked one through its dock bar, a tab through its tab window (a
    // tabbed bar left without a shown tab hides itself); any other bar shows
    // or hides its window and, unless bDelay, the layout follows.
    virtual void ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate);
    // Lays out what holds the bar: its mini frame, else its frame's docked
    // bars.
    virtual void AdjustDockingLayout(HDWP hdwp = nullptr);

    // ---- Placing the window -------------------------------------------------------
    // Moves the window to lpRect (in its parent's client coordinates); when
    // it is there already nothing happens and hdwp comes back. Without hdwp
    // the move is immediate (null returned); with one it joins the batch,
    // or happens at once when the batch refuses it (hdwp returned).
    virtual HDWP MoveBarWindow(LPCRECT lpRect, BOOL bRepaint = TRUE, HDWP hdwp = nullptr);
    // SetWindowPos without hdwp (null returned); with one, through the batch,
    // or at once when the batch refuses it (hdwp returned).
    virtual HDWP SetBarWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags,
                                 HDWP hdwp = nullptr);

    // ---- Layout and painting --------------------------------------------------------
    // Stretched bars take the whole length (32767) and no thickness; others
    // nothing.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // Updates the bar's items from pTarget's command handlers.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) {}
    // Fills the client area with the visual manager's bar background.
    virtual void DoPaint(CDC* pDC);

    // ---- State ------------------------------------------------------------------------
    // "IsVisible" under the key "<path>WtkBaseControlBar-<id><index in hex>"
    // (index -1: "<path>WtkBaseControlBar-<id>"), the path being the registry
    // path of the section "WtkBaseControlBars" for the profile; id -1 stands
    // for the window's control id. LoadState answers FALSE and changes nothing
    // when the key is missing; SaveState answers FALSE when the key cannot be
    // made or the value not written.
    virtual BOOL LoadState(LPCSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = static_cast<UINT>(-1));
    virtual BOOL SaveState(LPCSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = static_cast<UINT>(-1));
    // Two 32-bit words: the current alignment and the visibility. Loading
    // replaces the bar's alignment with the stored one.
    void Serialize(CArchive& ar) override;

    // ---- Requests that concern the whole frame ----------------------------------------
    // Each goes to the toolkit frame above the bar (for FrameDockControlBar
    // with bUseDockSite, the dock site) when it is one of the toolkit's frame
    // kinds. With no frame in a dialog they succeed at once; otherwise they
    // answer FALSE or null.
    BOOL FrameAddControlBar(CWtkBaseControlBar* pBar);
    BOOL FrameRemoveControlBar(CWtkBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout, BOOL bAutoHide);
    BOOL FrameIsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const;
    CWtkBaseControlBar* FrameBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                          const CRuntimeClass* pRTCBarType) const;
    // A multi-bar mini frame that holds the bar is asked first.
    BOOL FrameInsertControlBar(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter);
    // Docks this bar with the frame's first suitable dock bar.
    BOOL FrameDockControlBar(BOOL bUseDockSite);

    // The frame's translation, then (outside context-help mode) the owner and
    // the frames above it, then the dialog keys of the bar's controls.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The dock mode of bars without one of their own.
    static int s_nDefaultDockMode;

protected:
    // The registry key of one bar's state under the section:
    // "<path>Wtk<kind>-<id>[<index in hex>]"; id -1 is the window's id and
    // index -1 drops the suffix.
    CString StateKey(LPCSTR lpszSection, LPCSTR lpszKind, LPCSTR lpszProfileName, int nIndex, UINT uiID) const;

    // Item, command and notification messages that the bar's own handlers
    // leave go to the owner; a tooltip text the owner leaves unanswered is
    // asked of the bar itself.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    // The docking sides (CBRS_ALIGN_*).
    DWORD m_dwEnabledAlignment = 0;
    // CBRS_ style; its CBRS_ALIGN_ANY bits are the current alignment.
    DWORD m_dwStyle = 0;
    // WTK_CBRS_ capability flags.
    DWORD m_dwControlBarStyle = 0;
    BOOL m_bRecentVisibleState = FALSE;
    BOOL m_bIsRestoredFromRegistry = FALSE;
    CWtkDockBar* m_pParentDockBar = nullptr;
    CWtkDockBarRow* m_pDockBarRow = nullptr;
    CFrameWnd* m_pDockSite = nullptr;
    // 0: the toolkit's default (s_nDefaultDockMode).
    int m_dockMode = 0;
    // A bar made from a dialog template names it here before CreateEx; the
    // window's size is then kept as the template size.
    LPCSTR m_lpszBarTemplateName = nullptr;
    CSize m_sizeDialog;

private:
    BOOL CreateFromTemplate(DWORD dwStyle, CWnd* pParentWnd, UINT nID);
    // The frame that requests go to: the dock site or the frame above.
    CFrameWnd* RoutingFrame(BOOL bUseDockSite) const;
    // The bar's own handlers (its classes' message maps and the controls'
    // reflection) for a message that otherwise goes to the owner.
    BOOL OnOwnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    void ShowTab(BOOL bShow, BOOL bDelay, BOOL bActivate);
};
