// CMDIChildWnd: creation through the MDI client, activation, menus, titles.
#include "platform/ui/mdi_child_wnd.h"

#include <cstdio>

#include "platform/ui/app.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/document.h"
#include "platform/ui/mdi_frame_wnd.h"
#include "platform/ui/ui_thread_state.h"
#include "platform/ui/view.h"
#include "platform/ui/window_class.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
END_MESSAGE_MAP()

namespace {

CMDIFrameWnd* AsMDIFrame(CWnd* wnd)
{
    return wnd && wnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) ? static_cast<CMDIFrameWnd*>(wnd) : nullptr;
}

}  // namespace

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(nullptr) {}

CMDIChildWnd::~CMDIChildWnd() = default;

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CHILD;
    cs.style &= ~FWS_PREFIXTITLE;
    return TRUE;
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, LPCSTR, DWORD dwExStyle, CCreateContext* pContext)
{
    CMDIFrameWnd* frame = AsMDIFrame(pParentWnd ? pParentWnd : AfxGetMainWnd());
    if (m_hWnd || !frame || !frame->m_hWndMDIClient) {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = frame->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // A rectangle of the system's choosing: the client cascades the window.
    if (cs.x == CW_USEDEFAULT) {
        cs.cx = CW_USEDEFAULT;
        cs.cy = CW_USEDEFAULT;
    }

    // The MDI client makes the window, so that it lists and activates it;
    // the window's WM_CREATE receives this structure, its lParam the context.
    MDICREATESTRUCTA mdi = {};
    mdi.szClass = cs.lpszClass;
    mdi.szTitle = cs.lpszName;
    mdi.hOwner = cs.hInstance;
    mdi.x = cs.x;
    mdi.y = cs.y;
    mdi.cx = cs.cx;
    mdi.cy = cs.cy;
    mdi.style = cs.style;
    mdi.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
    HWND created;
    bool attached;
    {
        CreationScope scope(this);
        created = reinterpret_cast<HWND>(
            ::SendMessageA(frame->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mdi)));
        attached = ThisUiThread().creating != this;
    }
    if (created && attached && CWnd::FromHandlePermanent(created) == this)
        return TRUE;
    // A window that took this object and then failed has deleted it with
    // its WM_NCDESTROY; one that never took it leaves that to us.
    if (created && !attached)
        ::DestroyWindow(created);
    if (!attached)
        PostNcDestroy();
    return FALSE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString text;
    text.LoadString(nIDResource);
    const int newline = text.Find('\n');
    const CString title = newline < 0 ? text : text.Left(newline);
    if (pContext && pContext->m_pNewDocTemplate)
        SetHandles(pContext->m_pNewDocTemplate->m_hMenuShared, pContext->m_pNewDocTemplate->m_hAccelTable);
    HICON icon = ::LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCEA(nIDResource), RT_GROUP_ICON),
                             MAKEINTRESOURCEA(nIDResource));
    LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    if (!Create(windowClass, title, dwDefaultStyle | WS_CHILD, rectDefault, pParentWnd, nullptr, 0, pContext))
        return FALSE;
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    // The creation parameters are the MDI client's structure; the frame's
    // context is its lParam.
    CREATESTRUCTA unwrapped = *lpcs;
    const MDICREATESTRUCTA* mdi = static_cast<const MDICREATESTRUCTA*>(lpcs->lpCreateParams);
    unwrapped.lpCreateParams = mdi ? reinterpret_cast<void*>(mdi->lParam) : nullptr;
    return CFrameWnd::OnCreate(&unwrapped);
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    // Maximising or restoring the active window changes the frame's
    // caption: the system then shows the child's title in brackets.
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame && frame->MDIGetActive() == this)
        frame->OnUpdateFrameTitle(TRUE);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    // Child of the MDI client, which is the frame's child.
    HWND client = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    HWND frame = client ? ::GetParent(client) : nullptr;
    return AsMDIFrame(CWnd::FromHandlePermanent(frame));
}

void CMDIChildWnd::SetHandles(HMENU hMenu, HACCEL hAccel)
{
    m_hMenuShared = hMenu;
    m_hAccelTable = hAccel;
}

// ---- Activation and destruction ----------------------------------------------------

void CMDIChildWnd::MDIDestroy()
{
    DestroyWindow();
}

void CMDIChildWnd::MDIActivate()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIActivate(this);
}

