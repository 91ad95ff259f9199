#include "toolkit/extras/base_tab_wnd.h"

IMPLEMENT_DYNAMIC(CWtkBaseTabWnd, CWnd)

int CWtkBaseTabWnd::GetTabsHeight() const
{
    return 0;
}

BOOL CWtkBaseTabWnd::GetTabLabel(int, CString& strLabel) const
{
    strLabel.Empty();
    return FALSE;
}

int CWtkBaseTabWnd::GetTabIcon(int) const
{
    return -1;
}

HICON CWtkBaseTabWnd::GetTabHicon(int) const
{
    return nullptr;
}

COLORREF CWtkBaseTabWnd::TabBackColorAt(int) const
{
    return static_cast<COLORREF>(-1);
}

COLORREF CWtkBaseTabWnd::TabTextColorAt(int) const
{
    return static_cast<COLORREF>(-1);
}

CSize CWtkBaseTabWnd::GetImageSize() const
{
    return CSize(0, 0);
}

CImageList* CWtkBaseTabWnd::GetImageList() const
{
    return nullptr;
}

int CWtkBaseTabWnd::GetActiveTab() const
{
    return -1;
}

void CWtkBaseTabWnd::SetTabOption(UINT nOption, BOOL bRedraw)
{
    m_nTabOption = nOption;
    if (bRedraw && GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
