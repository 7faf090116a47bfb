#pragma once
// CRect: a RECT with the usual geometry.
//
// Rectangles follow the Win32 convention: left/top inside, right/bottom
// outside. The set operations (&, |, IntersectRect, UnionRect) follow the
// Win32 functions of the same names: an empty result is all zeros.

#include "framework/Point.h"
#include "framework/Size.h"

#include <utility>

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rect) : RECT(rect) {}
    CRect(LPCRECT rect) : RECT(rect ? *rect : RECT{0, 0, 0, 0}) {}
    CRect(POINT topLeft, SIZE size) : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    // The corners as points inside the rectangle, so that they can be
    // passed to functions that convert points in place.
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }
    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL EqualRect(LPCRECT other) const { return ::EqualRect(this, other); }

    void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT source) { *static_cast<RECT*>(this) = *source; }

    void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    void OffsetRect(POINT by) { OffsetRect(by.x, by.y); }
    void OffsetRect(SIZE by) { OffsetRect(by.cx, by.cy); }
    void MoveToX(int x) { right += x - left; left = x; }
    void MoveToY(int y) { bottom += y - top; top = y; }
    void MoveToXY(int x, int y) { MoveToX(x); MoveToY(y); }
    void MoveToXY(POINT point) { MoveToXY(point.x, point.y); }

    // Inflating moves every side outwards; deflating moves it inwards.
    void InflateRect(int dx, int dy) { InflateRect(dx, dy, dx, dy); }
    void InflateRect(SIZE by) { InflateRect(by.cx, by.cy); }
    void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
    void InflateRect(LPCRECT by) { InflateRect(by->left, by->top, by->right, by->bottom); }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE by) { InflateRect(-by.cx, -by.cy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void DeflateRect(LPCRECT by) { DeflateRect(by->left, by->top, by->right, by->bottom); }

    // Swaps sides so that left <= right and top <= bottom.
    void NormalizeRect()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }

    BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }
    BOOL SubtractRect(LPCRECT from, LPCRECT remove) { return ::SubtractRect(this, from, remove); }

    bool operator==(const RECT& other) const { return ::EqualRect(this, &other) != FALSE; }
    bool operator!=(const RECT& other) const { return !(*this == other); }
    CRect& operator+=(POINT by) { OffsetRect(by); return *this; }
    CRect& operator+=(SIZE by) { OffsetRect(by); return *this; }
    CRect& operator+=(LPCRECT by) { InflateRect(by); return *this; }
    CRect& operator-=(POINT by) { OffsetRect(-by.x, -by.y); return *this; }
    CRect& operator-=(SIZE by) { OffsetRect(-by.cx, -by.cy); return *this; }
    CRect& operator-=(LPCRECT by) { DeflateRect(by); return *this; }
    CRect& operator&=(const RECT& other) { const CRect self(*this); IntersectRect(&self, &other); return *this; }
    CRect& operator|=(const RECT& other) { const CRect self(*this); UnionRect(&self, &other); return *this; }

    CRect operator+(POINT by) const { CRect r(*this); r.OffsetRect(by); return r; }
    CRect operator+(SIZE by) const { CRect r(*this); r.OffsetRect(by); return r; }
    CRect operator-(POINT by) const { CRect r(*this); r.OffsetRect(-by.x, -by.y); return r; }
    CRect operator-(SIZE by) const { CRect r(*this); r.OffsetRect(-by.cx, -by.cy); return r; }
    CRect operator&(const RECT& other) const { CRect r; r.IntersectRect(this, &other); return r; }
    CRect operator|(const RECT& other) const { CRect r; r.UnionRect(this, &other); return r; }
};
