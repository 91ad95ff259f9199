#include "platform/ui/check_list_box.h"

#include "platform/ui/font.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace {

constexpr int kCheckMargin = 2;

}  // namespace

CCheckListBox::CCheckListBox() : m_checkStyle(BS_AUTOCHECKBOX) {}

CCheckListBox::~CCheckListBox() = default;

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!(dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)))
        dwStyle |= LBS_OWNERDRAWFIXED;
    return CListBox::Create(dwStyle | LBS_HASSTRINGS | LBS_NOTIFY, rect, pParentWnd, nID);
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    // A list box made by a dialog template asked its parent for the item
    // height before this object existed.
    m_items.assign(static_cast<size_t>(GetCount() > 0 ? GetCount() : 0), ItemState());
    if (GetStyle() & LBS_OWNERDRAWFIXED)
        SetItemHeight(0, static_cast<UINT>(DefaultItemHeight()));
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    if (nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_3STATE)
        m_checkStyle = nStyle;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_items.size()))
        return;
    if (nCheck == 2 && m_checkStyle != BS_AUTO3STATE && m_checkStyle != BS_3STATE)
        nCheck = 1;
    m_items[static_cast<size_t>(nIndex)].check = nCheck;
    InvalidateItem(nIndex);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_items.size()))
        return 0;
    return m_items[static_cast<size_t>(nIndex)].check;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_items.size()))
        return;
    m_items[static_cast<size_t>(nIndex)].enabled = bEnabled;
    InvalidateItem(nIndex);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_items.size()))
        return FALSE;
    return m_items[static_cast<size_t>(nIndex)].enabled;
}

int CCheckListBox::CheckBoxWidth() const
{
    return ::GetSystemMetrics(SM_CXMENUCHECK) + 2 * kCheckMargin;
}

int CCheckListBox::DefaultItemHeight() const
{
    int height = ::GetSystemMetrics(SM_CYMENUCHECK) + 2;
    if (HDC dc = ::GetDC(m_hWnd)) {
        const CFont* font = GetFont();
        HGDIOBJ previous = ::SelectObject(dc, font ? font->m_hObject : ::GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA metrics = {};
        ::GetTextMetricsA(dc, &metrics);
        ::SelectObject(dc, previous);
        ::ReleaseDC(m_hWnd, dc);
        if (metrics.tmHeight + 2 > height)
            height = metrics.tmHeight + 2;
    }
    return height;
}

void CCheckListBox::GetCheckRect(int nIndex, LPRECT lpRect) const
{
    RECT item = {};
    GetItemRect(nIndex, &item);
    const int size = ::GetSystemMetrics(SM_CXMENUCHECK);
    lpRect->left = item.left + kCheckMargin;
    lpRect->right = lpRect->left + size;
    lpRect->top = item.top + (item.bottom - item.top - size) / 2;
    lpRect->bottom = lpRect->top + size;
}

int CCheckListBox::CheckFromPoint(POINT point, BOOL& bInCheck) const
{
    bInCheck = FALSE;
    BOOL outside = TRUE;
    const UINT index = ItemFromPoint(point, outside);
    if (outside || static_cast<int>(index) >= GetCount())
        return -1;
    RECT item = {};
    GetItemRect(static_cast<int>(index), &item);
    bInCheck = point.x >= item.left && point.x < item.left + CheckBoxWidth();
    return static_cast<int>(index);
}

void CCheckListBox::InvalidateItem(int nIndex)
{
    if (!m_hWnd)
        return;
    RECT item = {};
    if (GetItemRect(nIndex, &item) != LB_ERR)
        InvalidateRect(&item, FALSE);
}

int CCheckListBox::NextCheck(int current) const
{
    if (m_checkStyle == BS_AUTO3STATE)
        return (current + 1) % 3;
    return current ? 0 : 1;
}

void CCheckListBox::Toggle(int nIndex)
{
    if (!IsEnabled(nIndex))
        return;
    if (m_checkStyle == BS_AUTOCHECKBOX || m_checkStyle == BS_AUTO3STATE)
        SetCheck(nIndex, NextCheck(GetCheck(nIndex)));
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    SetFocus();
    BOOL inCheck = FALSE;
    const int index = CheckFromPoint(point, inCheck);
    if (index >= 0 && inCheck) {
        Toggle(index);
        // The click on the box also makes the item current, as a click on its text does.
        if (GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))
            SetCaretIndex(index);
        else if (GetCurSel() != index) {
            SetCurSel(index);
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE),
                                    reinterpret_cast<LPARAM>(m_hWnd));
        }
        return;
    }
    Default();
}

void CCheckListBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    BOOL inCheck = FALSE;
    const int index = CheckFromPoint(point, inCheck);
    if (index >= 0 && inCheck) {
        Toggle(index);
        return;
    }
    Default();
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE) {
        const int index = GetCaretIndex();
        if (index >= 0 && index < GetCount()) {
            Toggle(index);
            return;
        }
    }
    Default();
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(DefaultItemHeight());
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int index = static_cast<int>(lpDrawItemStruct->itemID);
    HDC dc = lpDrawItemStruct->hDC;
    RECT item = lpDrawItemStruct->rcItem;
    if (index < 0 || index >= GetCount()) {
        if (lpDrawItemStruct->itemAction & ODA_FOCUS)
            ::DrawFocusRect(dc, &item);
        return;
    }
    RECT box = {};
    GetCheckRect(index, &box);
    RECT check = item;
    check.right = item.left + CheckBoxWidth();
    ::FillRect(dc, &check, ::GetSysColorBrush(COLOR_WINDOW));
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    const int value = GetCheck(index);
    if (value == 1)
        state |= DFCS_CHECKED;
    else if (value == 2)
        state |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (!IsEnabled(index) || !IsWindowEnabled())
        state |= DFCS_INACTIVE;
    ::DrawFrameControl(dc, &box, DFC_BUTTON, state);

    RECT text = item;
    text.left = check.right;
    const bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    ::FillRect(dc, &text, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CString label;
    GetText(index, label);
    const COLORREF oldText = ::SetTextColor(
        dc, ::GetSysColor(!IsEnabled(index) ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT inner = text;
    inner.left += kCheckMargin;
    ::DrawTextA(dc, label, label.GetLength(), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldText);
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        ::DrawFocusRect(dc, &text);
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CListBox::WindowProc(message, wParam, lParam);
    // Keep one state per item, whoever changed the items.
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
        if (result >= 0 && result <= static_cast<LRESULT>(m_items.size()))
            m_items.insert(m_items.begin() + result, ItemState());
        break;
    case LB_DELETESTRING:
        if (result != LB_ERR && wParam < m_items.size())
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(wParam));
        break;
    case LB_RESETCONTENT:
        m_items.clear();
        break;
    default:
        break;
    }
    return result;
}
