// The pixels of a rectangle of a device context, copied into a 32-bit
// top-down DIB section (0x00RRGGBB) for the draw manager's pixel effects,
// and copied back.
#pragma once

#include <windows.h>

class DrawManagerDib {
public:
    DrawManagerDib(int width, int height);
    ~DrawManagerDib();
    DrawManagerDib(const DrawManagerDib&) = delete;
    DrawManagerDib& operator=(const DrawManagerDib&) = delete;

    // FALSE when the DIB section or its device context could not be made.
    bool IsValid() const { return m_bits != nullptr; }
    // Copies from / to (x, y) of dc, one BitBlt each.
    bool CopyFrom(HDC dc, int x, int y);
    bool CopyTo(HDC dc, int x, int y);

    DWORD& At(int x, int y) { return m_bits[y * m_width + x]; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    DWORD* m_bits = nullptr;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// COLORREF (0x00BBGGRR) and DIB pixel (0x00RRGGBB) conversions.
inline DWORD PixelOfColor(COLORREF color)
{
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

inline COLORREF ColorOfPixel(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}
