#include "host_mdi_child.h"

IMPLEMENT_DYNCREATE(HostMdiChild, CMDIChildWnd)
