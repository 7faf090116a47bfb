#pragma once
// CPoint: a POINT with arithmetic.

#include "framework/Size.h"

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int x0, int y0) : POINT{x0, y0} {}
    CPoint(POINT point) : POINT(point) {}
    explicit CPoint(SIZE size) : POINT{size.cx, size.cy} {}
    // Low word: x, high word: y, each a signed 16-bit value (as in lParam).
    explicit CPoint(DWORD packed)
        : POINT{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))} {}

    void Offset(int dx, int dy) { x += dx; y += dy; }
    void Offset(POINT by) { Offset(by.x, by.y); }
    void Offset(SIZE by) { Offset(by.cx, by.cy); }
    void SetPoint(int x0, int y0) { x = x0; y = y0; }

    bool operator==(POINT other) const { return x == other.x && y == other.y; }
    bool operator!=(POINT other) const { return !(*this == other); }
    CPoint& operator+=(SIZE by) { Offset(by); return *this; }
    CPoint& operator-=(SIZE by) { Offset(-by.cx, -by.cy); return *this; }
    CPoint& operator+=(POINT by) { Offset(by); return *this; }
    CPoint& operator-=(POINT by) { Offset(-by.x, -by.y); return *this; }

    CPoint operator+(SIZE by) const { return CPoint(x + by.cx, y + by.cy); }
    CPoint operator-(SIZE by) const { return CPoint(x - by.cx, y - by.cy); }
    CPoint operator+(POINT by) const { return CPoint(x + by.x, y + by.y); }
    CSize operator-(POINT other) const { return CSize(x - other.x, y - other.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};
