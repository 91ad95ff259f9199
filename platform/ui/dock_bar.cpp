// CDockBar: rows of docked bars and their layout along a side.
#include "platform/ui/dock_bar.h"

#include <algorithm>

#include "platform/ui/frame_wnd.h"
#include "platform/ui/window_class.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_cxLeftBorder = 0;
    m_cxRightBorder = 0;
    m_cyTopBorder = 0;
    m_cyBottomBorder = 0;
}

CDockBar::~CDockBar()
{
    // Bars still docked outlive the strip; they no longer point at it.
    for (Row& row : m_rows) {
        for (Slot& slot : row) {
            if (slot.bar->m_pDockBar == this)
                slot.bar->m_pDockBar = nullptr;
        }
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(0, nullptr, nullptr, dwStyle | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                    pParentWnd, nID);
}

BOOL CDockBar::IsHorz() const
{
    return (m_dwStyle & CBRS_ORIENT_HORZ) != 0 || m_bFloating;
}

int CDockBar::GetDockedCount() const
{
    size_t count = 0;
    for (const Row& row : m_rows)
        count += row.size();
    return static_cast<int>(count);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar)
{
    for (auto row = m_rows.begin(); row != m_rows.end(); ++row) {
        auto slot = std::find_if(row->begin(), row->end(), [pBar](const Slot& s) { return s.bar == pBar; });
        if (slot == row->end())
            continue;
        row->erase(slot);
        if (row->empty())
            m_rows.erase(row);
        if (pBar->m_pDockBar == this)
            pBar->m_pDockBar = nullptr;
        return TRUE;
    }
    return FALSE;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd || !m_hWnd)
        return;
    // Where the rectangle falls is judged on the rows as they stand.
    std::vector<int> rowStarts;
    const CSize extent = Arrange(FALSE, &rowStarts);
    if (pBar->m_pDockBar)
        pBar->m_pDockBar->RemoveControlBar(pBar);
    RemoveControlBar(pBar);

    const DWORD side = m_bFloating ? CBRS_ALIGN_TOP : (m_dwStyle & CBRS_ALIGN_ANY);
    DWORD style = (pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | side;
    if (m_bFloating)
        style |= CBRS_FLOATING;
    pBar->m_pDockBar = this;
    pBar->SetBarStyle(style);
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);

    if (!lpRect) {
        m_rows.push_back(Row{Slot{pBar, 0}});
        return;
    }
    CRect rect(*lpRect);
    ScreenToClient(&rect);
    const BOOL horizontal = IsHorz();
    const int across = horizontal ? rect.top : rect.left;
    const int along = std::max(0, static_cast<int>(horizontal ? rect.left : rect.top));
    const Slot slot{pBar, along};
    const int thickness = horizontal ? extent.cy : extent.cx;
    if (across < 0 || m_rows.empty() || rowStarts.size() != m_rows.size()) {
        m_rows.insert(across < 0 ? m_rows.begin() : m_rows.end(), Row{slot});
        return;
    }
    if (across >= thickness) {
        m_rows.push_back(Row{slot});
        return;
    }
    // The last row that starts at or before the edge.
    size_t target = 0;
    for (size_t r = 0; r < rowStarts.size(); ++r) {
        if (rowStarts[r] <= across)
            target = r;
    }
    Row& row = m_rows[target];
    auto place = std::find_if(row.begin(), row.end(), [along](const Slot& s) { return s.offset > along; });
    row.insert(place, slot);
}

CSize CDockBar::BarSize(CControlBar* pBar) const
{
    const BOOL horizontal = IsHorz();
    if (pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) {
        const DWORD mode = m_bFloating ? (LM_HORZ | LM_MRUWIDTH | LM_COMMIT)
                                       : (horizontal ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
        return pBar->CalcDynamicLayout(-1, mode);
    }
    return pBar->CalcFixedLayout(FALSE, horizontal);
}

CSize CDockBar::Arrange(BOOL bMove, std::vector<int>* rowStarts)
{
    const BOOL horizontal = IsHorz();
    int across = 0;
    int longest = 0;
    for (Row& row : m_rows) {
        if (rowStarts)
            rowStarts->push_back(across);
        int along = 0;
        int thickness = 0;
        for (Slot& slot : row) {
            if (!slot.bar->IsVisible())
                continue;
            const CSize size = BarSize(slot.bar);
            const int length = horizontal ? size.cx : size.cy;
            const int depth = horizontal ? size.cy : size.cx;
            // Bars keep their place along the row unless the one before
            // pushes them on.
            along = std::max(along, slot.offset);
            if (bMove) {
                const CRect place = horizontal ? CRect(along, across, along + length, across + depth)
                                               : CRect(across, along, across + depth, along + length);
                slot.bar->SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                                       SWP_NOZORDER | SWP_NOACTIVATE);
            }
            along += length;
            thickness = std::max(thickness, depth);
        }
        longest = std::max(longest, along);
        across += thickness;
    }
    return horizontal ? CSize(longest, across) : CSize(across, longest);
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    CSize size = Arrange(FALSE);
    if (bStretch) {
        if (IsHorz())
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CControlBar::OnSizeParent(wParam, lParam);
    const AFX_SIZEPARENTPARAMS* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    // The docked bars are the strip's children: they move now, not through
    // the frame's deferred positions.
    if (layout && layout->hDWP)
        Arrange(TRUE);
    return result;
}
