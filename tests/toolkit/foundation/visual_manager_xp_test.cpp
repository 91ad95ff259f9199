#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <tuple>
#include <vector>

#include "platform/ui/window_class.h"
#include "toolkit/controls/menu_bar.h"
#include "toolkit/controls/menu_images.h"
#include "toolkit/controls/popup_menu.h"
#include "toolkit/controls/popup_menu_bar.h"
#include "toolkit/controls/toolbar_menu_button.h"
#include "toolkit/foundation/caption_button.h"
#include "toolkit/foundation/docking_control_bar.h"
#include "toolkit/foundation/draw_manager.h"
#include "toolkit/foundation/global_data.h"
#include "toolkit/foundation/visual_manager_xp.h"
#include "visual_manager_support.h"
#include "scoped_bits_per_pixel.h"

namespace {

using vm_test::ChangedArea;
using vm_test::HasFrame;
using vm_test::IsFilled;
using vm_test::kBackground;


class VisualManagerXP : public ::testing::Test {
protected:
    VisualManagerXP() : deep(32), canvas(80, 48), manager(TRUE), data(WtkGlobalData())
    {
        canvas.Fill(kBackground);
    }
    void SetUp() override { ASSERT_TRUE(canvas.IsValid()); }
    void TearDown() override { CWtkToolBar::SetMenuImageSize(CSize(-1, -1)); }
    CDC* dc() { return &canvas.dc; }

    ScopedBitsPerPixel deep;
    DibCanvas canvas;
    CWtkVisualManagerXP manager;
    CWtkGlobalData& data;
};

COLORREF SolidColor(const CBrush& brush)
{
    LOGBRUSH log = {};
    ::GetObject(brush.GetSafeHandle(), sizeof(log), &log);
    return log.lbColor;
}

TEST_F(VisualManagerXP, ConstructorSetsTheFlatLookAndItsMetrics)
{
    EXPECT_TRUE(manager.IsLook2000());
    EXPECT_EQ(4, manager.GetMenuShadowDepth());
    EXPECT_TRUE(manager.IsMenuFlatLook());
    EXPECT_TRUE(manager.IsShadowHighlightedImage());
    EXPECT_FALSE(manager.IsFadeInactiveImage());
    EXPECT_TRUE(manager.IsEmbossDisabledImage());
    EXPECT_EQ(3, manager.GetMenuImageMargin());
    EXPECT_FALSE(manager.IsClassicLook(nullptr));
    EXPECT_TRUE(manager.IsTemporary());
    EXPECT_EQ(RUNTIME_CLASS(CWtkVisualManagerXP), manager.GetRuntimeClass());
}

TEST_F(VisualManagerXP, PaletteIsDerivedFromTheSystemColoursOnDeepScreens)
{
    const COLORREF face = data.m_clrBtnFace;
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF menu = CWtkDrawManager::PixelFactors(window, 0.976, 0.973, 0.969);
    EXPECT_EQ(menu, manager.m_clrMenuLight);
    EXPECT_EQ(menu, SolidColor(manager.m_brMenuLight));

    auto average = [](COLORREF a, int wa, COLORREF b, int wb) {
        return RGB((GetRValue(a) * wa + GetRValue(b) * wb) / (wa + wb),
                   (GetGValue(a) * wa + GetGValue(b) * wb) / (wa + wb),
                   (GetBValue(a) * wa + GetBValue(b) * wb) / (wa + wb));
    };
    const COLORREF hot = CWtkDrawManager::ScaleColor(average(highlight, 1, menu, 2), 110);
    EXPECT_EQ(hot, manager.m_clrHighlight);
    EXPECT_EQ(CWtkDrawManager::PixelFactors(hot, 0.87, 0.87, 0.87), manager.m_clrPressedHighlight);
    EXPECT_EQ(average(highlight, 1, menu, 5), manager.m_clrChecked);
    EXPECT_EQ(CWtkDrawManager::ScaleColor(face, 55), manager.m_clrMenuBorder);
    EXPECT_EQ(CWtkDrawManager::ScaleColor(data.m_clrBtnShadow, 110), manager.m_clrLightShadow);
    EXPECT_EQ(CWtkDrawManager::PixelFactors(data.m_clrBtnShadow, 0.85, 0.85, 0.85), SolidColor(manager.m_brShadow));
    EXPECT_EQ(highlight, manager.m_clrHighlightFrame);
    LOGPEN pen = {};
    ASSERT_TRUE(::GetObject(manager.m_penSeparator.GetSafeHandle(), sizeof(pen), &pen));
    EXPECT_EQ(CWtkDrawManager::PixelFactors(face, 0.86, 0.86, 0.86), pen.lopnColor);

    double h, l, s;
    CWtkDrawManager::RGBtoHLS(face, h, l, s);
    EXPECT_EQ(CWtkDrawManager::HLStoRGB(h, std::min(1.0, l * 1.03), s), manager.m_clrImageMargin);
    EXPECT_EQ(CWtkDrawManager::HLStoRGB(h, l * 0.4, s), manager.m_clrDark);
}

TEST_F(VisualManagerXP, LightFaceDoublesSaturationAndKeepsAGreyFaceGrey)
{
    const COLORREF saved = data.m_clrBtnFace;
    for (COLORREF face : {RGB(200, 200, 200), RGB(236, 233, 216), RGB(120, 121, 122), RGB(180, 100, 90)}) {
        data.m_clrBtnFace = face;
        manager.OnUpdateSystemColors();
        double h, l, s, lh, ll, ls;
        CWtkDrawManager::RGBtoHLS(face, h, l, s);
        CWtkDrawManager::RGBtoHLS(manager.m_clrLightFace, lh, ll, ls);
        EXPECT_NEAR((l + 1) / 2, ll, 0.01) << std::hex << face;
        if (s == 0) {
            EXPECT_EQ(GetRValue(manager.m_clrLightFace), GetGValue(manager.m_clrLightFace));
            EXPECT_EQ(GetRValue(manager.m_clrLightFace), GetBValue(manager.m_clrLightFace));
        } else {
            const double expected = s >= 0.1 ? std::min(1.0, 2 * s) : s + 0.1;
            EXPECT_EQ(CWtkDrawManager::HLStoRGB(h, (l + 1) / 2, expected), manager.m_clrLightFace)
                << std::hex << face;
        }
    }
    data.m_clrBtnFace = saved;
    manager.OnUpdateSystemColors();
}

TEST_F(VisualManagerXP, PaletteScreensGetPlainSystemColours)
{
    ScopedBitsPerPixel palette(8);
    CWtkVisualManagerXP flat(TRUE);
    const COLORREF face = data.m_clrBtnFace;
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), flat.m_clrMenuLight);
    EXPECT_EQ(face, flat.m_clrImageMargin);
    EXPECT_EQ(face, flat.m_clrLightFace);
    EXPECT_EQ(data.m_clrBtnDkShadow, flat.m_clrDark);
    EXPECT_EQ(face, flat.m_clrHighlight);
    EXPECT_EQ(face, flat.m_clrPressedHighlight);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), flat.m_clrChecked);
    EXPECT_EQ(data.m_clrBtnDkShadow, flat.m_clrMenuBorder);
    EXPECT_EQ(data.m_clrBtnDkShadow, flat.m_clrLightShadow);
    EXPECT_EQ(data.m_clrBtnShadow, SolidColor(flat.m_brShadow));
    LOGPEN pen = {};
    ASSERT_TRUE(::GetObject(flat.m_penSeparator.GetSafeHandle(), sizeof(pen), &pen));
    EXPECT_EQ(data.m_clrBtnShadow, pen.lopnColor);
}

