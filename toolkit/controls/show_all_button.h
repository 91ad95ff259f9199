// CWtkShowAllButton: the last item of a popup menu that hides rarely used
// commands; it expands the menu to all commands.
#pragma once

#include "toolkit/controls/toolbar_menu_button.h"

class CWtkShowAllButton : public CWtkToolbarMenuButton {
    DECLARE_DYNCREATE(CWtkShowAllButton)
};
