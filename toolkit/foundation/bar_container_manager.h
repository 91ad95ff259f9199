// CWtkBarContainerManager: owns one tree of bar containers with the list of
// its bars and of its inner sliders.
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/ui/geometry.h"

class CWtkBarContainerManager : public CObject {
public:
    // The split that inserting a bar of rectInserted next to a bar of
    // rectOriginal on side dwAlignment (CBRS_ALIGN_*) makes, without
    // touching a window: rectInserted (first grown to the minimum size) takes
    // up to half of rectOriginal on that side, the slider (rectSlider, style
    // 1 horizontal or 2 vertical in dwSliderStyle) stands between them and
    // rectOriginal keeps the rest. FALSE for any other side.
    static BOOL CalcRects(CRect& rectOriginal, CRect& rectInserted, CRect& rectSlider, DWORD& dwSliderStyle,
                          DWORD dwAlignment, int nMinWidth, int nMinHeight);
};
