// CMiniDockFrameWnd: the small captioned frame that holds a floating bar.
// It is owned by the bar's frame, holds one floating CDockBar
// (AFX_IDW_DOCKBAR_FLOAT) and sizes itself to the bars in it. Closing it
// hides its bars instead of destroying them.
#pragma once

#include <windows.h>

#include "platform/ui/dock_bar.h"
#include "platform/ui/mini_frame_wnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();
    ~CMiniDockFrameWnd() override;

    // A hidden frame owned by pParent; its bars float in one row whatever
    // side dwBarStyle names.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // Fits the frame around its bars, then lays them out.
    void RecalcLayout(BOOL bNotify = TRUE) override;

    CDockBar m_wndDockBar;

protected:
    void OnClose();
    DECLARE_MESSAGE_MAP()
};
