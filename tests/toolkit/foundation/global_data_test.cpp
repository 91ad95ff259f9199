#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dib_canvas.h"
#include "toolkit/foundation/global_data.h"

namespace {

// Display data that sees a palette screen.
class PaletteDisplayData : public CWtkGlobalData {
protected:
    int ScreenBitsPerPixel() const override { return 8; }
};

// Display data on a system without the given font family.
class DisplayDataWithout : public CWtkGlobalData {
public:
    explicit DisplayDataWithout(std::string face) : m_face(std::move(face)) { UpdateFonts(); }

protected:
    BOOL IsFontFamilyInstalled(LPCSTR lpszFace) const override
    {
        return lstrcmpiA(lpszFace, m_face.c_str()) != 0 && CWtkGlobalData::IsFontFamilyInstalled(lpszFace);
    }

private:
    std::string m_face;
};

LOGFONTA LogFontOf(CFont& font)
{
    LOGFONTA log = {};
    EXPECT_NE(nullptr, font.GetSafeHandle());
    font.GetLogFont(&log);
    return log;
}

NONCLIENTMETRICSA NonClientMetrics()
{
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = 340;
    EXPECT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &metrics, 0));
    return metrics;
}

COLORREF BrushColorOn(DibCanvas& canvas, CBrush& brush)
{
    CRect all(0, 0, canvas.Width(), canvas.Height());
    canvas.dc.FillRect(&all, &brush);
    return canvas.At(0, 0);
}

// The system's button face is another colour while it lives (and the
// display data follows it then and afterwards).
class ScopedButtonFace {
public:
    explicit ScopedButtonFace(COLORREF color) : m_saved(::GetSysColor(COLOR_BTNFACE))
    {
        const int element = COLOR_BTNFACE;
        ::SetSysColors(1, &element, &color);
    }
    ~ScopedButtonFace()
    {
        const int element = COLOR_BTNFACE;
        ::SetSysColors(1, &element, &m_saved);
        WtkGlobalData().UpdateSysColors();
    }

private:
    COLORREF m_saved;
};

// The system's menu font is another one while it lives.
class ScopedMenuFont {
public:
    explicit ScopedMenuFont(const LOGFONTA& font) : m_saved(NonClientMetrics())
    {
        NONCLIENTMETRICSA changed = m_saved;
        changed.lfMenuFont = font;
        m_changed = ::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &changed, 0) != FALSE;
    }
    ~ScopedMenuFont()
    {
        ::SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, 340, &m_saved, 0);
        WtkGlobalData().UpdateFonts();
    }
    bool Changed() const { return m_changed; }

private:
    NONCLIENTMETRICSA m_saved;
    bool m_changed = false;
};

COLORREF Average(COLORREF face, COLORREF hilite)
{
    auto half = [](int f, int h) { return f + (h - f) / 2; };
    return RGB(half(GetRValue(face), GetRValue(hilite)), half(GetGValue(face), GetGValue(hilite)),
               half(GetBValue(face), GetBValue(hilite)));
}

TEST(GlobalData, ColoursAndBrushesAreTheSystems)
{
    CWtkGlobalData& data = WtkGlobalData();
    const struct {
        COLORREF value;
        int index;
    } colours[] = {
        {data.m_clrBtnFace, COLOR_BTNFACE},         {data.m_clrBtnShadow, COLOR_BTNSHADOW},
        {data.m_clrBtnHilite, COLOR_BTNHIGHLIGHT},  {data.m_clrBtnText, COLOR_BTNTEXT},
        {data.m_clrWindowFrame, COLOR_WINDOWFRAME}, {data.m_clrBtnDkShadow, COLOR_3DDKSHADOW},
        {data.m_clrBtnLight, COLOR_3DLIGHT},        {data.m_clrGrayedText, COLOR_GRAYTEXT},
        {data.m_clrHilite, COLOR_HIGHLIGHT},        {data.m_clrTextHilite, COLOR_HIGHLIGHTTEXT},
        {data.m_clrWindow, COLOR_WINDOW},           {data.m_clrWindowText, COLOR_WINDOWTEXT},
    };
    for (const auto& colour : colours)
        EXPECT_EQ(::GetSysColor(colour.index), colour.value) << colour.index;
    EXPECT_EQ(RGB(0, 0, 255), data.m_clrHotText);

    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNHIGHLIGHT), data.m_hbrBtnHilite);
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNSHADOW), data.m_hbrBtnShadow);
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), data.m_brBtnFace.GetSafeHandle());
    EXPECT_EQ(::GetSysColorBrush(COLOR_HIGHLIGHT), data.m_brHilite.GetSafeHandle());
    EXPECT_EQ(::GetSysColorBrush(COLOR_3DDKSHADOW), data.m_brDkShadow.GetSafeHandle());
}

