// CFont: an owned font (see CGdiObject).
#pragma once

#include "platform/ui/gdi_object.h"

class CFont : public CGdiObject {
    DECLARE_DYNCREATE(CFont)
public:
    CFont();

    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT hFont);

    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
    int GetLogFont(LOGFONTA* pLogFont) const;
};
