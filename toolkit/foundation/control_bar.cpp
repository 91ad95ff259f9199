#include "toolkit/foundation/control_bar.h"

IMPLEMENT_DYNAMIC(CWtkControlBar, CWtkBaseControlBar)