TEST_F(VisualManagerXP, RecomputingThePaletteReplacesEveryBrush)
{
    const HGDIOBJ old = manager.m_brHighlight.GetSafeHandle();
    manager.CreatePatternBrushes();
    const HGDIOBJ oldPattern = manager.m_brRowPattern.GetSafeHandle();
    ASSERT_NE(nullptr, oldPattern);
    manager.OnUpdateSystemColors();
    EXPECT_EQ(0u, ::GetObjectType(old));
    EXPECT_EQ(0u, ::GetObjectType(oldPattern));
    EXPECT_EQ(nullptr, manager.m_brRowPattern.GetSafeHandle()) << "rebuilt on next use";
}

TEST_F(VisualManagerXP, TextOnTheHighlightIsBlackOnlyWhenEveryChannelIsAbove128)
{
    struct Case {
        COLORREF highlight;
        COLORREF text;
    };
    const Case cases[] = {{RGB(129, 129, 129), RGB(0, 0, 0)},
                          {RGB(128, 200, 200), RGB(255, 255, 255)},
                          {RGB(200, 128, 200), RGB(255, 255, 255)},
                          {RGB(200, 200, 128), RGB(255, 255, 255)},
                          {RGB(255, 255, 255), RGB(0, 0, 0)}};
    CWtkToolbarMenuButton item;
    for (const Case& c : cases) {
        manager.m_clrHighlight = c.highlight;
        EXPECT_EQ(c.text, manager.HighlightMenuItem(dc(), &item, CRect(0, 0, 10, 10))) << std::hex << c.highlight;
        EXPECT_EQ(c.text, manager.FillCommandsListItem(dc(), CRect(0, 0, 10, 10), TRUE));
    }
    item.m_nStyle = TBBS_DISABLED;
    EXPECT_EQ(data.m_clrGrayedText, manager.HighlightMenuItem(dc(), &item, CRect(0, 0, 10, 10)));
}

