// What the base control bar tests share: a bar whose hooks and places a test
// sets and reads, frames of the toolkit's kinds that count their layouts,
// a row and mini frames that record what the bar asks of them, and a holder
// that destroys a frame at the end of a test.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/frame_wnd.h"
#include "platform/ui/window_class.h"
#include "toolkit/foundation/base_control_bar.h"
#include "toolkit/foundation/control_bar.h"
#include "toolkit/foundation/dock_bar.h"
#include "toolkit/foundation/dock_bar_row.h"
#include "toolkit/foundation/frame_wnd.h"
#include "toolkit/foundation/global_utils.h"
#include "toolkit/foundation/mini_frame_wnd.h"
#include "toolkit/foundation/multi_mini_frame_wnd.h"

namespace basebar_test {

// A bar of the base class whose places and modes a test sets, and which
// records the command updates it is asked for.
template <class TBase>
class Probe : public TBase {
public:
    BOOL Create(CWnd* pParent, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE, DWORD dwCaps = 0,
                const CRect& rect = CRect(0, 0, 80, 20), LPCSTR lpszClass = nullptr)
    {
        return this->CreateEx(0, lpszClass ? lpszClass : AfxRegisterWndClass(0), "bar", dwStyle, rect, pParent, nID,
                              dwCaps);
    }
    void PutInRow(CWtkDockBar* pDockBar, CWtkDockBarRow* pRow)
    {
        this->m_pParentDockBar = pDockBar;
        this->m_pDockBarRow = pRow;
    }
    void SetOwnDockMode(int mode) { this->m_dockMode = mode; }
    void UseTemplate(LPCSTR lpszTemplate) { this->m_lpszBarTemplateName = lpszTemplate; }
    CSize TemplateSize() const { return this->m_sizeDialog; }

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override
    {
        updates.push_back({pTarget, bDisableIfNoHandler});
    }

    struct Update {
        CFrameWnd* target;
        BOOL disableIfNoHandler;
    };
    std::vector<Update> updates;
};

using ProbeBar = Probe<CWtkBaseControlBar>;
// A control bar (the kind a dock bar holds).
using ProbeControlBar = Probe<CWtkControlBar>;

// Counts the layouts a bar asks of its frame.
template <class TFrame>
class LayoutCounter : public TFrame {
public:
    using TFrame::TFrame;
    void AdjustDockingLayout(HDWP hdwp) override
    {
        ++layouts;
        TFrame::AdjustDockingLayout(hdwp);
    }
    int layouts = 0;
};

using CountingFrame = LayoutCounter<CWtkFrameWnd>;

// Records what a bar asks of the row that holds it.
class RecordingRow : public CWtkDockBarRow {
public:
    BOOL ShowControlBar(CWtkBaseControlBar* pBar, BOOL bShow, BOOL bDelay) override
    {
        shows.push_back({pBar, bShow, bDelay});
        steps.push_back("show");
        // Stands in for the row, which would arrange its bars around this
        // one as well.
        if (!pBar || !pBar->GetSafeHwnd())
            return FALSE;
        pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
        return TRUE;
    }
    void ArrangeBars(CWtkBaseControlBar* pBar) override
    {
        arranged.push_back(pBar);
        steps.push_back("arrange");
    }
    void OnResizeControlBar(CWtkBaseControlBar* pBar) override { resized.push_back(pBar); }

    struct Show {
        CWtkBaseControlBar* bar;
        BOOL show;
        BOOL delay;
    };
    std::vector<Show> shows;
    std::vector<CWtkBaseControlBar*> arranged;
    std::vector<CWtkBaseControlBar*> resized;
    std::vector<std::string> steps;
};

// A mini frame that holds the given bar (or none) and counts its layouts.
class HoldingMiniFrame : public CWtkMiniFrameWnd {
public:
    explicit HoldingMiniFrame(CWtkBaseControlBar* pBar = nullptr) { m_pBar = pBar; }
    void Hold(CWtkBaseControlBar* pBar) { m_pBar = pBar; }
    BOOL CreatePopup(CWnd* pOwner, const CRect& rect = CRect(500, 100, 700, 200))
    {
        return CWnd::CreateEx(0, AfxRegisterWndClass(0), "mini", WS_POPUP | WS_VISIBLE | WS_THICKFRAME, rect.left,
                              rect.top, rect.Width(), rect.Height(), pOwner ? pOwner->GetSafeHwnd() : nullptr,
                              nullptr);
    }
    void AdjustLayout() override
    {
        ++layouts;
        CWtkMiniFrameWnd::AdjustLayout();
    }
    int layouts = 0;
};

// A multi-bar mini frame that says how many bars it holds and records the
// insertions it is asked for.
class RecordingMultiMiniFrame : public CWtkMultiMiniFrameWnd {
public:
    BOOL CreatePopup(CWnd* pOwner)
    {
        return CWnd::CreateEx(0, AfxRegisterWndClass(0), "multi", WS_POPUP, 500, 300, 200, 100,
                              pOwner ? pOwner->GetSafeHwnd() : nullptr, nullptr);
    }
    int HasBar() const override { return bars; }
    BOOL InsertControlBar(CWtkBaseControlBar* pBar, CWtkBaseControlBar* pTarget, BOOL bAfter) override
    {
        inserted.push_back(pBar);
        return takes;
    }
    int bars = 2;
    BOOL takes = TRUE;
    std::vector<CWtkBaseControlBar*> inserted;
};

// Destroys the frame's window at the end of the scope unless it is gone
// (frames delete themselves with their window).
class FrameHolder {
public:
    explicit FrameHolder(CWnd* frame) : m_hWnd(frame ? frame->GetSafeHwnd() : nullptr) {}
    ~FrameHolder()
    {
        if (m_hWnd && ::IsWindow(m_hWnd))
            ::DestroyWindow(m_hWnd);
    }
    FrameHolder(const FrameHolder&) = delete;
    FrameHolder& operator=(const FrameHolder&) = delete;

private:
    HWND m_hWnd;
};

// A hidden toolkit frame, made with new (it deletes itself with its window).
template <class TFrame = CountingFrame>
TFrame* NewFrame(const char* title = "Bars", DWORD style = WS_OVERLAPPEDWINDOW)
{
    TFrame* frame = new TFrame;
    if (!frame->Create(nullptr, title, style, CRect(40, 40, 440, 340)))
        return nullptr;
    return frame;
}

// The centre of a window in screen coordinates.
inline CPoint CentreOf(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect.CenterPoint();
}

// The window's rectangle in its parent's client coordinates.
inline CRect RectInParent(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    if (HWND parent = ::GetParent(wnd.GetSafeHwnd()))
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The toolkit's global docking state as a program starts.
inline void ResetBarGlobals()
{
    g_wtkGlobalUtils.m_bDialogApp = FALSE;
    CWtkDockManager::s_bRestoringDockState = FALSE;
    CWtkBaseControlBar::s_nDefaultDockMode = 2;
}

// Clears the toolkit's global docking state before and after a test.
class BaseBarTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBarGlobals(); }
    void TearDown() override { ResetBarGlobals(); }
};

}  // namespace basebar_test
