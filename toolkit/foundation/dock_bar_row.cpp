#include "toolkit/foundation/dock_bar_row.h"

#include <algorithm>

#include "toolkit/foundation/base_control_bar.h"
#include "toolkit/foundation/control_bar.h"
#include "toolkit/foundation/dock_bar.h"

IMPLEMENT_DYNAMIC(CWtkDockBarRow, CObject)

int CWtkDockBarRow::s_nInterBarGap = 0;

namespace {

CWtkControlBar* AsControlBar(CWtkBaseControlBar* pBar)
{
    return pBar && pBar->IsKindOf(RUNTIME_CLASS(CWtkControlBar)) ? static_cast<CWtkControlBar*>(pBar) : nullptr;
}

// Keeps the row's own moves of its bars from being taken for outside ones.
class ArrangingScope {
public:
    explicit ArrangingScope(BOOL& flag) : m_flag(flag), m_old(flag) { m_flag = TRUE; }
    ~ArrangingScope() { m_flag = m_old; }
    ArrangingScope(const ArrangingScope&) = delete;
    ArrangingScope& operator=(const ArrangingScope&) = delete;

private:
    BOOL& m_flag;
    BOOL m_old;
};

}  // namespace

CWtkDockBarRow::CWtkDockBarRow(CWtkDockBar* pDockBar, int nOffset, int nThickness)
    : m_nRowHeight(nThickness), m_nRowOffset(nOffset), m_pDockBar(pDockBar)
{
    if (pDockBar)
        m_dwRowAlignment = pDockBar->GetCurrentAlignment();
}

// ---- Geometry ---------------------------------------------------------------------------

int CWtkDockBarRow::RowLength() const
{
    if (!m_pDockBar || !m_pDockBar->GetSafeHwnd())
        return 0;
    CRect client;
    m_pDockBar->GetClientRect(&client);
    return IsHorizontal() ? client.Width() : client.Height();
}

CRect CWtkDockBarRow::BarRect(CWtkBaseControlBar* pBar) const
{
    CRect rect;
    if (!pBar || !pBar->GetSafeHwnd())
        return rect;
    pBar->GetWindowRect(&rect);
    HWND reference = m_pDockBar && m_pDockBar->GetSafeHwnd() ? m_pDockBar->GetSafeHwnd() : ::GetParent(pBar->m_hWnd);
    ::MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

CRect CWtkDockBarRow::Along(CRect rect, int nStart, int nLength) const
{
    if (IsHorizontal()) {
        rect.left = nStart;
        rect.right = nStart + nLength;
    } else {
        rect.top = nStart;
        rect.bottom = nStart + nLength;
    }
    return rect;
}

void CWtkDockBarRow::GetRowClientRect(CRect& rect) const
{
    rect.SetRectEmpty();
    if (!m_pDockBar || !m_pDockBar->GetSafeHwnd())
        return;
    m_pDockBar->GetClientRect(&rect);
    if (IsHorizontal()) {
        rect.top = m_nRowOffset;
        rect.bottom = m_nRowOffset + m_nRowHeight;
    } else {
        rect.left = m_nRowOffset;
        rect.right = m_nRowOffset + m_nRowHeight;
    }
}

void CWtkDockBarRow::GetRowRect(CRect& rect) const
{
    GetRowClientRect(rect);
    if (m_pDockBar && m_pDockBar->GetSafeHwnd())
        m_pDockBar->ClientToScreen(&rect);
}

// ---- Visibility ---------------------------------------------------------------------------

BOOL CWtkDockBarRow::CountsAsVisible(CWtkBaseControlBar* pBar) const
{
    if (!pBar || !pBar->GetSafeHwnd())
        return FALSE;
    if (m_nIgnoreVisibility)
        return TRUE;
    const BOOL styleVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
    CWnd* frame = m_pDockBar ? m_pDockBar->GetParent() : nullptr;
    if (frame && !(frame->GetStyle() & WS_VISIBLE) && pBar->IsRestoredFromRegistry())
        return pBar->GetRecentVisibleState();
    return styleVisible;
}

std::vector<CWtkBaseControlBar*> CWtkDockBarRow::VisibleBars() const
{
    std::vector<CWtkBaseControlBar*> bars;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if (CountsAsVisible(bar))
            bars.push_back(bar);
    }
    return bars;
}

int CWtkDockBarRow::GetVisibleCount() const
{
    return static_cast<int>(VisibleBars().size());
}

void CWtkDockBarRow::UpdateVisibleState(BOOL bDelay)
{
    const BOOL visible = !VisibleBars().empty();
    if (visible != m_bVisible)
        ShowDockBarRow(visible, bDelay);
}

