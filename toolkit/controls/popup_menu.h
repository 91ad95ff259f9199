// CWtkPopupMenu: the window of one open toolkit menu, a borderless popup
// frame that holds a popup menu bar and chains to the button that opened it.
#pragma once

#include "platform/ui/mini_frame_wnd.h"

class CWtkToolbarMenuButton;

class CWtkPopupMenu : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CWtkPopupMenu)
public:
    // Where the menu went from its anchor when it was placed.
    enum DropDirection { DROP_NORMAL = 0, DROP_UP = 2, DROP_LEFT = 4 };

    // The button whose click opened this menu; null for a root menu.
    CWtkToolbarMenuButton* GetParentButton() const { return m_pParentBtn; }
    // DROP_NORMAL is down from a bar, or right of a parent popup.
    int GetDropDirection() const { return m_DropDirection; }

protected:
    CWtkToolbarMenuButton* m_pParentBtn = nullptr;
    int m_DropDirection = DROP_NORMAL;
};
