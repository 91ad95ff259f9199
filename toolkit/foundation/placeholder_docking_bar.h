// CWtkPlaceholderDockingBar: the hidden docking bar that stands in for a
// dragged window as a temporary tab while the drag hovers over the caption
// of a tabbed bar. One exists for the whole program; its window is made on
// the first drag that needs it and destroyed at exit.
#pragma once

#include "toolkit/foundation/docking_control_bar.h"

class CWtkPlaceholderDockingBar : public CWtkDockingControlBar {
    DECLARE_DYNAMIC(CWtkPlaceholderDockingBar)
public:
    // The program's placeholder bar (its window may not exist yet).
    static CWtkPlaceholderDockingBar& Get();
    // Makes the window, as a hidden child of the main window, when it does
    // not exist yet; FALSE when there is no main window or creation fails.
    static BOOL EnsureCreated();
    // Destroys the window (the toolkit's clean-up at exit).
    static void DestroyGlobal();

    // The control id the window is made with.
    static UINT s_nControlID;
};
