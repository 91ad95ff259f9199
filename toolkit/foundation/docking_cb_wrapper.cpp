#include "toolkit/foundation/docking_cb_wrapper.h"

IMPLEMENT_DYNAMIC(CWtkDockingCBWrapper, CWtkDockingControlBar)