TEST_F(VisualManagerXP, HighlightedMenuItemIsFilledAndFramedInTheHighlightFrameColour)
{
    CWtkToolbarMenuButton item;
    manager.HighlightMenuItem(dc(), &item, CRect(2, 2, 40, 20));
    EXPECT_TRUE(HasFrame(canvas, CRect(2, 2, 40, 20), manager.m_clrHighlightFrame, manager.m_clrHighlightFrame));
    EXPECT_TRUE(IsFilled(canvas, CRect(3, 3, 39, 19), manager.m_clrHighlight));
}

TEST_F(VisualManagerXP, TearOffBandIsAtLeast20PixelsWideAndTwiceTheMenuImageWidth)
{
    struct Case {
        int imageWidth;
        int band;
    };
    for (const Case& c : {Case{8, 20}, Case{9, 20}, Case{16, 32}}) {
        CWtkToolBar::SetMenuImageSize(CSize(c.imageWidth, c.imageWidth));
        canvas.Fill(kBackground);
        const CRect rect(0, 0, 80, 10);
        manager.FillCaptionStrip(dc(), rect, FALSE);
        // Inner rectangle (1, 1, 79, 9); band centred in it, one row shorter
        // at each end; its stripes alternate the shadow and margin colours.
        const int left = 1 + (78 - c.band) / 2;
        EXPECT_TRUE(HasFrame(canvas, rect, manager.m_clrMenuLight, manager.m_clrMenuLight));
        EXPECT_EQ(manager.m_clrImageMargin, canvas.At(left - 1, 4));
        EXPECT_EQ(manager.m_clrImageMargin, canvas.At(left + c.band, 4));
        int shadowRows = 0;
        for (int y = 2; y < 8; ++y) {
            const COLORREF row = canvas.At(left, y);
            EXPECT_TRUE(IsFilled(canvas, CRect(left, y, left + c.band, y + 1), row)) << c.imageWidth << " row " << y;
            shadowRows += row == data.m_clrBtnShadow;
        }
        EXPECT_EQ(3, shadowRows) << c.imageWidth;
        EXPECT_TRUE(IsFilled(canvas, CRect(1, 1, 79, 2), manager.m_clrImageMargin));
    }
}

TEST_F(VisualManagerXP, HighlightedTearOffStripIsFramedInTheDarkShadow)
{
    CWtkToolBar::SetMenuImageSize(CSize(16, 16));
    manager.FillCaptionStrip(dc(), CRect(0, 0, 80, 12), TRUE);
    EXPECT_TRUE(HasFrame(canvas, CRect(1, 1, 79, 11), data.m_clrBtnDkShadow, data.m_clrBtnDkShadow));
    EXPECT_TRUE(IsFilled(canvas, CRect(2, 2, 24, 10), manager.m_clrHighlight));
    // The band (columns 24 to 55) is two rows shorter at each end: rows 3
    // to 8, stripes in the dark shadow on the odd rows.
    EXPECT_TRUE(IsFilled(canvas, CRect(24, 2, 56, 3), manager.m_clrHighlight));
    EXPECT_TRUE(IsFilled(canvas, CRect(24, 3, 56, 4), data.m_clrBtnDkShadow));
    EXPECT_TRUE(IsFilled(canvas, CRect(24, 4, 56, 5), manager.m_clrHighlight));
    EXPECT_TRUE(IsFilled(canvas, CRect(24, 7, 56, 8), data.m_clrBtnDkShadow));
    EXPECT_TRUE(IsFilled(canvas, CRect(24, 9, 56, 10), manager.m_clrHighlight));
    EXPECT_EQ(manager.m_clrHighlight, canvas.At(23, 3));
    EXPECT_EQ(manager.m_clrHighlight, canvas.At(56, 3));
}

TEST_F(VisualManagerXP, ToolbarMiniFrameCaptionIsShadowColouredWhetherActiveOrNot)
{
    CWtkToolBar toolbar;
    vm_test::TestBar other(0, 1);
    vm_test::TestMiniFrame toolbarFrame(&toolbar);
    vm_test::TestMiniFrame otherFrame(&other);
    const COLORREF shadow = SolidColor(manager.m_brShadow);
    for (BOOL active : {FALSE, TRUE}) {
        EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), manager.FillBarArea(dc(), CRect(0, 0, 30, 8), &toolbarFrame, active));
        EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 30, 8), shadow));
        EXPECT_EQ(::GetSysColor(COLOR_CAPTIONTEXT), manager.FillBarArea(dc(), CRect(0, 10, 30, 18), &otherFrame, active));
        EXPECT_TRUE(IsFilled(canvas, CRect(0, 10, 30, 18), ::GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)));
    }
}

