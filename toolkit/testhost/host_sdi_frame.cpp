#include "host_sdi_frame.h"

#include "platform/ui/framework_ids.h"
#include "wtkhost_resource.h"

IMPLEMENT_DYNCREATE(HostSdiFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(HostSdiFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_WTKHOST_PING, OnPing)
END_MESSAGE_MAP()

BOOL HostSdiFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // A fixed place and size: layouts and pictures come out the same in every run.
    cs.x = 40;
    cs.y = 40;
    cs.cx = 560;
    cs.cy = 380;
    return TRUE;
}

int HostSdiFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return m_messageBar.CreateIn(this) ? 0 : -1;
}

void HostSdiFrame::OnPing()
{
    ++m_pings;
}
