#include "toolkit/controls/popup_menu.h"

IMPLEMENT_DYNCREATE(CWtkPopupMenu, CMiniFrameWnd)
