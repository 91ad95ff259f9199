// CWtkMenuImages: the small glyphs (arrows, close, pin) that menus and the
// visual managers draw.
#pragma once

#include <windows.h>

#include "platform/ui/dc.h"
#include "platform/ui/geometry.h"

class CWtkMenuImages {
public:
    // Colour states of a glyph.
    enum ImageState { ImageBlack = 0, ImageGray = 1, ImageWhite = 3 };

    // Makes the glyph size known.
    static void Initialize();
    // The size of one glyph.
    static CSize Size();
    // Draws glyph nImage with its top-left corner at ptImage, in sizeImage
    // (the glyph's own size when empty). The glyphs come from the system's
    // "Marlett" font; an id without a glyph draws nothing.
    static void Draw(CDC* pDC, int nImage, CPoint ptImage, int nState = ImageBlack,
                     CSize sizeImage = CSize(0, 0));
    // Frees the coloured glyph strips (rebuilt on next use).
    static void CleanUp();
};
