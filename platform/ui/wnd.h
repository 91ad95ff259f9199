// CWnd: a window handle with its message map.
//
// A CWnd either owns its window (created by CreateEx, or subclassed: the
// window's messages then run through the object's message map and the
// window dies with the object) or stands for a window of someone else
// (FromHandle: a temporary object, freed at the thread's next idle time).
// Each window handle has at most one permanent object per thread.
//
// Windows created through the framework are attached to their object before
// the system sends them their first message, system classes (BUTTON, EDIT,
// dialog boxes) included. No C++ exception leaves a window procedure: a
// handler that throws gets the message's default answer (creation messages
// fail the creation, WM_PAINT validates the window).
//
// Points and rectangles are taken as the system's POINT and RECT (CPoint and
// CRect are those); handlers receive CPoint and CDC* as the framework passes
// them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/framework/string.h"
#include "platform/ui/cmd_target.h"
#include "platform/ui/framework_ids.h"
#include "platform/ui/geometry.h"
#include "platform/ui/menu.h"

// winuser.h spells this call as a macro; CWnd has a member of that name.
#undef GetNextWindow

class CDataExchange;
class CDC;
class CFont;
class CRgn;
class CToolTipCtrl;

// RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001   // no WM_ENTERIDLE to the owner
#define MLF_NOKICKIDLE 0x0002  // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE 0x0004  // show the window when the loop first idles
class CFrameWnd;
class CListBox;
class CScrollBar;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    // A window still attached is destroyed with the object.
    ~CWnd() override;

    HWND m_hWnd;
    // The owner that GetOwner answers instead of the parent, when set.
    HWND m_hWndOwner;
    // WF_ flags of framework_ids.h.
    UINT m_nFlags;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool operator==(const CWnd& other) const { return m_hWnd == other.m_hWnd; }
    bool operator!=(const CWnd& other) const { return m_hWnd != other.m_hWnd; }

    // ---- Handles and objects ------------------------------------------------
    // The permanent object of the window, else a temporary one; null for null.
    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Frees the thread's temporary window and menu objects (done at idle).
    static void DeleteTempMap();

    // Makes this the window's permanent object without taking its messages;
    // fails when the object holds a window or the handle is no window.
    BOOL Attach(HWND hWndNew);
    // Gives up the window without destroying it (a subclassed window gets its
    // own procedure back).
    HWND Detach();
    // Attach, and route the window's messages through this object.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    // ---- Creation and destruction ---------------------------------------------
    // A child window (WS_CHILD is added).
    virtual BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // FALSE leaves no window behind; PostNcDestroy has then run once (a
    // self-deleting object is gone).
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x,
                  int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    // A modeless window built from a dialog template of the resources.
    BOOL CreateDlg(LPCSTR lpszTemplateName, CWnd* pParentWnd);
    BOOL CreateDlgIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    // Sends the initial strings of a dialog template's initialisation data
    // (RT_DLGINIT) to its list and combo boxes.
    BOOL ExecuteDlgInit(LPCSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource);
    virtual BOOL DestroyWindow();

    // ---- Message handling -----------------------------------------------------
    // The message as the window procedure received it last, on this thread.
    static const MSG* GetCurrentMessage();
    // Sends the message to every child (and with bDeep every descendant);
    // with bOnlyPerm only to windows that have a permanent object.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    static void SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         BOOL bDeep, BOOL bOnlyPerm);
    // Enables and checks the child controls after the target's update
    // handlers; with bDisableIfNoHandler, a control whose command the target
    // does not handle is disabled.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
    // Runs DoDataExchange: TRUE moves the controls' values into members (and
    // validates), FALSE the members into the controls. FALSE when a value
    // was refused; the user has been told and the control has the focus.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Treats a key or mouse message for this window or its controls as a
    // dialog box does (Tab, arrows, mnemonics among the controls); TRUE when
    // it took the message.
    BOOL PreTranslateInput(MSG* pMsg);
    // Offers the message to the windows from its own up to and including
    // hWndStop; TRUE when one of them took it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // ---- Tooltips ---------------------------------------------------------------
    // Shows tooltips for what OnToolHitTest finds under the mouse.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // Keeps the thread's tooltip control in step with the mouse message.
    void FilterToolTipMessage(MSG* pMsg);
    // The tool under a client point: fills pTI (hwnd, uId, rect, lpszText:
    // LPSTR_TEXTCALLBACK or a malloc'ed copy the framework frees) and
    // answers its id, or -1 for none. The base finds the child control
    // under the point.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const;

    // ---- Family ---------------------------------------------------------------
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    // The stored owner, else the parent.
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    // The first ancestor that is not a child window.
    CWnd* GetParentOwner() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    // The nearest ancestor (or, for the top-level form, the outermost one)
    // that is a frame window; null when there is none.
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    // The window a dialog box or message box should be owned by: the given
    // window's top-level parent, else the main window's. pWndTop receives the
    // top-level window that the box disables.
    static CWnd* GetSafeOwner(CWnd* pParent = nullptr, HWND* pWndTop = nullptr);
    // Frames answer themselves; every other window null.
    virtual CFrameWnd* AsFrameWnd();
    virtual BOOL IsFrameWnd() const;

    // ---- Modal loops ------------------------------------------------------------
    // Pumps messages through the thread's pre-translation, kicking idle with
    // WM_KICKIDLE, until EndModalLoop; returns its result. -1 when WM_QUIT
    // arrived (it is posted again for the outer loop).
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // ---- Thin calls ---------------------------------------------------------------
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);

    void SetWindowText(LPCSTR lpszString);
    int GetWindowText(LPSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    // A temporary object unless the font's owner is known; null for the
    // system font.
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    void SetDlgItemText(int nID, LPCSTR lpszString);
    int GetDlgItemText(int nID, LPSTR lpStr, int nMaxCount) const;
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    UINT IsDlgButtonChecked(int nIDButton) const;
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void BringWindowToTop();
    CWnd* ChildWindowFromPoint(POINT point) const;
    CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const;

    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsChild(const CWnd* pWnd) const;
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }

    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, HRGN hrgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    // Temporary objects (CDC::FromHandle); give them back with ReleaseDC.
    CDC* GetDC();
    CDC* GetWindowDC();
    // DCX_ flags; the region (owned by the system afterwards when
    // DCX_INTERSECTRGN or DCX_EXCLUDERGN is given) may be null.
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    int ReleaseDC(CDC* pDC);
    // Only one window at a time can be locked; FALSE when another is.
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();

    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    BOOL SetForegroundWindow();
    static CWnd* GetForegroundWindow();
    static CWnd* GetDesktopWindow();
    static CWnd* WindowFromPoint(POINT point);
    static CWnd* FindWindow(LPCSTR lpszClassName, LPCSTR lpszWindowName);
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetTopWindow() const;
    CWnd* GetLastActivePopup() const;
    BOOL FlashWindow(BOOL bInvert);

    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    CMenu* GetSystemMenu(BOOL bRevert) const;

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);
    BOOL SetWindowContextHelpId(DWORD dwContextHelpId);
    DWORD GetWindowContextHelpId() const;

