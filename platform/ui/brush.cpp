#include "platform/ui/brush.h"

#include "platform/ui/bitmap.h"
#include "platform/ui/resource_exception.h"

IMPLEMENT_DYNCREATE(CBrush, CGdiObject)

CBrush::CBrush() = default;

CBrush::CBrush(COLORREF crColor)
{
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(int nIndex, COLORREF crColor)
{
    if (!CreateHatchBrush(nIndex, crColor))
        AfxThrowResourceException();
}

CBrush::CBrush(CBitmap* pBitmap)
{
    if (!CreatePatternBrush(pBitmap))
        AfxThrowResourceException();
}

CBrush* CBrush::FromHandle(HBRUSH hBrush)
{
    return static_cast<CBrush*>(FromHandleOfClass(hBrush, RUNTIME_CLASS(CBrush)));
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    return AttachCreated(::CreateSolidBrush(crColor));
}

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor)
{
    return AttachCreated(::CreateHatchBrush(nIndex, crColor));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    if (!pBitmap || !pBitmap->m_hObject)
        return FALSE;
    return AttachCreated(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject)));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush)
{
    return AttachCreated(::CreateBrushIndirect(lpLogBrush));
}

BOOL CBrush::CreateSysColorBrush(int nIndex)
{
    if (m_hObject)
        return FALSE;
    // Like stock objects, system colour brushes have no single owner.
    m_hObject = ::GetSysColorBrush(nIndex);
    return m_hObject != nullptr;
}

int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) const
{
    return GetObject(sizeof(LOGBRUSH), pLogBrush);
}
