// Windows the frame tests share: bars of a fixed thickness, a message bar
// that paints its text, and a holder that destroys a frame at the end of a
// test (frames delete themselves with their window).
#pragma once

#include <windows.h>

#include "platform/ui/control_bar.h"
#include "platform/ui/frame_wnd.h"

// A bar along one side, thickness pixels thick.
class SideBar : public CControlBar {
public:
    SideBar(int thickness) : m_thickness(thickness) {}

    // A child of the frame along that side (CBRS_ALIGN_*), visible or not.
    BOOL CreateAt(CFrameWnd* frame, DWORD align, UINT id, BOOL visible = TRUE)
    {
        return CreateEx(0, nullptr, "bar", WS_CHILD | (visible ? WS_VISIBLE : 0) | align, CRect(0, 0, 0, 0),
                        frame, id);
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override
    {
        (void)bStretch;
        return bHorz ? CSize(32767, m_thickness) : CSize(m_thickness, 32767);
    }

    CRect RectInParent() const
    {
        CRect rect;
        GetWindowRect(&rect);
        GetParent()->ScreenToClient(&rect);
        return rect;
    }

private:
    int m_thickness;
};

// The frame's message bar (AFX_IDW_STATUS_BAR) along the bottom; it paints
// its window text.
class MessageBar : public SideBar {
public:
    MessageBar() : SideBar(22) {}

    BOOL CreateIn(CFrameWnd* frame) { return CreateAt(frame, CBRS_ALIGN_BOTTOM, AFX_IDW_STATUS_BAR); }

    CString Text() const
    {
        CString text;
        GetWindowText(text);
        return text;
    }

protected:
    void DoPaint(CDC* pDC) override;
};

// Destroys the frame's window at the end of the scope unless it is gone.
class FrameHolder {
public:
    explicit FrameHolder(CFrameWnd* frame) : m_frame(frame), m_hWnd(frame ? frame->m_hWnd : nullptr) {}
    ~FrameHolder();
    FrameHolder(const FrameHolder&) = delete;
    FrameHolder& operator=(const FrameHolder&) = delete;
    void Reset(CFrameWnd* frame)
    {
        m_frame = frame;
        m_hWnd = frame ? frame->m_hWnd : nullptr;
    }

private:
    CFrameWnd* m_frame;
    HWND m_hWnd;
};

// Takes a WM_QUIT that closing a main window left in the queue.
void DropQuitMessage();
