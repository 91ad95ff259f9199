#include "platform/ui/dc.h"

#include <memory>

#include "platform/ui/bitmap.h"
#include "platform/ui/brush.h"
#include "platform/ui/font.h"
#include "platform/ui/handle_map.h"
#include "platform/ui/palette.h"
#include "platform/ui/pen.h"
#include "platform/ui/rgn.h"
#include "platform/ui/ui_thread_state.h"

namespace {

using DcMap = PermanentHandleMap<HDC, CDC>;

HGDIOBJ HandleOf(const CGdiObject* object)
{
    return object ? object->m_hObject : nullptr;
}

HDC HandleOf(const CDC* dc)
{
    return dc ? dc->m_hDC : nullptr;
}

}  // namespace

IMPLEMENT_DYNCREATE(CDC, CObject)

CDC::CDC() : m_hDC(nullptr) {}

CDC::~CDC()
{
    DeleteDC();
}

// ---------------------------------------------------------------------------
// Handles and objects
// ---------------------------------------------------------------------------

CDC* CDC::FromHandle(HDC hDC)
{
    if (!hDC)
        return nullptr;
    if (CDC* owner = DcMap::Instance().Find(hDC))
        return owner;
    auto& temporary = ThisUiThread().temporaryDCs[hDC];
    if (!temporary) {
        temporary.reset(new CDC);
        temporary->m_hDC = hDC;
    }
    return temporary.get();
}

void CDC::DeleteTempMap()
{
    UiThreadState& state = ThisUiThread();
    auto temporary = std::move(state.temporaryDCs);
    state.temporaryDCs.clear();
    for (auto& entry : temporary)
        entry.second->m_hDC = nullptr;
}

BOOL CDC::Attach(HDC hDC)
{
    if (m_hDC || !hDC)
        return FALSE;
    if (!DcMap::Instance().Add(hDC, this))
        return FALSE;
    m_hDC = hDC;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC)
        DcMap::Instance().Remove(hDC, this);
    m_hDC = nullptr;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    if (m_hDC)
        return FALSE;
    HDC created = ::CreateCompatibleDC(HandleOf(pDC));
    if (!created)
        return FALSE;
    if (!Attach(created)) {
        ::DeleteDC(created);
        return FALSE;
    }
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    return ::RestoreDC(m_hDC, nSavedDC);
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return ::GetDeviceCaps(m_hDC, nIndex);
}

// ---------------------------------------------------------------------------
// Selection
// ---------------------------------------------------------------------------

CPen* CDC::SelectObject(CPen* pPen)
{
    return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, HandleOf(pPen))));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, HandleOf(pBrush))));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, HandleOf(pFont))));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, HandleOf(pBitmap))));
}

int CDC::SelectObject(CRgn* pRgn)
{
    // For a region the system answers the region type, not a handle.
    return static_cast<int>(reinterpret_cast<INT_PTR>(::SelectObject(m_hDC, HandleOf(pRgn))));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    HGDIOBJ previous = ::SelectObject(m_hDC, HandleOf(pObject));
    // A region becomes the clipping region and answers its type, not a
    // handle: there is nothing to put back.
    if (pObject && pObject->GetObjectType() == OBJ_REGION)
        return nullptr;
    return CGdiObject::FromHandle(previous);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ stock = ::GetStockObject(nIndex);
    return stock ? CGdiObject::FromHandle(::SelectObject(m_hDC, stock)) : nullptr;
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    return CPalette::FromHandle(
        ::SelectPalette(m_hDC, static_cast<HPALETTE>(HandleOf(pPalette)), bForceBackground));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(m_hDC, OBJ_PAL)));
}

// ---------------------------------------------------------------------------
// Attributes
// ---------------------------------------------------------------------------

COLORREF CDC::SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hDC); }
COLORREF CDC::SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hDC); }
int CDC::SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hDC); }
int CDC::SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
int CDC::GetROP2() const { return ::GetROP2(m_hDC); }
UINT CDC::SetTextAlign(UINT nFlags) { return ::SetTextAlign(m_hDC, nFlags); }
int CDC::SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old = {};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }

CPoint CDC::GetBrushOrg() const
{
    POINT origin = {};
    ::GetBrushOrgEx(m_hDC, &origin);
    return origin;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old = {};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT old = {};
    ::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &old);
    return old;
}

CPoint CDC::GetViewportOrg() const
{
    POINT origin = {};
    ::GetViewportOrgEx(m_hDC, &origin);
    return origin;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old = {};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT old = {};
    ::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &old);
    return old;
}

CPoint CDC::GetWindowOrg() const
{
    POINT origin = {};
    ::GetWindowOrgEx(m_hDC, &origin);
    return origin;
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hDC, lpPoints, nCount); }
void CDC::LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(lpRect), 2); }
void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hDC, lpPoints, nCount); }
void CDC::DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(lpRect), 2); }

// ---------------------------------------------------------------------------
// Clipping
// ---------------------------------------------------------------------------

int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
int CDC::SelectClipRgn(CRgn* pRgn) { return ::SelectClipRgn(m_hDC, static_cast<HRGN>(HandleOf(pRgn))); }

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    return ::ExtSelectClipRgn(m_hDC, static_cast<HRGN>(HandleOf(pRgn)), nMode);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::PtVisible(POINT point) const { return PtVisible(point.x, point.y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }

// ---------------------------------------------------------------------------
// Lines and shapes
// ---------------------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y)
{
    POINT old = {};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

CPoint CDC::MoveTo(POINT point) { return MoveTo(point.x, point.y); }
BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
BOOL CDC::LineTo(POINT point) { return LineTo(point.x, point.y); }

CPoint CDC::GetCurrentPosition() const
{
    POINT position = {};
    ::GetCurrentPositionEx(m_hDC, &position);
    return position;
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(LPCRECT lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(HandleOf(pBrush))); }
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(HandleOf(pBrush))); }
void CDC::InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, static_cast<HRGN>(HandleOf(pRgn)), static_cast<HBRUSH>(HandleOf(pBrush)));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, static_cast<HRGN>(HandleOf(pRgn)), static_cast<HBRUSH>(HandleOf(pBrush)), nWidth,
                      nHeight);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF crColor)
{
    ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor)
{
    const RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, crColor);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    // The top-right and bottom-left corner pixels belong to the bottom-right
    // colour.
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

void CDC::DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }
BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
BOOL CDC::DrawIcon(POINT point, HICON hIcon) { return DrawIcon(point.x, point.y, hIcon); }

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hBitmap), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, static_cast<HBITMAP>(HandleOf(pBitmap)), nFlags, static_cast<HBRUSH>(HandleOf(pBrush)));
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, static_cast<HBRUSH>(HandleOf(pBrush)));
}

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount) { return ::TextOutA(m_hDC, x, y, lpszString, nCount); }
BOOL CDC::TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, str, static_cast<UINT>(str.GetLength()), lpDxWidths);
}

int CDC::DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(str, str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const
{
    SIZE size = {};
    ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
BOOL CDC::GetTextMetrics(LPTEXTMETRICA lpMetrics) const { return ::GetTextMetricsA(m_hDC, lpMetrics); }

// ---------------------------------------------------------------------------
// Pixels
// ---------------------------------------------------------------------------

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, HandleOf(pSrcDC), xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, HandleOf(pSrcDC), xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) { return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop); }
COLORREF CDC::SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
COLORREF CDC::SetPixel(POINT point, COLORREF crColor) { return SetPixel(point.x, point.y, crColor); }
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
