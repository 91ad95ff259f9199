#include "toolkit/controls/menu_bar.h"

IMPLEMENT_DYNAMIC(CWtkMenuBar, CWtkToolBar)
