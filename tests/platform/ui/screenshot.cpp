#include "screenshot.h"

#include <set>

#include "png_writer.h"

#ifndef TVX_SCREENSHOT_DIR
#error "TVX_SCREENSHOT_DIR names the folder for screenshots"
#endif

namespace {

// Fills a 32-bit top-down DIB of the size asked by the drawing step, and
// converts it to the image's RGB rows.
template <typename Draw>
Image CaptureInto(int width, int height, Draw draw)
{
    Image image;
    if (width <= 0 || height <= 0)
        return image;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    DWORD* bits = nullptr;
    HBITMAP bitmap = MakeDib(width, height, &bits);
    if (bitmap && bits) {
        HGDIOBJ previous = ::SelectObject(memory, bitmap);
        const bool drawn = draw(memory, screen);
        ::GdiFlush();
        if (drawn) {
            image.width = width;
            image.height = height;
            image.rgb.resize(static_cast<size_t>(width) * height * 3);
            const uint8_t* source = reinterpret_cast<const uint8_t*>(bits);
            for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) {
                image.rgb[i * 3] = source[i * 4 + 2];
                image.rgb[i * 3 + 1] = source[i * 4 + 1];
                image.rgb[i * 3 + 2] = source[i * 4];
            }
        }
        ::SelectObject(memory, previous);
    }
    if (bitmap)
        ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return image;
}

Image CaptureRect(const RECT& rect)
{
    return CaptureInto(rect.right - rect.left, rect.bottom - rect.top, [&rect](HDC memory, HDC screen) {
        return ::BitBlt(memory, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left, rect.top,
                        SRCCOPY) != FALSE;
    });
}

}  // namespace

HBITMAP MakeDib(int width, int height, DWORD** bits)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* data = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &data, nullptr, 0);
    *bits = static_cast<DWORD*>(data);
    return dib;
}

COLORREF Image::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    const size_t at = (static_cast<size_t>(y) * width + x) * 3;
    return RGB(rgb[at], rgb[at + 1], rgb[at + 2]);
}

size_t Image::CountColor(COLORREF color) const
{
    size_t count = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        if (RGB(rgb[i], rgb[i + 1], rgb[i + 2]) == color)
            ++count;
    }
    return count;
}

size_t Image::DistinctColors() const
{
    std::set<COLORREF> colors;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        colors.insert(RGB(rgb[i], rgb[i + 1], rgb[i + 2]));
    return colors.size();
}

Image CaptureWindow(HWND window)
{
    RECT rect = {};
    if (!::GetWindowRect(window, &rect))
        return Image();
    ::UpdateWindow(window);
    return CaptureRect(rect);
}

Image DrawWindow(HWND window)
{
    RECT rect = {};
    if (!::GetWindowRect(window, &rect))
        return Image();
    return CaptureInto(rect.right - rect.left, rect.bottom - rect.top,
                       [window](HDC memory, HDC) { return ::PrintWindow(window, memory, 0) != FALSE; });
}

Image CaptureScreen()
{
    RECT rect = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return CaptureRect(rect);
}

std::string ScreenshotDirectory()
{
    const std::string directory = TVX_SCREENSHOT_DIR;
    ::CreateDirectoryA(directory.c_str(), nullptr);
    return directory;
}

std::string SaveScreenshot(const Image& image, const std::string& name)
{
    const std::string path = ScreenshotDirectory() + "\\" + name + ".png";
    return WritePng(path, image.width, image.height, image.rgb) ? path : std::string();
}
