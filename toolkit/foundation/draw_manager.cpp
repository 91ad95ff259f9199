#include "toolkit/foundation/draw_manager.h"

#include <algorithm>
#include <vector>

#include "toolkit/foundation/draw_manager_dib.h"
#include "toolkit/foundation/global_data.h"

namespace {

constexpr COLORREF kNoColor = 0xFFFFFFFF;
constexpr int kGradientBands = 64;

// The bitmap's pixels copied out as the strip of dc at (x, y).
bool SaveStrip(CDC& dc, CBitmap* target, int x, int y, int width, int height)
{
    if (!target || target->GetSafeHandle())
        return true;
    HBITMAP bitmap = ::CreateCompatibleBitmap(dc.GetSafeHdc(), width, height);
    HDC memory = ::CreateCompatibleDC(dc.GetSafeHdc());
    bool copied = false;
    if (bitmap && memory) {
        HGDIOBJ previous = ::SelectObject(memory, bitmap);
        copied = ::BitBlt(memory, 0, 0, width, height, dc.GetSafeHdc(), x, y, SRCCOPY) != FALSE;
        ::SelectObject(memory, previous);
    }
    if (memory)
        ::DeleteDC(memory);
    if (copied && target->Attach(bitmap))
        return true;
    if (bitmap)
        ::DeleteObject(bitmap);
    return false;
}

bool HoldsBitmap(const CBitmap* bitmap)
{
    return bitmap && bitmap->GetSafeHandle();
}

// The shadow band (0 next to the rectangle) of a pixel at (dx, dy) from the
// rectangle's bottom-right corner, where dx < 0 lies left of the right edge
// and dy < 0 above the bottom edge; -1 for pixels outside the shadow. The
// two inner corners fade in over nDepth pixels.
int ShadowBand(int dx, int dy, int width, int height, int depth)
{
    if (dx >= 0 && dy >= 0)
        return std::max(dx, dy);
    if (dx >= 0) {
        const int fromTop = dy + height;  // rows below the rectangle's top
        if (fromTop < depth)
            return std::max(dx, depth - 1 - fromTop);
        return dx;
    }
    if (dy >= 0) {
        const int fromLeft = dx + width;
        if (fromLeft < depth)
            return std::max(dy, depth - 1 - fromLeft);
        return dy;
    }
    return -1;
}

}  // namespace

BOOL CWtkDrawManager::HighlightRect(CRect rect, int nPercent, COLORREF clrTransparent)
{
    if (nPercent == 100 || rect.IsRectEmpty())
        return TRUE;
    CWtkGlobalData& data = WtkGlobalData();
    if (data.m_nBitsPerPixel <= 8) {
        m_dc.FillRect(&rect, &data.m_brLight);
        return TRUE;
    }

    DrawManagerDib dib(rect.Width(), rect.Height());
    if (!dib.CopyFrom(m_dc.GetSafeHdc(), rect.left, rect.top))
        return FALSE;
    const DWORD transparent = clrTransparent == kNoColor ? kNoColor : PixelOfColor(clrTransparent);
    const COLORREF hilite = data.m_clrBtnHilite;
    const double factor = nPercent / 100.0;
    for (int y = 0; y < dib.Height(); ++y) {
        for (int x = 0; x < dib.Width(); ++x) {
            DWORD& pixel = dib.At(x, y);
            if ((pixel & 0xFFFFFF) == transparent)
                continue;
            const COLORREF color = ColorOfPixel(pixel);
            COLORREF changed;
            if (nPercent == -1) {
                auto halfway = [](int c, int h) { return std::min(255, c + (h - c) / 2); };
                changed = RGB(halfway(GetRValue(color), GetRValue(hilite)),
                              halfway(GetGValue(color), GetGValue(hilite)),
                              halfway(GetBValue(color), GetBValue(hilite)));
            } else {
                changed = PixelFactors(color, factor, factor, factor);
            }
            pixel = PixelOfColor(changed);
        }
    }
    return dib.CopyTo(m_dc.GetSafeHdc(), rect.left, rect.top);
}

