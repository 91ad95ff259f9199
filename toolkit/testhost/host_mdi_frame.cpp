#include "host_mdi_frame.h"

#include "platform/ui/framework_ids.h"

IMPLEMENT_DYNCREATE(HostMdiFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(HostMdiFrame, CMDIFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

BOOL HostMdiFrame::PreCreateWindow(CREATESTRUCTA& cs)
{
    if (!CMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // A fixed place and size: layouts and pictures come out the same in every run.
    cs.x = 40;
    cs.y = 40;
    cs.cx = 640;
    cs.cy = 440;
    return TRUE;
}

int HostMdiFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    return m_messageBar.CreateIn(this) ? 0 : -1;
}
