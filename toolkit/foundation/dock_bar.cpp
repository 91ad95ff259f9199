#include "toolkit/foundation/dock_bar.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/controls/tool_bar.h"
#include "toolkit/foundation/bar_window_class.h"
#include "toolkit/foundation/control_bar.h"
#include "toolkit/foundation/dock_bar_row.h"
#include "platform/ui/frame_wnd.h"
#include "toolkit/foundation/dock_manager.h"
#include "toolkit/foundation/visual_manager.h"

IMPLEMENT_DYNCREATE(CWtkDockBar, CWtkBaseControlBar)

BEGIN_MESSAGE_MAP(CWtkDockBar, CWtkBaseControlBar)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace {

CWtkControlBar* AsControlBar(CWtkBaseControlBar* pBar)
{
    return pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkControlBar)) ? static_cast<CWtkControlBar*>(pBar) : nullptr;
}

// How far into the dock bar's depth a rectangle reaches on each side.
int DepthStart(const CRect& rect, BOOL bHorz) { return bHorz ? rect.top : rect.left; }
int DepthEnd(const CRect& rect, BOOL bHorz) { return bHorz ? rect.bottom : rect.right; }

// The dock bar's window class, registered on first use.
LPCSTR DockBarClass()
{
    static char name[96];
    return WtkRegisterBarWindowClass("WtkDockBar", name, sizeof name);
}

UINT DockBarIdForSide(DWORD dwAlignment)
{
    switch (dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_LEFT:
        return 59420;
    case CBRS_ALIGN_RIGHT:
        return 59421;
    case CBRS_ALIGN_BOTTOM:
        return 59422;
    default:
        return 59419;
    }
}

}  // namespace

BOOL CWtkDockBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, DWORD dwControlBarStyle,
                         CCreateContext* pContext)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, dwControlBarStyle, pContext);
}

BOOL CWtkDockBar::CreateEx(DWORD dwStyleEx, DWORD dwStyle, const RECT&, CWnd* pParentWnd, DWORD dwControlBarStyle,
                           CCreateContext* pContext)
{
    if (!pParentWnd || !pParentWnd->GetSafeHwnd())
        return FALSE;
    LPCSTR className = DockBarClass();
    const DWORD side = dwStyle & CBRS_ALIGN_ANY;
    SetBarAlignment(side);
    if (pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        SetDockSite(static_cast<CFrameWnd*>(pParentWnd));
    // The window starts collapsed onto its side: rows give it its depth.
    CRect place;
    pParentWnd->GetClientRect(&place);
    switch (side) {
    case CBRS_ALIGN_BOTTOM:
        place.top = place.bottom;
        break;
    case CBRS_ALIGN_LEFT:
        place.right = 0;
        break;
    case CBRS_ALIGN_RIGHT:
        place.left = place.right;
        break;
    default:
        place.bottom = place.top;
        break;
    }
    return CWtkBaseControlBar::CreateEx(dwStyleEx, className, nullptr,
                                        dwStyle | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, place, pParentWnd,
                                        DockBarIdForSide(side), dwControlBarStyle, pContext);
}

UINT CWtkDockBar::GetDockBarID() const
{
    return DockBarIdForSide(GetCurrentAlignment());
}

CWtkDockBar::~CWtkDockBar()
{
    while (!m_lstDockBarRows.IsEmpty()) {
        auto* row = static_cast<CWtkDockBarRow*>(m_lstDockBarRows.RemoveHead());
        // The bars outlive their rows.
        for (POSITION pos = row->GetControlBarList().GetHeadPosition(); pos;) {
            auto* bar = static_cast<CWtkBaseControlBar*>(row->GetControlBarList().GetNext(pos));
            if (bar->GetDockBarRow() == row)
                bar->SetDockBarRow(nullptr);
        }
        delete row;
    }
}

BOOL CWtkDockBar::IsBarDragged() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos;) {
        CWtkControlBar* bar = AsControlBar(static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetNext(pos)));
        if (bar && bar->IsDragMode())
            return TRUE;
    }
    return FALSE;
}

