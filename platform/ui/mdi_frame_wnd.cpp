// CMDIFrameWnd: the MDI client, the document windows' commands and menus.
#include "platform/ui/mdi_frame_wnd.h"

#include "platform/ui/app.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/doc_template.h"
#include "platform/ui/document.h"
#include "platform/ui/mdi_child_wnd.h"
#include "platform/ui/view.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_UPDATE_COMMAND_UI_RANGE(ID_WINDOW_NEW, ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
    ON_COMMAND_EX_RANGE(ID_WINDOW_ARRANGE, ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
END_MESSAGE_MAP()

namespace {

// The window commands: ID_WINDOW_NEW and the fifteen ids after it.
bool IsWindowCommand(UINT id)
{
    return id >= ID_WINDOW_NEW && id < ID_WINDOW_NEW + 16;
}

// Sets the frame's routing flag for one offer to its child, however the
// offer ends.
class RoutingToChild {
public:
    explicit RoutingToChild(BOOL& flag) : m_flag(flag), m_outer(flag) { m_flag = TRUE; }
    ~RoutingToChild() { m_flag = m_outer; }
    RoutingToChild(const RoutingToChild&) = delete;
    RoutingToChild& operator=(const RoutingToChild&) = delete;

private:
    BOOL& m_flag;
    BOOL m_outer;
};

}  // namespace

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(nullptr), m_bRoutingToChild(FALSE) {}

CMDIFrameWnd::~CMDIFrameWnd() = default;

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    return CreateClient(lpcs, GetWindowMenuPopup(::GetMenu(m_hWnd)));
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, HMENU hWindowMenu)
{
    CLIENTCREATESTRUCT client = {};
    client.hWindowMenu = hWindowMenu;
    client.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    // MDIS_ALLCHILDSTYLES: the documents' windows keep the styles their
    // frames ask for.
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL |
                        MDIS_ALLCHILDSTYLES;
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, style, 0, 0, 0, 0, m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                        AfxGetInstanceHandle(), &client);
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hWndMDIClient)
        return CFrameWnd::DefWindowProc(message, wParam, lParam);
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    // The system's handling would stretch the MDI client over the bars: the
    // layout places it between them instead.
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CMDIFrameWnd::OnDestroy()
{
    CFrameWnd::OnDestroy();
    m_hWndMDIClient = nullptr;
}

// ---- Document windows ------------------------------------------------------------

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL maximized = FALSE;
    HWND active = nullptr;
    if (m_hWndMDIClient) {
        active = reinterpret_cast<HWND>(
            ::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
    }
    CWnd* wnd = CWnd::FromHandlePermanent(active);
    CMDIChildWnd* child = wnd && wnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) ? static_cast<CMDIChildWnd*>(wnd)
                                                                           : nullptr;
    if (pbMaximized)
        *pbMaximized = child ? maximized : FALSE;
    return child;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (m_hWndMDIClient && pWndActivate && pWndActivate->m_hWnd)
        ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->m_hWnd), 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (m_hWndMDIClient && pWnd && pWnd->m_hWnd)
        ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (m_hWndMDIClient && pWnd && pWnd->m_hWnd)
        ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->m_hWnd), 0);
}

void CMDIFrameWnd::MDINext()
{
    if (m_hWndMDIClient)
        ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDIPrev()
{
    if (m_hWndMDIClient)
        ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 1);
}

void CMDIFrameWnd::MDICascade(int nType)
{
    if (m_hWndMDIClient)
        ::SendMessageA(m_hWndMDIClient, WM_MDICASCADE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    if (m_hWndMDIClient)
        ::SendMessageA(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    if (m_hWndMDIClient)
        ::SendMessageA(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hMenuFrame, HMENU hMenuWindow)
{
    if (!m_hWndMDIClient)
        return nullptr;
    HMENU previous = reinterpret_cast<HMENU>(::SendMessageA(m_hWndMDIClient, WM_MDISETMENU,
                                                            reinterpret_cast<WPARAM>(hMenuFrame),
                                                            reinterpret_cast<LPARAM>(hMenuWindow)));
    ::DrawMenuBar(m_hWnd);
    return previous;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (!hMenuBar || !::IsMenu(hMenuBar))
        return nullptr;
    const int count = ::GetMenuItemCount(hMenuBar);
    for (int position = 0; position < count; ++position) {
        HMENU popup = ::GetSubMenu(hMenuBar, position);
        if (!popup)
            continue;
        const int items = ::GetMenuItemCount(popup);
        for (int item = 0; item < items; ++item) {
            if (IsWindowCommand(::GetMenuItemID(popup, item)))
                return popup;
        }
    }
    return nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

CDocument* CMDIFrameWnd::GetActiveDocument()
{
    if (CMDIChildWnd* child = MDIGetActive())
        return child->GetActiveDocument();
    return CFrameWnd::GetActiveDocument();
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (CMDIChildWnd* child = MDIGetActive()) {
        child->OnUpdateFrameMenu(TRUE, child, hMenuAlt);
        return;
    }
    HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (menu)
        MDISetMenu(menu, GetWindowMenuPopup(menu));
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!m_hWnd)
        return;
    CString title = m_strTitle;
    BOOL maximized = FALSE;
    CMDIChildWnd* child = MDIGetActive(&maximized);
    if (bAddToTitle && (GetStyle() & FWS_ADDTOTITLE) && child && !maximized) {
        CString document;
        child->GetWindowText(document);
        if (!document.IsEmpty()) {
            if (GetStyle() & FWS_PREFIXTITLE)
                title = document + " - " + m_strTitle;
            else
                title = m_strTitle + " - " + document;
        }
    }
    // The system adds the maximised child's title to what is set: compare
    // with that, or the caption would be set (and flicker) every time.
    CString current;
    GetWindowText(current);
    if (maximized && child) {
        CString childTitle;
        child->GetWindowText(childTitle);
        if (current == title + " - [" + childTitle + "]")
            return;
    }
    if (current != title)
        SetWindowText(title);
}

// ---- Input and commands ------------------------------------------------------------

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    CMDIChildWnd* child = MDIGetActive();
    // Ctrl+F4 and Ctrl+F6 of the document windows.
    if (child && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    // The active document's keys first, then the frame's own; the commands
    // go to the frame, which offers them to the active child first.
    if (child) {
        HACCEL table = child->GetDefaultAccelerator();
        if (table && ::TranslateAcceleratorA(m_hWnd, table, pMsg))
            return TRUE;
    }
    return m_hAccelTable && ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMDIChildWnd* child = MDIGetActive()) {
        RoutingToChild routing(m_bRoutingToChild);
        if (child->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* active = MDIGetActive();
    CDocument* document = active ? active->GetActiveDocument() : nullptr;
    CDocTemplate* docTemplate = document ? document->GetDocTemplate() : nullptr;
    if (!docTemplate)
        return;
    CFrameWnd* frame = docTemplate->CreateNewFrame(document, active);
    if (frame)
        docTemplate->InitialUpdateFrame(frame, document);
}
