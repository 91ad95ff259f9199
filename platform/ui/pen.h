// CPen: an owned pen (see CGdiObject).
#pragma once

#include "platform/ui/gdi_object.h"

class CPen : public CGdiObject {
    DECLARE_DYNCREATE(CPen)
public:
    CPen();
    // Throws CResourceException when the system refuses the pen.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);

    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN hPen);

    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePenIndirect(LPLOGPEN lpLogPen);
    int GetLogPen(LOGPEN* pLogPen) const;
};