CWtkDockBarRow* CWtkDockBar::CreateRow(CWtkDockBar* pDockBar, int nOffset, int nThickness)
{
    auto* row = new CWtkDockBarRow(pDockBar, nOffset, nThickness);
    if (!row->Create()) {
        delete row;
        return nullptr;
    }
    return row;
}

BOOL CWtkDockBar::CanAcceptBar(const CWtkBaseControlBar* pBar) const
{
    return pBar != nullptr;
}

int CWtkDockBar::ThicknessOf(CWtkBaseControlBar* pBar) const
{
    const BOOL horz = IsHorizontalDockBar();
    const CSize size = pBar->CalcFixedLayout(FALSE, horz);
    if (size.cx > 0 && size.cy > 0)
        return horz ? size.cy : size.cx;
    CRect window;
    pBar->GetWindowRect(&window);
    return horz ? window.Height() : window.Width();
}

// ---- Depth ----------------------------------------------------------------------------------

int CWtkDockBar::GetDockBarDepth() const
{
    int depth = 0;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos;) {
        auto* row = static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (row->IsVisible())
            depth += row->GetRowHeight();
    }
    return depth;
}

void CWtkDockBar::GrowBy(int nDelta, BOOL bAdjustLayout)
{
    if (!m_hWnd || nDelta == 0)
        return;
    CRect rect;
    GetWindowRect(&rect);
    if (HWND parent = ::GetParent(m_hWnd))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    switch (GetCurrentAlignment()) {
    case CBRS_ALIGN_BOTTOM:
        rect.top -= nDelta;
        break;
    case CBRS_ALIGN_RIGHT:
        rect.left -= nDelta;
        break;
    case CBRS_ALIGN_LEFT:
        rect.right += nDelta;
        break;
    default:
        rect.bottom += nDelta;
        break;
    }
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (bAdjustLayout)
        AdjustDockingLayout();
}

void CWtkDockBar::SetWindowPosByRect(const CWnd* pWndInsertAfter, const CRect& rect, UINT nFlags)
{
    SetWindowPos(pWndInsertAfter, rect.left, rect.top, rect.Width(), rect.Height(), nFlags | SWP_NOACTIVATE);
}

void CWtkDockBar::AdjustDockingLayout(HDWP hdwp)
{
    CWtkBaseControlBar::AdjustDockingLayout(hdwp);
}

// ---- Rows ---------------------------------------------------------------------------------

POSITION CWtkDockBar::RowPosition(const CWtkDockBarRow* pRow) const
{
    return pRow ? m_lstDockBarRows.Find(const_cast<CWtkDockBarRow*>(pRow)) : nullptr;
}

CWtkDockBarRow* CWtkDockBar::AddRow(POSITION pos, int nThickness)
{
    int offset = 0;
    for (POSITION p = m_lstDockBarRows.GetHeadPosition(); p && p != pos;) {
        auto* row = static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(p));
        if (row->IsVisible())
            offset += row->GetRowHeight();
    }
    GrowBy(nThickness, TRUE);
    CWtkDockBarRow* row = CreateRow(this, offset, nThickness);
    if (!row) {
        GrowBy(-nThickness, TRUE);
        return nullptr;
    }
    POSITION added = pos ? m_lstDockBarRows.InsertBefore(pos, row) : m_lstDockBarRows.AddTail(row);
    OnInsertRow(added);
    return row;
}

void CWtkDockBar::OnInsertRow(POSITION pos)
{
    if (!pos)
        return;
    auto* row = static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetAt(pos));
    const int thickness = row->GetRowHeight();
    m_lstDockBarRows.GetNext(pos);
    while (pos)
        static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos))->Move(thickness);
}

void CWtkDockBar::OnRemoveRow(POSITION pos, int nThickness)
{
    while (pos)
        static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos))->Move(-nThickness);
}

void CWtkDockBar::RemoveRow(CWtkDockBarRow* pRow)
{
    POSITION pos = RowPosition(pRow);
    if (!pos)
        return;
    const int thickness = pRow->GetRowHeight();
    if (pRow->IsVisible())
        GrowBy(-thickness, TRUE);
    POSITION next = pos;
    m_lstDockBarRows.GetNext(next);
    if (pRow->IsVisible())
        OnRemoveRow(next, thickness);
    m_lstDockBarRows.RemoveAt(pos);
    delete pRow;
}

