#include "toolkit/foundation/base_control_bar.h"

#include <cstring>
#include <vector>

#include "platform/framework/archive.h"
#include "platform/ui/app.h"
#include "platform/ui/dc.h"
#include "platform/ui/dialog.h"
#include "platform/ui/frame_wnd.h"
#include "toolkit/extras/base_tab_wnd.h"
#include "toolkit/foundation/base_tabbed_bar.h"
#include "toolkit/foundation/dock_bar.h"
#include "toolkit/foundation/dock_bar_row.h"
#include "toolkit/foundation/dock_manager.h"
#include "toolkit/foundation/docking_cb_wrapper.h"
#include "toolkit/foundation/frame_wnd.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/global_utils.h"
#include "toolkit/foundation/mdi_child_wnd.h"
#include "toolkit/foundation/mdi_frame_wnd.h"
#include "toolkit/foundation/mini_frame_wnd.h"
#include "toolkit/foundation/multi_mini_frame_wnd.h"
#include "toolkit/foundation/ole_cntr_frame_wnd.h"
#include "toolkit/foundation/ole_doc_ip_frame_wnd.h"
#include "toolkit/foundation/ole_ip_frame_wnd.h"
#include "toolkit/foundation/reg_path.h"
#include "toolkit/foundation/registry_holder.h"
#include "toolkit/foundation/visual_manager.h"

IMPLEMENT_DYNAMIC(CWtkBaseControlBar, CWnd)

BEGIN_MESSAGE_MAP(CWtkBaseControlBar, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

int CWtkBaseControlBar::s_nDefaultDockMode = 2;

namespace {

const char kSection[] = "WtkBaseControlBars";

// Calls op with the frame as the toolkit frame kind it is, in the order the
// kinds are told apart; none when it is of no toolkit kind.
template <typename Result, typename Op>
Result ForFrameKind(CFrameWnd* frame, Result none, Op op)
{
    if (frame->IsKindOf(RUNTIME_CLASS(CWtkFrameWnd)))
        return op(static_cast<CWtkFrameWnd*>(frame));
    if (frame->IsKindOf(RUNTIME_CLASS(CWtkMDIFrameWnd)))
        return op(static_cast<CWtkMDIFrameWnd*>(frame));
    if (frame->IsKindOf(RUNTIME_CLASS(CWtkOleIPFrameWnd)))
        return op(static_cast<CWtkOleIPFrameWnd*>(frame));
    if (frame->IsKindOf(RUNTIME_CLASS(CWtkOleDocIPFrameWnd)))
        return op(static_cast<CWtkOleDocIPFrameWnd*>(frame));
    if (frame->IsKindOf(RUNTIME_CLASS(CWtkMDIChildWnd)))
        return op(static_cast<CWtkMDIChildWnd*>(frame));
    if (frame->IsKindOf(RUNTIME_CLASS(CWtkOleCntrFrameWnd)))
        return op(static_cast<CWtkOleCntrFrameWnd*>(frame));
    return none;
}

// A text the tooltip's owner left as it came: no resource to load it from
// and nothing in it. A resource id or the callback marker is an answer, not
// a string to read.
template <typename Char>
bool TooltipTextEmpty(HINSTANCE hinst, const Char* text)
{
    if (hinst)
        return false;
    if (!text)
        return true;
    if (IS_INTRESOURCE(text) || reinterpret_cast<ULONG_PTR>(text) == static_cast<ULONG_PTR>(-1))
        return false;
    return text[0] == 0;
}

bool TooltipLeftUnanswered(LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header)
        return false;
    if (header->code == TTN_NEEDTEXTA) {
        const NMTTDISPINFOA* info = reinterpret_cast<const NMTTDISPINFOA*>(lParam);
        return TooltipTextEmpty(info->hinst, info->lpszText);
    }
    if (header->code == TTN_NEEDTEXTW) {
        const NMTTDISPINFOW* info = reinterpret_cast<const NMTTDISPINFOW*>(lParam);
        return TooltipTextEmpty(info->hinst, info->lpszText);
    }
    return false;
}

// The control an item message speaks of, when it is one of the bar's.
HWND ItemControl(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND control = nullptr;
    switch (message) {
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU)
            control = item->hwndItem;
        break;
    }
    case WM_MEASUREITEM:
        if (wParam != 0)
            control = ::GetDlgItem(bar, static_cast<int>(wParam));
        break;
    case WM_DELETEITEM: {
        const DELETEITEMSTRUCT* item = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
        control = item ? item->hwndItem : nullptr;
        break;
    }
    case WM_COMPAREITEM: {
        const COMPAREITEMSTRUCT* item = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
        control = item ? item->hwndItem : nullptr;
        break;
    }
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        control = reinterpret_cast<HWND>(lParam);
        break;
    default:
        break;
    }
    return control && ::IsChild(bar, control) ? control : nullptr;
}

