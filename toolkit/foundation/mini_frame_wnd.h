// CWtkMiniFrameWnd: the small floating frame that holds a floating bar.
#pragma once

#include "platform/ui/wnd.h"

class CWtkBaseControlBar;

// Posted to a mini frame that a bar has left: the frame closes itself when it
// holds no bar any more.
extern const UINT WTKMSG_CHECKEMPTYMINIFRAME;

class CWtkMiniFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CWtkMiniFrameWnd)
public:
    CWtkMiniFrameWnd();
    ~CWtkMiniFrameWnd() override;

    // The bar the frame holds, or null.
    virtual CWtkBaseControlBar* GetFirstBar() const { return m_pBar; }
    // How many bars the frame holds: 1 while it holds its bar, else 0.
    virtual int HasBar() const { return m_pBar ? 1 : 0; }
    // Makes the held bar fill the client area and redraws it at once.
    virtual void AdjustLayout();

    // Redraws every mini frame window of this thread (invalidate, erase,
    // frame, children, now).
    static void RedrawAll();

protected:
    CWtkBaseControlBar* m_pBar = nullptr;
};
