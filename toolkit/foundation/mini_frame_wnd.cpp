#include "toolkit/foundation/mini_frame_wnd.h"

#include "toolkit/foundation/base_control_bar.h"

IMPLEMENT_DYNAMIC(CWtkMiniFrameWnd, CWnd)

const UINT WTKMSG_CHECKEMPTYMINIFRAME = ::RegisterWindowMessageA("WTKMSG_CHECKEMPTYMINIFRAME");

CWtkMiniFrameWnd::CWtkMiniFrameWnd() = default;
CWtkMiniFrameWnd::~CWtkMiniFrameWnd() = default;

void CWtkMiniFrameWnd::AdjustLayout()
{
    if (!m_hWnd || !m_pBar || !m_pBar->GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    m_pBar->SetWindowPos(nullptr, client.left, client.top, client.Width(), client.Height(),
                         SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    m_pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

namespace {

BOOL CALLBACK RedrawIfMiniFrame(HWND hwnd, LPARAM)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CWtkMiniFrameWnd)))
        ::RedrawWindow(hwnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return TRUE;
}

}  // namespace

void CWtkMiniFrameWnd::RedrawAll()
{
    // Mini frames are pop-up windows of the user-interface thread, so the
    // thread's top-level windows hold every one of them.
    ::EnumThreadWindows(::GetCurrentThreadId(), RedrawIfMiniFrame, 0);
}
