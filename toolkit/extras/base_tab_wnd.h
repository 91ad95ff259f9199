// CWtkBaseTabWnd: the base of every tab window. A tab shows one window; tabs
// are addressed by their index, from 0 to the tab count - 1.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/framework/string.h"
#include "platform/ui/wnd.h"

class CWtkBaseTabWnd : public CWnd {
    DECLARE_DYNAMIC(CWtkBaseTabWnd)
public:
    // TRUE for the flat tab styles; the base has none.
    virtual BOOL IsFlatTabs() const { return FALSE; }

    // Appends a shown tab for pWnd (image -1: none).
    void AddTab(CWnd* pWnd, LPCSTR lpszLabel, int iImage = -1, BOOL bDetachable = TRUE);
    int CountTabs() const { return static_cast<int>(m_tabs.size()); }
    // The tab that shows that window, -1 when none does.
    int FindTabByWindow(HWND hWnd) const;
    // Shows or hides one tab; FALSE for an index outside the range.
    BOOL SetTabShown(int iTab, BOOL bShow, BOOL bRecalcLayout = TRUE, BOOL bActivate = FALSE);
    BOOL IsTabShown(int iTab) const;
    int CountShownTabs() const;
    // Whether the tab may be dragged out; FALSE for an index outside the
    // range.
    BOOL CanDetachTab(int iTab) const;

private:
    struct Tab {
        HWND hWnd;
        CString label;
        int image;
        BOOL detachable;
        BOOL shown;
    };
    bool InRange(int iTab) const { return iTab >= 0 && iTab < CountTabs(); }

    std::vector<Tab> m_tabs;
};
