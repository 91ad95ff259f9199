// CWtkBarNcHelper: sizes and paints the non-client area of a control bar
// (its border lines, borders and gripper). The rebar and the toolbars embed
// one and hand it their WM_NCCALCSIZE and WM_NCPAINT.
#pragma once

#include <windows.h>

#include "platform/ui/geometry.h"

class CDC;
class CWtkControlBar;

class CWtkBarNcHelper {
public:
    explicit CWtkBarNcHelper(CWtkControlBar* pBar = nullptr) : m_pBar(pBar) {}
    virtual ~CWtkBarNcHelper() = default;

    void SetOwnerBar(CWtkControlBar* pBar) { m_pBar = pBar; }
    CWtkControlBar* GetOwnerBar() const { return m_pBar; }

    // Turns the window rectangle of WM_NCCALCSIZE into the client area: the
    // bar's inside rectangle rule, for its orientation.
    void CalcNcSize(LPRECT lpRect) const;
    // Paints the non-client area: the bar background and border through the
    // visual manager, and the gripper of a docked bar that has one.
    void DrawNcArea();
    // What the parent shows behind the bar.
    void DrawParentBackground(CDC* pDC);
    // The bar's window rectangle and client rectangle, relative to the
    // window (with bClientCoords, in client coordinates); the window's far
    // end along the bar stops one pixel inside the client's.
    void GetNcRects(CRect& rectWindow, CRect& rectClient, BOOL bClientCoords = FALSE) const;

private:
    CWtkControlBar* m_pBar;
};
