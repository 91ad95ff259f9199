// CBrush: an owned brush (see CGdiObject).
#pragma once

#include "platform/ui/gdi_object.h"

class CBitmap;

class CBrush : public CGdiObject {
    DECLARE_DYNCREATE(CBrush)
public:
    CBrush();
    // Solid, hatched and pattern brushes; throw CResourceException when the
    // system refuses the brush.
    explicit CBrush(COLORREF crColor);
    CBrush(int nIndex, COLORREF crColor);
    explicit CBrush(CBitmap* pBitmap);

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH hBrush);

    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    BOOL CreatePatternBrush(CBitmap* pBitmap);
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
    // The system's brush of a system colour (COLOR_BTNFACE...), which
    // follows colour changes and is never deleted.
    BOOL CreateSysColorBrush(int nIndex);
    int GetLogBrush(LOGBRUSH* pLogBrush) const;
};
