// CWtkMultiMiniFrameWnd: the floating frame in which several docking bars
// share one window.
#pragma once

#include "toolkit/foundation/mini_frame_wnd.h"

class CWtkMultiMiniFrameWnd : public CWtkMiniFrameWnd {
    DECLARE_DYNAMIC(CWtkMultiMiniFrameWnd)
public:
    // Places pBar before or after pTarget among the frame's bars; FALSE
    // when the frame does not take it (it takes none yet).
    virtual BOOL InsertControlBar(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter);
};
