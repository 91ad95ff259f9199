// CWtkOutlookBarPane: one page of buttons of the outlook-style bar, which
// draws its own background.
#pragma once

#include "platform/ui/dc.h"
#include "toolkit/controls/tool_bar.h"

class CWtkOutlookBarPane : public CWtkToolBar {
    DECLARE_DYNAMIC(CWtkOutlookBarPane)
public:
    // Paints the pane's background into rectClient; the base look leaves
    // the area as it is.
    virtual void DrawBackground(CDC* pDC, CRect rectClient);
};