// The style word of a dialog template (DLGTEMPLATE or DLGTEMPLATEEX).
DWORD* TemplateStyle(std::vector<BYTE>& image)
{
    if (image.size() < sizeof(DLGTEMPLATE))
        return nullptr;
    WORD version = 0;
    WORD signature = 0;
    std::memcpy(&version, image.data(), sizeof version);
    std::memcpy(&signature, image.data() + 2, sizeof signature);
    const size_t offset = version == 1 && signature == 0xFFFF ? 12 : 0;
    if (image.size() < offset + sizeof(DWORD))
        return nullptr;
    return reinterpret_cast<DWORD*>(image.data() + offset);
}

}  // namespace

CWtkBaseControlBar::CWtkBaseControlBar() = default;
CWtkBaseControlBar::~CWtkBaseControlBar() = default;

// ---- Creation -------------------------------------------------------------------------

BOOL CWtkBaseControlBar::CreateEx(DWORD dwStyleEx, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                                  const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle,
                                  CCreateContext* pContext)
{
    const DWORD oldStyle = m_dwStyle;
    const DWORD oldControlBarStyle = m_dwControlBarStyle;
    SetBarStyle(GetBarStyle() | dwStyle);
    m_dwControlBarStyle = dwControlBarStyle;

    const BOOL created = m_lpszBarTemplateName
                             ? CreateFromTemplate(dwStyle, pParentWnd, nID)
                             : CWnd::CreateEx(dwStyleEx, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd,
                                              nID, pContext);
    if (!created) {
        m_dwStyle = oldStyle;
        m_dwControlBarStyle = oldControlBarStyle;
        return FALSE;
    }
    CFrameWnd* parentFrame = pParentWnd ? pParentWnd->AsFrameWnd() : nullptr;
    m_pDockSite = parentFrame ? parentFrame : WtkGetParentFrame(pParentWnd);
    return TRUE;
}

BOOL CWtkBaseControlBar::CreateFromTemplate(DWORD dwStyle, CWnd* pParentWnd, UINT nID)
{
    HINSTANCE instance = AfxGetInstanceHandle();
    HRSRC resource = ::FindResourceA(instance, m_lpszBarTemplateName, RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return FALSE;
    std::vector<BYTE> image(static_cast<const BYTE*>(data),
                            static_cast<const BYTE*>(data) + ::SizeofResource(instance, resource));
    DWORD* style = TemplateStyle(image);
    if (!style)
        return FALSE;
    // The low word of a template's style says how the rest of the template
    // is laid out (DS_SETFONT brings the font fields), so only the window
    // bits are the bar's; the bar style's CBRS_ bits share the low word.
    *style = (*style & 0x0000FFFF) | ((dwStyle | WS_CHILD) & 0xFFFF0000 & ~WS_POPUP);
    if (!CreateDlgIndirect(reinterpret_cast<LPCDLGTEMPLATEA>(image.data()), pParentWnd, instance))
        return FALSE;
    ::SetClassLongPtrA(m_hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(::GetSysColorBrush(COLOR_BTNFACE)));
    SetDlgCtrlID(static_cast<int>(nID));
    if (!ExecuteDlgInit(m_lpszBarTemplateName)) {
        DestroyWindow();
        return FALSE;
    }
    CRect window;
    GetWindowRect(&window);
    m_sizeDialog = window.Size();
    return TRUE;
}

// ---- Where the bar is -----------------------------------------------------------------

BOOL CWtkBaseControlBar::IsHorizontal() const
{
    return (GetCurrentAlignment() & CBRS_ORIENT_HORZ) != 0;
}

BOOL CWtkBaseControlBar::IsDocked() const
{
    CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame(TRUE);
    return !miniFrame || miniFrame->HasBar() != 1;
}

BOOL CWtkBaseControlBar::IsTabbed() const
{
    CWnd* parent = m_hWnd ? CWnd::FromHandlePermanent(::GetParent(m_hWnd)) : nullptr;
    return parent && parent->IsKindOf(RUNTIME_CLASS(CWtkBaseTabWnd));
}

BOOL CWtkBaseControlBar::IsFloating() const
{
    return !IsDocked();
}

BOOL CWtkBaseControlBar::IsBarVisible() const
{
    if (IsTabbed()) {
        HWND tabWindow = nullptr;
        CWtkBaseTabWnd* tabWnd = GetParentTabWnd(tabWindow);
        if (!tabWnd || !tabWnd->GetSafeHwnd() || !(tabWnd->GetStyle() & WS_VISIBLE))
            return FALSE;
        return tabWnd->IsTabShown(tabWnd->FindTabByWindow(tabWindow));
    }
    if (CWtkDockManager::s_bRestoringDockState)
        return m_bRecentVisibleState;
    return m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
}

BOOL CWtkBaseControlBar::CanBeDocked(CWtkDockBar*) const
{
    return FALSE;
}

CFrameWnd* CWtkBaseControlBar::GetDockSite() const
{
    if (!m_pDockSite && m_hWnd) {
        CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
        if (parent && parent->IsKindOf(RUNTIME_CLASS(CDialog)))
            g_wtkGlobalUtils.m_bDialogApp = TRUE;
    }
    return m_pDockSite;
}

int CWtkBaseControlBar::GetDockMode() const
{
    return m_dockMode != 0 ? m_dockMode : s_nDefaultDockMode;
}

HICON CWtkBaseControlBar::GetIcon(BOOL bBigIcon) const
{
    if (!m_hWnd)
        return nullptr;
    return reinterpret_cast<HICON>(::SendMessageA(m_hWnd, WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL, 0));
}

CWtkMiniFrameWnd* CWtkBaseControlBar::GetParentMiniFrame(BOOL) const
{
    for (HWND hwnd = m_hWnd ? ::GetParent(m_hWnd) : nullptr; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
        if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CWtkMiniFrameWnd)))
            return static_cast<CWtkMiniFrameWnd*>(wnd);
    }
    return nullptr;
}

