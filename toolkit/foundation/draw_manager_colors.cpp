#include <algorithm>
#include <cmath>

#include "toolkit/foundation/draw_manager.h"

namespace {

int ClampChannel(int value)
{
    return std::min(255, std::max(0, value));
}

int FactorChannel(int channel, double factor)
{
    if (channel == 0 && factor > 1.0)
        return ClampChannel(static_cast<int>((factor - 1.0) * 255 + 0.5));
    return ClampChannel(static_cast<int>(channel * factor + 0.5));
}

// The hue ramp of the hexcone model, hue in turns.
double HueToChannel(double m1, double m2, double hue)
{
    hue = std::fmod(hue, 1.0);
    if (hue < 0)
        hue += 1.0;
    if (6.0 * hue < 1.0)
        return m1 + (m2 - m1) * hue * 6.0;
    if (2.0 * hue < 1.0)
        return m2;
    if (3.0 * hue < 2.0)
        return m1 + (m2 - m1) * (2.0 / 3.0 - hue) * 6.0;
    return m1;
}

// The same ramp with the hue in degrees.
double HueDegreesToChannel(double m1, double m2, double hue)
{
    hue = std::fmod(hue, 360.0);
    if (hue < 0)
        hue += 360.0;
    if (hue < 60.0)
        return m1 + (m2 - m1) * hue / 60.0;
    if (hue < 180.0)
        return m2;
    if (hue < 240.0)
        return m1 + (m2 - m1) * (240.0 - hue) / 60.0;
    return m1;
}

// m1 and m2 of the back conversion.
void RampBounds(double lightness, double saturation, double* m1, double* m2)
{
    *m2 = lightness <= 0.5 ? lightness * (1.0 + saturation) : lightness + saturation - lightness * saturation;
    *m1 = 2.0 * lightness - *m2;
}

int ToChannel(double value)
{
    return ClampChannel(static_cast<int>(value * 255.0));
}

}  // namespace

COLORREF CWtkDrawManager::ScaleColor(COLORREF color, int nPercent)
{
    return RGB(ClampChannel(GetRValue(color) * nPercent / 100), ClampChannel(GetGValue(color) * nPercent / 100),
               ClampChannel(GetBValue(color) * nPercent / 100));
}

COLORREF CWtkDrawManager::PixelFactors(COLORREF color, double dRed, double dGreen, double dBlue)
{
    return RGB(FactorChannel(GetRValue(color), dRed), FactorChannel(GetGValue(color), dGreen),
               FactorChannel(GetBValue(color), dBlue));
}

COLORREF CWtkDrawManager::MixColors(COLORREF color1, COLORREF color2, int nPercentColor1)
{
    auto mix = [nPercentColor1](int c1, int c2) {
        return ClampChannel((c1 * nPercentColor1 + c2 * (100 - nPercentColor1)) / 100);
    };
    return RGB(mix(GetRValue(color1), GetRValue(color2)), mix(GetGValue(color1), GetGValue(color2)),
               mix(GetBValue(color1), GetBValue(color2)));
}

void CWtkDrawManager::RGBtoHLS(COLORREF rgb, double& H, double& L, double& S)
{
    const double red = GetRValue(rgb) / 255.0;
    const double green = GetGValue(rgb) / 255.0;
    const double blue = GetBValue(rgb) / 255.0;
    const double max = std::max(red, std::max(green, blue));
    const double min = std::min(red, std::min(green, blue));

    L = (max + min) / 2.0;
    if (max == min) {
        S = 0.0;
        H = 0.0;
        return;
    }
    const double delta = max - min;
    S = L < 0.5 ? delta / (max + min) : delta / (2.0 - max - min);
    if (red == max)
        H = (green - blue) / delta;
    else if (green == max)
        H = 2.0 + (blue - red) / delta;
    else
        H = 4.0 + (red - green) / delta;
    H /= 6.0;
    if (H < 0.0)
        H += 1.0;
}

COLORREF CWtkDrawManager::HLStoRGB(double H, double L, double S)
{
    if (S == 0.0) {
        const int grey = ToChannel(L);
        return RGB(grey, grey, grey);
    }
    double m1;
    double m2;
    RampBounds(L, S, &m1, &m2);
    return RGB(ToChannel(HueToChannel(m1, m2, H + 1.0 / 3.0)), ToChannel(HueToChannel(m1, m2, H)),
               ToChannel(HueToChannel(m1, m2, H - 1.0 / 3.0)));
}

COLORREF CWtkDrawManager::HLStoRGBDegrees(double H, double L, double S)
{
    if (S == 0.0) {
        const int grey = ToChannel(L);
        return RGB(grey, grey, grey);
    }
    double m1;
    double m2;
    RampBounds(L, S, &m1, &m2);
    return RGB(ToChannel(HueDegreesToChannel(m1, m2, H + 120.0)), ToChannel(HueDegreesToChannel(m1, m2, H)),
               ToChannel(HueDegreesToChannel(m1, m2, H - 120.0)));
}
