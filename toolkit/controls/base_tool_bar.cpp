#include "toolkit/controls/base_tool_bar.h"

IMPLEMENT_DYNAMIC(CWtkBaseToolBar, CWtkControlBar)
