// CFrameWnd: its message handlers, the message bar, menus and titles, the
// View commands of the standard bars and the floating windows it owns.
#include "platform/ui/frame_wnd.h"

#include "platform/ui/app.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/control_bar.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/document.h"
#include "platform/ui/view.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_ENABLE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_INITMENUPOPUP()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
    ON_MESSAGE(WM_SHOWWINDOW, OnShowWindowMessage)
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_EXITHELPMODE, OnExitHelpModeMessage)
    ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
    ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_UPDATE_COMMAND_UI(ID_CONTEXT_HELP, OnUpdateContextHelp)
END_MESSAGE_MAP()

namespace {

bool IsOwnedBy(HWND hWnd, HWND owner)
{
    // Parents of children and owners of popups, up to the top.
    for (HWND up = hWnd; up; ) {
        HWND next = (::GetWindowLongPtrA(up, GWL_STYLE) & WS_CHILD) ? ::GetParent(up) : ::GetWindow(up, GW_OWNER);
        if (next == owner)
            return true;
        up = next;
    }
    return false;
}

struct FloatingSearch {
    HWND frame;
    DWORD flags;
};

BOOL CALLBACK NotifyIfOwned(HWND hWnd, LPARAM lParam)
{
    const FloatingSearch* search = reinterpret_cast<const FloatingSearch*>(lParam);
    if (hWnd != search->frame && IsOwnedBy(hWnd, search->frame))
        ::SendMessageA(hWnd, WM_FLOATSTATUS, search->flags, 0);
    return TRUE;
}

}  // namespace

// ---- Message bar ----------------------------------------------------------------

CWnd* CFrameWnd::GetMessageBar()
{
    HWND bar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
    return bar ? CWnd::FromHandle(bar) : nullptr;
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString text;
    if (nID == 0 || !text.LoadString(nID))
        return;
    const int newline = text.Find('\n');
    rMessage = newline < 0 ? text : text.Left(newline);
}

void CFrameWnd::SetMessageText(LPCSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, nID);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT previous = m_nIDLastMessage;
    CWnd* bar = GetMessageBar();
    if (!bar)
        return previous;
    CString text;
    if (lParam) {
        text = reinterpret_cast<LPCSTR>(lParam);
    } else if (wParam) {
        UINT id = static_cast<UINT>(wParam);
        // While help mode runs the idle prompt says how to leave it.
        if (id == AFX_IDS_IDLEMESSAGE && m_bHelpMode == HELP_ACTIVE)
            id = AFX_IDS_HELPMODEMESSAGE;
        GetMessageString(id, text);
    }
    bar->SetWindowText(text);
    bar->UpdateWindow();
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return previous;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    const UINT item = LOWORD(wParam);
    const UINT flags = HIWORD(wParam);
    UINT prompt;
    if (flags == 0xFFFF && lParam == 0) {
        // The menu closed.
        prompt = AFX_IDS_IDLEMESSAGE;
    } else if (flags & (MF_SEPARATOR | MF_POPUP)) {
        prompt = 0;
    } else if (item >= AFX_IDM_FIRST_MDICHILD) {
        prompt = AFX_IDS_MDICHILD;
    } else if (item >= AFX_FIRST_SYSTEM_COMMAND) {
        prompt = AFX_IDS_SCFIRST + ((item - AFX_FIRST_SYSTEM_COMMAND) >> 4);
    } else {
        prompt = item;
    }
    if (prompt != m_nIDLastMessage || prompt == 0)
        SendMessage(WM_SETMESSAGESTRING, prompt);
    m_nIDTracking = prompt;
    return 0;
}

// ---- Menus and titles --------------------------------------------------------------

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (!hMenuAlt) {
        if (CDocument* document = GetActiveDocument())
            hMenuAlt = document->GetDefaultMenu();
        if (!hMenuAlt)
            hMenuAlt = m_hMenuDefault;
    }
    if (hMenuAlt && ::GetMenu(m_hWnd) != hMenuAlt)
        ::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    m_hMenuAlt = hMenuAlt;
    m_nIdleFlags |= idleMenu;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!m_hWnd)
        return;
    CString title = m_strTitle;
    CDocument* document = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && document && !document->GetTitle().IsEmpty()) {
        if (GetStyle() & FWS_PREFIXTITLE)
            title = document->GetTitle() + " - " + m_strTitle;
        else
            title = m_strTitle + " - " + document->GetTitle();
    }
    CString current;
    GetWindowText(current);
    // Setting the same text again would only make the caption flicker.
    if (current != title)
        SetWindowText(title);
}

