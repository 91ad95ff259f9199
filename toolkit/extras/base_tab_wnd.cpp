#include "toolkit/extras/base_tab_wnd.h"

IMPLEMENT_DYNAMIC(CWtkBaseTabWnd, CWnd)

int CWtkBaseTabWnd::GetTabsHeight() const
{
    return 0;
}

BOOL CWtkBaseTabWnd::GetTabLabel(int iTab, CString& strLabel) const
{
    if (!InRange(iTab)) {
        strLabel.Empty();
        return FALSE;
    }
    strLabel = m_tabs[iTab].label;
    return TRUE;
}

int CWtkBaseTabWnd::GetTabIcon(int iTab) const
{
    return InRange(iTab) ? m_tabs[iTab].image : -1;
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

void CWtkBaseTabWnd::AddTab(CWnd* pWnd, LPCSTR lpszLabel, int iImage, BOOL bDetachable)
{
    m_tabs.push_back(Tab{pWnd ? pWnd->GetSafeHwnd() : nullptr, lpszLabel ? lpszLabel : "", iImage, bDetachable, TRUE});
}

BOOL CWtkBaseTabWnd::RemoveTab(int iTab, BOOL)
{
    if (!InRange(iTab))
        return FALSE;
    m_tabs.erase(m_tabs.begin() + iTab);
    return TRUE;
}

int CWtkBaseTabWnd::FindTabByWindow(HWND hWnd) const
{
    for (int i = 0; i < CountTabs(); ++i) {
        if (hWnd && m_tabs[i].hWnd == hWnd)
            return i;
    }
    return -1;
}

BOOL CWtkBaseTabWnd::SetTabShown(int iTab, BOOL bShow, BOOL, BOOL)
{
    if (!InRange(iTab))
        return FALSE;
    m_tabs[iTab].shown = bShow;
    return TRUE;
}

BOOL CWtkBaseTabWnd::IsTabShown(int iTab) const
{
    return InRange(iTab) && m_tabs[iTab].shown;
}

int CWtkBaseTabWnd::CountShownTabs() const
{
    int shown = 0;
    for (const Tab& tab : m_tabs)
        shown += tab.shown ? 1 : 0;
    return shown;
}

BOOL CWtkBaseTabWnd::CanDetachTab(int iTab) const
{
    return InRange(iTab) && m_tabs[iTab].detachable;
}
