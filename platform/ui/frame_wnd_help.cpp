// CFrameWnd: context help. Shift+F1 (ID_CONTEXT_HELP) puts the frame in
// help mode: the cursor becomes the help cursor and the next click names
// the window whose help is shown. The window under the click answers
// WM_HELPHITTEST with its help context (asked up its parents until one
// answers); that context goes to WinHelp. Escape, a right click or losing
// the mouse ends the mode without help.
#include "platform/ui/frame_wnd.h"

#include "platform/ui/app.h"
#include "platform/ui/cmd_ui.h"
#include "platform/ui/system_calls.h"

BOOL CFrameWnd::CanEnterHelpMode()
{
    return m_bHelpMode == HELP_INACTIVE && ::LoadCursorA(nullptr, IDC_HELP) != nullptr;
}

void CFrameWnd::OnUpdateContextHelp(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(m_bHelpMode == HELP_ACTIVE ? 1 : 0);
}

void CFrameWnd::ExitHelpMode()
{
    if (m_bHelpMode == HELP_INACTIVE)
        return;
    m_helpModeCancelled = true;
    // The help loop notices at its next message.
    if (m_hWnd)
        PostMessage(WM_EXITHELPMODE);
}

LRESULT CFrameWnd::OnExitHelpModeMessage(WPARAM, LPARAM)
{
    if (m_bHelpMode != HELP_INACTIVE)
        m_helpModeCancelled = true;
    return 0;
}

LRESULT CFrameWnd::OnHelpHitTest(WPARAM, LPARAM)
{
    // The frame's own area: its resource's help.
    return m_nIDHelp ? HID_BASE_RESOURCE + m_nIDHelp : 0;
}

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    DWORD_PTR context = static_cast<DWORD_PTR>(lParam);
    if (context == 0 && m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_IDLEMESSAGE)
        context = HID_BASE_COMMAND + m_nIDTracking;
    if (context == 0 && m_nIDHelp)
        context = HID_BASE_RESOURCE + m_nIDHelp;
    if (context == 0)
        return FALSE;
    WinHelp(context);
    return TRUE;
}

void CFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd::WinHelp(dwData, nCmd);
}

DWORD CFrameWnd::HelpContextAt(HWND hWnd, POINT clientPoint)
{
    // From the window under the point up to the frame: the first that knows
    // a context for the point answers.
    HWND target = hWnd;
    POINT point = clientPoint;
    for (;;) {
        POINT screen = point;
        ::ClientToScreen(target, &screen);
        HWND deeper = ::ChildWindowFromPointEx(target, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!deeper || deeper == target)
            break;
        target = deeper;
        point = screen;
        ::ScreenToClient(target, &point);
    }
    for (HWND wnd = target; wnd; wnd = ::GetParent(wnd)) {
        POINT local = clientPoint;
        ::ClientToScreen(hWnd, &local);
        ::ScreenToClient(wnd, &local);
        const LRESULT context = ::SendMessageA(wnd, WM_HELPHITTEST, 0, MAKELPARAM(local.x, local.y));
        if (context != 0 && context != -1)
            return static_cast<DWORD>(context);
        if (wnd == m_hWnd)
            break;
    }
    return m_nIDHelp ? HID_BASE_RESOURCE + m_nIDHelp : 0;
}

void CFrameWnd::OnContextHelp()
{
    if (!CanEnterHelpMode())
        return;
    m_bHelpMode = HELP_ACTIVE;
    m_helpModeCancelled = false;
    SetMessageText(AFX_IDS_HELPMODEMESSAGE);
    ::SetCursor(::LoadCursorA(nullptr, IDC_HELP));
    ::SetCapture(m_hWnd);
    RunHelpModeLoop();
}

void CFrameWnd::RunHelpModeLoop()
{
    HWND frame = m_hWnd;
    DWORD context = 0;
    bool pick = false;
    MSG msg;
    while (!m_helpModeCancelled && !pick) {
        if (::GetCapture() != frame)
            break;
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN: {
            POINT point;
            if (msg.message == WM_LBUTTONDOWN) {
                point = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
                ::ClientToScreen(msg.hwnd, &point);
            } else {
                point = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            }
            ::ScreenToClient(frame, &point);
            RECT client;
            ::GetClientRect(frame, &client);
            if (::PtInRect(&client, point)) {
                context = HelpContextAt(frame, point);
            } else {
                POINT screen = point;
                ::ClientToScreen(frame, &screen);
                const LRESULT hit =
                    ::SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
                context = static_cast<DWORD>(HID_BASE_NCAREAS + hit);
            }
            pick = true;
            break;
        }
        case WM_RBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_CANCELMODE:
            m_helpModeCancelled = true;
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                m_helpModeCancelled = true;
            break;
        case WM_EXITHELPMODE:
            m_helpModeCancelled = true;
            break;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_SETCURSOR:
            ::SetCursor(::LoadCursorA(nullptr, IDC_HELP));
            break;
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONUP:
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYUP:
        case WM_SYSCHAR:
            // Input goes to no window while help mode runs.
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            break;
        }
        // The frame may have gone while a message was dispatched.
        if (!::IsWindow(frame))
            return;
    }
    if (::GetCapture() == frame)
        ::ReleaseCapture();
    m_bHelpMode = HELP_INACTIVE;
    m_helpModeCancelled = false;
    SetMessageText(AFX_IDS_IDLEMESSAGE);
    if (pick && context != 0)
        WinHelp(context, HELP_CONTEXT);
}
