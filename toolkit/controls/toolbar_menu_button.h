// CWtkToolbarMenuButton: a toolbar button that opens a popup menu.
#pragma once

#include "toolkit/controls/toolbar_button.h"

class CWnd;
class CWtkPopupMenu;

class CWtkToolbarMenuButton : public CWtkToolbarButton {
    DECLARE_DYNCREATE(CWtkToolbarMenuButton)
public:
    // TRUE while the button's popup is open.
    virtual BOOL IsDroppedDown() const { return m_pPopupMenu != nullptr; }

    // The button sits on a popup menu bar and is drawn as a menu item.
    BOOL m_bMenuMode = FALSE;
    // The popup this button opened; the window deletes itself.
    CWtkPopupMenu* m_pPopupMenu = nullptr;
    // The bar that holds the button.
    CWnd* m_pWndParent = nullptr;
};