TEST_F(VisualManagerXP, MiniFrameBorderKeepsAShadowBandAndCornersInsideTheFaceStrips)
{
    const COLORREF shadow = SolidColor(manager.m_brShadow);
    const COLORREF face = data.m_clrBtnFace;
    const CRect window(0, 0, 60, 40);
    manager.DrawMiniFrameBorder(dc(), nullptr, window, CRect(4, 4, 4, 4));

    // The 2-pixel outer band.
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 60, 2), shadow));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 2, 40), shadow));
    EXPECT_TRUE(IsFilled(canvas, CRect(58, 0, 60, 40), shadow));
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 38, 60, 40), shadow));
    // Face strips on the deflated rectangle (2, 2, 58, 38) with thicknesses
    // (6, 6, 2, 2), each one pixel shorter at both ends.
    EXPECT_TRUE(IsFilled(canvas, CRect(2, 3, 8, 37), face));
    EXPECT_TRUE(IsFilled(canvas, CRect(3, 2, 57, 8), face));
    EXPECT_TRUE(IsFilled(canvas, CRect(56, 3, 58, 37), face));
    EXPECT_TRUE(IsFilled(canvas, CRect(3, 36, 57, 38), face));
    // The four inner corner pixels keep the shadow.
    EXPECT_EQ(shadow, canvas.At(2, 2));
    EXPECT_EQ(shadow, canvas.At(57, 2));
    EXPECT_EQ(shadow, canvas.At(2, 37));
    EXPECT_EQ(shadow, canvas.At(57, 37));
    // Nothing inside the borders.
    EXPECT_TRUE(IsFilled(canvas, CRect(8, 8, 56, 36), kBackground));
}

TEST_F(VisualManagerXP, ComboDropButtonArrowIsWhiteWhenDroppedAndHighlightedAndGreyWhenDisabled)
{
    auto colours = [&](const CRect& rect) {
        bool white = false, black = false, grey = false;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const COLORREF c = canvas.At(x, y);
                white |= c == RGB(255, 255, 255);
                black |= c == RGB(0, 0, 0);
                grey |= c == ::GetSysColor(COLOR_GRAYTEXT);
            }
        }
        return std::make_tuple(white, black, grey);
    };
    const CRect rect(10, 10, 26, 30);

    manager.DrawComboDropButton(dc(), rect, FALSE, TRUE, TRUE, nullptr);
    EXPECT_EQ(std::make_tuple(true, false, false), colours(rect));
    EXPECT_TRUE(IsFilled(canvas, CRect(10, 10, 11, 30), manager.m_clrHighlightFrame));
    EXPECT_EQ(manager.m_clrPressedHighlight, canvas.At(12, 11));

    manager.DrawComboDropButton(dc(), rect, FALSE, FALSE, TRUE, nullptr);
    EXPECT_EQ(std::make_tuple(false, true, false), colours(rect));
    EXPECT_EQ(manager.m_clrHighlight, canvas.At(12, 11));

    for (auto flags : {std::make_pair(TRUE, TRUE), std::make_pair(FALSE, FALSE)}) {
        manager.DrawComboDropButton(dc(), rect, TRUE, flags.first, flags.second, nullptr);
        EXPECT_FALSE(std::get<1>(colours(rect)));
        EXPECT_TRUE(std::get<2>(colours(rect)));
    }
    EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnHilite, data.m_clrBtnHilite));
}

TEST_F(VisualManagerXP, ComboBorderIsAnInsetHighlightFrame)
{
    manager.DrawComboBorder(dc(), CRect(5, 5, 40, 20), FALSE, FALSE, FALSE, nullptr);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
    manager.DrawComboBorder(dc(), CRect(5, 5, 40, 20), FALSE, TRUE, FALSE, nullptr);
    EXPECT_EQ(CRect(6, 6, 39, 19), ChangedArea(canvas));
    EXPECT_TRUE(HasFrame(canvas, CRect(6, 6, 39, 19), manager.m_clrHighlightFrame, manager.m_clrHighlightFrame));
}

TEST_F(VisualManagerXP, GripperOfAToolbarIsARowStripeInTheMiddle)
{
    CWtkToolBar toolbar;
    manager.DrawBarGripper(dc(), CRect(0, 0, 10, 30), TRUE, &toolbar);
    // Columns 4 to 6, rows 5 to 23; stripes on odd rows.
    EXPECT_EQ(CRect(4, 5, 7, 24), ChangedArea(canvas));
    const COLORREF stripe = CWtkDrawManager::ScaleColor(data.m_clrBtnShadow, 110);
    for (int y = 5; y < 24; ++y)
        EXPECT_TRUE(IsFilled(canvas, CRect(4, y, 7, y + 1), y % 2 ? stripe : manager.m_clrImageMargin)) << y;

    canvas.Fill(kBackground);
    manager.DrawBarGripper(dc(), CRect(0, 0, 30, 10), FALSE, &toolbar);
    EXPECT_EQ(CRect(5, 4, 24, 7), ChangedArea(canvas));
    for (int x = 5; x < 24; ++x)
        EXPECT_TRUE(IsFilled(canvas, CRect(x, 4, x + 1, 7), x % 2 ? stripe : manager.m_clrImageMargin)) << x;
}

