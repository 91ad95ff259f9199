#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "dib_canvas.h"
#include "toolkit/foundation/draw_manager.h"
#include "toolkit/foundation/global_data.h"
#include "scoped_bits_per_pixel.h"

namespace {

constexpr COLORREF kBackground = RGB(200, 180, 160);


COLORREF Halfway(COLORREF from, COLORREF to)
{
    auto half = [](int f, int t) { return std::min(255, f + (t - f) / 2); };
    return RGB(half(GetRValue(from), GetRValue(to)), half(GetGValue(from), GetGValue(to)),
               half(GetBValue(from), GetBValue(to)));
}

// A canvas of kBackground with a few other colours inside rect.
void PaintSample(DibCanvas& canvas, const CRect& rect)
{
    canvas.Fill(kBackground);
    const COLORREF samples[] = {RGB(0, 0, 0), RGB(100, 200, 3), RGB(250, 10, 128), RGB(20, 40, 60)};
    int i = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            canvas.Set(x, y, samples[i++ % 4]);
}

TEST(DrawManagerHighlight, PercentLightensEveryPixelButTheTransparentColourInsideTheRectangle)
{
    ScopedBitsPerPixel deep(32);
    DibCanvas canvas(20, 12);
    DibCanvas before(20, 12);
    ASSERT_TRUE(canvas.IsValid() && before.IsValid());
    const CRect rect(3, 2, 15, 9);
    PaintSample(canvas, rect);
    PaintSample(before, rect);

    EXPECT_TRUE(CWtkDrawManager(canvas.dc).HighlightRect(rect, 130, RGB(250, 10, 128)));
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF old = before.At(x, y);
            COLORREF expected = old;
            if (rect.PtInRect(CPoint(x, y)) && old != RGB(250, 10, 128))
                expected = CWtkDrawManager::PixelFactors(old, 1.3, 1.3, 1.3);
            ASSERT_EQ(expected, canvas.At(x, y)) << x << "," << y;
        }
    }
}

TEST(DrawManagerHighlight, DefaultPercentMovesHalfwayTowardTheButtonHighlight)
{
    ScopedBitsPerPixel deep(32);
    DibCanvas canvas(8, 8);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(RGB(10, 100, 250));
    EXPECT_TRUE(CWtkDrawManager(canvas.dc).HighlightRect(CRect(0, 0, 4, 8)));
    EXPECT_EQ(Halfway(RGB(10, 100, 250), ::GetSysColor(COLOR_BTNHIGHLIGHT)), canvas.At(0, 0));
    EXPECT_EQ(Halfway(RGB(10, 100, 250), ::GetSysColor(COLOR_BTNHIGHLIGHT)), canvas.At(3, 7));
    EXPECT_EQ(RGB(10, 100, 250), canvas.At(4, 0));
}

TEST(DrawManagerHighlight, HundredPercentOrAnEmptyRectangleChangesNothing)
{
    DibCanvas canvas(8, 8);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(RGB(10, 100, 250));
    CWtkDrawManager draw(canvas.dc);
    EXPECT_TRUE(draw.HighlightRect(CRect(0, 0, 8, 8), 100));
    EXPECT_TRUE(draw.HighlightRect(CRect(4, 4, 4, 8), 150));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(RGB(10, 100, 250), canvas.At(x, y));
}

TEST(DrawManagerHighlight, PaletteScreensGetTheLightBrushInstead)
{
    ScopedBitsPerPixel palette(8);
    DibCanvas canvas(10, 10);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(RGB(10, 20, 30));
    EXPECT_TRUE(CWtkDrawManager(canvas.dc).HighlightRect(CRect(0, 0, 5, 10), 130));

    DibCanvas brushed(10, 10);
    ASSERT_TRUE(brushed.IsValid());
    brushed.Fill(RGB(10, 20, 30));
    CRect left(0, 0, 5, 10);
    brushed.dc.FillRect(&left, &WtkGlobalData().m_brLight);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(brushed.At(x, y), canvas.At(x, y)) << x << "," << y;
    EXPECT_NE(RGB(10, 20, 30), canvas.At(0, 0));
    EXPECT_EQ(RGB(10, 20, 30), canvas.At(5, 0));
}

struct ShadowPixel {
    int x, y;
    int band;  // -1: untouched
};

