// CWtkCaptionBar: a bar that shows a caption line across the frame.
#pragma once

#include "toolkit/foundation/control_bar.h"

class CWtkCaptionBar : public CWtkControlBar {
    DECLARE_DYNAMIC(CWtkCaptionBar)
public:
    // The bar's own background colour; 0xFFFFFFFF: none of its own.
    COLORREF m_clrBarBackground = 0xFFFFFFFF;
};
