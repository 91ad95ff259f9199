#include "platform/ui/cmd_ui.h"

#include "platform/ui/cmd_target.h"
#include "platform/ui/menu.h"
#include "platform/ui/wnd.h"

CCmdUI::CCmdUI()
    : m_nID(0),
      m_nIndex(0),
      m_pMenu(nullptr),
      m_pSubMenu(nullptr),
      m_pParentMenu(nullptr),
      m_pOther(nullptr),
      m_bEnableChanged(FALSE),
      m_bContinueRouting(FALSE),
      m_nIndexMax(0)
{
}

CCmdUI::~CCmdUI() = default;

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu) {
        if (!m_pSubMenu)
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther) {
        // A disabled control cannot keep the focus: hand it on first, as the
        // dialog manager would on Tab.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            if (CWnd* parent = m_pOther->GetParent())
                parent->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu) {
        if (!m_pSubMenu)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther) {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        if (bOn)
            m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
        else
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
        return;
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText)
{
    if (!lpszText)
        lpszText = "";
    if (m_pMenu) {
        if (m_pSubMenu)
            return;
        // ModifyMenu replaces the state too: keep what the item had.
        const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) &
                           (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_MENUBARBREAK | MF_MENUBREAK);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
    } else if (m_pOther) {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText)
            m_pOther->SetWindowText(lpszText);
    }
}

void CCmdUI::ContinueRouting()
{
    m_bContinueRouting = TRUE;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (!pTarget || m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;
    m_bEnableChanged = FALSE;
    const BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (!handled && bDisableIfNoHandler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info{nullptr, nullptr};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return handled;
}

void UpdateMenuCommandUI(CMenu* popup, CCmdTarget* target, BOOL disableIfNoHandler)
{
    if (!popup || !target)
        return;
    CCmdUI state;
    state.m_pMenu = popup;
    // Update handlers may add or remove items: the count is read afresh.
    for (state.m_nIndex = 0; static_cast<int>(state.m_nIndex) < popup->GetMenuItemCount(); ++state.m_nIndex) {
        state.m_nIndexMax = static_cast<UINT>(popup->GetMenuItemCount());
        const UINT id = popup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (id == 0 || id == static_cast<UINT>(-1))
            continue;  // separators and popups
        state.m_nID = id;
        state.m_pSubMenu = nullptr;
        // System commands belong to the system menu, not to the target.
        state.DoUpdate(target, disableIfNoHandler && id < AFX_FIRST_SYSTEM_COMMAND);
    }
}
