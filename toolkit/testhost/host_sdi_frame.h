// HostSdiFrame: the host's single-document frame, loaded from
// IDR_WTKHOST_SDI (menu, accelerators, title) by the document template, with
// a message bar that shows the idle prompt once the frame is up. It answers
// the host's ping command, so a case can see a command arrive.
#pragma once

#include <windows.h>

#include "host_message_bar.h"
#include "platform/ui/frame_wnd.h"

class HostSdiFrame : public CFrameWnd {
    DECLARE_DYNCREATE(HostSdiFrame)
public:
    HostMessageBar& MessageBar() { return m_messageBar; }
    // How often ID_WTKHOST_PING arrived.
    int Pings() const { return m_pings; }

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPing();

    DECLARE_MESSAGE_MAP()

private:
    HostMessageBar m_messageBar;
    int m_pings = 0;
};
