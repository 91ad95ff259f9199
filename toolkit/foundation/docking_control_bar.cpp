#include "toolkit/foundation/docking_control_bar.h"

IMPLEMENT_DYNAMIC(CWtkDockingControlBar, CWtkControlBar)