// The light brush of a screen of bitsPerPixel: face halfway to the highlight
// on deep screens, a checkerboard of the two on palette screens.
void ExpectLightBrush(CBrush& brush, int bitsPerPixel, COLORREF face, COLORREF hilite)
{
    DibCanvas canvas(16, 16);
    ASSERT_TRUE(canvas.IsValid());
    BrushColorOn(canvas, brush);
    if (bitsPerPixel > 8) {
        const COLORREF expected = Average(face, hilite);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                ASSERT_EQ(expected, canvas.At(x, y)) << x << "," << y;
        return;
    }
    ASSERT_NE(face, hilite);
    const COLORREF first = canvas.At(0, 0);
    ASSERT_TRUE(first == face || first == hilite) << std::hex << first;
    const COLORREF second = first == face ? hilite : face;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ((x + y) % 2 == 0 ? first : second, canvas.At(x, y)) << x << "," << y;
}

TEST(GlobalData, LightBrushFollowsTheScreenDepth)
{
    CWtkGlobalData& data = WtkGlobalData();
    ExpectLightBrush(data.m_brLight, data.m_nBitsPerPixel, ::GetSysColor(COLOR_BTNFACE),
                     ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(GlobalData, LightBrushIsACheckerboardOfFaceAndHighlightOnPaletteScreens)
{
    PaletteDisplayData data;
    data.UpdateSysColors();
    EXPECT_EQ(8, data.m_nBitsPerPixel);
    ExpectLightBrush(data.m_brLight, 8, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(GlobalData, HalftoneBrushIsACheckerboardInTheTextAndBackgroundColours)
{
    DibCanvas canvas(16, 16);
    ASSERT_TRUE(canvas.IsValid());
    canvas.dc.SetTextColor(RGB(200, 0, 0));
    canvas.dc.SetBkColor(RGB(0, 0, 200));
    BrushColorOn(canvas, WtkGlobalData().m_brHalftone);
    int red = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const COLORREF pixel = canvas.At(x, y);
            ASSERT_TRUE(pixel == RGB(200, 0, 0) || pixel == RGB(0, 0, 200));
            if (x > 0) {
                ASSERT_NE(canvas.At(x - 1, y), pixel);
            }
            if (y > 0) {
                ASSERT_NE(canvas.At(x, y - 1), pixel);
            }
            red += pixel == RGB(200, 0, 0);
        }
    }
    EXPECT_EQ(128, red);
}

TEST(GlobalData, UpdateSysColorsFollowsAChangedSystemColour)
{
    CWtkGlobalData& data = WtkGlobalData();
    const COLORREF changedFace = RGB(10, 200, 30);
    {
        ScopedButtonFace face(changedFace);
        ASSERT_EQ(changedFace, ::GetSysColor(COLOR_BTNFACE));
        data.UpdateSysColors();
        EXPECT_EQ(changedFace, data.m_clrBtnFace);
        DibCanvas canvas(4, 4);
        ASSERT_TRUE(canvas.IsValid());
        EXPECT_EQ(changedFace, BrushColorOn(canvas, data.m_brBtnFace));
        ExpectLightBrush(data.m_brLight, data.m_nBitsPerPixel, changedFace, data.m_clrBtnHilite);
    }
    EXPECT_NE(changedFace, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), data.m_clrBtnFace);
}

TEST(GlobalData, ToolkitFontsDeriveFromTheMenuFontInTahoma)
{
    CWtkGlobalData& data = WtkGlobalData();
    const NONCLIENTMETRICSA metrics = NonClientMetrics();
    const LOGFONTA& menu = metrics.lfMenuFont;
    ASSERT_TRUE(menu.lfCharSet == ANSI_CHARSET || menu.lfCharSet == DEFAULT_CHARSET) << int(menu.lfCharSet);

    const LOGFONTA regular = LogFontOf(data.m_fontRegular);
    EXPECT_STREQ("Tahoma", regular.lfFaceName);
    EXPECT_EQ(menu.lfHeight, regular.lfHeight);
    EXPECT_EQ(menu.lfWeight, regular.lfWeight);
    EXPECT_EQ(menu.lfItalic, regular.lfItalic);
    EXPECT_FALSE(regular.lfUnderline);

    const LOGFONTA status = LogFontOf(data.m_fontStatus);
    EXPECT_STREQ("Tahoma", status.lfFaceName);
    EXPECT_EQ(metrics.lfStatusFont.lfWeight, status.lfWeight);
    EXPECT_EQ(metrics.lfStatusFont.lfItalic, status.lfItalic);

    const LOGFONTA underline = LogFontOf(data.m_fontUnderline);
    EXPECT_TRUE(underline.lfUnderline);
    EXPECT_EQ(menu.lfWeight, underline.lfWeight);
    const LOGFONTA bold = LogFontOf(data.m_fontBold);
    EXPECT_FALSE(bold.lfUnderline);
    EXPECT_EQ(FW_BOLD, bold.lfWeight);
    EXPECT_STREQ("Tahoma", bold.lfFaceName);

    const LOGFONTA glyph = LogFontOf(data.m_fontMarlett);
    EXPECT_STREQ("Marlett", glyph.lfFaceName);
    EXPECT_EQ(SYMBOL_CHARSET, glyph.lfCharSet);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, glyph.lfHeight);

    const LOGFONTA vertical = LogFontOf(data.m_fontVert);
    const LOGFONTA reversed = LogFontOf(data.m_fontVertReversed);
    for (const LOGFONTA& font : {vertical, reversed}) {
        EXPECT_STREQ("Arial", font.lfFaceName);
        EXPECT_EQ(900, font.lfOrientation);
        EXPECT_EQ(menu.lfHeight, font.lfHeight);
        EXPECT_EQ(menu.lfWeight, font.lfWeight);
    }
    EXPECT_EQ(2700, vertical.lfEscapement);
    EXPECT_EQ(900, reversed.lfEscapement);

    EXPECT_EQ(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), data.m_hfontDefaultGUI);
    EXPECT_EQ(&data.m_fontRegular, &data.MenuFont(TRUE));
    EXPECT_EQ(&data.m_fontVert, &data.BarFont(FALSE));
}