// A docking bar window with a caption.
class CaptionedDockingBar : public CWtkDockingControlBar {
public:
    BOOL Create()
    {
        return CreateEx(0, AfxRegisterWndClass(0), "Output", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0);
    }
};

// The box of the dark (text) pixels.
CRect DarkArea(const DibCanvas& canvas)
{
    CRect area;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF c = canvas.At(x, y);
            if (GetRValue(c) > 100 || GetGValue(c) > 100 || GetBValue(c) > 100)
                continue;
            area = area.IsRectEmpty() ? CRect(x, y, x + 1, y + 1)
                                      : CRect(std::min<LONG>(area.left, x), std::min<LONG>(area.top, y),
                                              std::max<LONG>(area.right, x + 1), std::max<LONG>(area.bottom, y + 1));
        }
    return area;
}

TEST_F(VisualManagerXP, DockingBarGripperShowsItsCaptionInTheFontAcrossTheStripes)
{
    CaptionedDockingBar bar;
    ASSERT_TRUE(bar.Create());
    DibCanvas tall(20, 120);
    tall.Fill(kBackground);
    manager.DrawBarGripper(&tall.dc, CRect(0, 0, 20, 120), TRUE, &bar);
    const CRect vertical = DarkArea(tall);
    ASSERT_FALSE(vertical.IsRectEmpty());
    EXPECT_GT(vertical.Height(), vertical.Width()) << "a horizontal bar reads its caption top to bottom";
    EXPECT_TRUE(IsFilled(tall, CRect(0, 0, 4, 120), kBackground)) << "the stripes leave 4 pixels at each side";

    DibCanvas wide(120, 20);
    wide.Fill(kBackground);
    manager.DrawBarGripper(&wide.dc, CRect(0, 0, 120, 20), FALSE, &bar);
    const CRect horizontal = DarkArea(wide);
    ASSERT_FALSE(horizontal.IsRectEmpty());
    EXPECT_GT(horizontal.Width(), horizontal.Height());
    bar.DestroyWindow();
}

TEST_F(VisualManagerXP, CaptionButtonFillsAndFramesWhenPushedOrHot)
{
    CWtkCaptionButton button(20);
    button.m_ptOrg = CPoint(10, 10);
    const CRect rect = button.GetRect();
    manager.DrawCaptionButton(dc(), &button, TRUE, TRUE, FALSE, FALSE);
    EXPECT_EQ(kBackground, canvas.At(rect.left, rect.top)) << "neither pushed nor hot: no fill, no frame";

    struct Case {
        BOOL pushed, hot;
        COLORREF fill;
    };
    for (const Case& c : {Case{TRUE, TRUE, manager.m_clrPressedHighlight}, Case{TRUE, FALSE, manager.m_clrHighlight},
                          Case{FALSE, TRUE, manager.m_clrHighlight}}) {
        canvas.Fill(kBackground);
        button.m_bPushed = c.pushed;
        button.m_bFocused = c.hot;
        manager.DrawCaptionButton(dc(), &button, TRUE, TRUE, FALSE, FALSE);
        EXPECT_TRUE(HasFrame(canvas, rect, data.m_clrBtnDkShadow, data.m_clrBtnDkShadow));
        EXPECT_EQ(c.fill, canvas.At(rect.left + 1, rect.top + 1));
        EXPECT_EQ(rect, ChangedArea(canvas));
    }
}

TEST_F(VisualManagerXP, MenuBarSystemButtonsShowTheirGlyphOnTheHighlightWhileHot)
{
    const CRect rect(10, 10, 26, 24);
    // Thin glyphs are smoothed: a glyph pixel is one nearer to the glyph's
    // colour than to what lies behind it.
    auto distance = [](COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
               std::abs(GetBValue(a) - GetBValue(b));
    };
    auto hasGlyph = [&](COLORREF glyph, COLORREF behind) {
        for (int y = rect.top + 1; y < rect.bottom - 1; ++y)
            for (int x = rect.left + 1; x < rect.right - 1; ++x)
                if (distance(canvas.At(x, y), glyph) < distance(canvas.At(x, y), behind))
                    return true;
        return false;
    };
    const COLORREF glyphOnHighlight = manager.TextOnHighlight();
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    struct Case {
        UINT command, style;
        BOOL highlight;
        COLORREF fill;  // kBackground: not filled
        COLORREF glyph;
    };
    const Case cases[] = {
        {SC_MINIMIZE, 0, FALSE, kBackground, RGB(0, 0, 0)},
        {SC_RESTORE, TBBS_PRESSED, FALSE, kBackground, RGB(0, 0, 0)},
        {SC_CLOSE, 0, TRUE, manager.m_clrHighlight, glyphOnHighlight},
        {SC_RESTORE, TBBS_PRESSED, TRUE, manager.m_clrPressedHighlight, glyphOnHighlight},
        {SC_CLOSE, TBBS_DISABLED, TRUE, kBackground, grey},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + " " + std::to_string(c.style) + " " + std::to_string(c.highlight));
        canvas.Fill(kBackground);
        manager.DrawMenuSystemButton(dc(), rect, c.command, c.style, c.highlight);
        EXPECT_EQ(c.fill, canvas.At(rect.left + 1, rect.top + 1));
        if (c.fill != kBackground) {
            EXPECT_TRUE(HasFrame(canvas, rect, manager.m_clrHighlightFrame, manager.m_clrHighlightFrame));
        }
        EXPECT_TRUE(hasGlyph(c.glyph, c.fill)) << "the glyph";
        const CRect area = ChangedArea(canvas);
        EXPECT_FALSE(area.IsRectEmpty());
        EXPECT_EQ(area, area & rect);
    }
    canvas.Fill(kBackground);
    manager.DrawMenuSystemButton(dc(), rect, SC_MAXIMIZE, 0, TRUE);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

