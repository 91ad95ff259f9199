#include "toolkit/controls/menu_images.h"

#include "platform/ui/font.h"

namespace {

constexpr int kGlyphSize = 9;

// The "Marlett" character of each glyph id the toolkit draws.
char MarlettGlyph(int nImage)
{
    switch (nImage) {
    case 0: return '6';   // down arrow
    case 1: return '4';   // right arrow
    case 3: return '0';   // minimise
    case 4: return '2';   // restore
    case 5: return 'r';   // close
    case 7: return '5';   // up arrow
    case 9: return '3';   // left arrow
    case 15: return 'o';  // pinned
    case 16: return 'n';  // unpinned
    default: return 0;
    }
}

COLORREF StateColor(int nState)
{
    switch (nState) {
    case CWtkMenuImages::ImageGray: return ::GetSysColor(COLOR_GRAYTEXT);
    case CWtkMenuImages::ImageWhite: return RGB(255, 255, 255);
    default: return RGB(0, 0, 0);
    }
}

}  // namespace

void CWtkMenuImages::Initialize()
{
}

CSize CWtkMenuImages::Size()
{
    return CSize(kGlyphSize, kGlyphSize);
}

void CWtkMenuImages::Draw(CDC* pDC, int nImage, CPoint ptImage, int nState, CSize sizeImage)
{
    const char glyph = MarlettGlyph(nImage);
    if (!pDC || !glyph)
        return;
    if (sizeImage.cx <= 0 || sizeImage.cy <= 0)
        sizeImage = Size();

    CFont font;
    if (!font.CreateFont(sizeImage.cy, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Marlett"))
        return;
    CFont* oldFont = pDC->SelectObject(&font);
    const COLORREF oldColor = pDC->SetTextColor(StateColor(nState));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rect(ptImage, sizeImage);
    pDC->DrawText(&glyph, 1, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
    pDC->SelectObject(oldFont);
}

void CWtkMenuImages::CleanUp()
{
}