void CWtkDockBarRow::ShowDockBarRow(BOOL bShow, BOOL bDelay)
{
    m_bVisible = bShow;
    if (m_pDockBar)
        m_pDockBar->ShowDockBarRow(this, bShow, !bDelay);
}

BOOL CWtkDockBarRow::HasExclusiveBar() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos;) {
        CWtkControlBar* bar = AsControlBar(static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetNext(pos)));
        if (bar && bar->GetExclusiveRowMode())
            return TRUE;
    }
    return FALSE;
}

int CWtkDockBarRow::GetMaxBarThickness() const
{
    int thickest = 0;
    for (CWtkBaseControlBar* bar : VisibleBars())
        thickest = std::max(thickest, Across(BarRect(bar)));
    return thickest;
}

CSize CWtkDockBarRow::CalcFixedLayout(BOOL, BOOL)
{
    const BOOL horz = IsHorizontal();
    if (!m_bVisible)
        return horz ? CSize(32767, 0) : CSize(0, 32767);
    int along = 0;
    int across = 0;
    for (CWtkBaseControlBar* bar : VisibleBars()) {
        const CRect rect = BarRect(bar);
        along += Length(rect);
        across = std::max(across, Across(rect));
    }
    if (m_nExtraThickness > 0)
        across += m_nExtraThickness;
    return horz ? CSize(along, across) : CSize(across, along);
}

int CWtkDockBarRow::GetAvailableLength(BOOL bUseVirtualRect) const
{
    int length = RowLength();
    for (CWtkBaseControlBar* bar : VisibleBars()) {
        CWtkControlBar* control = AsControlBar(bar);
        length -= bUseVirtualRect && control ? Length(control->GetFullRect()) : Length(BarRect(bar));
    }
    return length;
}

// ---- Bars coming and going ----------------------------------------------------------------

void CWtkDockBarRow::AddControlBar(CWtkBaseControlBar* pBar, int, LPCRECT lpRect, BOOL bAddLast)
{
    if (!pBar || !pBar->GetSafeHwnd() || m_lstControlBars.Find(pBar))
        return;
    const BOOL horz = IsHorizontal();
    CSize size = pBar->CalcFixedLayout(FALSE, horz);
    // A bar that states no size of its own keeps its window's.
    if (size.cx <= 0 || size.cy <= 0) {
        CRect window;
        pBar->GetWindowRect(&window);
        size = window.Size();
    }
    int start = 0;
    if (lpRect && !::IsRectEmpty(lpRect)) {
        CRect rect(*lpRect);
        if (m_pDockBar && m_pDockBar->GetSafeHwnd())
            m_pDockBar->ScreenToClient(&rect);
        start = Start(rect);
    } else if (bAddLast && !m_lstControlBars.IsEmpty()) {
        start = End(BarRect(static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetTail()))) + s_nInterBarGap;
    }
    const int across = m_nRowOffset + (m_nPlacementMode == 1 ? m_nExtraThickness : 0);
    const CRect rect = horz ? CRect(start, across, start + size.cx, across + size.cy)
                            : CRect(across, start, across + size.cx, start + size.cy);
    {
        ArrangingScope scope(m_bArranging);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                           SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    InsertControlBar(pBar);
    if (CWtkControlBar* control = AsControlBar(pBar))
        control->UpdateFullRect();
}

void CWtkDockBarRow::AddControlBarFromDrag(CWtkBaseControlBar* pBar, int nDockMethod)
{
    if (!pBar || !pBar->GetSafeHwnd() || m_lstControlBars.Find(pBar))
        return;
    CRect rect;
    pBar->GetWindowRect(&rect);
    if (nDockMethod == 1) {
        // Keep the cursor where it grabbed the bar, so the bar lands where
        // it was dropped.
        CPoint cursor;
        ::GetCursorPos(&cursor);
        CWtkControlBar* control = AsControlBar(pBar);
        const CPoint hot = control ? control->GetHotSpot() : CPoint(0, 0);
        rect.OffsetRect(cursor.x - hot.x - rect.left, cursor.y - hot.y - rect.top);
    }
    if (m_pDockBar && m_pDockBar->GetSafeHwnd())
        m_pDockBar->ScreenToClient(&rect);
    if (IsHorizontal())
        rect.OffsetRect(0, m_nRowOffset - rect.top);
    else
        rect.OffsetRect(m_nRowOffset - rect.left, 0);
    {
        ArrangingScope scope(m_bArranging);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InsertControlBar(pBar);
    if (CWtkControlBar* control = AsControlBar(pBar))
        control->UpdateFullRect();
}

void CWtkDockBarRow::InsertControlBar(CWtkBaseControlBar* pBar)
{
    if (!pBar)
        return;
    const CRect rect = BarRect(pBar);
    POSITION before = nullptr;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos;) {
        POSITION current = pos;
        auto* other = static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if (Start(BarRect(other)) > Start(rect)) {
            before = current;
            break;
        }
    }
    if (before)
        m_lstControlBars.InsertBefore(before, pBar);
    else
        m_lstControlBars.AddTail(pBar);
    pBar->SetDockBarRow(this);
    UpdateVisibleState(FALSE);
    const int thickness = Across(rect);
    if (thickness > m_nRowHeight && m_pDockBar)
        m_pDockBar->ResizeRow(this, m_nExtraThickness + thickness, TRUE);
    ArrangeBars(pBar);
}