TEST(DrawManagerShadow, BandsFadeFromTheFourthArgumentNextToTheRectangleOutwards)
{
    DibCanvas canvas(60, 50);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(kBackground);
    const CRect rect(10, 10, 40, 30);
    EXPECT_TRUE(CWtkDrawManager(canvas.dc).DrawShadow(rect, 4, 100, 65));

    // step = (65 - 100) / 4 = -8: bands at 65, 73, 81 and 89 percent.
    const ShadowPixel pixels[] = {
        {40, 20, 0}, {41, 20, 1}, {42, 20, 2}, {43, 20, 3}, {44, 20, -1},  // right edge
        {25, 30, 0}, {25, 31, 1}, {25, 33, 3}, {25, 34, -1},                // bottom edge
        {40, 30, 0}, {41, 30, 1}, {40, 32, 2}, {43, 33, 3}, {42, 31, 2},    // outer corner
        {40, 10, 3}, {40, 11, 2}, {40, 13, 0}, {42, 12, 2}, {40, 9, -1},    // top of the right edge
        {10, 30, 3}, {11, 30, 2}, {13, 30, 0}, {12, 32, 2}, {9, 30, -1},    // left of the bottom edge
        {39, 29, -1}, {10, 10, -1}, {25, 20, -1},                           // the rectangle itself
    };
    for (const ShadowPixel& p : pixels) {
        const COLORREF expected = p.band < 0 ? kBackground : CWtkDrawManager::ScaleColor(kBackground, 65 + 8 * p.band);
        EXPECT_EQ(expected, canvas.At(p.x, p.y)) << p.x << "," << p.y;
    }
}

TEST(DrawManagerShadow, NoDepthOrNoRectangleDrawsNothing)
{
    DibCanvas canvas(20, 20);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(kBackground);
    CWtkDrawManager draw(canvas.dc);
    EXPECT_TRUE(draw.DrawShadow(CRect(2, 2, 10, 10), 0, 100, 65));
    EXPECT_TRUE(draw.DrawShadow(CRect(2, 2, 2, 10), 4, 100, 65));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(kBackground, canvas.At(x, y));
}

TEST(DrawManagerShadow, SavedStripsHoldTheShadowAndDrawItBackWithoutDarkeningAgain)
{
    const CRect rect(5, 5, 35, 25);
    const int depth = 5;
    DibCanvas first(50, 40);
    ASSERT_TRUE(first.IsValid());
    first.Fill(kBackground);
    CBitmap bottom;
    CBitmap right;
    EXPECT_TRUE(CWtkDrawManager(first.dc).DrawShadow(rect, depth, 100, 65, &bottom, &right));
    ASSERT_NE(nullptr, bottom.GetSafeHandle());
    ASSERT_NE(nullptr, right.GetSafeHandle());
    BITMAP info = {};
    right.GetBitmap(&info);
    EXPECT_EQ(depth + 1, info.bmWidth);
    EXPECT_EQ(rect.Height() + depth, info.bmHeight);
    bottom.GetBitmap(&info);
    EXPECT_EQ(rect.Width() + depth, info.bmWidth);
    EXPECT_EQ(depth + 1, info.bmHeight);

    // Drawn back on a fresh background, and again over itself: the same
    // pixels as the shadow drawn once.
    DibCanvas second(50, 40);
    ASSERT_TRUE(second.IsValid());
    second.Fill(kBackground);
    CWtkDrawManager draw(second.dc);
    EXPECT_TRUE(draw.DrawShadow(rect, depth, 100, 65, &bottom, &right));
    EXPECT_TRUE(draw.DrawShadow(rect, depth, 100, 65, &bottom, &right));
    int shadowed = 0;
    for (int y = rect.top; y < rect.bottom + depth; ++y) {
        for (int x = rect.left; x < rect.right + depth; ++x) {
            if (x < rect.right - 1 && y < rect.bottom - 1)
                continue;
            ASSERT_EQ(first.At(x, y), second.At(x, y)) << x << "," << y;
            shadowed += first.At(x, y) != kBackground;
        }
    }
    EXPECT_GT(shadowed, 2 * 20 * depth);
}

COLORREF GradientBand(COLORREF start, COLORREF finish, int band)
{
    auto channel = [band](int s, int f) { return s + (f - s) * band / 64; };
    return RGB(channel(GetRValue(start), GetRValue(finish)), channel(GetGValue(start), GetGValue(finish)),
               channel(GetBValue(start), GetBValue(finish)));
}

TEST(DrawManagerGradient, SixtyFourBandsRunLeftToRightWithoutTheHorizontalFlag)
{
    DibCanvas canvas(140, 10);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(kBackground);
    const COLORREF start = RGB(0, 0, 0);
    const COLORREF finish = RGB(255, 128, 64);
    CWtkDrawManager(canvas.dc).FillGradient(CRect(4, 2, 132, 8), start, finish, FALSE);
    for (int band = 0; band < 64; ++band) {
        EXPECT_EQ(GradientBand(start, finish, band), canvas.At(4 + 2 * band, 2)) << band;
        EXPECT_EQ(GradientBand(start, finish, band), canvas.At(5 + 2 * band, 7)) << band;
    }
    EXPECT_EQ(RGB(251, 126, 63), canvas.At(131, 5));
    EXPECT_EQ(kBackground, canvas.At(3, 5));
    EXPECT_EQ(kBackground, canvas.At(132, 5));
    EXPECT_EQ(kBackground, canvas.At(10, 1));
    EXPECT_EQ(kBackground, canvas.At(10, 8));
}

