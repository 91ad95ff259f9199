#include "platform/ui/palette.h"

#include "platform/ui/dc.h"

IMPLEMENT_DYNCREATE(CPalette, CGdiObject)

CPalette::CPalette() = default;

CPalette* CPalette::FromHandle(HPALETTE hPalette)
{
    return static_cast<CPalette*>(FromHandleOfClass(hPalette, RUNTIME_CLASS(CPalette)));
}

BOOL CPalette::CreatePalette(LPLOGPALETTE lpLogPalette)
{
    return AttachCreated(::CreatePalette(lpLogPalette));
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC)
{
    if (!pDC || !pDC->m_hDC)
        return FALSE;
    return AttachCreated(::CreateHalftonePalette(pDC->m_hDC));
}

int CPalette::GetEntryCount() const
{
    WORD count = 0;
    return GetObject(sizeof count, &count) ? count : 0;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const
{
    return ::GetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::SetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    return ::SetPaletteEntries(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF crColor) const
{
    return ::GetNearestPaletteIndex(static_cast<HPALETTE>(m_hObject), crColor);
}

BOOL CPalette::ResizePalette(UINT nNumEntries)
{
    return ::ResizePalette(static_cast<HPALETTE>(m_hObject), nNumEntries);
}

void CPalette::AnimatePalette(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors)
{
    ::AnimatePalette(static_cast<HPALETTE>(m_hObject), nStartIndex, nNumEntries, lpPaletteColors);
}
