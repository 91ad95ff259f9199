// CDC: a device context, and the device contexts of a window (CPaintDC,
// CClientDC, CWindowDC).
//
// A CDC owns its device context (deleted with it, DeleteDC) unless it only
// stands for one: FromHandle answers the owning object when there is one,
// else a temporary object of the thread that owns nothing and is freed at
// the thread's next idle time. The window device contexts are released (or
// their painting ended) when the object goes.
//
// The Select functions answer what was selected before, as an object from
// FromHandle, so that a drawing step can put it back:
//
//     CPen* old = pDC->SelectObject(&pen);
//     ...
//     pDC->SelectObject(old);
#pragma once

#include <windows.h>

#include "platform/framework/object.h"
#include "platform/framework/string.h"
#include "platform/ui/geometry.h"

class CBitmap;
class CBrush;
class CFont;
class CGdiObject;
class CPalette;
class CPen;
class CRgn;
class CWnd;

class CDC : public CObject {
    DECLARE_DYNCREATE(CDC)
public:
    CDC();
    ~CDC() override;

    HDC m_hDC;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    // ---- Handles and objects --------------------------------------------------
    static CDC* FromHandle(HDC hDC);
    // Frees the thread's temporary objects (done at idle).
    static void DeleteTempMap();
    // Takes ownership: the device context is deleted with the object. FALSE
    // when the object holds one already, or another object owns it.
    BOOL Attach(HDC hDC);
    HDC Detach();
    // A memory device context like pDC's (the screen's for null).
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();
    int SaveDC();
    BOOL RestoreDC(int nSavedDC);
    int GetDeviceCaps(int nIndex) const;

    // ---- Selection --------------------------------------------------------------
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    // The region becomes the clipping region: its type, or ERROR.
    int SelectObject(CRgn* pRgn);
    // Any kind; null for a region (which is selected as the clipping region).
    CGdiObject* SelectObject(CGdiObject* pObject);
    CGdiObject* SelectStockObject(int nIndex);
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;

    // ---- Attributes ---------------------------------------------------------------
    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    int GetBkMode() const;
    int SetROP2(int nDrawMode);
    int GetROP2() const;
    UINT SetTextAlign(UINT nFlags);
    int SetStretchBltMode(int nStretchMode);
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT point);
    CPoint GetBrushOrg() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point);
    CPoint OffsetViewportOrg(int nWidth, int nHeight);
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point);
    CPoint OffsetWindowOrg(int nWidth, int nHeight);
    CPoint GetWindowOrg() const;
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const;
    void LPtoDP(LPRECT lpRect) const;
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const;
    void DPtoLP(LPRECT lpRect) const;

    // ---- Clipping -------------------------------------------------------------------
    int GetClipBox(LPRECT lpRect) const;
    // Null removes the clipping region.
    int SelectClipRgn(CRgn* pRgn);
    int SelectClipRgn(CRgn* pRgn, int nMode);
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(LPCRECT lpRect);
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    int ExcludeClipRect(LPCRECT lpRect);
    BOOL PtVisible(int x, int y) const;
    BOOL PtVisible(POINT point) const;
    BOOL RectVisible(LPCRECT lpRect) const;

    // ---- Lines and shapes ---------------------------------------------------------------
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point);
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL Polygon(const POINT* lpPoints, int nCount);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(LPCRECT lpRect);
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(LPCRECT lpRect);
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    void InvertRect(LPCRECT lpRect);
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
    // Fills with one colour through the background colour, which keeps
    // crColor afterwards (as the framework has always done).
    void FillSolidRect(LPCRECT lpRect, COLORREF crColor);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF crColor);
    // A one-pixel frame: top and left edges in one colour, bottom and right
    // in the other (the background colour then holds clrBottomRight).
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void DrawFocusRect(LPCRECT lpRect);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL DrawIcon(POINT point, HICON hIcon);
    // Draws a bitmap or icon in a state (DSS_DISABLED, DSS_MONO... with
    // DST_BITMAP or DST_ICON added); pBrush colours DSS_MONO.
    BOOL DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush);

    // ---- Text --------------------------------------------------------------------------
    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                    LPINT lpDxWidths);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths);
    // The height of the text drawn (DT_CALCRECT: the rectangle is measured).
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const;

    // ---- Pixels -------------------------------------------------------------------------
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);
    COLORREF SetPixel(int x, int y, COLORREF crColor);
    COLORREF SetPixel(POINT point, COLORREF crColor);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const;

    // ---- Drag frames ------------------------------------------------------------------
    // Draws the frame of lpRect, size.cx wide at the left and right and
    // size.cy at the top and bottom, by inverting it through a brush (the
    // half-tone brush when pBrush is null), and in the same step erases the
    // frame lpRectLast/sizeLast drawn before (when given): drawing the same
    // frame twice leaves the screen as it was, so a frame that follows the
    // mouse is moved by passing the previous one as last, and erased by
    // passing an empty rectangle with the previous one as last.
    void DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush = nullptr,
                      CBrush* pBrushLast = nullptr);
    // The 50 % dither brush of drag frames: alternate pixels set, one
    // brush for the process.
    static CBrush* GetHalftoneBrush();

private:
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
};

// The device context of one WM_PAINT: BeginPaint with the object, EndPaint
// when it goes. Throws CResourceException when painting cannot begin.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

// The client area of a window (the whole screen for null), released when
// the object goes. Throws CResourceException when the system has none.
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

// The whole window, frame included (the screen for null).
class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
