// What the drag helper tests share: docking bars whose caption, tab areas
// and share a test sets, a tabbed bar with a tab window of its own, a dock
// manager that proposes what a test tells it, an outline that records what
// it draws, and a guard that puts the thread's key state back.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <ostream>
#include <vector>

#include "base_control_bar_support.h"
#include "toolkit/extras/base_tab_wnd.h"
#include "toolkit/foundation/base_tabbed_bar.h"
#include "toolkit/foundation/dock_manager.h"
#include "toolkit/foundation/docking_control_bar.h"
#include "toolkit/foundation/drag_outline.h"

// Rectangles print as their four edges in failure messages.
inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

namespace draghelpers_test {

// A window's rectangle on the screen.
inline CRect ScreenRect(const CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect;
}

using basebar_test::FrameHolder;
using basebar_test::HoldingMiniFrame;
using basebar_test::NewFrame;
using basebar_test::Probe;

// A docking bar whose caption height, tab areas, share and own slider a test
// sets.
template <class TBase = CWtkDockingControlBar>
class DockingProbe : public Probe<TBase> {
public:
    void SetCaptionHeight(int height) { this->m_nCaptionHeight = height; }
    void SetTabAreas(const CRect& bottom, const CRect& top)
    {
        tabAreaBottom = bottom;
        tabAreaTop = top;
    }
    void GetTabArea(CRect& rectTabAreaBottom, CRect& rectTabAreaTop) const override
    {
        rectTabAreaBottom = tabAreaBottom;
        rectTabAreaTop = tabAreaTop;
    }
    CRect tabAreaBottom;
    CRect tabAreaTop;
};

using DockingBar = DockingProbe<>;

// A tabbed bar that holds a plain tab window with the tabs a test adds.
class TabbedBar : public DockingProbe<CWtkBaseTabbedBar> {
public:
    TabbedBar() { m_pTabWnd = &tabs; }
    ~TabbedBar() override { m_pTabWnd = nullptr; }
    BOOL AcceptsTabs() const override { return accepts; }
    CWtkBaseTabWnd tabs;
    BOOL accepts = TRUE;
};

// Proposes the drop a test sets and counts the proposals asked for.
class ProposingDockManager : public CWtkDockManager {
public:
    BOOL PreviewDropRect(CWnd*, int x, int y, CRect& rectDrop, BOOL& bDrawTab,
                         CWtkBaseControlBar*& pTargetBar) override
    {
        asked.push_back(CPoint(x, y));
        rectDrop = proposal;
        bDrawTab = onCaption;
        pTargetBar = target;
        return answers;
    }
    CRect proposal;
    BOOL onCaption = FALSE;
    CWtkBaseControlBar* target = nullptr;
    BOOL answers = TRUE;
    std::vector<CPoint> asked;
};

// Records every rectangle the outline would draw instead of drawing it.
class RecordingOutline : public CWtkDragOutline {
public:
    struct Draw {
        CRect rect;
        bool hasOld;
        CRect old;
        BOOL erase;
        int width;
    };
    void DrawDragRect(LPCRECT lpRectNew, LPCRECT lpRectOld, BOOL bErase, int nWidth, int) override
    {
        draws.push_back({*lpRectNew, lpRectOld != nullptr, lpRectOld ? CRect(*lpRectOld) : CRect(), bErase, nWidth});
    }
    std::vector<Draw> draws;
};

// Sets the Ctrl key's state in this thread's key state for the scope.
class CtrlKeyState {
public:
    explicit CtrlKeyState(bool down)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        std::copy(m_saved, m_saved + 256, state);
        state[VK_CONTROL] = down ? 0x80 : 0;
        state[VK_LCONTROL] = down ? 0x80 : 0;
        ::SetKeyboardState(state);
    }
    ~CtrlKeyState() { ::SetKeyboardState(m_saved); }
    CtrlKeyState(const CtrlKeyState&) = delete;
    CtrlKeyState& operator=(const CtrlKeyState&) = delete;

private:
    BYTE m_saved[256];
};

}  // namespace draghelpers_test