CWtkBaseTabWnd* CWtkBaseControlBar::GetParentTabWnd(HWND& hWndTab) const
{
    hWndTab = nullptr;
    if (!m_hWnd)
        return nullptr;
    // A wrapped bar is a tab through its wrapper's window.
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    const HWND tabWindow =
        parent && parent->IsKindOf(RUNTIME_CLASS(CWtkDockingCBWrapper)) ? parent->m_hWnd : m_hWnd;
    CWnd* holder = CWnd::FromHandlePermanent(::GetParent(tabWindow));
    CWtkBaseTabWnd* tabWnd = nullptr;
    if (holder && holder->IsKindOf(RUNTIME_CLASS(CWtkBaseTabWnd)))
        tabWnd = static_cast<CWtkBaseTabWnd*>(holder);
    else if (holder && holder->IsKindOf(RUNTIME_CLASS(CWtkBaseTabbedBar)))
        tabWnd = static_cast<CWtkBaseTabbedBar*>(holder)->GetUnderlinedWindow();
    if (tabWnd)
        hWndTab = tabWindow;
    return tabWnd;
}

// ---- Styles and capabilities ------------------------------------------------------------

BOOL CWtkBaseControlBar::CanFloat() const
{
    if (IsTabbed()) {
        HWND tabWindow = nullptr;
        if (CWtkBaseTabWnd* tabWnd = GetParentTabWnd(tabWindow)) {
            const int tab = tabWnd->FindTabByWindow(tabWindow);
            if (tab != -1)
                return tabWnd->CanDetachTab(tab);
        }
    }
    return (m_dwControlBarStyle & WTK_CBRS_FLOAT) != 0;
}

void CWtkBaseControlBar::SetBarAlignment(DWORD dwAlignment)
{
    m_dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | dwAlignment;
}

// ---- Docking, floating and showing ---------------------------------------------------------

BOOL CWtkBaseControlBar::DockControlBar(CWtkDockBar*, LPCRECT, int)
{
    return FALSE;
}

BOOL CWtkBaseControlBar::FloatControlBar(CRect, int, BOOL)
{
    return FALSE;
}

CWtkMiniFrameWnd* CWtkBaseControlBar::CreateDefaultMiniFrame(CRect)
{
    return nullptr;
}

