// CWtkDrawManager: the effects plain GDI lacks (soft shadows, lightening a
// rectangle pixel by pixel, gradients), bound to one device context for a
// drawing step, and the colour arithmetic from which the visual managers
// derive their palettes.
#pragma once

#include <windows.h>

#include "platform/ui/bitmap.h"
#include "platform/ui/dc.h"
#include "platform/ui/geometry.h"

class CWtkDrawManager {
public:
    explicit CWtkDrawManager(CDC& dc) : m_dc(dc) {}
    CWtkDrawManager(const CWtkDrawManager&) = delete;
    CWtkDrawManager& operator=(const CWtkDrawManager&) = delete;

    // Changes every pixel of the rectangle but those of clrTransparent
    // (0xFFFFFFFF: none) by nPercent (PixelFactors), or for -1 halfway toward
    // the button highlight colour; 100 changes nothing. Palette screens get
    // the display data's dithered light brush instead. FALSE when drawing
    // failed.
    BOOL HighlightRect(CRect rect, int nPercent = -1, COLORREF clrTransparent = 0xFFFFFFFF);

    // A shadow of nDepth pixels along the right and bottom edges of rect: band
    // i, counted outwards from the rectangle, is scaled (ScaleColor) to
    // nMaxBrightness - i x step percent, step = (nMaxBrightness -
    // nMinBrightness) / nDepth, so that (100, 65) gives 65 % next to the
    // rectangle fading toward the untouched background. When both bitmaps
    // are given and hold bitmaps, they are drawn back instead (restoring a
    // shadow taken earlier); bitmap objects given empty receive the new
    // right strip (nDepth + 1 wide, from the rectangle's last column) and
    // bottom strip (nDepth + 1 high, from its last row).
    BOOL DrawShadow(CRect rect, int nDepth, int nMinBrightness, int nMaxBrightness,
                    CBitmap* pBmpSaveBottom = nullptr, CBitmap* pBmpSaveRight = nullptr);

    // 64 bands from colorStart to colorFinish: left to right, or with bHorz
    // from the bottom edge upwards.
    void FillGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish, BOOL bHorz = TRUE);

    // Lightens a 32-bit bitmap by nPercent (PixelFactors) in place, leaving
    // the pixels of clrTransparent (0xFFFFFFFF: none) untouched. FALSE for a
    // bitmap of another depth.
    static BOOL Lighten(HBITMAP hBitmap, int nPercent, COLORREF clrTransparent = 0xFFFFFFFF);

    // ---- Colour arithmetic (channels 0-255) ------------------------------------------
    // Each channel × nPercent / 100, at most 255.
    static COLORREF ScaleColor(COLORREF color, int nPercent);
    // Each channel × its factor, rounded, at most 255; a black channel with a
    // factor above 1 becomes (factor − 1) × 255, so that black lightens too.
    static COLORREF PixelFactors(COLORREF color, double dRed, double dGreen, double dBlue);
    // nPercentColor1 percent of color1, the rest of color2.
    static COLORREF MixColors(COLORREF color1, COLORREF color2, int nPercentColor1);
    // The hexcone HLS model, all three components in 0..1.
    static void RGBtoHLS(COLORREF rgb, double& H, double& L, double& S);
    static COLORREF HLStoRGB(double H, double L, double S);
    // The same with the hue in degrees (wrapped into 0..360).
    static COLORREF HLStoRGBDegrees(double H, double L, double S);

private:
    CDC& m_dc;
};
