// CWtkBaseTabWnd: the base of every tab window.
//
// A tab window draws none of its tabs itself: the visual manager's tab
// hooks read the queries below. The base holds no tabs; the tab windows
// that derive from it answer for theirs. A tab is addressed by its index;
// an index outside the range reads as no label, no image, no icon and no
// colours of its own.
#pragma once

#include <windows.h>

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

protected:
    // Set by the tab window's creation.
    int m_nLocation = LOCATION_BOTTOM;
    UINT m_nTabOption = 0;
};
