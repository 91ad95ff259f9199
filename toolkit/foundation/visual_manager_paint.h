// Small drawing steps the visual managers share. None of them leaves a
// colour, pen or brush of its own in the DC.
#pragma once

#include <windows.h>

#include "platform/ui/dc.h"
#include "platform/ui/geometry.h"

namespace wtk_paint {

// Fills the rectangle with one colour.
inline void FillSolid(CDC* pDC, const CRect& rect, COLORREF color)
{
    if (rect.IsRectEmpty())
        return;
    if (HBRUSH brush = ::CreateSolidBrush(color)) {
        ::FillRect(pDC->GetSafeHdc(), &rect, brush);
        ::DeleteObject(brush);
    }
}

// Fills the rectangle with a system colour's own brush.
inline void FillSysColor(CDC* pDC, const CRect& rect, int nIndex)
{
    ::FillRect(pDC->GetSafeHdc(), &rect, ::GetSysColorBrush(nIndex));
}

// A one-pixel frame: top and left in one colour, bottom and right in the
// other.
inline void Frame3d(CDC* pDC, const CRect& rect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    const int cx = rect.Width();
    const int cy = rect.Height();
    FillSolid(pDC, CRect(rect.left, rect.top, rect.left + cx - 1, rect.top + 1), clrTopLeft);
    FillSolid(pDC, CRect(rect.left, rect.top, rect.left + 1, rect.top + cy - 1), clrTopLeft);
    FillSolid(pDC, CRect(rect.right - 1, rect.top, rect.right, rect.bottom), clrBottomRight);
    FillSolid(pDC, CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), clrBottomRight);
}

}  // namespace wtk_paint
