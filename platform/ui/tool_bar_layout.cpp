// CToolBar: its size in a row or a column, and its non-client borders.
#include "platform/ui/tool_bar.h"

#include "platform/ui/dc.h"

void CToolBar::LayoutButtons(BOOL bHorz)
{
    m_bLaidOutHorz = bHorz;
    const int count = GetCount();
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button)))
            continue;
        // A column wraps after every item but the last.
        const bool wrap = !bHorz && i + 1 < count;
        if (((button.fsState & TBSTATE_WRAP) != 0) == wrap)
            continue;
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_BYINDEX | TBIF_STATE;
        info.fsState = static_cast<BYTE>(wrap ? (button.fsState | TBSTATE_WRAP) : (button.fsState & ~TBSTATE_WRAP));
        SendMessage(TB_SETBUTTONINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        changed = true;
    }
    // The control places its buttons again only when asked.
    if (changed)
        SendMessage(TB_AUTOSIZE);
}

CSize CToolBar::ButtonsExtent() const
{
    CSize extent(0, 0);
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
        if (GetButtonStyle(i) & TBBS_HIDDEN)
            continue;
        CRect rect;
        GetItemRect(i, &rect);
        extent.cx = rect.right > extent.cx ? rect.right : extent.cx;
        extent.cy = rect.bottom > extent.cy ? rect.bottom : extent.cy;
    }
    return extent;
}

CSize CToolBar::NonClientSize(BOOL bHorz) const
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    return CSize(-inside.Width(), -inside.Height());
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    LayoutButtons(bHorz);
    const CSize extent = ButtonsExtent();
    const CSize frame = NonClientSize(bHorz);
    CSize size(extent.cx + frame.cx, extent.cy + frame.cy);
    if (bStretch) {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CToolBar::CalcDynamicLayout(int, DWORD nMode)
{
    // Docked at a side, or floating (a row).
    const BOOL horizontal = !(nMode & LM_VERTDOCK) && (nMode & (LM_HORZ | LM_HORZDOCK | LM_MRUWIDTH)) != 0;
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, horizontal);
}

void CToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, (m_dwStyle & CBRS_ORIENT_VERT) == 0 || (m_dwStyle & CBRS_FLOATING) != 0);
    RECT& client = lpncsp->rgrc[0];
    client.left += inside.left;
    client.top += inside.top;
    client.right += inside.right;
    client.bottom += inside.bottom;
    if (client.right < client.left)
        client.right = client.left;
    if (client.bottom < client.top)
        client.bottom = client.top;
}

void CToolBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(&client);
    dc.FillSolidRect(&window, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(&dc, window);
    DrawGripper(&dc, window);
}

void CToolBar::OnPaint()
{
    // The control paints its buttons.
    Default();
}

BOOL CToolBar::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

LRESULT CToolBar::OnPrintClient(WPARAM, LPARAM)
{
    return Default();
}
