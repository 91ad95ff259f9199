// HostMdiChild: a document window of the host's MDI frame; the template
// makes one for each document, with a HostMdiView as its pane.
#pragma once

#include "platform/ui/mdi_child_wnd.h"

class HostMdiChild : public CMDIChildWnd {
    DECLARE_DYNCREATE(HostMdiChild)
};
