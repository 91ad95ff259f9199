// HostView: the SDI frame's pane; it names the host, so that a picture of
// the frame shows where the pane lies.
#pragma once

#include "platform/ui/view.h"

class HostView : public CView {
    DECLARE_DYNCREATE(HostView)
public:
    void OnDraw(CDC* pDC) override;
};
