// CWtkBaseToolBar: the control bar beneath every toolkit toolbar.
#pragma once

#include "toolkit/foundation/control_bar.h"

class CWtkBaseToolBar : public CWtkControlBar {
    DECLARE_DYNAMIC(CWtkBaseToolBar)
};
