// HostMessageBar: the SDI frame's message bar (the child AFX_IDW_STATUS_BAR
// along the bottom), which shows its window text, the prompt the frame
// sets. A stand-in until the toolkit's status bar joins the host.
#pragma once

#include <windows.h>

#include "platform/framework/string.h"
#include "platform/ui/control_bar.h"

class CFrameWnd;

class HostMessageBar : public CControlBar {
public:
    // Creates the bar along the frame's bottom, showing the idle prompt.
    BOOL CreateIn(CFrameWnd* frame);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CString Text() const;

protected:
    void DoPaint(CDC* pDC) override;
};