TEST(DrawManagerGradient, HorizontalFlagRunsTheBandsFromTheBottomUp)
{
    DibCanvas canvas(6, 64);
    ASSERT_TRUE(canvas.IsValid());
    const COLORREF start = RGB(255, 255, 255);
    const COLORREF finish = RGB(0, 100, 200);
    CWtkDrawManager(canvas.dc).FillGradient(CRect(0, 0, 6, 64), start, finish, TRUE);
    for (int band = 0; band < 64; ++band)
        EXPECT_EQ(GradientBand(start, finish, band), canvas.At(3, 63 - band)) << band;
}

TEST(DrawManagerGradient, NarrowRectanglesSkipEmptyBands)
{
    DibCanvas canvas(32, 4);
    ASSERT_TRUE(canvas.IsValid());
    const COLORREF start = RGB(0, 0, 0);
    const COLORREF finish = RGB(64, 128, 255);
    CWtkDrawManager(canvas.dc).FillGradient(CRect(0, 0, 32, 4), start, finish, FALSE);
    // Band 2x + 1 is the one that covers column x.
    for (int x = 0; x < 32; ++x)
        EXPECT_EQ(GradientBand(start, finish, 2 * x + 1), canvas.At(x, 1)) << x;
}

TEST(DrawManagerLighten, LightensA32BitBitmapSparingOneColour)
{
    DWORD* bits = nullptr;
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(MakeDib(4, 2, &bits)));
    const DWORD pixels[8] = {0x000000, 0x102030, 0xFF00FF, 0x646464, 0xC8C8C8, 0xFF00FF, 0x010203, 0x808080};
    std::copy(pixels, pixels + 8, bits);
    EXPECT_TRUE(CWtkDrawManager::Lighten(bitmap, 130, RGB(255, 0, 255)));
    ::GdiFlush();
    for (int i = 0; i < 8; ++i) {
        const COLORREF color = RGB((pixels[i] >> 16) & 0xFF, (pixels[i] >> 8) & 0xFF, pixels[i] & 0xFF);
        const COLORREF expected = color == RGB(255, 0, 255) ? color : CWtkDrawManager::PixelFactors(color, 1.3, 1.3, 1.3);
        const DWORD pixel = bits[i];
        EXPECT_EQ(expected, RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF)) << i;
    }
}

TEST(DrawManagerLighten, RefusesBitmapsOfOtherDepths)
{
    CBitmap mono;
    ASSERT_TRUE(mono.CreateBitmap(8, 8, 1, 1, nullptr));
    EXPECT_FALSE(CWtkDrawManager::Lighten(mono, 130));
    EXPECT_FALSE(CWtkDrawManager::Lighten(nullptr, 130));
}

// Shadows, gradients and highlights side by side, for a person to look at.
TEST(DrawManagerPicture, SavesAStripOfTheEffects)
{
    DibCanvas canvas(480, 120);
    ASSERT_TRUE(canvas.IsValid());
    canvas.Fill(::GetSysColor(COLOR_BTNFACE));
    CWtkDrawManager draw(canvas.dc);
    draw.FillGradient(CRect(10, 10, 110, 50), RGB(0, 0, 128), RGB(166, 202, 240), FALSE);
    draw.FillGradient(CRect(10, 60, 110, 110), RGB(255, 255, 255), RGB(255, 140, 0), TRUE);

    CRect menu(130, 10, 210, 90);
    canvas.dc.FillSolidRect(&menu, RGB(255, 255, 255));
    draw.DrawShadow(menu, 4, 100, 65);
    CRect deep(240, 10, 320, 90);
    canvas.dc.FillSolidRect(&deep, RGB(255, 255, 255));
    draw.DrawShadow(deep, 8, 100, 50);

    for (int i = 0; i < 4; ++i)
        canvas.dc.FillSolidRect(350 + 30 * i, 10, 25, 100, RGB(40 * i, 80, 200 - 40 * i));
    draw.HighlightRect(CRect(350, 10, 470, 40));
    draw.HighlightRect(CRect(350, 45, 470, 75), 130);
    draw.HighlightRect(CRect(350, 80, 470, 110), 70);

    EXPECT_FALSE(SaveScreenshot(canvas.ToImage(), "toolkit_draw_manager_effects").empty());
}

}  // namespace
