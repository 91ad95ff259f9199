// CSize, CPoint and CRect: the system's SIZE, POINT and RECT with arithmetic.
//
// They add no data to the system structures, so a CRect* is a RECT* and the
// objects pass wherever the system takes its own types. Rectangle operations
// follow the system's rules (they call its functions): a rectangle whose
// right is not beyond its left, or whose bottom is not below its top, is
// empty; a point on the left or top edge lies inside, one on the right or
// bottom edge outside; an empty rectangle takes no part in a union, and an
// intersection with nothing in common is the empty rectangle (0,0,0,0).
#pragma once

#include <windows.h>

class CPoint;
class CRect;

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int initCX, int initCY) : SIZE{initCX, initCY} {}
    CSize(SIZE initSize) : SIZE(initSize) {}
    explicit CSize(POINT initPt) : SIZE{initPt.x, initPt.y} {}

    bool operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    bool operator!=(SIZE size) const { return !(*this == size); }
    void operator+=(SIZE size) { cx += size.cx; cy += size.cy; }
    void operator-=(SIZE size) { cx -= size.cx; cy -= size.cy; }
    void SetSize(int CX, int CY) { cx = CX; cy = CY; }

    CSize operator+(SIZE size) const { return CSize(cx + size.cx, cy + size.cy); }
    CSize operator-(SIZE size) const { return CSize(cx - size.cx, cy - size.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT point) const;
    CPoint operator-(POINT point) const;
    CRect operator+(const RECT* lpRect) const;
    CRect operator-(const RECT* lpRect) const;
};

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int initX, int initY) : POINT{initX, initY} {}
    CPoint(POINT initPt) : POINT(initPt) {}
    explicit CPoint(SIZE initSize) : POINT{initSize.cx, initSize.cy} {}
    // The coordinates packed in a message parameter: signed x in the low
    // word, signed y in the high word.
    explicit CPoint(LPARAM dwPoint)
        : POINT{static_cast<short>(LOWORD(dwPoint)), static_cast<short>(HIWORD(dwPoint))}
    {
    }

    void Offset(int xOffset, int yOffset) { x += xOffset; y += yOffset; }
    void Offset(POINT point) { Offset(point.x, point.y); }
    void Offset(SIZE size) { Offset(size.cx, size.cy); }
    void SetPoint(int X, int Y) { x = X; y = Y; }

    bool operator==(POINT point) const { return x == point.x && y == point.y; }
    bool operator!=(POINT point) const { return !(*this == point); }
    void operator+=(SIZE size) { Offset(size); }
    void operator-=(SIZE size) { Offset(-size.cx, -size.cy); }
    void operator+=(POINT point) { Offset(point); }
    void operator-=(POINT point) { Offset(-point.x, -point.y); }

    CPoint operator+(SIZE size) const { return CPoint(x + size.cx, y + size.cy); }
    CPoint operator-(SIZE size) const { return CPoint(x - size.cx, y - size.cy); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT point) const { return CPoint(x + point.x, y + point.y); }
    // The distance between two points.
    CSize operator-(POINT point) const { return CSize(x - point.x, y - point.y); }
    CRect operator+(const RECT* lpRect) const;
    CRect operator-(const RECT* lpRect) const;
};

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& srcRect) : RECT(srcRect) {}
    CRect(const RECT* lpSrcRect) : RECT(*lpSrcRect) {}
    CRect(POINT point, SIZE size) : RECT{point.x, point.y, point.x + size.cx, point.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    // Halfway between the edges, rounded toward zero like the system's
    // integer division.
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    // All four coordinates zero (a rectangle can be empty without being null).
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }

    void SetRect(int x1, int y1, int x2, int y2) { ::SetRect(this, x1, y1, x2, y2); }
    void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(const RECT* lpSrcRect) { ::CopyRect(this, lpSrcRect); }
    BOOL EqualRect(const RECT* lpRect) const { return ::EqualRect(this, lpRect); }

    // Each side moves outward (Inflate) or inward (Deflate) by its amount.
    void InflateRect(int x, int y) { ::InflateRect(this, x, y); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(const RECT* lpRect) { InflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { ::InflateRect(this, -x, -y); }
    void DeflateRect(SIZE size) { DeflateRect(size.cx, size.cy); }
    void DeflateRect(const RECT* lpRect) { DeflateRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    void DeflateRect(int l, int t, int r, int b)
    {
        left += l;
        top += t;
        right -= r;
        bottom -= b;
    }
    void OffsetRect(int x, int y) { ::OffsetRect(this, x, y); }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    // Swaps the coordinates of a rectangle given from its far corner, so
    // that left <= right and top <= bottom.
    void NormalizeRect();

    // FALSE, with this rectangle emptied, when the two have nothing in common.
    BOOL IntersectRect(const RECT* lpRect1, const RECT* lpRect2) { return ::IntersectRect(this, lpRect1, lpRect2); }
    // The smallest rectangle holding both; FALSE when both are empty.
    BOOL UnionRect(const RECT* lpRect1, const RECT* lpRect2) { return ::UnionRect(this, lpRect1, lpRect2); }
    BOOL SubtractRect(const RECT* lpRectSrc1, const RECT* lpRectSrc2)
    {
        return ::SubtractRect(this, lpRectSrc1, lpRectSrc2);
    }

    CRect& operator=(const RECT& srcRect)
    {
        ::CopyRect(this, &srcRect);
        return *this;
    }
    bool operator==(const RECT& rect) const { return ::EqualRect(this, &rect) != FALSE; }
    bool operator!=(const RECT& rect) const { return !(*this == rect); }
    void operator+=(POINT point) { OffsetRect(point); }
    void operator+=(SIZE size) { OffsetRect(size); }
    void operator+=(const RECT* lpRect) { InflateRect(lpRect); }
    void operator-=(POINT point) { OffsetRect(-point.x, -point.y); }
    void operator-=(SIZE size) { OffsetRect(-size.cx, -size.cy); }
    void operator-=(const RECT* lpRect) { DeflateRect(lpRect); }
    void operator&=(const RECT& rect) { IntersectRect(this, &rect); }
    void operator|=(const RECT& rect) { UnionRect(this, &rect); }

    CRect operator+(POINT point) const
    {
        CRect rect(*this);
        rect.OffsetRect(point);
        return rect;
    }
    CRect operator-(POINT point) const
    {
        CRect rect(*this);
        rect.OffsetRect(-point.x, -point.y);
        return rect;
    }
    CRect operator+(SIZE size) const
    {
        CRect rect(*this);
        rect.OffsetRect(size);
        return rect;
    }
    CRect operator-(SIZE size) const
    {
        CRect rect(*this);
        rect.OffsetRect(-size.cx, -size.cy);
        return rect;
    }
    CRect operator+(const RECT* lpRect) const
    {
        CRect rect(*this);
        rect.InflateRect(lpRect);
        return rect;
    }
    CRect operator-(const RECT* lpRect) const
    {
        CRect rect(*this);
        rect.DeflateRect(lpRect);
        return rect;
    }
    CRect operator&(const RECT& rect2) const
    {
        CRect rect;
        rect.IntersectRect(this, &rect2);
        return rect;
    }
    CRect operator|(const RECT& rect2) const
    {
        CRect rect;
        rect.UnionRect(this, &rect2);
        return rect;
    }
};

static_assert(sizeof(CPoint) == sizeof(POINT), "CPoint must be a POINT");
static_assert(sizeof(CSize) == sizeof(SIZE), "CSize must be a SIZE");
static_assert(sizeof(CRect) == sizeof(RECT), "CRect must be a RECT");

inline CPoint CSize::operator+(POINT point) const
{
    return CPoint(cx + point.x, cy + point.y);
}

inline CPoint CSize::operator-(POINT point) const
{
    return CPoint(cx - point.x, cy - point.y);
}

inline CRect CSize::operator+(const RECT* lpRect) const
{
    return CRect(lpRect) + *this;
}

inline CRect CSize::operator-(const RECT* lpRect) const
{
    return CRect(lpRect) - *this;
}

inline CRect CPoint::operator+(const RECT* lpRect) const
{
    return CRect(lpRect) + *this;
}

inline CRect CPoint::operator-(const RECT* lpRect) const
{
    return CRect(lpRect) - *this;
}

inline void CRect::NormalizeRect()
{
    if (left > right) {
        const LONG swap = left;
        left = right;
        right = swap;
    }
    if (top > bottom) {
        const LONG swap = top;
        top = bottom;
        bottom = swap;
    }
}
