// CWtkPopupMenuBar: the bar of items inside a popup menu.
#pragma once

#include "toolkit/controls/tool_bar.h"

class CWtkPopupMenuBar : public CWtkToolBar {
    DECLARE_DYNAMIC(CWtkPopupMenuBar)
};
