// CWtkDockingCBWrapper: a docking bar that wraps an ordinary window, so that
// any window can be docked and tabbed.
#pragma once

#include "toolkit/foundation/docking_control_bar.h"

class CWtkDockingCBWrapper : public CWtkDockingControlBar {
    DECLARE_DYNAMIC(CWtkDockingCBWrapper)
};
