#include "toolkit/foundation/placeholder_docking_bar.h"

#include "platform/ui/app.h"
#include "platform/ui/window_class.h"

IMPLEMENT_DYNAMIC(CWtkPlaceholderDockingBar, CWtkDockingControlBar)

UINT CWtkPlaceholderDockingBar::s_nControlID = static_cast<UINT>(-2);

CWtkPlaceholderDockingBar& CWtkPlaceholderDockingBar::Get()
{
    static CWtkPlaceholderDockingBar bar;
    return bar;
}

BOOL CWtkPlaceholderDockingBar::EnsureCreated()
{
    CWtkPlaceholderDockingBar& bar = Get();
    if (bar.GetSafeHwnd())
        return TRUE;
    CWnd* main = AfxGetMainWnd();
    if (!main || !main->GetSafeHwnd())
        return FALSE;
    // Flags of a docking bar that may float, auto-hide, resize and close,
    // so that it stands for any dragged bar.
    const DWORD kAllCapabilities = WTK_CBRS_FLOAT | WTK_CBRS_AUTOHIDE | WTK_CBRS_RESIZE | WTK_CBRS_CLOSE;
    bar.SetBarStyle(bar.GetBarStyle() | 0x20);
    LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return bar.CreateEx(0, windowClass, "", WS_CHILD, CRect(0, 0, 0, 0), main, s_nControlID, kAllCapabilities);
}

void CWtkPlaceholderDockingBar::DestroyGlobal()
{
    CWtkPlaceholderDockingBar& bar = Get();
    if (bar.GetSafeHwnd())
        bar.DestroyWindow();
}
