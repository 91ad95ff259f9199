#include "platform/ui/rgn.h"

IMPLEMENT_DYNCREATE(CRgn, CGdiObject)

namespace {

HRGN HandleOf(const CRgn* region)
{
    return region ? static_cast<HRGN>(region->m_hObject) : nullptr;
}

}  // namespace

CRgn::CRgn() = default;

CRgn* CRgn::FromHandle(HRGN hRgn)
{
    return static_cast<CRgn*>(FromHandleOfClass(hRgn, RUNTIME_CLASS(CRgn)));
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    return AttachCreated(::CreateRectRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    return AttachCreated(::CreateRectRgnIndirect(lpRect));
}

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return AttachCreated(::CreateEllipticRgn(x1, y1, x2, y2));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect)
{
    return AttachCreated(::CreateEllipticRgnIndirect(lpRect));
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode)
{
    return AttachCreated(::CreatePolygonRgn(lpPoints, nCount, nMode));
}

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return AttachCreated(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    return ::CombineRgn(HandleOf(this), HandleOf(pRgn1), HandleOf(pRgn2), nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc)
{
    return ::CombineRgn(HandleOf(this), HandleOf(pRgnSrc), nullptr, RGN_COPY);
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2)
{
    ::SetRectRgn(HandleOf(this), x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect)
{
    SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::OffsetRgn(int x, int y)
{
    return ::OffsetRgn(HandleOf(this), x, y);
}

int CRgn::OffsetRgn(POINT point)
{
    return OffsetRgn(point.x, point.y);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    return ::GetRgnBox(HandleOf(this), lpRect);
}

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    return ::EqualRgn(HandleOf(this), HandleOf(pRgn));
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(HandleOf(this), x, y);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return PtInRegion(point.x, point.y);
}

BOOL CRgn::RectInRegion(LPCRECT lpRect) const
{
    return ::RectInRegion(HandleOf(this), lpRect);
}