TEST_F(VisualManagerXP, StatusPaneIsAShadowFrameLightenedWhenPoppedOut)
{
    manager.DrawStatusBarPaneBorder(dc(), nullptr, CRect(0, 0, 30, 12), 0, 0);
    EXPECT_TRUE(HasFrame(canvas, CRect(0, 0, 30, 12), data.m_clrBtnShadow, data.m_clrBtnShadow));
    EXPECT_EQ(kBackground, canvas.At(5, 5));
    manager.DrawStatusBarPaneBorder(dc(), nullptr, CRect(0, 0, 30, 12), 0, SBPS_POPOUT);
    EXPECT_NE(kBackground, canvas.At(5, 5));
}

TEST_F(VisualManagerXP, ButtonsAreFilledAndFramedOnlyWhenPressedOrHighlighted)
{
    CWtkToolbarButton plain(1, 0);
    CWtkToolbarButton checked(2, TBBS_CHECKED);
    struct Case {
        CWtkToolbarButton* button;
        int state;
        COLORREF fill;
    };
    const Case cases[] = {{&plain, 2, manager.m_clrHighlight},
                          {&plain, 1, manager.m_clrPressedHighlight},
                          {&checked, 1, manager.m_clrChecked},
                          {&checked, 2, manager.m_clrPressedHighlight}};
    for (const Case& c : cases) {
        canvas.Fill(kBackground);
        manager.FillButtonInterior(dc(), c.button, CRect(0, 0, 20, 20), c.state);
        manager.DrawButtonBorder(dc(), c.button, CRect(0, 0, 20, 20), c.state);
        EXPECT_TRUE(IsFilled(canvas, CRect(1, 1, 19, 19), c.fill)) << c.state;
        EXPECT_TRUE(HasFrame(canvas, CRect(0, 0, 20, 20), manager.m_clrHighlightFrame, manager.m_clrHighlightFrame));
    }
    canvas.Fill(kBackground);
    manager.FillButtonInterior(dc(), &checked, CRect(0, 0, 20, 20), 0);
    manager.DrawButtonBorder(dc(), &checked, CRect(0, 0, 20, 20), 0);
    CWtkToolBar::SetCustomizeMode(TRUE);
    manager.FillButtonInterior(dc(), &plain, CRect(0, 0, 20, 20), 2);
    CWtkToolBar::SetCustomizeMode(FALSE);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

// A popup menu of a test: it hangs from the given button in a direction.
class HangingPopup : public CWtkPopupMenu {
public:
    HangingPopup(CWtkToolbarMenuButton* pButton, int nDirection)
    {
        m_pParentBtn = pButton;
        m_DropDirection = nDirection;
    }

protected:
    // The test owns the object.
    void PostNcDestroy() override {}
};

TEST_F(VisualManagerXP, OpenMenuButtonIsFilledToItsFrameAndOnAMenuBarOpensItsBottomEdgeWithAShadow)
{
    CWtkMenuBar menuBar;
    CWtkToolBar toolBar;
    CWtkToolbarMenuButton button;
    HangingPopup popup(&button, CWtkPopupMenu::DROP_NORMAL);
    const CRect rect(10, 10, 40, 30);
    struct Case {
        CWnd* bar;
        bool open;
        int bits;
        bool bottomEdge;
        bool shadow;
    };
    const Case cases[] = {
        {&menuBar, true, 32, false, true},
        {&menuBar, true, 8, false, false},
        {&menuBar, false, 32, true, false},
        {&toolBar, true, 32, true, false},
    };
    for (const Case& c : cases) {
        ScopedBitsPerPixel bits(c.bits);
        button.m_pWndParent = c.bar;
        button.m_pPopupMenu = c.open ? &popup : nullptr;
        canvas.Fill(kBackground);
        manager.FillButtonInterior(dc(), &button, rect, 2);
        manager.DrawButtonBorder(dc(), &button, rect, 2);
        SCOPED_TRACE(::testing::Message() << "open " << c.open << ", " << c.bits << " bits");
        EXPECT_TRUE(IsFilled(canvas, CRect(10, 10, 40, 11), manager.m_clrHighlightFrame));
        EXPECT_TRUE(IsFilled(canvas, CRect(10, 10, 11, 30), manager.m_clrHighlightFrame));
        EXPECT_TRUE(IsFilled(canvas, CRect(39, 10, 40, 30), manager.m_clrHighlightFrame));
        if (c.bottomEdge) {
            EXPECT_TRUE(IsFilled(canvas, CRect(10, 29, 40, 30), manager.m_clrHighlightFrame));
        } else {
            EXPECT_TRUE(IsFilled(canvas, CRect(11, 11, 39, 30), manager.m_clrHighlight));
        }
        if (c.shadow) {
            EXPECT_GT(ChangedArea(canvas).right, rect.right);
        } else {
            EXPECT_EQ(ChangedArea(canvas), rect);
        }
    }
}

// The menu frame's segment facing the open bar button it dropped from is
// painted in the image margin colour; everything else is the plain frame.
TEST_F(VisualManagerXP, MenuFrameJoinsTheOpenBarButtonOnTheEdgeItDroppedFrom)
{
    const CRect menuOnScreen(100, 100, 160, 140);
    const CRect inMenu(0, 0, 60, 40);
    CWnd bar;
    ASSERT_TRUE(bar.CreateEx(0, AfxRegisterWndClass(0), "Bar", WS_POPUP, 0, 0, 30, 30, nullptr, nullptr));
    CWtkToolbarMenuButton button;
    button.m_rect = CRect(0, 0, 30, 30);
    button.m_pWndParent = &bar;

    DibCanvas plain(80, 48);
    plain.Fill(kBackground);
    manager.DrawDoubleBorder(&plain.dc, nullptr, inMenu);

    struct Case {
        const char* name;
        int direction;
        POINT buttonOnScreen;
        BOOL menuItem;
        BOOL customizing;
        CRect segment;
    };
    const Case cases[] = {
        {"below a horizontal bar", CWtkPopupMenu::DROP_NORMAL, {100, 70}, FALSE, FALSE, CRect(1, 0, 29, 2)},
        {"above a horizontal bar", CWtkPopupMenu::DROP_UP, {110, 140}, FALSE, FALSE, CRect(11, 38, 39, 40)},
        {"right of a vertical bar", CWtkPopupMenu::DROP_NORMAL, {70, 100}, FALSE, FALSE, CRect(0, 1, 2, 29)},
        {"left of a vertical bar", CWtkPopupMenu::DROP_LEFT, {160, 105}, FALSE, FALSE, CRect(58, 6, 60, 34)},
        {"a sub-menu", CWtkPopupMenu::DROP_NORMAL, {70, 100}, TRUE, FALSE, CRect()},
        {"in customise mode", CWtkPopupMenu::DROP_NORMAL, {100, 70}, FALSE, TRUE, CRect()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HangingPopup popup(&button, c.direction);
        ASSERT_TRUE(popup.CWnd::CreateEx(0, AfxRegisterWndClass(0), "Menu", WS_POPUP, menuOnScreen.left,
                                   menuOnScreen.top, menuOnScreen.Width(), menuOnScreen.Height(), nullptr,
                                   nullptr));
        bar.SetWindowPos(nullptr, c.buttonOnScreen.x, c.buttonOnScreen.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        button.m_pPopupMenu = &popup;
        button.m_bMenuMode = c.menuItem;
        CWtkToolBar::SetCustomizeMode(c.customizing);
        canvas.Fill(kBackground);
        manager.DrawDoubleBorder(dc(), &popup, inMenu);
        CWtkToolBar::SetCustomizeMode(FALSE);
        button.m_pPopupMenu = nullptr;
        popup.DestroyWindow();

        int wrong = 0;
        for (int y = 0; y < canvas.Height(); ++y)
            for (int x = 0; x < canvas.Width(); ++x) {
                const COLORREF expected = c.segment.PtInRect(CPoint(x, y)) ? manager.m_clrImageMargin : plain.At(x, y);
                if (canvas.At(x, y) != expected && wrong++ < 3)
                    ADD_FAILURE() << x << "," << y << " is " << std::hex << canvas.At(x, y) << ", not " << expected;
            }
        EXPECT_EQ(0, wrong);
    }
    bar.DestroyWindow();
}

TEST_F(VisualManagerXP, PopupMenuBarHasALightBackgroundAndATintedImageColumn)
{
    CWtkToolBar::SetMenuImageSize(CSize(16, 16));
    CWtkPopupMenuBar menu;
    manager.FillBarBackground(dc(), &menu, CRect(0, 0, 60, 30), CRect());
    // Image column: 16 + 2 × 3 + 1 = 23 pixels.
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 23, 30), manager.m_clrImageMargin));
    EXPECT_TRUE(IsFilled(canvas, CRect(23, 0, 60, 30), manager.m_clrMenuLight));
}

