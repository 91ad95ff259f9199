// CWtkDockingControlBar: a bar with a caption that docks at the frame's
// edges, floats, and can be tabbed or hidden automatically.
#pragma once

#include "platform/ui/geometry.h"
#include "toolkit/foundation/control_bar.h"

class CWtkSlider;

class CWtkDockingControlBar : public CWtkControlBar {
    DECLARE_DYNAMIC(CWtkDockingControlBar)
public:
    // The height of the caption band; 0 while the bar shows no caption.
    virtual int GetCaptionHeight() const { return m_nCaptionHeight; }
    // The tab areas in screen coordinates: the first along the bottom edge,
    // the second along the top. A plain docking bar has none.
    virtual void GetTabArea(CRect& rectTabAreaBottom, CRect& rectTabAreaTop) const;
    // Whether pBar may dock onto this bar: it, or the window that holds it,
    // is a docking bar.
    virtual BOOL CanAcceptBar(const CWtkBaseControlBar* pBar) const;
    // Whether the bar may become a tab of another bar.
    virtual BOOL CanBeAttached() const { return TRUE; }

    // The slider the bar docks on; null when it has none or its window is
    // gone.
    CWtkSlider* GetOwnSlider() const;
    void SetOwnSlider(HWND hSlider) { m_hOwnSlider = hSlider; }
    // The bar's share of the container that holds it, in percent.
    int GetLastPercentInContainer() const { return m_nLastPercent; }
    void SetLastPercentInContainer(int nPercent) { m_nLastPercent = nPercent; }

protected:
    int m_nCaptionHeight = 0;
    HWND m_hOwnSlider = nullptr;
    int m_nLastPercent = 50;
};
