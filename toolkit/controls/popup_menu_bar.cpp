#include "toolkit/controls/popup_menu_bar.h"

IMPLEMENT_DYNAMIC(CWtkPopupMenuBar, CWtkToolBar)
