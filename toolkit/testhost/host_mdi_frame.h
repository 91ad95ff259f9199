// HostMdiFrame: the host's multiple-document frame, loaded from
// IDR_WTKHOST_MDI (its own menu with the Window popup, accelerators, title),
// with a message bar that shows the idle prompt once the frame is up. Its
// document windows (HostMdiChild with a HostMdiView) come from the template
// of IDR_WTKHOST_MDI_DOC.
#pragma once

#include <windows.h>

#include "host_message_bar.h"
#include "platform/ui/mdi_frame_wnd.h"

class HostMdiFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(HostMdiFrame)
public:
    HostMessageBar& MessageBar() { return m_messageBar; }

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);

    DECLARE_MESSAGE_MAP()

private:
    HostMessageBar m_messageBar;
};
