#include "toolkit/foundation/control_bar.h"

#include <limits>
#include <new>

#include "platform/ui/frame_wnd.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/extras/base_tab_wnd.h"
#include "toolkit/foundation/bar_window_class.h"
#include "toolkit/foundation/base_tabbed_bar.h"
#include "toolkit/foundation/dock_bar.h"
#include "toolkit/foundation/dock_bar_row.h"
#include "toolkit/foundation/docking_cb_wrapper.h"
#include "toolkit/foundation/docking_control_bar.h"
#include "toolkit/foundation/mini_frame_wnd.h"
#include "toolkit/foundation/ole_ip_frame_wnd.h"

IMPLEMENT_DYNCREATE(CWtkControlBar, CWtkBaseControlBar)

BEGIN_MESSAGE_MAP(CWtkControlBar, CWtkBaseControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCDESTROY()
    ON_WM_CONTEXTMENU()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

// The bar's own window class, registered on first use.
LPCSTR ControlBarClass()
{
    static char name[96];
    return WtkRegisterBarWindowClass("WtkControlBar", name, sizeof name);
}

// A window whose parent is a tab window held by a tabbed or docking bar.
bool InBarsTabWindow(CWnd* wnd)
{
    CWnd* tabs = wnd ? CWnd::FromHandlePermanent(::GetParent(wnd->m_hWnd)) : nullptr;
    if (!tabs || !tabs->IsKindOf(RUNTIME_CLASS(CWtkBaseTabWnd)))
        return false;
    CWnd* holder = CWnd::FromHandlePermanent(::GetParent(tabs->m_hWnd));
    return holder && (holder->IsKindOf(RUNTIME_CLASS(CWtkBaseTabbedBar)) ||
                      holder->IsKindOf(RUNTIME_CLASS(CWtkDockingControlBar)));
}

}  // namespace

CWtkControlBar::CWtkControlBar() : m_pMiniFrameRTC(RUNTIME_CLASS(CWtkMiniFrameWnd))
{
    m_recentDockInfo.SetBar(this);
}

CWtkControlBar::~CWtkControlBar() = default;

// ---- Creation ----------------------------------------------------------------------

BOOL CWtkControlBar::Create(LPCSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                            DWORD dwControlBarStyle, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, nullptr, dwStyle, rect, pParentWnd, nID, dwControlBarStyle, pContext);
}

BOOL CWtkControlBar::CreateEx(DWORD dwStyleEx, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                              const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle,
                              CCreateContext* pContext)
{
    if (!lpszClassName)
        lpszClassName = ControlBarClass();
    m_nID = nID;
    if (!CWtkBaseControlBar::CreateEx(dwStyleEx, lpszClassName, lpszWindowName,
                                      dwStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd, nID,
                                      dwControlBarStyle, pContext))
        return FALSE;

    CRect screen(rect);
    if (pParentWnd && pParentWnd->GetSafeHwnd())
        pParentWnd->ClientToScreen(&screen);
    if (m_recentDockInfo.m_rectRecentFloatingCompanion.IsRectEmpty())
        m_recentDockInfo.m_rectRecentFloatingCompanion = screen;
    if (m_recentDockInfo.m_rectRecentDockedRect.IsRectEmpty())
        m_recentDockInfo.m_rectRecentDockedRect = screen;
    if (!screen.IsRectEmpty())
        m_recentDockInfo.m_rectRecentFloatingRect = screen;

    SetOwner(pParentWnd);
    UpdateFullRect();
    if (CanFloat())
        m_dragFrameImpl.Init(this);
    return TRUE;
}

// ---- Borders and the inside rectangle -------------------------------------------------

void CWtkControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CWtkControlBar::SetBorders(LPCRECT lpBorders)
{
    if (lpBorders)
        SetBorders(lpBorders->left, lpBorders->top, lpBorders->right, lpBorders->bottom);
}

void CWtkControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    const DWORD style = GetBarStyle();
    if (!IsFloating() && !IsTabbed()) {
        if (style & CBRS_BORDER_LEFT)
            ++rect.left;
        if (style & CBRS_BORDER_TOP)
            ++rect.top;
        if (style & CBRS_BORDER_RIGHT)
            --rect.right;
        if (style & CBRS_BORDER_BOTTOM)
            --rect.bottom;
    }
    // A vertical bar turns its borders with it.
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
    if ((style & CBRS_GRIPPER) && !(style & CBRS_FLOATING)) {
        if (bHorz)
            rect.left += 7;
        else
            rect.top += 7;
    }
}