TEST_F(VisualManagerXP, CommandsListRowHasTheImageColumnWhenNotSelected)
{
    CWtkToolBar::SetMenuImageSize(CSize(16, 16));
    EXPECT_EQ(data.m_clrBtnText, manager.FillCommandsListItem(dc(), CRect(0, 0, 60, 20), FALSE));
    // 16 + 3 + 2 = 21 pixels.
    EXPECT_TRUE(IsFilled(canvas, CRect(0, 0, 21, 20), manager.m_clrImageMargin));
    EXPECT_TRUE(IsFilled(canvas, CRect(21, 0, 60, 20), manager.m_clrMenuLight));
}

TEST_F(VisualManagerXP, TaskGroupBackgroundIsALineAlongTheTopAndPenShapesAreNotDrawn)
{
    manager.FillTaskGroupBackground(dc(), CRect(5, 10, 50, 30), TRUE);
    EXPECT_EQ(CRect(5, 10, 50, 11), ChangedArea(canvas));
    EXPECT_TRUE(IsFilled(canvas, CRect(5, 10, 50, 11), data.m_clrBtnShadow));
    canvas.Fill(kBackground);
    manager.DrawPenShape(dc(), CRect(5, 10, 50, 30), TRUE, TRUE);
    EXPECT_TRUE(ChangedArea(canvas).IsRectEmpty());
}

