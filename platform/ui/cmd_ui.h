// CCmdUI: one command's state as a menu item, a bar button or a dialog
// control shows it. Update handlers (ON_UPDATE_COMMAND_UI) receive one and
// enable, check or relabel the command through it; bars derive their own
// kind for their buttons.
#pragma once

#include <windows.h>

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI();
    virtual ~CCmdUI();

    // A menu item is greyed, a control disabled (the focus leaves it first).
    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate (a check mark for menus).
    virtual void SetCheck(int nCheck = 1);
    // Checked with a radio mark.
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCSTR lpszText);

    // Called by an update handler that leaves the decision to the next target.
    void ContinueRouting();

    // Asks the target's update handler; without one, and when asked to,
    // enables the command exactly when the target has a handler for it.
    // TRUE when an update handler answered.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

    UINT m_nID;
    UINT m_nIndex;        // menu position, bar index
    CMenu* m_pMenu;       // the menu of the item, or null
    CMenu* m_pSubMenu;    // the popup of a popup item, or null
    CMenu* m_pParentMenu; // the menu that holds m_pMenu when it is a popup
    CWnd* m_pOther;       // the control or bar of the command, or null
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax;     // the number of items being updated
};

// Updates every item of a menu popup through the target's update handlers
// before it opens (WM_INITMENUPOPUP). With disableIfNoHandler, an item whose
// command nobody handles is greyed; items that open nested popups and
// separators are left as they are.
void UpdateMenuCommandUI(CMenu* popup, CCmdTarget* target, BOOL disableIfNoHandler);
