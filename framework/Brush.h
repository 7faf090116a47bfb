#pragma once
// CBrush: an owned GDI brush.

#include "framework/GdiObject.h"

class CBitmap;

class CBrush : public CGdiObject {
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    explicit CBrush(COLORREF color);
    CBrush(int hatchStyle, COLORREF color);
    explicit CBrush(CBitmap* pattern);

    static CBrush* FromHandle(HBRUSH handle) { return FromHandleAs<CBrush>(handle); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    BOOL CreateSolidBrush(COLORREF color);
    BOOL CreateHatchBrush(int hatchStyle, COLORREF color);
    BOOL CreateBrushIndirect(const LOGBRUSH* logBrush);
    // The pattern is the bitmap as it is now; the brush does not own it.
    BOOL CreatePatternBrush(CBitmap* pattern);
    BOOL CreateSysColorBrush(int colorIndex);
    int GetLogBrush(LOGBRUSH* logBrush) const;
};
