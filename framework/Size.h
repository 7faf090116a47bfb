#pragma once
// CSize: a SIZE with arithmetic.

#include "framework/Win32.h"

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int width, int height) : SIZE{width, height} {}
    CSize(SIZE size) : SIZE(size) {}
    explicit CSize(POINT point) : SIZE{point.x, point.y} {}
    // Low word: width, high word: height, each a signed 16-bit value.
    explicit CSize(DWORD packed)
        : SIZE{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))} {}

    bool operator==(SIZE other) const { return cx == other.cx && cy == other.cy; }
    bool operator!=(SIZE other) const { return !(*this == other); }
    CSize& operator+=(SIZE other) { cx += other.cx; cy += other.cy; return *this; }
    CSize& operator-=(SIZE other) { cx -= other.cx; cy -= other.cy; return *this; }
    void SetSize(int width, int height) { cx = width; cy = height; }

    CSize operator+(SIZE other) const { return CSize(cx + other.cx, cy + other.cy); }
    CSize operator-(SIZE other) const { return CSize(cx - other.cx, cy - other.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};