BOOL CWtkDrawManager::DrawShadow(CRect rect, int nDepth, int nMinBrightness, int nMaxBrightness,
                                 CBitmap* pBmpSaveBottom, CBitmap* pBmpSaveRight)
{
    if (nDepth <= 0 || rect.IsRectEmpty())
        return TRUE;
    const int width = rect.Width();
    const int height = rect.Height();

    if (HoldsBitmap(pBmpSaveBottom) && HoldsBitmap(pBmpSaveRight)) {
        const BOOL bottom = m_dc.DrawState(CPoint(rect.left, rect.bottom - 1), CSize(0, 0), pBmpSaveBottom,
                                           DSS_NORMAL | DST_BITMAP);
        const BOOL right = m_dc.DrawState(CPoint(rect.right - 1, rect.top), CSize(0, 0), pBmpSaveRight,
                                          DSS_NORMAL | DST_BITMAP);
        return bottom && right;
    }

    DrawManagerDib dib(width + nDepth, height + nDepth);
    if (!dib.CopyFrom(m_dc.GetSafeHdc(), rect.left, rect.top))
        return FALSE;
    const int step = (nMaxBrightness - nMinBrightness) / nDepth;
    for (int y = 0; y < dib.Height(); ++y) {
        for (int x = 0; x < dib.Width(); ++x) {
            const int band = ShadowBand(x - width, y - height, width, height, nDepth);
            if (band < 0)
                continue;
            DWORD& pixel = dib.At(x, y);
            pixel = PixelOfColor(ScaleColor(ColorOfPixel(pixel), nMaxBrightness - band * step));
        }
    }
    if (!dib.CopyTo(m_dc.GetSafeHdc(), rect.left, rect.top))
        return FALSE;

    const bool savedRight = SaveStrip(m_dc, pBmpSaveRight, rect.right - 1, rect.top, nDepth + 1, height + nDepth);
    const bool savedBottom = SaveStrip(m_dc, pBmpSaveBottom, rect.left, rect.bottom - 1, width + nDepth, nDepth + 1);
    return savedRight && savedBottom;
}

void CWtkDrawManager::FillGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish, BOOL bHorz)
{
    if (rect.IsRectEmpty())
        return;
    auto channel = [](int start, int finish, int band) { return start + (finish - start) * band / kGradientBands; };
    for (int band = 0; band < kGradientBands; ++band) {
        CRect part = rect;
        if (bHorz) {
            part.bottom = rect.bottom - rect.Height() * band / kGradientBands;
            part.top = rect.bottom - rect.Height() * (band + 1) / kGradientBands;
        } else {
            part.left = rect.left + rect.Width() * band / kGradientBands;
            part.right = rect.left + rect.Width() * (band + 1) / kGradientBands;
        }
        if (part.IsRectEmpty())
            continue;
        HBRUSH brush = ::CreateSolidBrush(RGB(channel(GetRValue(colorStart), GetRValue(colorFinish), band),
                                              channel(GetGValue(colorStart), GetGValue(colorFinish), band),
                                              channel(GetBValue(colorStart), GetBValue(colorFinish), band)));
        if (!brush)
            continue;
        ::FillRect(m_dc.GetSafeHdc(), &part, brush);
        ::DeleteObject(brush);
    }
}

BOOL CWtkDrawManager::Lighten(HBITMAP hBitmap, int nPercent, COLORREF clrTransparent)
{
    BITMAP info = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof(info), &info) || info.bmBitsPixel != 32)
        return FALSE;
    if (nPercent == 100 || info.bmWidth == 0 || info.bmHeight == 0)
        return TRUE;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = ::GetDC(nullptr);
    if (!screen)
        return FALSE;
    BOOL done = FALSE;
    if (::GetDIBits(screen, hBitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS) == info.bmHeight) {
        const DWORD transparent = clrTransparent == kNoColor ? kNoColor : PixelOfColor(clrTransparent);
        const double factor = nPercent / 100.0;
        for (DWORD& pixel : pixels) {
            if ((pixel & 0xFFFFFF) == transparent)
                continue;
            // The alpha byte of the image stays as it was.
            pixel = (pixel & 0xFF000000) | PixelOfColor(PixelFactors(ColorOfPixel(pixel), factor, factor, factor));
        }
        done = ::SetDIBits(screen, hBitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS) ==
               info.bmHeight;
    }
    ::ReleaseDC(nullptr, screen);
    return done;
}
