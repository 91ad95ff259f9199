// CWnd: the window procedure, message dispatch through the message maps,
// command routing, reflection and pre-translation.
#include "platform/ui/wnd.h"

#include "platform/ui/cmd_ui.h"
#include "platform/ui/ui_thread_state.h"

namespace {

// The answer to a message whose handler threw: creation fails; anything else
// gets what the window's own procedure answers (which also validates a
// window whose painting threw).
LRESULT AnswerAfterException(HWND hWnd, WNDPROC super, UINT message, WPARAM wParam, LPARAM lParam)
{
    ::OutputDebugStringA("A message handler threw; the message gets its default answer\n");
    switch (message) {
    case WM_NCCREATE:
        return FALSE;
    case WM_CREATE:
        return -1;
    default:
        break;
    }
    if (!::IsWindow(hWnd))
        return 0;
    return super ? ::CallWindowProcA(super, hWnd, message, wParam, lParam)
                 : ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// Records whether a command is enabled without changing anything.
class EnabledProbe : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        enabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCSTR) override {}

    BOOL enabled = TRUE;
};

}  // namespace

LRESULT CALLBACK FrameworkWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    UiThreadState& state = ThisUiThread();
    const MSG outer = state.currentMessage;
    state.currentMessage.hwnd = hWnd;
    state.currentMessage.message = message;
    state.currentMessage.wParam = wParam;
    state.currentMessage.lParam = lParam;
    LRESULT result;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // The object may have let go of the window while its handler ran.
        CWnd* still = CWnd::FromHandlePermanent(hWnd);
        result = AnswerAfterException(hWnd, still ? still->m_pfnSuper : nullptr, message, wParam, lParam);
    }
    state.currentMessage = outer;

    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == wnd) {
        // A handler that did not end with the base's OnNcDestroy.
        if (wnd->m_pfnSuper)
            ::CallWindowProcA(wnd->m_pfnSuper, hWnd, message, wParam, lParam);
        wnd->FinishNcDestroy();
    }
    return result;
}

INT_PTR CALLBACK FrameworkDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    // Every message reaches the object through its window procedure first;
    // what comes here is the dialog manager's default handling.
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    BOOL handled = FALSE;
    if (message == WM_COMMAND) {
        handled = OnCommand(wParam, lParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->hwndFrom)
            handled = OnNotify(wParam, lParam, &result);
    } else if (const MessageMapEntry* entry = FindMessageEntry(message)) {
        MessageCall call{message, wParam, lParam, 0, nullptr, &result};
        handled = entry->thunk(this, call);
    }
    if (handled && pResult)
        *pResult = result;
    return handled;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& current = ThisUiThread().currentMessage;
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    MSG& current = ThisUiThread().currentMessage;
    current.time = static_cast<DWORD>(::GetMessageTime());
    const DWORD position = ::GetMessagePos();
    current.pt.x = TVX_X_LPARAM(position);
    current.pt.y = TVX_Y_LPARAM(position);
    return &current;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (control) {
        // Only a control of this window reports to it; the control may
        // handle its own notification (reflection).
        LRESULT ignored = 0;
        if (::IsChild(m_hWnd, control) && ReflectMessage(control, WM_COMMAND, wParam, lParam, &ignored))
            return TRUE;
    } else {
        // Menus (0) and accelerators (1): the command may have been disabled
        // since the menu or bar showed it.
        if (id == 0)
            return FALSE;
        code = CN_COMMAND;
        EnabledProbe probe;
        probe.m_nID = id;
        OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
        if (!probe.enabled)
            return TRUE;
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
    LRESULT local = 0;
    if (!pResult)
        pResult = &local;
    // Only a control of this window reflects (tooltips and property sheets
    // notify windows that are not their parents).
    if (header->hwndFrom && ::IsChild(m_hWnd, header->hwndFrom) &&
        ReflectMessage(header->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom), CN_NOTIFY_CODE(header->code), &notify, nullptr);
}

BOOL CWnd::ReflectMessage(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    if (!child)
        return FALSE;
    LRESULT local = 0;
    return child->OnChildNotify(message, wParam, lParam, pResult ? pResult : &local);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    const MSG& current = ThisUiThread().currentMessage;
    return ReflectMessage(hWndChild, current.message, current.wParam, current.lParam, pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& current = ThisUiThread().currentMessage;
    LRESULT local = 0;
    return OnChildNotify(current.message, current.wParam, current.lParam, pResult ? pResult : &local);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT local = 0;
    if (!pResult)
        pResult = &local;
    switch (message) {
    case WM_COMMAND: {
        const MessageMapEntry* entry =
            FindCommandEntry(MessageEntryKind::ReflectedCommand, HIWORD(wParam), LOWORD(wParam));
        if (!entry)
            return FALSE;
        MessageCall call{WM_REFLECT_BASE + WM_COMMAND, wParam, lParam, LOWORD(wParam), nullptr, pResult};
        return entry->thunk(this, call);
    }
    case WM_NOTIFY: {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        const MessageMapEntry* entry = FindCommandEntry(MessageEntryKind::ReflectedNotify, header->code,
                                                        static_cast<UINT>(header->idFrom));
        if (!entry)
            return FALSE;
        AFX_NOTIFY notify{pResult, header};
        MessageCall call{WM_REFLECT_BASE + WM_NOTIFY, wParam, lParam, static_cast<UINT>(header->idFrom),
                         &notify, pResult};
        return entry->thunk(this, call);
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        return FALSE;
    }
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & WF_TOOLTIPS)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL CWnd::PreTranslateInput(MSG* pMsg)
{
    const UINT message = pMsg->message;
    const bool key = message >= WM_KEYFIRST && message <= WM_KEYLAST;
    const bool mouse = message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
    if (!key && !mouse)
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* wnd = FromHandlePermanent(hWnd)) {
            if (wnd->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}
