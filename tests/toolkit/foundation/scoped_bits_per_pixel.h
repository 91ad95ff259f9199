// Stands in for a screen of the given depth in the process's display data
// while it lives (the drawing takes its 8-bpp branches from that field).
#pragma once

#include "toolkit/foundation/global_data.h"

class ScopedBitsPerPixel {
public:
    explicit ScopedBitsPerPixel(int bits) : m_saved(WtkGlobalData().m_nBitsPerPixel)
    {
        WtkGlobalData().m_nBitsPerPixel = bits;
    }
    ~ScopedBitsPerPixel() { WtkGlobalData().m_nBitsPerPixel = m_saved; }
    ScopedBitsPerPixel(const ScopedBitsPerPixel&) = delete;
    ScopedBitsPerPixel& operator=(const ScopedBitsPerPixel&) = delete;

private:
    int m_saved;
};
