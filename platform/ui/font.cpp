#include "platform/ui/font.h"

IMPLEMENT_DYNCREATE(CFont, CGdiObject)

CFont::CFont() = default;

CFont* CFont::FromHandle(HFONT hFont)
{
    return static_cast<CFont*>(FromHandleOfClass(hFont, RUNTIME_CLASS(CFont)));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont)
{
    return AttachCreated(::CreateFontIndirectA(lpLogFont));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    return AttachCreated(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline,
                                       cStrikeOut, nCharSet, nOutPrecision, nClipPrecision, nQuality,
                                       nPitchAndFamily, lpszFacename));
}

int CFont::GetLogFont(LOGFONTA* pLogFont) const
{
    return GetObject(sizeof(LOGFONTA), pLogFont);
}
