#include "toolkit/controls/toolbar_menu_button.h"

IMPLEMENT_DYNCREATE(CWtkToolbarMenuButton, CWtkToolbarButton)
