// CWtkBaseTabbedBar: a docking bar whose client area is a tab window that
// holds other bars as tabs.
#pragma once

#include "toolkit/foundation/docking_control_bar.h"

class CWtkBaseTabWnd;

class CWtkBaseTabbedBar : public CWtkDockingControlBar {
    DECLARE_DYNAMIC(CWtkBaseTabbedBar)
public:
    // The tab window that holds the tabs, or null before it exists.
    virtual CWtkBaseTabWnd* GetUnderlinedWindow() const { return m_pTabWnd; }
    // Whether a window dragged onto the caption is shown as a further tab
    // while the bar holds more than one tab.
    virtual BOOL AcceptsTabs() const { return TRUE; }

    using CWtkDockingControlBar::ShowControlBar;
    // Shows or hides the tab of one of its bars.
    BOOL ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    // Takes the bar's tab out of the tab window; FALSE when it has none.
    virtual BOOL RemoveControlBar(CWtkBaseControlBar* pBar);

protected:
    CWtkBaseTabWnd* m_pTabWnd = nullptr;
};
