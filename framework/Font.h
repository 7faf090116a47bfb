#pragma once
// CFont: an owned GDI font.

#include "framework/GdiObject.h"

class CDC;

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    static CFont* FromHandle(HFONT handle) { return FromHandleAs<CFont>(handle); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    BOOL CreateFontIndirect(const LOGFONT* logFont);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                    BYTE quality, BYTE pitchAndFamily, LPCSTR faceName);

    // A font `pointSize` tenths of a point high (90 = 9 points) on `dc`, or
    // on the screen when no device context is given.
    BOOL CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc = nullptr);
    // The same, with lfHeight of `logFont` read as tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc = nullptr);

    int GetLogFont(LOGFONT* logFont) const;
};