// ---- Elements of derived bars -------------------------------------------------------------

BOOL CWtkControlBar::AllocElements(int nElements, int cbElement)
{
    if (nElements < 0 || (nElements > 0 && cbElement <= 0))
        return FALSE;
    std::unique_ptr<BYTE[]> buffer;
    if (nElements > 0) {
        const size_t count = static_cast<size_t>(nElements);
        const size_t size = static_cast<size_t>(cbElement);
        if (count > std::numeric_limits<size_t>::max() / size)
            return FALSE;
        buffer.reset(new (std::nothrow) BYTE[count * size]());
        if (!buffer)
            return FALSE;
    }
    m_pData = std::move(buffer);
    m_nCount = nElements;
    return TRUE;
}

// ---- The full rectangle -------------------------------------------------------------------

void CWtkControlBar::UpdateFullRect()
{
    if (!m_hWnd)
        return;
    CRect rect;
    GetWindowRect(&rect);
    if (HWND parent = ::GetParent(m_hWnd))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    m_rectFull = rect;
}

void CWtkControlBar::SetFullRectSize(int cx, int cy)
{
    m_rectFull.right = m_rectFull.left + cx;
    m_rectFull.bottom = m_rectFull.top + cy;
}

// ---- Where the bar is ---------------------------------------------------------------------

BOOL CWtkControlBar::IsTabbed() const
{
    if (!m_hWnd)
        return FALSE;
    CWnd* self = CWnd::FromHandlePermanent(m_hWnd);
    if (InBarsTabWindow(self))
        return TRUE;
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    return parent && parent->IsKindOf(RUNTIME_CLASS(CWtkDockingCBWrapper)) && InBarsTabWindow(parent);
}

BOOL CWtkControlBar::CanBeDocked(CWtkDockBar* pDockBar) const
{
    return pDockBar && (pDockBar->GetCurrentAlignment() & GetEnabledAlignment()) != 0;
}

void CWtkControlBar::RecalcLayout()
{
    if (m_pDockBarRow) {
        UpdateFullRect();
        return;
    }
    CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame(TRUE);
    if (!miniFrame || !IsFloating())
        return;
    CWnd* parent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (!parent || !parent->IsKindOf(RUNTIME_CLASS(CWtkBaseTabWnd)))
        miniFrame->AdjustLayout();
}

// ---- Sizes ----------------------------------------------------------------------------------

int CWtkControlBar::GetExpandableSize() const
{
    if (!m_hWnd)
        return 0;
    CRect window;
    GetWindowRect(&window);
    const int grow = IsHorizontal() ? m_rectFull.Width() - window.Width() : m_rectFull.Height() - window.Height();
    return grow > 0 ? grow : 0;
}

int CWtkControlBar::GetAvailableShrink() const
{
    if (!m_hWnd)
        return 0;
    CRect window;
    GetWindowRect(&window);
    const CSize minimum = GetMinSize();
    return IsHorizontal() ? window.Width() - minimum.cx : window.Height() - minimum.cy;
}

BOOL CWtkControlBar::StoreOption(BOOL bOption)
{
    m_bOption = bOption;
    return m_bOption;
}

CSize CWtkControlBar::CalcSizeChange(const CRect& rect) const
{
    const CSize minimum = GetMinSize();
    const int cx = rect.Width() < minimum.cx ? minimum.cx : rect.Width();
    const int cy = rect.Height() < minimum.cy ? minimum.cy : rect.Height();
    CRect window;
    if (m_hWnd)
        GetWindowRect(&window);
    return CSize(cx - window.Width(), cy - window.Height());
}

