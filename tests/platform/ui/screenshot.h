// Pictures of windows and of the screen, as the display shows them, saved as
// PNG files in the build tree for a person to look at.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Image {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // rows from the top

    bool Empty() const { return width == 0 || height == 0; }
    COLORREF Pixel(int x, int y) const;
    // How many pixels have exactly this colour.
    size_t CountColor(COLORREF color) const;
    // How many different colours the picture has.
    size_t DistinctColors() const;
};

// The screen's pixels under the window's rectangle (the window must be shown
// and not covered).
Image CaptureWindow(HWND window);
// What a window of this process draws of itself (frame and client area, not
// its children under Wine) into a picture of its size. Pixels a test pins
// come from here: tests run side by side on one desktop, so another test's
// window may lie over this one on the screen, and the display may not yet
// show what was just painted.
Image DrawWindow(HWND window);
// The screen's pixels, as the display shows them.
Image CaptureScreen();

// A 32-bit top-down DIB section of width x height pixels (0x00RRGGBB), its
// pixels at *bits; null when it cannot be made.
HBITMAP MakeDib(int width, int height, DWORD** bits);

// The folder for screenshots (created on first use).
std::string ScreenshotDirectory();
// Saves under ScreenshotDirectory() as name + ".png"; the full path, or an
// empty text when it could not be written.
std::string SaveScreenshot(const Image& image, const std::string& name);
