#include "toolkit/extras/base_tab_wnd.h"

IMPLEMENT_DYNAMIC(CWtkBaseTabWnd, CWnd)
