// CWtkToolbarMenuButton: a toolbar button that opens a popup menu.
#pragma once

#include "toolkit/controls/toolbar_button.h"

class CWtkToolbarMenuButton : public CWtkToolbarButton {
    DECLARE_DYNCREATE(CWtkToolbarMenuButton)
};