TEST(GlobalData, TextHeightsAreTheFontsLineHeightsPlusTwo)
{
    CWtkGlobalData& data = WtkGlobalData();
    HDC screen = ::GetDC(nullptr);
    ASSERT_NE(nullptr, screen);
    for (auto [font, height] : {std::pair<CFont*, int>{&data.m_fontRegular, data.m_nTextHeightHorz},
                                std::pair<CFont*, int>{&data.m_fontVert, data.m_nTextHeightVert}}) {
        HGDIOBJ previous = ::SelectObject(screen, font->GetSafeHandle());
        TEXTMETRICA metrics = {};
        ::GetTextMetricsA(screen, &metrics);
        ::SelectObject(screen, previous);
        EXPECT_GT(metrics.tmHeight, 4);
        EXPECT_EQ(metrics.tmHeight + 2, height);
    }
    ::ReleaseDC(nullptr, screen);
}

TEST(GlobalData, WithoutTahomaTheWesternFontsUseMSSansSerif)
{
    DisplayDataWithout data("Tahoma");
    for (CFont* font : {&data.m_fontRegular, &data.m_fontStatus, &data.m_fontBold, &data.m_fontUnderline})
        EXPECT_STREQ("MS Sans Serif", LogFontOf(*font).lfFaceName);
    EXPECT_STREQ("Marlett", LogFontOf(data.m_fontMarlett).lfFaceName);
}

TEST(GlobalData, AMenuFontOfAnotherCharacterSetKeepsItsFace)
{
    LOGFONTA menu = NonClientMetrics().lfMenuFont;
    menu.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpyA(menu.lfFaceName, "Courier New");
    ScopedMenuFont changed(menu);
    ASSERT_TRUE(changed.Changed());
    ASSERT_EQ(SHIFTJIS_CHARSET, NonClientMetrics().lfMenuFont.lfCharSet);

    CWtkGlobalData& data = WtkGlobalData();
    data.UpdateFonts();
    EXPECT_STREQ("Courier New", LogFontOf(data.m_fontRegular).lfFaceName);
    EXPECT_STREQ("Courier New", LogFontOf(data.m_fontBold).lfFaceName);
}

TEST(GlobalData, MetricsAndConstants)
{
    CWtkGlobalData& data = WtkGlobalData();
    EXPECT_EQ(CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)), data.m_sizeSmallIcon);
    EXPECT_FALSE(data.m_bIsOldNT);
    HDC screen = ::GetDC(nullptr);
    EXPECT_EQ(::GetDeviceCaps(screen, BITSPIXEL), data.m_nBitsPerPixel);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(4, data.m_nDragOutlineWidth);
    EXPECT_EQ(3, data.m_nTabOutlineWidth);
    EXPECT_EQ(14, data.m_nAutoHideBarSpacing);
    EXPECT_EQ(4, data.m_nAutoHideBarMargin);
    EXPECT_EQ(50, data.m_nCoveredClientAreaPercent);
    EXPECT_EQ(nullptr, data.m_hcurStretch);
}

}  // namespace