void CMDIChildWnd::MDIMaximize()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->MDIRestore(this);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (nCmdShow == -1) {
        BOOL maximized = FALSE;
        CMDIChildWnd* active = frame ? frame->MDIGetActive(&maximized) : nullptr;
        if (IsWindowVisible())
            nCmdShow = SW_SHOW;
        else
            nCmdShow = maximized && active && active != this ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    }
    ShowWindow(nCmdShow);
    if (!frame)
        return;
    if (frame->MDIGetActive() != this)
        frame->MDIActivate(this);
    else
        OnUpdateFrameMenu(TRUE, this, nullptr);
    frame->OnUpdateFrameTitle(TRUE);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame || !frame->m_hWndMDIClient)
        return CFrameWnd::DestroyWindow();
    HWND frameWindow = frame->m_hWnd;
    HWND hWnd = m_hWnd;
    ::SendMessageA(frame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(hWnd), 0);
    // This object is gone now. The last document window leaves the frame
    // its own menu and title.
    if (CWnd::FromHandlePermanent(frameWindow) == frame && !frame->MDIGetActive()) {
        frame->OnUpdateFrameMenu(nullptr);
        frame->OnUpdateFrameTitle(TRUE);
    }
    return !::IsWindow(hWnd);
}

LRESULT CMDIChildWnd::OnMDIActivateMessage(WPARAM, LPARAM lParam)
{
    Default();
    HWND activated = reinterpret_cast<HWND>(lParam);
    const BOOL active = activated == m_hWnd;
    CWnd* activateWnd = CWnd::FromHandle(activated);
    // The window taking over puts its own menu on the frame.
    if (active || !activated)
        OnUpdateFrameMenu(active, activateWnd, nullptr);
    if (CView* view = GetActiveView())
        view->OnActivateView(active, view, view);
    if (CMDIFrameWnd* frame = GetMDIFrame()) {
        if (active || !activated)
            frame->OnUpdateFrameTitle(TRUE);
    }
    return 0;
}

// ---- Menus and titles ----------------------------------------------------------------

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    if (!frame)
        return;
    if (!bActive) {
        if (!pActivateWnd || !pActivateWnd->m_hWnd)
            frame->MDISetMenu(frame->m_hMenuDefault, frame->GetWindowMenuPopup(frame->m_hMenuDefault));
        return;
    }
    if (!hMenuAlt) {
        if (CDocument* document = GetActiveDocument())
            hMenuAlt = document->GetDefaultMenu();
    }
    if (!hMenuAlt)
        hMenuAlt = m_hMenuShared;
    if (!hMenuAlt)
        hMenuAlt = frame->m_hMenuDefault;
    if (hMenuAlt)
        frame->MDISetMenu(hMenuAlt, frame->GetWindowMenuPopup(hMenuAlt));
}

void CMDIChildWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIFrameWnd* frame = GetMDIFrame();
    OnUpdateFrameMenu(frame && frame->MDIGetActive() == this, this, hMenuAlt);
}

int CMDIChildWnd::WindowNumber(int* pCount)
{
    int count = 0;
    int number = 0;
    CDocument* document = GetActiveDocument();
    if (!document) {
        *pCount = 0;
        return 0;
    }
    // The document's frames in the order of their views, each once.
    CFrameWnd* seen[64];
    POSITION pos = document->GetFirstViewPosition();
    while (pos) {
        CView* view = document->GetNextView(pos);
        CFrameWnd* frame = view->m_hWnd ? view->GetParentFrame() : nullptr;
        if (!frame)
            continue;
        bool known = false;
        for (int i = 0; i < count && !known; ++i)
            known = seen[i] == frame;
        if (known || count == 64)
            continue;
        seen[count++] = frame;
        if (frame == this)
            number = count;
    }
    *pCount = count;
    return number;
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!m_hWnd)
        return;
    CString title = m_strTitle;
    CDocument* document = GetActiveDocument();
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && document) {
        title = document->GetTitle();
        int count = 0;
        const int number = WindowNumber(&count);
        if (count > 1 && number > 0) {
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, ":%d", number);
            title += suffix;
        }
    }
    CString current;
    GetWindowText(current);
    CMDIFrameWnd* frame = GetMDIFrame();
    if (current != title) {
        SetWindowText(title);
        // The system's list of windows in the Window menu keeps the text a
        // window had when it was listed.
        if (frame && frame->m_hWndMDIClient) {
            ::SendMessageA(frame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
            ::DrawMenuBar(frame->m_hWnd);
        }
    }
    if (frame && frame->MDIGetActive() == this)
        frame->OnUpdateFrameTitle(TRUE);
}

// ---- Input and commands ----------------------------------------------------------------

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CMDIChildWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CView* view = GetActiveView()) {
        if (view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CMDIFrameWnd* frame = GetMDIFrame();
    if (frame && frame->m_bRoutingToChild)
        return FALSE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
