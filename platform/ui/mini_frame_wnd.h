// CMiniFrameWnd: a small popup frame, with or without a caption, that floats
// over its owner frame (floating bars, tool windows, popup menus). It
// deletes itself when its window goes. With MFS_SYNCACTIVE its caption
// follows the owner frame's activation: the owner stays active while it is
// active (it answers WM_FLOATSTATUS FS_SYNCACTIVE), and FS_ACTIVATE /
// FS_DEACTIVATE repaint its caption in step.
#pragma once

#include <windows.h>

#include "platform/ui/frame_wnd.h"

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();
    ~CMiniFrameWnd() override;

    // A popup at rect; WS_CAPTION gives it a small (tool window) caption.
    // MFS_ bits are kept in the window's style.
    BOOL Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = nullptr, UINT nID = 0);

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void PostNcDestroy() override;

    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    BOOL OnNcActivate(BOOL bActive);

    // The last FS_ACTIVATE / FS_DEACTIVATE the owner sent.
    BOOL m_bActive;

    DECLARE_MESSAGE_MAP()
};
