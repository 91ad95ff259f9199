#include "toolkit/foundation/draw_manager_dib.h"

DrawManagerDib::DrawManagerDib(int width, int height) : m_width(width), m_height(height)
{
    if (width <= 0 || height <= 0)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_dc = ::CreateCompatibleDC(nullptr);
    if (!m_bitmap || !m_dc || !bits)
        return;
    m_previous = ::SelectObject(m_dc, m_bitmap);
    if (m_previous)
        m_bits = static_cast<DWORD*>(bits);
}

DrawManagerDib::~DrawManagerDib()
{
    if (m_previous)
        ::SelectObject(m_dc, m_previous);
    if (m_dc)
        ::DeleteDC(m_dc);
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
}

bool DrawManagerDib::CopyFrom(HDC dc, int x, int y)
{
    if (!IsValid() || !::BitBlt(m_dc, 0, 0, m_width, m_height, dc, x, y, SRCCOPY))
        return false;
    // The pixels are read directly next: GDI may still be writing them.
    ::GdiFlush();
    return true;
}

bool DrawManagerDib::CopyTo(HDC dc, int x, int y)
{
    ::GdiFlush();
    return IsValid() && ::BitBlt(dc, x, y, m_width, m_height, m_dc, 0, 0, SRCCOPY);
}
