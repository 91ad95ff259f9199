#include "toolkit/controls/show_all_button.h"

IMPLEMENT_DYNCREATE(CWtkShowAllButton, CWtkToolbarMenuButton)
