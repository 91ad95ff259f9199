#include "toolkit/foundation/base_control_bar.h"

#include "toolkit/extras/base_tab_wnd.h"
#include "toolkit/foundation/mini_frame_wnd.h"

IMPLEMENT_DYNAMIC(CWtkBaseControlBar, CWnd)

CWtkBaseControlBar::CWtkBaseControlBar() = default;
CWtkBaseControlBar::~CWtkBaseControlBar() = default;

BOOL CWtkBaseControlBar::IsDocked() const
{
    return GetParentMiniFrame(TRUE) == nullptr;
}

BOOL CWtkBaseControlBar::IsTabbed() const
{
    CWnd* parent = m_hWnd ? CWnd::FromHandlePermanent(::GetParent(m_hWnd)) : nullptr;
    return parent && parent->IsKindOf(RUNTIME_CLASS(CWtkBaseTabWnd));
}

CWtkMiniFrameWnd* CWtkBaseControlBar::GetParentMiniFrame(BOOL) const
{
    for (HWND hwnd = m_hWnd ? ::GetParent(m_hWnd) : nullptr; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
        if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CWtkMiniFrameWnd)))
            return static_cast<CWtkMiniFrameWnd*>(wnd);
    }
    return nullptr;
}