void CWtkBaseControlBar::ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    const int command = bShow ? SW_SHOWNOACTIVATE : SW_HIDE;
    if (IsFloating() && !IsTabbed()) {
        ShowWindow(command);
        if (CWnd* miniFrame = GetParent())
            miniFrame->ShowWindow(command);
    } else if (m_pParentDockBar) {
        m_pParentDockBar->ShowControlBar(this, bShow, bDelay);
    } else if (!IsTabbed()) {
        ShowWindow(command);
        if (!bDelay)
            AdjustDockingLayout(nullptr);
    } else {
        ShowTab(bShow, bDelay, bActivate);
    }
    if (m_pDockBarRow)
        m_pDockBarRow->ArrangeBars(nullptr);
}

void CWtkBaseControlBar::ShowTab(BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    CWtkBaseTabWnd* tabWnd = static_cast<CWtkBaseTabWnd*>(CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    CWnd* tabOwner = CWnd::FromHandlePermanent(::GetParent(tabWnd->m_hWnd));
    if (!tabOwner || !tabOwner->IsKindOf(RUNTIME_CLASS(CWtkBaseTabbedBar))) {
        tabWnd->SetTabShown(tabWnd->FindTabByWindow(m_hWnd), bShow, !bDelay);
        return;
    }
    CWtkBaseTabbedBar* tabbedBar = static_cast<CWtkBaseTabbedBar*>(tabOwner);
    if (!(tabbedBar->GetStyle() & WS_VISIBLE) && tabWnd->CountShownTabs() > 1 && bShow) {
        tabbedBar->ShowControlBar(this, bShow, bDelay, bActivate);
        return;
    }
    tabbedBar->ShowControlBar(this, bShow, bDelay, bActivate);
    // A tabbed bar left without a shown tab goes with its last tab.
    if (tabWnd->CountShownTabs() == 0)
        tabbedBar->ShowControlBar(bShow, bDelay, bActivate);
}

void CWtkBaseControlBar::AdjustDockingLayout(HDWP hdwp)
{
    if (CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame()) {
        miniFrame->AdjustLayout();
        return;
    }
    CFrameWnd* frame = RoutingFrame(FALSE);
    if (!frame)
        return;
    ForFrameKind(frame, false, [hdwp](auto* kind) {
        kind->AdjustDockingLayout(hdwp);
        return true;
    });
}

// ---- Placing the window ------------------------------------------------------------------

HDWP CWtkBaseControlBar::MoveBarWindow(LPCRECT lpRect, BOOL bRepaint, HDWP hdwp)
{
    if (!m_hWnd || !lpRect)
        return hdwp;
    // lpRect is where the window goes in its parent, so that is where its
    // present place is measured.
    CRect current;
    GetWindowRect(&current);
    if (HWND parent = ::GetParent(m_hWnd))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&current), 2);
    if (::EqualRect(&current, lpRect))
        return hdwp;
    const CRect target(*lpRect);
    if (hdwp) {
        if (HDWP next = ::DeferWindowPos(hdwp, m_hWnd, nullptr, target.left, target.top, target.Width(),
                                         target.Height(), SWP_NOZORDER | SWP_NOACTIVATE))
            return next;
        // A batch that refuses the move must not lose it.
        MoveWindow(&target, bRepaint);
        return hdwp;
    }
    MoveWindow(&target, bRepaint);
    return nullptr;
}

HDWP CWtkBaseControlBar::SetBarWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags,
                                         HDWP hdwp)
{
    if (!hdwp) {
        SetWindowPos(pWndInsertAfter, x, y, cx, cy, nFlags);
        return nullptr;
    }
    HWND insertAfter = pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr;
    if (HDWP next = ::DeferWindowPos(hdwp, m_hWnd, insertAfter, x, y, cx, cy, nFlags))
        return next;
    SetBarWindowPos(pWndInsertAfter, x, y, cx, cy, nFlags, nullptr);
    return hdwp;
}

// ---- Layout and painting ------------------------------------------------------------------

CSize CWtkBaseControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!bStretch)
        return CSize(0, 0);
    return bHorz ? CSize(32767, 0) : CSize(0, 32767);
}

void CWtkBaseControlBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CRect clip;
    pDC->GetClipBox(&clip);
    CWtkVisualManager::GetInstance()->FillBarBackground(pDC, this, client, clip, FALSE);
}

void CWtkBaseControlBar::OnPaint()
{
    CPaintDC dc(this);
    if (GetStyle() & WS_VISIBLE)
        DoPaint(&dc);
}

BOOL CWtkBaseControlBar::OnEraseBkgnd(CDC*)
{
    // DoPaint fills the whole client area.
    return TRUE;
}

