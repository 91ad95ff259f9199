#include "toolkit/foundation/multi_mini_frame_wnd.h"

IMPLEMENT_DYNAMIC(CWtkMultiMiniFrameWnd, CWtkMiniFrameWnd)

BOOL CWtkMultiMiniFrameWnd::InsertControlBar(CWtkBaseControlBar*, CWtkBaseControlBar*, BOOL)
{
    return FALSE;
}