void CWtkDockBarRow::RemoveControlBar(CWtkBaseControlBar* pBar)
{
    POSITION pos = pBar ? m_lstControlBars.Find(pBar) : nullptr;
    if (!pos)
        return;
    if (CWtkControlBar* control = AsControlBar(pBar)) {
        HDWP hdwp = nullptr;
        ArrangingScope scope(m_bArranging);
        control->StretchBar(65535, hdwp);
    }
    m_lstControlBars.RemoveAt(pos);
    pBar->SetDockBarRow(nullptr);
    if (m_lstControlBars.IsEmpty()) {
        // The dock bar deletes this row.
        if (m_pDockBar)
            m_pDockBar->RemoveRow(this);
        return;
    }
    RestoreVirtualRects();
    UpdateVisibleState(FALSE);
    const int thickest = GetMaxBarThickness();
    if (thickest > 0 && thickest < m_nRowHeight && m_pDockBar)
        m_pDockBar->ResizeRow(this, thickest, TRUE);
}

BOOL CWtkDockBarRow::ReplaceControlBar(CWtkBaseControlBar* pOldBar, CWtkBaseControlBar* pNewBar)
{
    POSITION pos = pOldBar ? m_lstControlBars.Find(pOldBar) : nullptr;
    if (!pos || !pNewBar)
        return FALSE;
    m_lstControlBars.SetAt(pos, pNewBar);
    return TRUE;
}

BOOL CWtkDockBarRow::ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (!pBar || !pBar->GetSafeHwnd() || !m_lstControlBars.Find(pBar))
        return FALSE;
    {
        ArrangingScope scope(m_bArranging);
        pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
    UpdateVisibleState(bDelay);
    if (bShow)
        ArrangeBars(pBar);
    else
        RestoreVirtualRects();
    if (!bDelay && m_pDockBar && m_pDockBar->GetSafeHwnd()) {
        CRect client;
        m_pDockBar->GetClientRect(&client);
        RepositionBars(client, -1);
    }
    return TRUE;
}

void CWtkDockBarRow::OnResizeControlBar(CWtkBaseControlBar* pBar)
{
    if (m_bArranging || !pBar || !m_lstControlBars.Find(pBar))
        return;
    const int thickness = Across(BarRect(pBar));
    if (thickness > m_nRowHeight && m_pDockBar)
        m_pDockBar->ResizeRow(this, m_nExtraThickness + thickness, TRUE);
    ArrangeBars(pBar);
}

// ---- Across the dock bar ----------------------------------------------------------------

int CWtkDockBarRow::Resize(int nDelta)
{
    m_nRowHeight += nDelta;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos;) {
        if (CWtkControlBar* control = AsControlBar(static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetNext(pos))))
            control->RecalcLayout();
    }
    return nDelta;
}

void CWtkDockBarRow::Move(int nDelta)
{
    m_nRowOffset += nDelta;
    const int dx = IsHorizontal() ? 0 : nDelta;
    const int dy = IsHorizontal() ? nDelta : 0;
    ArrangingScope scope(m_bArranging);
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos;) {
        auto* bar = static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetNext(pos));
        CRect rect = BarRect(bar);
        rect.OffsetRect(dx, dy);
        bar->MoveBarWindow(&rect, TRUE, nullptr);
        if (CWtkControlBar* control = AsControlBar(bar)) {
            CRect full = control->GetFullRect();
            full.OffsetRect(dx, dy);
            control->SetFullRect(full);
        }
    }
}

// ---- Along the row ------------------------------------------------------------------------