void CWtkBaseControlBar::OnSize(UINT, int, int)
{
    Default();
    if (m_pDockBarRow)
        m_pDockBarRow->OnResizeControlBar(this);
}

// ---- State ----------------------------------------------------------------------------------

CString CWtkBaseControlBar::StateKey(LPCSTR lpszSection, LPCSTR lpszKind, LPCSTR lpszProfileName, int nIndex,
                                     UINT uiID) const
{
    if (uiID == static_cast<UINT>(-1))
        uiID = static_cast<UINT>(GetDlgCtrlID());
    const CString path = WtkGetRegPath(lpszSection, lpszProfileName);
    CString key;
    if (nIndex == -1)
        key.Format("%s%s-%d", static_cast<LPCSTR>(path), lpszKind, static_cast<int>(uiID));
    else
        key.Format("%s%s-%d%x", static_cast<LPCSTR>(path), lpszKind, static_cast<int>(uiID), nIndex);
    return key;
}

BOOL CWtkBaseControlBar::LoadState(LPCSTR lpszProfileName, int nIndex, UINT uiID)
{
    CWtkRegistrySP holder;
    CWtkRegistry& registry = holder.Create(FALSE, TRUE);
    if (!registry.Open(StateKey(kSection, "WtkBaseControlBar", lpszProfileName, nIndex, uiID)))
        return FALSE;
    int visible = m_bRecentVisibleState;
    if (registry.Read("IsVisible", visible))
        m_bRecentVisibleState = visible;
    m_bIsRestoredFromRegistry = TRUE;
    return TRUE;
}

BOOL CWtkBaseControlBar::SaveState(LPCSTR lpszProfileName, int nIndex, UINT uiID)
{
    CWtkRegistrySP holder;
    CWtkRegistry& registry = holder.Create(FALSE, FALSE);
    return registry.CreateKey(StateKey(kSection, "WtkBaseControlBar", lpszProfileName, nIndex, uiID)) &&
           registry.Write("IsVisible", static_cast<int>(IsBarVisible()));
}

void CWtkBaseControlBar::Serialize(CArchive& ar)
{
    CWnd::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(GetCurrentAlignment()) << static_cast<DWORD>(IsBarVisible());
    } else {
        DWORD alignment = 0;
        DWORD visible = 0;
        ar >> alignment >> visible;
        // The record says where the bar was: it replaces the alignment the
        // bar has, whatever that is.
        m_dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | (alignment & CBRS_ALIGN_ANY);
        m_bRecentVisibleState = static_cast<BOOL>(visible);
    }
}

// ---- Requests that concern the whole frame ----------------------------------------------------

CFrameWnd* CWtkBaseControlBar::RoutingFrame(BOOL bUseDockSite) const
{
    return bUseDockSite ? GetDockSite() : WtkGetParentFrame(this);
}

BOOL CWtkBaseControlBar::FrameAddControlBar(CWtkBaseControlBar* pBar)
{
    CFrameWnd* frame = RoutingFrame(FALSE);
    if (!frame)
        return g_wtkGlobalUtils.m_bDialogApp;
    return ForFrameKind(frame, FALSE, [pBar](auto* kind) { return kind->AddControlBar(pBar); });
}

BOOL CWtkBaseControlBar::FrameRemoveControlBar(CWtkBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                               BOOL bAutoHide)
{
    CFrameWnd* frame = RoutingFrame(FALSE);
    if (!frame)
        return g_wtkGlobalUtils.m_bDialogApp;
    return ForFrameKind(frame, FALSE, [&](auto* kind) {
        kind->RemoveControlBarFromDockManager(pBar, bDestroy, bAdjustLayout, bAutoHide);
        return TRUE;
    });
}

BOOL CWtkBaseControlBar::FrameIsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const
{
    CFrameWnd* frame = RoutingFrame(FALSE);
    if (!frame)
        return g_wtkGlobalUtils.m_bDialogApp;
    return ForFrameKind(frame, FALSE,
                        [&](auto* kind) { return kind->IsPointNearDockBar(point, dwBarAlignment, bOuterEdge); });
}

CWtkBaseControlBar* CWtkBaseControlBar::FrameBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                          const CRuntimeClass* pRTCBarType) const
{
    CFrameWnd* frame = RoutingFrame(FALSE);
    if (!frame)
        return nullptr;
    return ForFrameKind(frame, static_cast<CWtkBaseControlBar*>(nullptr), [&](auto* kind) {
        return kind->ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType);
    });
}

