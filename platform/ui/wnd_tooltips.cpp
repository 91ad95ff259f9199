// CWnd: tooltips from OnToolHitTest, shown by the thread's tooltip control.
#include "platform/ui/wnd.h"

#include <stdlib.h>

#include "platform/ui/tool_tip_ctrl.h"
#include "platform/ui/ui_thread_state.h"

namespace {

bool IsMouseMessage(UINT message)
{
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

TOOLINFOA ToolOf(HWND owner, UINT_PTR id)
{
    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    ti.hwnd = owner;
    ti.uId = id;
    return ti;
}

}  // namespace

void ForgetToolsOfWindow(HWND hWnd)
{
    UiThreadState& state = ThisUiThread();
    if (!state.toolTip || !state.toolOwner)
        return;
    if (state.toolOwner == hWnd || ::IsChild(hWnd, state.toolOwner)) {
        TOOLINFOA ti = ToolOf(state.toolOwner, state.toolId);
        state.toolTip->SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
        state.toolOwner = nullptr;
        state.toolId = 0;
    }
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (!bEnable) {
        m_nFlags &= ~WF_TOOLTIPS;
        ForgetToolsOfWindow(m_hWnd);
        return TRUE;
    }
    if (!ThreadToolTip())
        return FALSE;
    m_nFlags |= WF_TOOLTIPS;
    return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (!child || child == m_hWnd)
        return -1;
    const int id = ::GetDlgCtrlID(child);
    if (id == 0 || id == -1 || id == 0xFFFF)
        return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(child);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return id;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    const UINT message = pMsg->message;
    const bool key = message >= WM_KEYFIRST && message <= WM_KEYLAST;
    if (!IsMouseMessage(message) && !key)
        return;
    UiThreadState& state = ThisUiThread();
    CToolTipCtrl* tip = ThreadToolTip();
    if (!tip)
        return;
    if (key) {
        tip->Pop();
        return;
    }

    TOOLINFOA ti = {};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    INT_PTR hit = -1;
    HWND under = ::WindowFromPoint(pMsg->pt);
    if (under == m_hWnd || ::IsChild(m_hWnd, under)) {
        POINT client = pMsg->pt;
        ::ScreenToClient(m_hWnd, &client);
        hit = OnToolHitTest(client, &ti);
    }
    if (hit != -1) {
        if (!ti.hwnd)
            ti.hwnd = m_hWnd;
        if (!(ti.uFlags & TTF_IDISHWND) && ti.uId == 0)
            ti.uId = static_cast<UINT_PTR>(hit);
    }

    const bool sameTool = hit != -1 && state.toolOwner == ti.hwnd && state.toolId == ti.uId &&
                          ::EqualRect(&state.toolRect, &ti.rect);
    if (!sameTool) {
        if (state.toolOwner) {
            TOOLINFOA old = ToolOf(state.toolOwner, state.toolId);
            tip->SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&old));
            state.toolOwner = nullptr;
            state.toolId = 0;
        }
        if (hit != -1) {
            if (!(ti.uFlags & TTF_IDISHWND) && ::IsRectEmpty(&ti.rect))
                ::GetClientRect(ti.hwnd, &ti.rect);
            tip->SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
            state.toolOwner = ti.hwnd;
            state.toolId = ti.uId;
            state.toolRect = ti.rect;
            tip->Activate(TRUE);
        }
    }
    // The text of a hit is a copy made for the control, which keeps its own.
    if (hit != -1 && ti.lpszText && ti.lpszText != LPSTR_TEXTCALLBACKA && !IS_INTRESOURCE(ti.lpszText))
        free(ti.lpszText);

    if (state.toolOwner) {
        // The control follows the mouse in the coordinates of the tool's window.
        MSG relay = *pMsg;
        relay.hwnd = state.toolOwner;
        POINT client = pMsg->pt;
        ::ScreenToClient(state.toolOwner, &client);
        if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
            relay.lParam = MAKELPARAM(client.x, client.y);
        tip->RelayEvent(&relay);
    }
}
