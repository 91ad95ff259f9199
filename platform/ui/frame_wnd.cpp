// CFrameWnd: creation from a resource, the active view and document, and
// command routing.
#include "platform/ui/frame_wnd.h"

#include "platform/ui/app.h"
#include "platform/ui/control_bar.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/document.h"
#include "platform/ui/view.h"
#include "platform/ui/window_class.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

HINSTANCE ResourceModule(UINT nID, LPCSTR type)
{
    return AfxFindResourceHandle(MAKEINTRESOURCEA(nID), type);
}

// The text of a string resource; empty when there is none.
CString LoadResourceText(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

CString TextBeforeNewline(const CString& text)
{
    const int newline = text.Find('\n');
    return newline < 0 ? text : text.Left(newline);
}

}  // namespace

CFrameWnd::CFrameWnd()
    : m_hMenuDefault(nullptr),
      m_hAccelTable(nullptr),
      m_bHelpMode(HELP_INACTIVE),
      m_nIDHelp(0),
      m_nIdleFlags(0),
      m_nIDTracking(0),
      m_nIDLastMessage(0),
      m_bAutoMenuEnable(TRUE),
      m_bInRecalcLayout(FALSE),
      m_rectBorder(0, 0, 0, 0),
      m_hMenuAlt(nullptr),
      m_pViewActive(nullptr),
      m_helpModeCancelled(false)
{
}

CFrameWnd::~CFrameWnd()
{
    // Bars that outlive the frame must not reach back into it.
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos) {
        CControlBar* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (bar->m_pDockSite == this)
            bar->m_pDockSite = nullptr;
    }
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!cs.lpszClass) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    // The document's title goes first, as the shell shows documents.
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU menu = nullptr;
    if (lpszMenuName) {
        menu = ::LoadMenuA(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
        if (!menu)
            return FALSE;
    }
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                  menu, pContext)) {
        // A window that never existed never took the menu.
        if (menu)
            ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    const CString title = TextBeforeNewline(LoadResourceText(nIDResource));
    HICON icon = ::LoadIconA(ResourceModule(nIDResource, RT_GROUP_ICON), MAKEINTRESOURCEA(nIDResource));
    LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    LPCSTR menuName = nullptr;
    if (::FindResourceA(ResourceModule(nIDResource, RT_MENU), MAKEINTRESOURCEA(nIDResource), RT_MENU))
        menuName = MAKEINTRESOURCEA(nIDResource);
    if (!Create(windowClass, title, dwDefaultStyle, rectDefault, pParentWnd, menuName, 0, pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    if (!m_hAccelTable)
        LoadAccelTable(MAKEINTRESOURCEA(nIDResource));
    if (icon) {
        SetIcon(icon, TRUE);
        SetIcon(icon, FALSE);
    }
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName)
{
    if (m_hAccelTable)
        return FALSE;
    m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR),
                                        lpszResourceName);
    return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CCreateContext* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (!OnCreateClient(lpcs, context))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    CWnd* view = dynamic_cast<CWnd*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    // A view deletes itself when its window goes, also when creation fails.
    if (!view->CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID,
                        pContext))
        return nullptr;
    return view;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* view = GetActiveView();
    if (!view) {
        CWnd* pane = GetDlgItem(AFX_IDW_PANE_FIRST);
        if (pane && pane->IsKindOf(RUNTIME_CLASS(CView))) {
            view = static_cast<CView*>(pane);
            SetActiveView(view, FALSE);
        }
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        if (view)
            view->OnActivateView(TRUE, view, view);
        ActivateFrame();
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
        nCmdShow = IsWindowVisible() ? SW_SHOW : SW_SHOWNORMAL;
    ShowWindow(nCmdShow);
    BringWindowToTop();
}

CFrameWnd* CFrameWnd::GetActiveFrame()
{
    return this;
}

CView* CFrameWnd::GetActiveView() const
{
    return m_pViewActive;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* old = m_pViewActive;
    if (pViewNew == old)
        return;
    m_pViewActive = nullptr;
    if (bNotify && old)
        old->OnActivateView(FALSE, pViewNew, old);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew && pViewNew->m_hWnd) {
        pViewNew->OnActivateView(TRUE, pViewNew, old);
    }
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active view first (it hands on to its document and template),
    // then the frame itself, then the application.
    if (CView* view = GetActiveView()) {
        if (view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    HACCEL table = nullptr;
    if (CDocument* document = GetActiveDocument())
        table = document->GetDefaultAccelerator();
    return table ? table : m_hAccelTable;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL table = GetDefaultAccelerator();
        if (table && ::TranslateAcceleratorA(m_hWnd, table, pMsg))
            return TRUE;
    }
    return FALSE;
}

void CFrameWnd::PostNcDestroy()
{
    // A frame is allocated with new by whoever made it (its template).
    delete this;
}
