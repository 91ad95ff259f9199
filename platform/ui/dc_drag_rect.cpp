// CDC: the frame that follows the mouse while something is dragged.
#include "platform/ui/dc.h"

#include "platform/ui/bitmap.h"
#include "platform/ui/brush.h"
#include "platform/ui/rgn.h"

namespace {

// The frame of rect (in device coordinates) with sides size.cx and size.cy
// thick; a frame thicker than half the rectangle fills it. Empty for an
// empty rectangle.
HRGN CreateFrameRegion(const CRect& rect, SIZE size)
{
    if (rect.IsRectEmpty())
        return ::CreateRectRgn(0, 0, 0, 0);
    HRGN outer = ::CreateRectRgnIndirect(&rect);
    if (!outer)
        return nullptr;
    CRect inner = rect;
    inner.DeflateRect(size.cx, size.cy);
    if (!inner.IsRectEmpty()) {
        HRGN hole = ::CreateRectRgnIndirect(&inner);
        if (!hole) {
            ::DeleteObject(outer);
            return nullptr;
        }
        ::CombineRgn(outer, outer, hole, RGN_DIFF);
        ::DeleteObject(hole);
    }
    return outer;
}

}  // namespace

CBrush* CDC::GetHalftoneBrush()
{
    static CBrush brush;
    static const bool created = [] {
        // Rows of a monochrome bitmap are padded to 16 bits.
        static const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        CBitmap bitmap;
        return bitmap.CreateBitmap(8, 8, 1, 1, pattern) && brush.CreatePatternBrush(&bitmap);
    }();
    return created ? &brush : nullptr;
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast)
{
    if (!m_hDC || !lpRect)
        return;
    if (!pBrush)
        pBrush = GetHalftoneBrush();
    if (!pBrushLast)
        pBrushLast = pBrush;
    if (!pBrush)
        return;

    // Regions of the clipping are in device coordinates.
    CRect rect = *lpRect;
    rect.NormalizeRect();
    LPtoDP(&rect);
    CRgn frame;
    if (!frame.Attach(CreateFrameRegion(rect, size)))
        return;
    CRgn lastFrame;
    if (lpRectLast) {
        CRect last = *lpRectLast;
        last.NormalizeRect();
        LPtoDP(&last);
        if (!lastFrame.Attach(CreateFrameRegion(last, sizeLast)))
            return;
    }

    // Inverting through the clipping region, painting over its bounding box.
    const auto invert = [this](CRgn& region, CBrush* brush) {
        const int saved = SaveDC();
        ExtSelectClipRgn(m_hDC, region, RGN_AND);
        CRect bounds;
        GetClipBox(&bounds);
        ::SelectObject(m_hDC, brush->m_hObject);
        PatBlt(bounds.left, bounds.top, bounds.Width(), bounds.Height(), PATINVERT);
        RestoreDC(saved);
    };
    if (!lastFrame.m_hObject) {
        invert(frame, pBrush);
    } else if (pBrushLast == pBrush) {
        // Where the old and the new frame overlap nothing changes: one pass
        // over the difference, so the overlap does not flicker.
        CRgn change;
        if (!change.CreateRectRgn(0, 0, 0, 0) || change.CombineRgn(&frame, &lastFrame, RGN_XOR) == ERROR)
            return;
        invert(change, pBrush);
    } else {
        invert(lastFrame, pBrushLast);
        invert(frame, pBrush);
    }
}