int CWtkDockBar::ResizeRowBy(CWtkDockBarRow* pRow, int nDelta)
{
    POSITION pos = RowPosition(pRow);
    if (!pos)
        return 0;
    pRow->Resize(nDelta);
    m_lstDockBarRows.GetNext(pos);
    while (pos)
        static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos))->Move(nDelta);
    return nDelta;
}

BOOL CWtkDockBar::ResizeRow(CWtkDockBarRow* pRow, int nNewThickness, BOOL bAdjustLayout)
{
    if (!RowPosition(pRow))
        return FALSE;
    const int delta = nNewThickness - pRow->GetRowHeight();
    if (delta == 0)
        return TRUE;
    if (delta < 0 && !pRow->IsEmpty()) {
        const CSize fixed = pRow->CalcFixedLayout(FALSE, IsHorizontalDockBar());
        const int needed = IsHorizontalDockBar() ? fixed.cy : fixed.cx;
        if (pRow->IsVisible() && nNewThickness < needed)
            return FALSE;
    }
    ResizeRowBy(pRow, delta);
    if (pRow->IsVisible())
        GrowBy(delta, bAdjustLayout);
    return TRUE;
}

void CWtkDockBar::ShowRowAt(POSITION pos, BOOL bShow)
{
    if (!pos)
        return;
    auto* row = static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetAt(pos));
    const int thickness = row->GetRowHeight();
    m_lstDockBarRows.GetNext(pos);
    while (pos)
        static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos))->Move(bShow ? thickness : -thickness);
}

void CWtkDockBar::ShowDockBarRow(CWtkDockBarRow* pRow, BOOL bShow, BOOL bAdjustLayout)
{
    POSITION pos = RowPosition(pRow);
    if (!pos)
        return;
    ShowRowAt(pos, bShow);
    GrowBy(bShow ? pRow->GetRowHeight() : -pRow->GetRowHeight(), bAdjustLayout);
}

void CWtkDockBar::SwapRows(CWtkDockBarRow* pFirst, CWtkDockBarRow* pSecond)
{
    POSITION first = RowPosition(pFirst);
    POSITION second = RowPosition(pSecond);
    if (!first || !second || first == second)
        return;
    // Only neighbours among the visible rows change places.
    std::vector<CWtkDockBarRow*> visible;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos;) {
        auto* row = static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (row->IsVisible())
            visible.push_back(row);
    }
    const auto a = std::find(visible.begin(), visible.end(), pFirst);
    const auto b = std::find(visible.begin(), visible.end(), pSecond);
    if (a == visible.end() || b == visible.end() || std::abs(static_cast<int>(a - b)) != 1)
        return;
    CWtkDockBarRow* upper = a < b ? pFirst : pSecond;
    CWtkDockBarRow* lower = a < b ? pSecond : pFirst;
    POSITION upperPos = RowPosition(upper);
    POSITION lowerPos = RowPosition(lower);
    m_lstDockBarRows.SetAt(upperPos, lower);
    m_lstDockBarRows.SetAt(lowerPos, upper);
    const int upperThickness = upper->GetRowHeight();
    const int lowerThickness = lower->GetRowHeight();
    lower->Move(-upperThickness);
    upper->Move(lowerThickness);
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos;)
        static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos))->UpdateVirtualRects();
}

CWtkDockBarRow* CWtkDockBar::RowFromPoint(CPoint pt, BOOL& bOuterEdge) const
{
    bOuterEdge = FALSE;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos;) {
        auto* row = static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (!row->IsVisible())
            continue;
        CRect rect;
        row->GetRowRect(rect);
        if (rect.PtInRect(pt))
            return row;
    }
    if (m_hWnd) {
        CRect window;
        GetWindowRect(&window);
        bOuterEdge = IsHorizontalDockBar() ? pt.y < window.top : pt.x < window.left;
    }
    return nullptr;
}