void CWtkDockBarRow::FitInto(std::vector<CWtkBaseControlBar*>& bars, std::vector<CRect>& rects) const
{
    const int length = RowLength();
    const size_t count = rects.size();
    if (count == 0)
        return;
    auto shiftTo = [this](CRect& rect, int start) { rect = Along(rect, start, Length(rect)); };
    auto forward = [&](size_t from, int pos) {
        for (size_t i = from; i < count; ++i) {
            if (Start(rects[i]) < pos)
                shiftTo(rects[i], pos);
            pos = End(rects[i]);
        }
    };
    auto backward = [&](size_t from, int pos) {
        for (size_t i = from + 1; i-- > 0;) {
            if (End(rects[i]) > pos)
                shiftTo(rects[i], pos - Length(rects[i]));
            pos = Start(rects[i]);
        }
    };
    forward(0, 0);
    backward(count - 1, length);
    if (Start(rects[0]) >= 0)
        return;
    // The bars do not fit: the ones at the end give what they can.
    int overflow = -Start(rects[0]);
    for (size_t i = count; i-- > 0 && overflow > 0;) {
        CWtkControlBar* control = AsControlBar(bars[i]);
        const CSize minimum = control ? control->GetMinSize() : CSize(Length(rects[i]), Length(rects[i]));
        const int least = std::max(1, static_cast<int>(IsHorizontal() ? minimum.cx : minimum.cy));
        const int give = std::min(overflow, std::max(0, Length(rects[i]) - least));
        rects[i] = Along(rects[i], Start(rects[i]), Length(rects[i]) - give);
        overflow -= give;
    }
    for (size_t i = 0; i < count; ++i)
        shiftTo(rects[i], i == 0 ? 0 : End(rects[i - 1]));
}

void CWtkDockBarRow::ApplyRects(const std::vector<CWtkBaseControlBar*>& bars, const std::vector<CRect>& rects)
{
    ArrangingScope scope(m_bArranging);
    HDWP hdwp = ::BeginDeferWindowPos(static_cast<int>(bars.size()));
    for (size_t i = 0; i < bars.size(); ++i) {
        if (BarRect(bars[i]) == rects[i])
            continue;
        // A failed batch leaves hdwp null: the rest move at once.
        hdwp = bars[i]->MoveBarWindow(&rects[i], TRUE, hdwp);
    }
    if (hdwp)
        ::EndDeferWindowPos(hdwp);
}

void CWtkDockBarRow::ArrangeBars(CWtkBaseControlBar* pBar)
{
    std::vector<CWtkBaseControlBar*> bars = VisibleBars();
    if (bars.empty())
        return;
    std::vector<CRect> rects;
    for (CWtkBaseControlBar* bar : bars)
        rects.push_back(BarRect(bar));
    // Push the neighbours away from the bar on both sides first, so that it
    // keeps its place when the row has room for it there.
    const auto anchor = std::find(bars.begin(), bars.end(), pBar);
    if (anchor != bars.end()) {
        const size_t a = static_cast<size_t>(anchor - bars.begin());
        int pos = End(rects[a]);
        for (size_t i = a + 1; i < rects.size(); ++i) {
            if (Start(rects[i]) < pos)
                rects[i] = Along(rects[i], pos, Length(rects[i]));
            pos = End(rects[i]);
        }
        pos = Start(rects[a]);
        for (size_t i = a; i-- > 0;) {
            if (End(rects[i]) > pos)
                rects[i] = Along(rects[i], pos - Length(rects[i]), Length(rects[i]));
            pos = Start(rects[i]);
        }
    }
    FitInto(bars, rects);
    ApplyRects(bars, rects);
}

void CWtkDockBarRow::RestoreVirtualRects()
{
    std::vector<CWtkBaseControlBar*> bars = VisibleBars();
    if (bars.empty())
        return;
    std::vector<CRect> rects;
    for (CWtkBaseControlBar* bar : bars) {
        const CRect window = BarRect(bar);
        CWtkControlBar* control = AsControlBar(bar);
        const CRect full = control ? control->GetFullRect() : window;
        // The remembered place along the row, the present place across it.
        rects.push_back(full.IsRectEmpty() ? window : Along(window, Start(full), Length(full)));
    }
    FitInto(bars, rects);
    ApplyRects(bars, rects);
}

void CWtkDockBarRow::UpdateVirtualRects()
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos;) {
        if (CWtkControlBar* control = AsControlBar(static_cast<CWtkBaseControlBar*>(m_lstControlBars.GetNext(pos))))
            control->UpdateFullRect();
    }
}

