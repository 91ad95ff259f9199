// A memory device context drawing into a 32-bit top-down DIB section whose
// pixels the tests read and write directly, as COLORREF values.
#pragma once

#include <windows.h>

#include <string>

#include "platform/ui/bitmap.h"
#include "platform/ui/dc.h"
#include "screenshot.h"

class DibCanvas {
public:
    DibCanvas(int width, int height) : m_width(width), m_height(height)
    {
        m_bitmap.Attach(MakeDib(width, height, &m_bits));
        dc.CreateCompatibleDC(nullptr);
        m_old = dc.SelectObject(&m_bitmap);
    }
    ~DibCanvas() { dc.SelectObject(m_old); }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    bool IsValid() const { return m_bits != nullptr && dc.GetSafeHdc() != nullptr; }

    void Fill(COLORREF color)
    {
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                Set(x, y, color);
    }
    void Set(int x, int y, COLORREF color)
    {
        ::GdiFlush();
        m_bits[y * m_width + x] = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const DWORD pixel = m_bits[y * m_width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    Image ToImage() const
    {
        Image image;
        image.width = m_width;
        image.height = m_height;
        image.rgb.resize(static_cast<size_t>(m_width) * m_height * 3);
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                const COLORREF color = At(x, y);
                const size_t i = (static_cast<size_t>(y) * m_width + x) * 3;
                image.rgb[i] = GetRValue(color);
                image.rgb[i + 1] = GetGValue(color);
                image.rgb[i + 2] = GetBValue(color);
            }
        }
        return image;
    }

    CDC dc;

private:
    int m_width;
    int m_height;
    DWORD* m_bits = nullptr;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};