CWtkDockBarRow* CWtkDockBar::RowFromClientPoint(const CRect& rectClient) const
{
    CPoint pt = rectClient.TopLeft();
    if (m_hWnd)
        ClientToScreen(&pt);
    BOOL outer = FALSE;
    return RowFromPoint(pt, outer);
}

CWtkDockBarRow* CWtkDockBar::FindRowByBar(const CWtkBaseControlBar* pBar) const
{
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos;) {
        auto* row = static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (row->GetControlBarList().Find(const_cast<CWtkBaseControlBar*>(pBar)))
            return row;
    }
    return nullptr;
}

int CWtkDockBar::GetRowIndex(const CWtkDockBarRow* pRow) const
{
    int index = 0;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos; ++index) {
        if (m_lstDockBarRows.GetNext(pos) == pRow)
            return index;
    }
    return 0;
}

CWtkDockBarRow* CWtkDockBar::RowAtIndex(int nIndex) const
{
    if (nIndex < 0)
        return nullptr;
    POSITION pos = m_lstDockBarRows.FindIndex(nIndex);
    return pos ? static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetAt(pos)) : nullptr;
}

CWtkBaseControlBar* CWtkDockBar::ControlBarFromPoint(CPoint pt) const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetNext(pos));
        CRect window;
        if (bar->GetSafeHwnd()) {
            bar->GetWindowRect(&window);
            if (window.PtInRect(pt))
                return bar;
        }
    }
    return nullptr;
}

CWtkBaseControlBar* CWtkDockBar::FindBarByID(UINT nID) const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if (bar->GetSafeHwnd() && static_cast<UINT>(bar->GetDlgCtrlID()) == nID)
            return bar;
    }
    return nullptr;
}

// ---- Docking ------------------------------------------------------------------------------

CWtkDockBarRow* CWtkDockBar::TargetRow(CWtkBaseControlBar* pBar, int nDockMethod, LPCRECT lpRect, int nThickness)
{
    CWtkControlBar* control = AsControlBar(pBar);
    const BOOL exclusive = control && control->GetExclusiveRowMode();
    if (nDockMethod == 1) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        BOOL outer = FALSE;
        if (CWtkDockBarRow* row = RowFromPoint(cursor, outer)) {
            if (!row->HasExclusiveBar() && (!exclusive || row->IsEmpty()))
                return row;
            POSITION pos = RowPosition(row);
            m_lstDockBarRows.GetNext(pos);
            return AddRow(pos, nThickness);
        }
        return AddRow(outer ? m_lstDockBarRows.GetHeadPosition() : nullptr, nThickness);
    }
    if (nDockMethod == 2 && control) {
        CWtkDockBarRow* recent = control->GetRecentDockInfo().m_pRecentDockBarRow;
        if (recent && RowPosition(recent))
            return recent;
    }
    if (nDockMethod == 2 || nDockMethod == 4) {
        if (control && CWtkDockManager::s_bRestoringDockState) {
            const int index = control->GetRecentDockInfo().m_nRecentRowIndex;
            while (index >= 0 && m_lstDockBarRows.GetCount() <= index) {
                if (!AddRow(nullptr, nThickness))
                    return nullptr;
            }
            return RowAtIndex(index);
        }
        if (nDockMethod == 2 && control) {
            if (CWtkDockBarRow* row = RowAtIndex(control->GetRecentDockInfo().m_nRecentRowIndex))
                return row;
        }
        CRect rect;
        if (lpRect) {
            rect = *lpRect;
            if (m_hWnd)
                ScreenToClient(&rect);
        } else if (control) {
            rect = control->GetRecentDockInfo().m_rectRecentDockedRect;
        }
        if (!rect.IsRectEmpty()) {
            CPoint pt = rect.TopLeft();
            if (m_hWnd)
                ClientToScreen(&pt);
            BOOL outer = FALSE;
            if (CWtkDockBarRow* row = RowFromPoint(pt, outer)) {
                if (!row->HasExclusiveBar() && (!exclusive || row->IsEmpty()))
                    return row;
            }
        }
    }
    return AddRow(nullptr, nThickness);
}