BOOL CWtkBaseControlBar::FrameInsertControlBar(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter)
{
    CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame();
    if (miniFrame && miniFrame->IsKindOf(RUNTIME_CLASS(CWtkMultiMiniFrameWnd)) &&
        static_cast<CWtkMultiMiniFrameWnd*>(miniFrame)->InsertControlBar(pBar, pTarget, bAfter))
        return TRUE;
    CFrameWnd* frame = RoutingFrame(FALSE);
    if (!frame)
        return g_wtkGlobalUtils.m_bDialogApp;
    return ForFrameKind(frame, FALSE, [&](auto* kind) { return kind->InsertControlBar(pBar, pTarget, bAfter); });
}

BOOL CWtkBaseControlBar::FrameDockControlBar(BOOL bUseDockSite)
{
    CFrameWnd* frame = RoutingFrame(bUseDockSite);
    if (!frame)
        return g_wtkGlobalUtils.m_bDialogApp;
    return ForFrameKind(frame, FALSE, [this](auto* kind) {
        kind->DockControlBar(this, 0, nullptr);
        return TRUE;
    });
}

// ---- Messages -----------------------------------------------------------------------------------

BOOL CWtkBaseControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    CFrameWnd* topFrame = GetTopLevelFrame();
    if (topFrame && topFrame->m_bHelpMode != CFrameWnd::HELP_INACTIVE)
        return FALSE;
    // The frames' accelerators come before the dialog keys of the bar's
    // controls, which would otherwise take them.
    CWnd* owner = GetOwner();
    CFrameWnd* frame = owner ? owner->AsFrameWnd() : nullptr;
    if (owner && !frame)
        frame = owner->GetParentFrame();
    for (; frame; frame = frame->GetParentFrame()) {
        if (frame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return PreTranslateInput(pMsg);
}

BOOL CWtkBaseControlBar::OnOwnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND || message == WM_NOTIFY)
        return OnWndMsg(message, wParam, lParam, pResult);
    // The window layer's own handlers of the item messages only offer them
    // to the control they name and answer nothing else: what the bar's
    // classes and its controls leave belongs to the owner.
    const MessageMap* windowLayer = CWnd::GetThisMessageMap();
    for (const MessageMap* map = GetMessageMap(); map && map != windowLayer; map = map->base ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->kind != MessageEntryKind::End; ++entry) {
            if (entry->kind != MessageEntryKind::Message || message < entry->first || message > entry->last)
                continue;
            LRESULT result = 0;
            MessageCall call{message, wParam, lParam, 0, nullptr, &result};
            if (!entry->thunk(this, call))
                return FALSE;
            *pResult = result;
            return TRUE;
        }
    }
    HWND control = ItemControl(m_hWnd, message, wParam, lParam);
    return control && ReflectMessage(control, message, wParam, lParam, pResult);
}

LRESULT CWtkBaseControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_NOTIFY:
    case WM_COMMAND: {
        LRESULT result = 0;
        if (OnOwnWndMsg(message, wParam, lParam, &result))
            return result;
        CWnd* owner = GetOwner();
        if (!owner || !owner->m_hWnd || owner->m_hWnd == m_hWnd)
            break;
        result = owner->SendMessage(message, wParam, lParam);
        if (message == WM_NOTIFY && TooltipLeftUnanswered(lParam))
            break;
        return result;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CWtkBaseControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    if (m_pParentDockBar && !(m_pParentDockBar->GetSafeHwnd() && (m_pParentDockBar->GetStyle() & WS_VISIBLE)))
        return 0;
    CWnd* owner = GetOwner();
    CFrameWnd* target = owner ? owner->AsFrameWnd() : nullptr;
    if (!target)
        target = WtkGetParentFrame(this);
    if (target)
        OnUpdateCmdUI(target, static_cast<BOOL>(wParam));
    return 0;
}

LRESULT CWtkBaseControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const CPoint point(TVX_X_LPARAM(lParam), TVX_Y_LPARAM(lParam));
    const INT_PTR item = OnToolHitTest(point, nullptr);
    if (item != -1)
        return static_cast<LRESULT>(HID_BASE_COMMAND + item);
    const UINT id = static_cast<UINT>(GetDlgCtrlID()) & 0xFFFF;
    return id ? static_cast<LRESULT>(HID_BASE_CONTROL + id) : 0;
}