TEST_F(VisualManagerXP, EveryOverrideLeavesTheDcsObjectsAndColoursAsItFoundThem)
{
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    CBrush brush(RGB(4, 5, 6));
    CPen* oldPen = dc()->SelectObject(&pen);
    CBrush* oldBrush = dc()->SelectObject(&brush);
    dc()->SetTextColor(RGB(7, 8, 9));
    dc()->SetBkColor(RGB(10, 11, 12));

    CWtkToolBar toolbar;
    CaptionedDockingBar docking;
    ASSERT_TRUE(docking.Create());
    CWtkPopupMenuBar menu;
    CWtkCaptionButton button(9);
    button.m_bFocused = TRUE;
    vm_test::TestMiniFrame frame(&toolbar);
    CWtkToolbarButton checked(1, TBBS_CHECKED);
    const CRect r(2, 2, 70, 40);
    const std::vector<std::pair<const char*, std::function<void()>>> hooks = {
        {"FillBarBackground", [&] { manager.FillBarBackground(dc(), &menu, r, r); }},
        {"DrawDoubleBorder", [&] { manager.DrawDoubleBorder(dc(), nullptr, r); }},
        {"DrawBarGripper", [&] { manager.DrawBarGripper(dc(), r, TRUE, &toolbar); }},
        {"DrawBarGripper docking", [&] { manager.DrawBarGripper(dc(), r, FALSE, &docking); }},
        {"DrawSeparator", [&] { manager.DrawSeparator(dc(), &menu, r, FALSE); }},
        {"DrawCaption", [&] { manager.DrawCaption(dc(), &toolbar, TRUE, r, CRect()); }},
        {"DrawCaptionButton", [&] { manager.DrawCaptionButton(dc(), &button, TRUE, TRUE, FALSE, FALSE); }},
        {"DrawStatusBarPaneBorder", [&] { manager.DrawStatusBarPaneBorder(dc(), nullptr, r, 0, SBPS_POPOUT); }},
        {"DrawComboDropButton", [&] { manager.DrawComboDropButton(dc(), r, FALSE, TRUE, TRUE, nullptr); }},
        {"FillCaptionStrip", [&] { manager.FillCaptionStrip(dc(), r, TRUE); }},
        {"FillButtonInterior", [&] { manager.FillButtonInterior(dc(), &checked, r, 1); }},
        {"HighlightMenuItem", [&] { manager.HighlightMenuItem(dc(), nullptr, r); }},
        {"HighlightRarelyUsedItems", [&] { manager.HighlightRarelyUsedItems(dc(), r); }},
        {"FillBarArea", [&] { manager.FillBarArea(dc(), r, &frame, TRUE); }},
        {"DrawMiniFrameBorder", [&] { manager.DrawMiniFrameBorder(dc(), &frame, r, CRect(3, 3, 3, 3)); }},
        {"FillTaskGroupBackground", [&] { manager.FillTaskGroupBackground(dc(), r, FALSE); }},
    };
    const vm_test::DcState before = vm_test::DcState::Of(dc()->GetSafeHdc());
    for (const auto& hook : hooks) {
        hook.second();
        EXPECT_TRUE(before == vm_test::DcState::Of(dc()->GetSafeHdc())) << hook.first;
    }
    docking.DestroyWindow();
    dc()->SelectObject(oldBrush);
    dc()->SelectObject(oldPen);
}

}  // namespace