BOOL CWtkDockBar::DockControlBar(CWtkBaseControlBar* pBar, int nDockMethod, LPCRECT lpRect)
{
    if (!pBar || m_lstControlBars.Find(pBar))
        return FALSE;
    const int thickness = ThicknessOf(pBar);
    CWtkDockBarRow* row = TargetRow(pBar, nDockMethod, lpRect, thickness);
    if (!row)
        return FALSE;
    row->AddControlBar(pBar, nDockMethod, lpRect, FALSE);
    const int docked = ThicknessOf(pBar);
    if (docked != thickness && docked > 0 && pBar->GetDockBarRow() == row)
        ResizeRow(row, docked, FALSE);
    m_lstControlBars.AddTail(pBar);
    AdjustDockingLayout();
    if (m_hWnd)
        ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

BOOL CWtkDockBar::DockControlBarNextTo(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTargetBar)
{
    CWtkDockBarRow* row = pTargetBar ? FindRowByBar(pTargetBar) : nullptr;
    if (!pBar || !row || m_lstControlBars.Find(pBar))
        return FALSE;
    CRect rect;
    pTargetBar->GetWindowRect(&rect);
    if (IsHorizontalDockBar())
        rect.OffsetRect(-10, 0);
    else
        rect.OffsetRect(0, -10);
    row->SetIgnoreVisibility(TRUE);
    row->AddControlBar(pBar, 4, &rect, FALSE);
    POSITION target = m_lstControlBars.Find(pTargetBar);
    if (target)
        m_lstControlBars.InsertBefore(target, pBar);
    else
        m_lstControlBars.AddTail(pBar);
    AdjustDockingLayout();
    RestoreVirtualRects();
    row->SetIgnoreVisibility(FALSE);
    return TRUE;
}

void CWtkDockBar::RemoveControlBar(CWtkBaseControlBar* pBar)
{
    POSITION pos = pBar ? m_lstControlBars.Find(pBar) : nullptr;
    if (!pos)
        return;
    m_lstControlBars.RemoveAt(pos);
    CWtkDockBarRow* row = pBar->GetDockBarRow();
    if (row && RowPosition(row))
        row->RemoveControlBar(pBar);
}

BOOL CWtkDockBar::ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->IsKindOf(RUNTIME_CLASS(CWtkControlBar)))
        return FALSE;
    CWtkDockBarRow* row = pBar->GetDockBarRow();
    return row ? row->ShowControlBar(pBar, bShow, bDelay) : FALSE;
}

// ---- Dragging -----------------------------------------------------------------------------

BOOL CWtkDockBar::MoveControlBar(CWtkBaseControlBar* pBar, int dx, int dy)
{
    CWtkControlBar* control = AsControlBar(pBar);
    CWtkDockBarRow* row = pBar ? pBar->GetDockBarRow() : nullptr;
    if (!control || !row || !RowPosition(row))
        return FALSE;
    // Where the mouse has taken the bar: its drag rectangle sums every step
    // of the drag. The remembered place cannot serve: the bar's own mouse
    // handling has already moved it by this step, and each move along the
    // row sets it back to the window, losing the steps across the row.
    CRect candidate = control->GetDragRect();
    if (m_hWnd)
        ScreenToClient(&candidate);

    CWtkDockBar* under = nullptr;
    if (control->IsLeavingDockBar(15, under)) {
        control->SetFullRect(candidate);
        CRect floating = candidate;
        if (m_hWnd)
            ClientToScreen(&floating);
        control->FloatControlBar(floating, 1, TRUE);
        return TRUE;
    }

    const BOOL horz = IsHorizontalDockBar();
    CRect rowRect;
    row->GetRowClientRect(rowRect);
    const int fromStart = DepthStart(rowRect, horz) - DepthStart(candidate, horz);
    const int fromEnd = DepthEnd(rowRect, horz) - DepthEnd(candidate, horz);
    const int offset = std::min(fromStart, fromEnd);
    const int thickness = horz ? candidate.Height() : candidate.Width();
    CRect centreRect(candidate.CenterPoint(), CSize(0, 0));
    CWtkDockBarRow* other = RowFromClientPoint(centreRect);

    if (std::abs(offset) > 2 * thickness / 3) {
        if (row->GetBarCount() > 1 && std::abs(offset) < row->GetRowHeight()) {
            POSITION pos = RowPosition(row);
            if (offset < 0)
                m_lstDockBarRows.GetNext(pos);
            row->RemoveControlBar(pBar);
            if (CWtkDockBarRow* fresh = AddRow(pos, thickness)) {
                // The bar's place along the row is kept; the new row sets the
                // rest.
                fresh->AddControlBarFromDrag(pBar, 2);
            }
            return FALSE;
        }
        if (other && other != row) {
            if (row->HasExclusiveBar() || other->HasExclusiveBar()) {
                SwapRows(row, other);
            } else {
                row->RemoveControlBar(pBar);
                // The old row may be gone; the other row still stands.
                if (RowPosition(other))
                    other->AddControlBarFromDrag(pBar, 2);
            }
            return FALSE;
        }
    }
    if (std::abs(offset) < rowRect.Height()) {
        row->MoveControlBar(pBar, dx, dy);
        control->UpdateFullRect();
    }
    return FALSE;
}

