// What the control bar tests share: a control bar that shows its element
// buffer and takes a minimum size, a dock bar made as a child of a frame,
// and the window class name of a window.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "base_control_bar_support.h"
#include "toolkit/foundation/control_bar.h"
#include "toolkit/foundation/dock_bar.h"

namespace controlbar_test {

using namespace basebar_test;

class TestBar : public CWtkControlBar {
public:
    // A bar of the control bar's own window class (lpszClass null).
    BOOL Make(CWnd* pParent, UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE, DWORD dwCaps = WTK_CBRS_FLOAT,
              const CRect& rect = CRect(10, 10, 110, 35))
    {
        return Create(nullptr, dwStyle, rect, pParent, nID, dwCaps);
    }
    CSize GetMinSize() const override { return minSize; }
    const BYTE* Data() const { return m_pData.get(); }
    BYTE* Data() { return m_pData.get(); }
    int Count() const { return m_nCount; }
    void SetOwnDockMode(int mode) { m_dockMode = mode; }
    void PutInRow(CWtkDockBar* pDockBar, CWtkDockBarRow* pRow)
    {
        m_pParentDockBar = pDockBar;
        m_pDockBarRow = pRow;
    }
    void SetDragRect(const CRect& rect) { m_rectDrag = rect; }
    CSize minSize = CSize(1, 1);
};

// A dock bar along one side of the frame, made like any base bar.
class TestDockBar : public CWtkDockBar {
public:
    BOOL Make(CWnd* pFrame, DWORD dwAlignment, const CRect& rect)
    {
        return CreateEx(0, AfxRegisterWndClass(0), "dock", WS_CHILD | WS_VISIBLE | dwAlignment, rect, pFrame,
                        0xE81B);
    }
    BOOL Holds(const CWtkBaseControlBar* pBar) const
    {
        return GetControlBarList().Find(const_cast<CWtkBaseControlBar*>(pBar)) != nullptr;
    }
    // Stands in for the rows: the bar goes where it is asked and joins the
    // list, so that the cases see the bar's own side of docking.
    BOOL DockControlBar(CWtkBaseControlBar* pBar, int, LPCRECT lpRect = nullptr) override
    {
        if (!pBar || m_lstControlBars.Find(pBar))
            return FALSE;
        m_lstControlBars.AddTail(pBar);
        if (lpRect && m_hWnd && pBar->GetSafeHwnd()) {
            CRect rect(*lpRect);
            ScreenToClient(&rect);
            pBar->MoveWindow(&rect);
        }
        if (pBar->IsKindOf(RUNTIME_CLASS(CWtkControlBar)))
            static_cast<CWtkControlBar*>(pBar)->UpdateFullRect();
        return TRUE;
    }
    // Records the steps of live drags it is asked to make.
    BOOL MoveControlBar(CWtkBaseControlBar* pBar, int dx, int dy) override
    {
        moves.push_back({pBar, CSize(dx, dy)});
        return FALSE;
    }
    struct Move {
        CWtkBaseControlBar* bar;
        CSize delta;
    };
    std::vector<Move> moves;
};

inline std::string ClassNameOf(HWND hWnd)
{
    char name[256] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

// The window class name the toolkit builds from the module, class style,
// cursor and brush.
inline std::string ToolkitClassName(const char* prefix)
{
    char name[128];
    std::snprintf(name, sizeof name, "%s:%x:%x:%x:%x", prefix,
                  static_cast<unsigned>(reinterpret_cast<UINT_PTR>(AfxGetInstanceHandle())),
                  static_cast<unsigned>(CS_DBLCLKS),
                  static_cast<unsigned>(reinterpret_cast<UINT_PTR>(::LoadCursorA(nullptr, IDC_ARROW))),
                  static_cast<unsigned>(COLOR_BTNFACE + 1));
    return name;
}

}  // namespace controlbar_test
