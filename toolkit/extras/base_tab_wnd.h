// CWtkBaseTabWnd: the base of every tab window. A tab shows one window; tabs
// are addressed by their index, from 0 to the tab count - 1.
//
// A tab window draws none of its tabs itself: the visual manager's tab
// hooks read the queries below. An index outside the range reads as no
// label, no image, no icon and no colours of its own.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/framework/string.h"
#include "platform/ui/geometry.h"
#include "platform/ui/wnd.h"

class CImageList;

class CWtkBaseTabWnd : public CWnd {
    DECLARE_DYNAMIC(CWtkBaseTabWnd)
public:
    // Where the tab strip lies: any value but LOCATION_BOTTOM means the top.
    enum Location { LOCATION_BOTTOM = 0, LOCATION_TOP = 1 };

    int GetLocation() const { return m_nLocation; }

    // The height of the tab area, in pixels.
    virtual int GetTabsHeight() const;
    // FALSE (and an empty label) when there is no such tab.
    virtual BOOL GetTabLabel(int iTab, CString& strLabel) const;
    // The tab's image index in the image list; -1 for none.
    virtual int GetTabIcon(int iTab) const;
    // The tab's icon; null for none.
    virtual HICON GetTabHicon(int iTab) const;
    // The tab's own background and text colours; 0xFFFFFFFF for none.
    virtual COLORREF TabBackColorAt(int iTab) const;
    virtual COLORREF TabTextColorAt(int iTab) const;
    // The size of the tab images and icons.
    virtual CSize GetImageSize() const;
    // The tab images; null for none.
    virtual CImageList* GetImageList() const;
    // -1 when no tab is active.
    virtual int GetActiveTab() const;

    // TRUE for the flat tab styles.
    virtual BOOL IsFlatTabs() const { return FALSE; }
    // Whether the content area gets a one-pixel frame; the base has none.
    virtual BOOL HasContentFrame() const { return FALSE; }

    // A non-zero option draws the labels without prefix processing, so that
    // an ampersand shows as itself. bRedraw redraws the window at once.
    void SetTabOption(UINT nOption, BOOL bRedraw);
    UINT GetTabOption() const { return m_nTabOption; }

    // Appends a shown tab for pWnd (image -1: none).
    void AddTab(CWnd* pWnd, LPCSTR lpszLabel, int iImage = -1, BOOL bDetachable = TRUE);
    // Takes one tab away; FALSE for an index outside the range.
    BOOL RemoveTab(int iTab, BOOL bRecalcLayout = TRUE);
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

protected:
    // Set by the tab window's creation.
    int m_nLocation = LOCATION_BOTTOM;
    UINT m_nTabOption = 0;

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
