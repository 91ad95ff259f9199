// CWnd: parents, owners and frames; messages to descendants and the
// command-UI update of child controls.
#include "platform/ui/wnd.h"

#include "platform/ui/app.h"
#include "platform/ui/cmd_ui.h"

namespace {

bool IsChildWindow(HWND hWnd)
{
    return (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD) != 0;
}

// A child's parent, a popup's owner.
HWND ParentOrOwner(HWND hWnd)
{
    return IsChildWindow(hWnd) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
}

}  // namespace

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent();
}

void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr;
}

CWnd* CWnd::GetParentOwner() const
{
    HWND hWnd = m_hWnd;
    while (hWnd && IsChildWindow(hWnd)) {
        HWND parent = ::GetParent(hWnd);
        if (!parent)
            break;
        hWnd = parent;
    }
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return nullptr;
    while (HWND up = ParentOrOwner(hWnd))
        hWnd = up;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    HWND hWnd = m_hWnd;
    if (!hWnd)
        return nullptr;
    while (HWND owner = ::GetWindow(hWnd, GW_OWNER))
        hWnd = owner;
    return FromHandle(hWnd);
}

CFrameWnd* CWnd::AsFrameWnd()
{
    return nullptr;
}

BOOL CWnd::IsFrameWnd() const
{
    return const_cast<CWnd*>(this)->AsFrameWnd() != nullptr;
}

CFrameWnd* CWnd::GetParentFrame() const
{
    for (CWnd* wnd = GetParent(); wnd; wnd = wnd->GetParent()) {
        if (CFrameWnd* frame = wnd->AsFrameWnd())
            return frame;
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* found = const_cast<CWnd*>(this)->AsFrameWnd();
    for (CWnd* wnd = GetParent(); wnd; wnd = wnd->GetParent()) {
        if (CFrameWnd* frame = wnd->AsFrameWnd())
            found = frame;
    }
    return found;
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND owner = pParent ? pParent->m_hWnd : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->m_hWnd : nullptr;
    }
    // A popup cannot be owned by a child window.
    while (owner && IsChildWindow(owner))
        owner = ::GetParent(owner);
    HWND top = owner;
    while (top) {
        HWND up = ::GetParent(top);
        if (!up)
            break;
        top = up;
    }
    // Without a parent of its own, a box goes on top of what the main
    // window shows last (a dialog box it opened).
    if (!pParent && owner)
        owner = ::GetLastActivePopup(owner);
    if (pWndTop)
        *pWndTop = top;
    return FromHandle(owner);
}

void CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm)
{
    for (HWND child = ::GetTopWindow(hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!bOnlyPerm || FromHandlePermanent(child))
            ::SendMessageA(child, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(child))
            SendMessageToDescendants(child, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    CCmdUI state;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        state.m_pOther = FromHandle(child);
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(child));
        // An automatic check box or radio button works without a handler.
        BOOL disable = bDisableIfNoHandler;
        if (::SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) {
            const DWORD type = static_cast<DWORD>(::GetWindowLongPtrA(child, GWL_STYLE)) & BS_TYPEMASK;
            if (type == BS_AUTOCHECKBOX || type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON)
                disable = FALSE;
        }
        state.DoUpdate(pTarget, disable);
    }
}
