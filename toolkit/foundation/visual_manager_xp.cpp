#include "toolkit/foundation/visual_manager_xp.h"

#include <algorithm>

#include "platform/ui/bitmap.h"
#include "toolkit/foundation/draw_manager.h"
#include "toolkit/foundation/global_data.h"

IMPLEMENT_DYNCREATE(CWtkVisualManagerXP, CWtkVisualManager)

namespace {

COLORREF WithLightness(COLORREF color, double (*change)(double))
{
    double h, l, s;
    CWtkDrawManager::RGBtoHLS(color, h, l, s);
    return CWtkDrawManager::HLStoRGB(h, change(l), s);
}

// Per channel: (c1 × w1 + c2 × w2) / (w1 + w2), truncating.
COLORREF Blend(COLORREF c1, int w1, COLORREF c2, int w2)
{
    auto channel = [&](int a, int b) { return (a * w1 + b * w2) / (w1 + w2); };
    return RGB(channel(GetRValue(c1), GetRValue(c2)), channel(GetGValue(c1), GetGValue(c2)),
               channel(GetBValue(c1), GetBValue(c2)));
}

void MakeSolid(CBrush& brush, COLORREF color)
{
    brush.DeleteObject();
    brush.CreateSolidBrush(color);
}

// An 8 x 8 monochrome pattern brush from its rows (each a 16-bit word, as a
// monochrome bitmap's rows are padded).
void MakePattern(CBrush& brush, const WORD (&rows)[8])
{
    CBitmap bitmap;
    if (bitmap.CreateBitmap(8, 8, 1, 1, rows))
        brush.CreatePatternBrush(&bitmap);
}

}  // namespace

CWtkVisualManagerXP::CWtkVisualManagerXP(BOOL bIsTemporary) : CWtkVisualManager(bIsTemporary)
{
    m_bLook2000 = TRUE;

    m_nMenuShadowDepth = 4;
    m_bMenuFlatLook = TRUE;
    m_bShadowHighlightedImage = TRUE;
    m_bFadeInactiveImage = FALSE;
    m_bEmbossDisabledImage = TRUE;

    m_nGroupVertOffset = 4;
    m_nGroupCaptionHeight = 4;
    m_nGroupCaptionHorzOffset = 4;
    m_nGroupCaptionVertOffset = 0;
    m_nGroupTextHorzOffset = 0;
    m_nGroupTextVertOffset = 0;
    m_nTasksHorzOffset = 12;
    m_nTasksIconHorzOffset = 5;
    m_nTasksIconVertOffset = 4;
    m_bActiveCaptions = FALSE;

    OnUpdateSystemColors();
}

CWtkVisualManagerXP::~CWtkVisualManagerXP()
{
    DeletePalette();
}

void CWtkVisualManagerXP::DeletePalette()
{
    for (CBrush* brush : {&m_brMenuLight, &m_brImageMargin, &m_brLightFace, &m_brDark, &m_brHighlight,
                          &m_brPressedHighlight, &m_brChecked, &m_brMenuBorder, &m_brShadow, &m_brRowPattern,
                          &m_brColumnPattern})
        brush->DeleteObject();
    m_penSeparator.DeleteObject();
}

void CWtkVisualManagerXP::OnUpdateSystemColors()
{
    DeletePalette();
    const CWtkGlobalData& data = WtkGlobalData();
    const COLORREF face = data.m_clrBtnFace;
    const COLORREF shadow = data.m_clrBtnShadow;
    const COLORREF systemHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF separator;

    if (data.m_nBitsPerPixel > 8) {
        m_clrMenuLight = CWtkDrawManager::PixelFactors(::GetSysColor(COLOR_WINDOW), 0.976, 0.973, 0.969);
        m_clrImageMargin = WithLightness(face, [](double l) { return std::min(1.0, l * 1.03); });

        double h, l, s;
        CWtkDrawManager::RGBtoHLS(face, h, l, s);
        const double lightS = s >= 0.1 ? std::min(1.0, s * 2) : (s == 0 ? 0.0 : s + 0.1);
        m_clrLightFace = CWtkDrawManager::HLStoRGB(h, (l + 1) / 2, lightS);
        m_clrDark = CWtkDrawManager::HLStoRGB(h, l * 0.4, s);

        m_clrHighlight = CWtkDrawManager::ScaleColor(Blend(systemHighlight, 1, m_clrMenuLight, 2), 110);
        m_clrPressedHighlight = CWtkDrawManager::PixelFactors(m_clrHighlight, 0.87, 0.87, 0.87);
        m_clrChecked = Blend(systemHighlight, 1, m_clrMenuLight, 5);
        separator = CWtkDrawManager::PixelFactors(face, 0.86, 0.86, 0.86);
        m_clrMenuBorder = CWtkDrawManager::ScaleColor(face, 55);
        m_clrShadow = shadow;
        m_clrLightShadow = CWtkDrawManager::ScaleColor(shadow, 110);
        MakeSolid(m_brShadow, CWtkDrawManager::PixelFactors(shadow, 0.85, 0.85, 0.85));
    } else {
        m_clrMenuLight = ::GetSysColor(COLOR_WINDOW);
        m_clrImageMargin = face;
        m_clrLightFace = face;
        m_clrDark = data.m_clrBtnDkShadow;
        m_clrHighlight = face;
        m_clrPressedHighlight = face;
        m_clrChecked = ::GetSysColor(COLOR_WINDOW);
        separator = shadow;
        m_clrMenuBorder = data.m_clrBtnDkShadow;
        m_clrShadow = shadow;
        m_clrLightShadow = data.m_clrBtnDkShadow;
        MakeSolid(m_brShadow, shadow);
    }
    m_clrHighlightFrame = systemHighlight;

    MakeSolid(m_brMenuLight, m_clrMenuLight);
    MakeSolid(m_brImageMargin, m_clrImageMargin);
    MakeSolid(m_brLightFace, m_clrLightFace);
    MakeSolid(m_brDark, m_clrDark);
    MakeSolid(m_brHighlight, m_clrHighlight);
    MakeSolid(m_brPressedHighlight, m_clrPressedHighlight);
    MakeSolid(m_brChecked, m_clrChecked);
    MakeSolid(m_brMenuBorder, m_clrMenuBorder);
    m_penSeparator.CreatePen(PS_SOLID, 1, separator);
}

void CWtkVisualManagerXP::CreatePatternBrushes()
{
    if (!m_brRowPattern.GetSafeHandle()) {
        const WORD rows[8] = {0x00FF, 0x0000, 0x00FF, 0x0000, 0x00FF, 0x0000, 0x00FF, 0x0000};
        MakePattern(m_brRowPattern, rows);
    }
    if (!m_brColumnPattern.GetSafeHandle()) {
        const WORD rows[8] = {0x00AA, 0x00AA, 0x00AA, 0x00AA, 0x00AA, 0x00AA, 0x00AA, 0x00AA};
        MakePattern(m_brColumnPattern, rows);
    }
}

COLORREF CWtkVisualManagerXP::TextOnHighlight() const
{
    const bool light = GetRValue(m_clrHighlight) > 128 && GetGValue(m_clrHighlight) > 128 &&
                       GetBValue(m_clrHighlight) > 128;
    return light ? RGB(0, 0, 0) : RGB(255, 255, 255);
}

int CWtkVisualManagerXP::GetMenuImageMargin() const
{
    return 3;
}

BOOL CWtkVisualManagerXP::IsClassicLook(CWtkToolbarButton*)
{
    return FALSE;
}
