#include "platform/ui/pen.h"

#include "platform/ui/resource_exception.h"

IMPLEMENT_DYNCREATE(CPen, CGdiObject)

CPen::CPen() = default;

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor)
{
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CPen* CPen::FromHandle(HPEN hPen)
{
    return static_cast<CPen*>(FromHandleOfClass(hPen, RUNTIME_CLASS(CPen)));
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    return AttachCreated(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen)
{
    return AttachCreated(::CreatePenIndirect(lpLogPen));
}

int CPen::GetLogPen(LOGPEN* pLogPen) const
{
    return GetObject(sizeof(LOGPEN), pLogPen);
}