void CWtkDockBarRow::RepositionBars(const CRect&, int, BOOL, int)
{
    if (m_lstControlBars.IsEmpty() || GetVisibleCount() == 0)
        return;
    if (HasExclusiveBar()) {
        // Only the ends are kept inside the new extent.
        ArrangeBars(nullptr);
        return;
    }
    // Fitting the remembered places into the new length shrinks from the end
    // when the row gets shorter and brings pushed bars back when it grows.
    RestoreVirtualRects();
}

void CWtkDockBarRow::SwapInList(CWtkBaseControlBar* pFirst, CWtkBaseControlBar* pSecond)
{
    POSITION first = m_lstControlBars.Find(pFirst);
    POSITION second = m_lstControlBars.Find(pSecond);
    if (!first || !second)
        return;
    m_lstControlBars.SetAt(first, pSecond);
    m_lstControlBars.SetAt(second, pFirst);
}

void CWtkDockBarRow::MoveControlBar(CWtkBaseControlBar* pBar, int dx, int dy)
{
    if (!pBar || !m_lstControlBars.Find(pBar))
        return;
    std::vector<CWtkBaseControlBar*> bars = VisibleBars();
    const auto it = std::find(bars.begin(), bars.end(), pBar);
    if (it == bars.end())
        return;
    const size_t index = static_cast<size_t>(it - bars.begin());
    std::vector<CRect> rects;
    for (CWtkBaseControlBar* bar : bars)
        rects.push_back(BarRect(bar));
    const int delta = IsHorizontal() ? dx : dy;
    if (delta == 0)
        return;
    const CRect own = rects[index];
    const CRect wanted = Along(own, Start(own) + delta, Length(own));
    // A neighbour that the bar reaches and whose middle it passes changes
    // places with it: the neighbour takes the room the bar left.
    auto reaches = [&](size_t i) {
        CRect overlap;
        return overlap.IntersectRect(&wanted, &rects[i]) != FALSE;
    };
    if (delta > 0 && index + 1 < bars.size() && reaches(index + 1) &&
        End(wanted) > Start(rects[index + 1]) + Length(rects[index + 1]) / 2) {
        const CRect next = rects[index + 1];
        rects[index] = Along(next, Start(own), Length(next));
        rects[index + 1] = Along(own, End(rects[index]), Length(own));
        SwapInList(bars[index], bars[index + 1]);
        std::swap(bars[index], bars[index + 1]);
        ApplyRects(bars, rects);
        ArrangeBars(pBar);
        return;
    }
    if (delta < 0 && index > 0 && reaches(index - 1) &&
        Start(wanted) < Start(rects[index - 1]) + Length(rects[index - 1]) / 2) {
        const CRect prev = rects[index - 1];
        rects[index - 1] = Along(own, Start(prev), Length(own));
        rects[index] = Along(prev, End(rects[index - 1]), Length(prev));
        SwapInList(bars[index - 1], bars[index]);
        std::swap(bars[index - 1], bars[index]);
        ApplyRects(bars, rects);
        ArrangeBars(pBar);
        return;
    }
    // Otherwise the bar moves no further than the bars beyond it can still
    // be pushed, and pushes them.
    int step = delta;
    if (delta > 0) {
        int beyond = 0;
        for (size_t i = index + 1; i < rects.size(); ++i)
            beyond += Length(rects[i]);
        step = std::min(delta, std::max(0, RowLength() - End(own) - beyond));
    } else {
        int before = 0;
        for (size_t i = 0; i < index; ++i)
            before += Length(rects[i]);
        step = std::max(delta, -std::max(0, Start(own) - before));
    }
    if (step == 0)
        return;
    rects[index] = Along(own, Start(own) + step, Length(own));
    ApplyRects(bars, rects);
    ArrangeBars(pBar);
}

void CWtkDockBarRow::ArrangeToolBars(int nStart, int nGap)
{
    const std::vector<CWtkBaseControlBar*> bars = VisibleBars();
    int pos = nStart;
    ArrangingScope scope(m_bArranging);
    for (size_t i = 0; i < bars.size(); ++i) {
        CWtkBaseControlBar* bar = bars[i];
        CWtkControlBar* control = AsControlBar(bar);
        // A bar without its spacing sits one pixel over its predecessor.
        int start = pos;
        if (i > 0 && control && !control->GetOption())
            start = pos - nGap - 1;
        const CRect window = BarRect(bar);
        const CRect rect = Along(window, start, Length(window));
        bar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const CSize size = bar->CalcFixedLayout(FALSE, IsHorizontal());
        int extent = Length(window);
        if (size.cx > 0 && size.cy > 0) {
            bar->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            extent = IsHorizontal() ? size.cx : size.cy;
        }
        pos = start + extent + nGap;
    }
}