void CFrameWnd::DelayUpdateFrameTitle()
{
    m_nIdleFlags |= idleTitle;
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu)
        UpdateMenuCommandUI(pPopupMenu, this, m_bAutoMenuEnable);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (m_nIdleFlags & idleMenu)
        OnUpdateFrameMenu(m_hMenuAlt);
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout)
        RecalcLayout(m_nIdleFlags & idleNotify);
    m_nIdleFlags = 0;
    // Floating bars are not children of the frame: the thread's idle
    // update does not reach them.
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos) {
        CControlBar* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->m_hWnd && bar->IsFloating() && bar->IsWindowVisible())
            bar->SendMessage(WM_IDLEUPDATECMDUI, wParam);
    }
    return 0;
}

// ---- Standard bars ------------------------------------------------------------------

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    if (!bar) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck(bar->IsVisible() ? 1 : 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* bar = GetControlBar(nID);
    if (!bar)
        return FALSE;
    ShowControlBar(bar, !bar->IsVisible(), FALSE);
    return TRUE;
}

// ---- Window messages ----------------------------------------------------------------

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    // The view takes the keyboard for its frame.
    if (CView* view = GetActiveView()) {
        if (view->m_hWnd)
            ::SetFocus(view->m_hWnd);
    }
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnClose()
{
    CDocument* document = GetActiveDocument();
    if (document && !document->CanCloseFrame(this))
        return;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!app->SaveAllModified())
            return;
        app->CloseAllDocuments(FALSE);
        // Closing the documents may have closed this frame already.
        if (!app->m_pMainWnd)
            return;
        document = GetActiveDocument();
    }
    if (document && document->GetFirstViewPosition() && document->m_bAutoDelete) {
        // The last frame of the document closes it.
        int frames = 0;
        POSITION pos = document->GetFirstViewPosition();
        while (pos) {
            CView* view = document->GetNextView(pos);
            if (view->GetParentFrame() != this)
                ++frames;
        }
        if (frames == 0) {
            document->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // The shared menu of a document's template belongs to the template, not
    // to this window: only the frame's own menu is destroyed with it.
    if (m_hMenuDefault && ::GetMenu(m_hWnd) != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    if (m_bHelpMode != HELP_INACTIVE)
        ExitHelpMode();
    CWnd::OnDestroy();
}

void CFrameWnd::OnNcDestroy()
{
    CWinThread* thread = AfxGetThread();
    if (thread && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        // The program ends with its main window.
        ::PostQuitMessage(0);
    }
    m_pViewActive = nullptr;
    CWnd::OnNcDestroy();
}

BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
        return app->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding)
{
    CWinApp* app = AfxGetApp();
    if (bEnding && app && app->m_pMainWnd == this)
        app->CloseAllDocuments(TRUE);
}

// ---- Activation and floating windows -------------------------------------------------

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    if (!m_hWnd)
        return;
    // Every top-level window of this thread that this frame owns, however
    // indirectly (mini frames of floating bars, tool windows).
    FloatingSearch search{m_hWnd, dwFlags};
    ::EnumThreadWindows(::GetCurrentThreadId(), NotifyIfOwned, reinterpret_cast<LPARAM>(&search));
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CFrameWnd* topLevel = (GetStyle() & WS_CHILD) ? this : GetTopLevelFrame();
    if (!topLevel)
        topLevel = this;
    // The frame stays active while the window taking activation is itself,
    // or one of its own floating windows that keeps in step with it.
    CWnd* active = nState == WA_INACTIVE ? pWndOther : this;
    BOOL stayActive = FALSE;
    if (active && active->m_hWnd) {
        if (active->m_hWnd == topLevel->m_hWnd)
            stayActive = TRUE;
        else if (IsOwnedBy(active->m_hWnd, topLevel->m_hWnd))
            stayActive = active->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) != 0;
    }
    topLevel->m_nFlags &= ~WF_STAYACTIVE;
    if (stayActive)
        topLevel->m_nFlags |= WF_STAYACTIVE;
    topLevel->NotifyFloatingWindows(stayActive ? FS_ACTIVATE : FS_DEACTIVATE);
    if (stayActive && nState == WA_INACTIVE)
        topLevel->SendMessage(WM_NCACTIVATE, TRUE);

    if (CView* view = GetActiveView()) {
        if (nState != WA_INACTIVE && !bMinimized)
            view->OnActivateView(TRUE, view, view);
        view->OnActivateFrame(nState, this);
    }
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    // A disabled frame (a modal box is up) never looks active.
    if (!IsWindowEnabled())
        bActive = FALSE;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    // A modal box disables the frame: its floating windows go with it.
    NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

LRESULT CFrameWnd::OnShowWindowMessage(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = Default();
    // lParam 0: the program showed or hid the frame itself (not the
    // system's hiding of owned windows when the owner is minimised).
    if (lParam == 0)
        NotifyFloatingWindows(wParam ? FS_SHOW : FS_HIDE);
    return result;
}
