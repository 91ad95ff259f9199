// CFrameWnd: the single-document frame. It is built from one resource id
// (menu, accelerators, icon and the title before the first "\n" of that
// string), lays its control bars out around the pane AFX_IDW_PANE_FIRST
// (WM_SIZEPARENT to each child), tracks the active view and its document,
// routes commands through them to the application, shows prompts on its
// message bar (the child AFX_IDW_STATUS_BAR), runs the Shift+F1 context-help
// mode and keeps its owned floating windows in step (WM_FLOATSTATUS).
#pragma once

#include <windows.h>

#include "platform/framework/ptrlist.h"
#include "platform/framework/string.h"
#include "platform/ui/print_preview_state.h"
#include "platform/ui/wnd.h"

class CControlBar;
class CDockBar;
class CDockState;
class CDocTemplate;
class CDocument;
class CView;

// What a frame needs to build its view: handed to LoadFrame/Create and on
// to WM_CREATE of the frame and of the view.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

// What WM_SIZEPARENT carries in lParam: the space left (rect, shrunk by each
// bar that takes its side), the total size the bars ask for, whether bars
// stretch over the whole side, and the deferred-position handle through
// which bars move (null when the layout is only measured).
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};


// Lays the children of hWndParent with ids in [nIDFirst, nIDLast] out
// through WM_SIZEPARENT and gives the rest to the child nIDLeftOver.
// nFlag: CFrameWnd::reposDefault, reposQuery (lpRectParam receives the rest,
// nothing moves) or reposExtra (lpRectParam is an inner border kept free).
void AfxRepositionBars(HWND hWndParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag,
                       LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch);

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // The position the system chooses (CW_USEDEFAULT).
    static const CRect rectDefault;

    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    enum BorderCmd { borderGet = 1, borderRequest = 2, borderSet = 3 };
    // m_bHelpMode
    enum HelpMode { HELP_INACTIVE = 0, HELP_ACTIVE = 1, HELP_ENTERING = 2 };
    // m_nIdleFlags: work left for the next idle time.
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

    // ---- Creation -------------------------------------------------------------
    // A frame with the resource's menu (lpszMenuName), the given title.
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                        CCreateContext* pContext = nullptr);
    // Everything from the one resource id: menu, accelerators, icon, and the
    // title (the string up to its first "\n"). Without a context the new
    // frame's children receive WM_INITIALUPDATE at once. The frame is made
    // with new and deletes itself with its window, also when this fails.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCSTR lpszResourceName);
    // A view of the context's class as the pane nID; null on failure.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // Sends WM_INITIALUPDATE to the frame's children and makes the first
    // pane the active view.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    // ---- Layout ---------------------------------------------------------------
    // Bars first (WM_SIZEPARENT), the pane AFX_IDW_PANE_FIRST in the rest;
    // a call made while the layout runs returns at once.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
    // borderGet: the client area the bars leave; borderRequest: whether a
    // border of that size fits; borderSet: keep that border free (null: none).
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);

    // ---- Control bars -----------------------------------------------------------
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // The frame's bar with that control id, floating ones included; or null.
    CControlBar* GetControlBar(UINT nID);
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // Bars' docking state: this framework docks no bars, so the state is
    // empty; it loads and saves without writing anything.
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);
    CPtrList m_listControlBars;

    // ---- Docking (frame_wnd_docking.cpp) ----------------------------------------
    // Makes the dock bars of the CBRS_ALIGN_ sides named (top, bottom, left,
    // right in that order) that the frame does not have yet.
    void EnableDocking(DWORD dwDockStyle);
    // Docks the bar at the dock bar nDockBarID, or with 0 at the first side
    // both the frame and the bar allow; lpRect (screen) picks the row and
    // place. Nothing happens when no such side is open.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats the bar in a CMiniDockFrameWnd whose top-left is at point
    // (screen).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);

    // ---- Views and documents -------------------------------------------------------
    virtual CFrameWnd* GetActiveFrame();
    CView* GetActiveView() const;
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();

    // ---- Menus, accelerators, titles --------------------------------------------
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    // The menu change happens at the next idle time.
    virtual void DelayUpdateFrameMenu(HMENU hMenuAlt);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void DelayUpdateFrameTitle();
    virtual HACCEL GetDefaultAccelerator();
    CString GetTitle() const { return m_strTitle; }
    void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }

    // ---- Message bar ------------------------------------------------------------------
    // The text of string nID up to its first "\n"; empty when there is none.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCSTR lpszText);
    void SetMessageText(UINT nID);
    // The child AFX_IDW_STATUS_BAR, or null (prompts are then dropped).
    virtual CWnd* GetMessageBar();

    // ---- Context help ---------------------------------------------------------------
    virtual BOOL CanEnterHelpMode();
    // Shift+F1: the next click names the window whose help is shown.
    void OnContextHelp();
    void ExitHelpMode();
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

    // ---- Print preview --------------------------------------------------------------
    // Entering hides the visible control bars and records them in pState;
    // leaving shows exactly those again.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);

    // Sends WM_FLOATSTATUS to every window this frame owns.
    void NotifyFloatingWindows(DWORD dwFlags);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    CFrameWnd* AsFrameWnd() override { return this; }
    BOOL IsFrameWnd() const override { return TRUE; }

    HMENU m_hMenuDefault;
    HACCEL m_hAccelTable;
    // HELP_ flags above.
    int m_bHelpMode;
    UINT m_nIDHelp;
    UINT m_nIdleFlags;
    // The id whose prompt the message bar shows (the last one set).
    UINT m_nIDTracking;
    UINT m_nIDLastMessage;
    BOOL m_bAutoMenuEnable;

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The help context of a click at a point of the frame's client area: the
    // answer of WM_HELPHITTEST from the window there and up its parents,
    // else the frame's own resource.
    DWORD HelpContextAt(HWND hWnd, POINT clientPoint);
    // The dock bar for DockControlBar, or null.
    CDockBar* FindDockBar(CControlBar* pBar, UINT nDockBarID);

    BOOL m_bInRecalcLayout;
    // Kept free inside the client area (border space a view asked for).
    CRect m_rectBorder;
    CString m_strTitle;
    HMENU m_hMenuAlt;
    CView* m_pViewActive;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    void OnEnable(BOOL bEnable);
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL bEnding);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowWindowMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitHelpModeMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    BOOL OnBarCheck(UINT nID);
    void OnUpdateContextHelp(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    friend class CView;
    // Runs the help mode's own message loop until a click or a cancel.
    void RunHelpModeLoop();
    bool m_helpModeCancelled;
};
