// CWtkDockingControlBar: a bar with a caption that docks at the frame's
// edges, floats, and can be tabbed or hidden automatically.
#pragma once

#include "toolkit/foundation/control_bar.h"

class CWtkDockingControlBar : public CWtkControlBar {
    DECLARE_DYNAMIC(CWtkDockingControlBar)
};
