#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/foundation/draw_manager.h"

namespace {

struct ScaleCase {
    COLORREF color;
    int percent;
    COLORREF expected;
};

TEST(DrawManagerColors, ScaleColorMultipliesEachChannelAndCapsAt255)
{
    const ScaleCase cases[] = {
        {RGB(200, 100, 0), 150, RGB(255, 150, 0)},
        {RGB(200, 100, 9), 55, RGB(110, 55, 4)},
        {RGB(10, 20, 30), 100, RGB(10, 20, 30)},
        {RGB(255, 255, 255), 0, RGB(0, 0, 0)},
        {RGB(99, 1, 254), 110, RGB(108, 1, 255)},
    };
    for (const ScaleCase& c : cases)
        EXPECT_EQ(c.expected, CWtkDrawManager::ScaleColor(c.color, c.percent)) << c.percent;
}

struct FactorCase {
    COLORREF color;
    double red, green, blue;
    COLORREF expected;
};

TEST(DrawManagerColors, PixelFactorsRoundsCapsAndLightensBlack)
{
    const FactorCase cases[] = {
        {RGB(0, 0, 0), 1.1, 1.1, 1.1, RGB(26, 26, 26)},
        {RGB(0, 0, 0), 1.0, 0.5, 2.0, RGB(0, 0, 255)},
        {RGB(100, 200, 3), 1.3, 1.3, 1.3, RGB(130, 255, 4)},
        {RGB(101, 11, 255), 0.5, 0.5, 0.5, RGB(51, 6, 128)},
        {RGB(10, 20, 30), 1.0, 2.0, 0.0, RGB(10, 40, 0)},
    };
    for (const FactorCase& c : cases)
        EXPECT_EQ(c.expected, CWtkDrawManager::PixelFactors(c.color, c.red, c.green, c.blue));
}

TEST(DrawManagerColors, MixColorsWeighsTheFirstColourByPercent)
{
    EXPECT_EQ(RGB(63, 63, 63), CWtkDrawManager::MixColors(RGB(255, 255, 255), RGB(0, 0, 0), 25));
    EXPECT_EQ(RGB(10, 20, 30), CWtkDrawManager::MixColors(RGB(10, 20, 30), RGB(200, 0, 7), 100));
    EXPECT_EQ(RGB(200, 0, 7), CWtkDrawManager::MixColors(RGB(10, 20, 30), RGB(200, 0, 7), 0));
    EXPECT_EQ(RGB(105, 10, 18), CWtkDrawManager::MixColors(RGB(10, 20, 30), RGB(200, 0, 7), 50));
}

struct HlsCase {
    COLORREF color;
    double hue, lightness, saturation;
};

TEST(DrawManagerColors, RGBtoHLSFollowsTheHexconeModel)
{
    const HlsCase cases[] = {
        {RGB(255, 0, 0), 0.0, 0.5, 1.0},
        {RGB(0, 255, 0), 1.0 / 3, 0.5, 1.0},
        {RGB(0, 0, 255), 2.0 / 3, 0.5, 1.0},
        {RGB(255, 0, 255), 5.0 / 6, 0.5, 1.0},
        {RGB(128, 128, 128), 0.0, 128 / 255.0, 0.0},
        {RGB(255, 128, 128), 0.0, (255 + 128) / 510.0, 1.0},
        {RGB(0, 0, 64), 2.0 / 3, 32 / 255.0, 1.0},
    };
    for (const HlsCase& c : cases) {
        double hue = -1;
        double lightness = -1;
        double saturation = -1;
        CWtkDrawManager::RGBtoHLS(c.color, hue, lightness, saturation);
        EXPECT_NEAR(c.hue, hue, 1e-9) << std::hex << c.color;
        EXPECT_NEAR(c.lightness, lightness, 1e-9) << std::hex << c.color;
        EXPECT_NEAR(c.saturation, saturation, 1e-9) << std::hex << c.color;
    }
}

bool WithinOne(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 1;
}

TEST(DrawManagerColors, HLSRoundTripsWithinOneUnitPerChannel)
{
    int checked = 0;
    for (int r = 0; r < 256; r += 17) {
        for (int g = 0; g < 256; g += 51) {
            for (int b = 3; b < 256; b += 36) {
                const COLORREF color = RGB(r, g, b);
                double hue;
                double lightness;
                double saturation;
                CWtkDrawManager::RGBtoHLS(color, hue, lightness, saturation);
                const COLORREF back = CWtkDrawManager::HLStoRGB(hue, lightness, saturation);
                const COLORREF backDegrees = CWtkDrawManager::HLStoRGBDegrees(hue * 360, lightness, saturation);
                EXPECT_TRUE(WithinOne(color, back)) << std::hex << color << " -> " << back;
                EXPECT_TRUE(WithinOne(color, backDegrees)) << std::hex << color << " -> " << backDegrees;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(DrawManagerColors, HLStoRGBTruncatesAndGivesGreysWithoutSaturation)
{
    EXPECT_EQ(RGB(127, 127, 127), CWtkDrawManager::HLStoRGB(0.3, 0.5, 0.0));
    EXPECT_EQ(RGB(255, 0, 0), CWtkDrawManager::HLStoRGB(0.0, 0.5, 1.0));
    // Hue 1/12 lies on the rising ramp of green: m1 + (m2 - m1) x 0.5.
    EXPECT_EQ(RGB(255, 127, 0), CWtkDrawManager::HLStoRGB(1.0 / 12, 0.5, 1.0));
    // Lightness above one half: m2 = L + S - L x S.
    EXPECT_EQ(RGB(255, 127, 127), CWtkDrawManager::HLStoRGB(0.0, 0.75, 1.0));
}

TEST(DrawManagerColors, HLStoRGBDegreesTakesHueLightnessSaturationWithTheHueWrapped)
{
    EXPECT_EQ(RGB(0, 255, 0), CWtkDrawManager::HLStoRGBDegrees(120, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 0, 255), CWtkDrawManager::HLStoRGBDegrees(240, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 0, 255), CWtkDrawManager::HLStoRGBDegrees(240 + 360, 0.5, 1.0));
    EXPECT_EQ(RGB(0, 0, 255), CWtkDrawManager::HLStoRGBDegrees(240 - 720, 0.5, 1.0));
    EXPECT_EQ(RGB(255, 127, 0), CWtkDrawManager::HLStoRGBDegrees(30, 0.5, 1.0));
    // Lightness and saturation are not swapped: a pale colour, not a dark one.
    EXPECT_EQ(RGB(191, 63, 63), CWtkDrawManager::HLStoRGBDegrees(0, 0.5, 0.5));
    EXPECT_EQ(RGB(76, 76, 76), CWtkDrawManager::HLStoRGBDegrees(200, 0.3, 0.0));
}

}  // namespace
