// CWtkCaptionButton: one button (close, pin, the third button) in the
// caption of a mini frame or a docking bar.
#pragma once

#include <windows.h>

#include "platform/ui/geometry.h"

class CWtkCaptionButton {
public:
    explicit CWtkCaptionButton(UINT nHit = 0) : m_nHit(nHit) {}
    virtual ~CWtkCaptionButton() = default;

    // The glyph size plus a margin of 2 on each side and the visual manager's
    // extra border; 0 x 0 when hidden.
    CSize GetSize() const;
    // The button's place (its position and size) in the window rectangle.
    CRect GetRect() const { return CRect(m_ptOrg, GetSize()); }

    BOOL m_bPushed = FALSE;
    BOOL m_bFocused = FALSE;  // hot: the mouse is over the button
    BOOL m_bHidden = FALSE;
    UINT m_nHit;              // 20 close, 9 pin, 8 the third button
    CPoint m_ptOrg;
};
