// CWtkMenuBar: the toolbar that shows the frame's menu.
#pragma once

#include "toolkit/controls/tool_bar.h"

class CWtkMenuBar : public CWtkToolBar {
    DECLARE_DYNAMIC(CWtkMenuBar)
};