// ---- Layout -------------------------------------------------------------------------------

CSize CWtkDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const BOOL horz = IsHorizontalDockBar();
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos;) {
        auto* row = static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (!row->IsVisible())
            continue;
        const CSize size = row->CalcFixedLayout(bStretch, bHorz);
        const int needed = horz ? size.cy : size.cx;
        if (needed >= 1 && needed != row->GetRowHeight())
            ResizeRow(row, needed, FALSE);
    }
    CRect window;
    if (m_hWnd)
        GetWindowRect(&window);
    return window.Size();
}

void CWtkDockBar::OnSizeParent(const CRect& rectNew)
{
    if (!m_hWnd)
        return;
    CRect old;
    GetClientRect(&old);
    const int dx = rectNew.Width() - old.Width();
    const int dy = rectNew.Height() - old.Height();
    if (dx == 0 && dy == 0) {
        RestoreVirtualRects();
        return;
    }
    CRect window;
    GetWindowRect(&window);
    if (HWND parent = ::GetParent(m_hWnd))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    // The length follows the frame; the depth stays the rows'.
    if (IsHorizontalDockBar())
        window.right = window.left + rectNew.Width();
    else
        window.bottom = window.top + rectNew.Height();
    SetWindowPos(nullptr, window.left, window.top, window.Width(), window.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    GetClientRect(&client);
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos;) {
        auto* row = static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        row->RepositionBars(client, 2, dx > 0, dx);
        row->RepositionBars(client, 6, dy > 0, dy);
    }
}

void CWtkDockBar::RestoreVirtualRects()
{
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos;)
        static_cast<CWtkDockBarRow*>(m_lstDockBarRows.GetNext(pos))->RestoreVirtualRects();
}

// ---- Messages -----------------------------------------------------------------------------

BOOL CWtkDockBar::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (CWtkVisualManager* manager = CWtkVisualManager::GetInstance())
        manager->FillBarBackground(pDC, this, client, client);
    return TRUE;
}

void CWtkDockBar::OnPaint()
{
    // The bars paint themselves; the background was filled on erasing.
    CPaintDC dc(this);
}

void CWtkDockBar::OnContextMenu(CWnd*, CPoint point)
{
    if (CWtkToolBar::IsCustomizeMode() || IsBarDragged())
        return;
    CWnd* target = nullptr;
    if (HWND popup = ::GetLastActivePopup(m_hWnd ? ::GetAncestor(m_hWnd, GA_ROOT) : nullptr)) {
        CWnd* owner = CWnd::FromHandlePermanent(::GetWindow(popup, GW_OWNER));
        if (owner && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            target = owner;
    }
    if (!target)
        target = GetTopLevelFrame();
    if (target && target->GetSafeHwnd())
        target->SendMessage(WTKMSG_TOOLBAR_POPUPMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(point.x, point.y));
}
