// CWtkDockBar: the bar along one side of a frame that holds docked bars in
// rows.
#pragma once

#include "toolkit/foundation/base_control_bar.h"

class CWtkDockBar : public CWtkBaseControlBar {
    DECLARE_DYNAMIC(CWtkDockBar)
public:
    using CWtkBaseControlBar::ShowControlBar;
    // Shows or hides a docked control bar through the row that holds it;
    // FALSE when no row holds it or it is no control bar.
    virtual BOOL ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay);
};