CSize CWtkControlBar::ResizeToRect(const CRect& rectNew, BOOL bNoMinimum)
{
    if (!m_hWnd)
        return CSize(0, 0);
    CRect window;
    GetWindowRect(&window);
    CRect target(rectNew);
    if (!bNoMinimum) {
        const CSize minimum = GetMinSize();
        // The edge that stayed where it was holds; the other gives way.
        if (target.Width() < minimum.cx) {
            if (target.left == window.left)
                target.right = target.left + minimum.cx;
            else
                target.left = target.right - minimum.cx;
        }
        if (target.Height() < minimum.cy) {
            if (target.top == window.top)
                target.bottom = target.top + minimum.cy;
            else
                target.top = target.bottom - minimum.cy;
        }
    }
    const CSize change(target.Width() - window.Width(), target.Height() - window.Height());
    if (HWND parent = ::GetParent(m_hWnd))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&target), 2);
    MoveBarWindow(&target, TRUE, nullptr);
    return change;
}

int CWtkControlBar::StretchBar(int nStretchSize, HDWP& hdwp)
{
    if (!m_hWnd || nStretchSize == 0)
        return 0;
    int applied = nStretchSize;
    if (applied > 0) {
        const int room = GetExpandableSize();
        if (applied > room)
            applied = room;
    } else {
        const int room = GetAvailableShrink();
        if (-applied > room)
            applied = room > 0 ? -room : 0;
    }
    if (applied == 0)
        return 0;
    CRect rect;
    GetWindowRect(&rect);
    if (HWND parent = ::GetParent(m_hWnd))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    if (IsHorizontal())
        rect.right += applied;
    else
        rect.bottom += applied;
    hdwp = MoveBarWindow(&rect, TRUE, hdwp);
    return applied;
}

void CWtkControlBar::AdjustSizeImmediate(BOOL bRecalcLayout)
{
    if (!m_hWnd)
        return;
    CRect window;
    GetWindowRect(&window);
    const CSize size = CalcFixedLayout(FALSE, IsHorizontal());
    if (size == window.Size())
        return;
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!IsDocked())
        return;
    UpdateFullRect();
    if (!bRecalcLayout)
        return;
    if (m_pDockBarRow)
        m_pDockBarRow->OnResizeControlBar(this);
    if (CFrameWnd* frame = GetDockSite())
        frame->RecalcLayout(TRUE);
}

// ---- Pins and mini frames ------------------------------------------------------------------

BOOL CWtkControlBar::StorePinState()
{
    if (CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame(TRUE))
        m_nPinState = miniFrame->GetPinState();
    return TRUE;
}

void CWtkControlBar::UpdateMiniFrameState()
{
    RecalcLayout();
    if (CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame(TRUE))
        miniFrame->SetPinState(m_nPinState);
}

CWtkBaseControlBar* CWtkControlBar::GetBarToFloat(BOOL& bHandled)
{
    bHandled = FALSE;
    return this;
}

// ---- Messages -------------------------------------------------------------------------------

void CWtkControlBar::OnContextMenu(CWnd*, CPoint point)
{
    if (CWtkToolBar::IsCustomizeMode())
        return;
    // The frame that shows the bars menu: the dock site, else the active
    // in-place frame, else the frame at the top.
    CFrameWnd* frame = GetDockSite();
    if (!frame)
        frame = g_pWtkActiveOleIPFrame;
    if (!frame)
        frame = GetTopLevelFrame();
    if (!frame || !frame->GetSafeHwnd())
        return;
    frame->SendMessage(WTKMSG_TOOLBAR_POPUPMENU, reinterpret_cast<WPARAM>(m_hWnd),
                       MAKELPARAM(point.x, point.y));
}

void CWtkControlBar::OnDestroy()
{
    // A tab of a tabbed bar leaves it before its window goes.
    HWND tabWindow = nullptr;
    CWtkBaseTabWnd* tabWnd = IsTabbed() ? GetParentTabWnd(tabWindow) : nullptr;
    CWnd* holder = tabWnd ? CWnd::FromHandlePermanent(::GetParent(tabWnd->m_hWnd)) : nullptr;
    if (holder && holder->IsKindOf(RUNTIME_CLASS(CWtkBaseTabbedBar))) {
        const HWND self = m_hWnd;
        static_cast<CWtkBaseTabbedBar*>(holder)->RemoveControlBar(this);
        if (!::IsWindow(self))
            return;
    }
    Default();
}

void CWtkControlBar::OnNcDestroy()
{
    // The mini frame must not keep a bar whose window is gone.
    if (CWtkMiniFrameWnd* miniFrame = GetParentMiniFrame(TRUE))
        miniFrame->RemoveControlBar(this, FALSE, FALSE);
    CWtkBaseControlBar::OnNcDestroy();
}