protected:
    // ---- Creation hooks ---------------------------------------------------------
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    // Called with the window attached and before its messages run through the
    // object (at creation before the first message, and before subclassing).
    virtual void PreSubclassWindow();
    // After the window's last message; windows that delete themselves do it here.
    virtual void PostNcDestroy();

    // ---- Message plumbing ---------------------------------------------------------
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Finds the handler of the message in the map chain; FALSE when none took it.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The window's own procedure (the class's, or the one subclassing replaced).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default answer to the current message.
    LRESULT Default();
    // WM_COMMAND: offers a control's notification to the control (reflection),
    // then routes the command through OnCmdMsg. Menu and accelerator commands
    // whose update handler disables them are not run.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: reflection to the control, then OnCmdMsg.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A message of this control at its parent: TRUE when this control handled
    // it (reflection) and the parent should not.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Offers the current message to the child's object.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    // Offers a message of the child to the child's object.
    static BOOL ReflectMessage(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* pResult);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    virtual void DoDataExchange(CDataExchange* pDX);

    // ---- Message handlers (each answers the default unless overridden) --------
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnClose();
    void OnPaint();
    void OnNcPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnSizing(UINT fwSide, LPRECT pRect);
    void OnMove(int x, int y);
    void OnExitSizeMove();
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    void OnMButtonUp(UINT nFlags, CPoint point);
    void OnMButtonDblClk(UINT nFlags, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void OnNcRButtonDown(UINT nHitTest, CPoint point);
    void OnNcRButtonUp(UINT nHitTest, CPoint point);
    void OnNcMButtonDown(UINT nHitTest, CPoint point);
    void OnNcMButtonUp(UINT nHitTest, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnMouseLeave();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    BOOL OnNcActivate(BOOL bActive);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnCaptureChanged(CWnd* pWnd);
    void OnCancelMode();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    void OnEnable(BOOL bEnable);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    BOOL OnHelpInfo(HELPINFO* lpHelpInfo);
    HCURSOR OnQueryDragIcon();
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* pFocusWnd);
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL bEnding);
    // The default handlers below offer the message to the child control first.
    void OnParentNotify(UINT message, LPARAM lParam);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);
    int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);

    // The procedure subclassing replaced, called by DefWindowProc.
    WNDPROC m_pfnSuper;
    // The result EndModalLoop gave.
    int m_nModalResult;

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK FrameworkCreationHook(int, WPARAM, LPARAM);

    // Joins the object to the window as its permanent object.
    void AttachPermanent(HWND hWnd);
    // Routes the window's messages through the framework's procedure.
    void Subclass();
    // What follows WM_NCDESTROY: the object lets go of the window and may
    // delete itself (once creation has returned).
    void FinishNcDestroy();

    bool m_inCreation;
    bool m_endedInCreation;
};
