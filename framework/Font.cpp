#include "framework/Font.h"

#include "framework/DC.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

namespace {

// Points per inch, and lfHeight of a point font counts tenths of a point.
constexpr int kTenthPointsPerInch = 720;

} // namespace

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont)
{
    return Attach(::CreateFontIndirectA(logFont));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCSTR faceName)
{
    return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                charSet, outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}

BOOL CFont::CreatePointFont(int pointSize, LPCSTR faceName, CDC* dc)
{
    LOGFONT logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = pointSize;
    if (faceName != nullptr)
        lstrcpynA(logFont.lfFaceName, faceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc)
{
    if (logFont == nullptr)
        return FALSE;
    HDC target = dc != nullptr ? dc->m_hAttribDC : nullptr;
    HDC screen = target == nullptr ? ::GetDC(nullptr) : nullptr;
    HDC hdc = target != nullptr ? target : screen;

    // Device pixels of the wanted height, then the same length in the
    // context's logical units; a negative height asks for the character
    // height rather than the cell height.
    POINT points[2] = {{0, 0}, {0, ::MulDiv(::GetDeviceCaps(hdc, LOGPIXELSY), logFont->lfHeight, kTenthPointsPerInch)}};
    ::DPtoLP(hdc, points, 2);
    if (screen != nullptr)
        ::ReleaseDC(nullptr, screen);

    LOGFONT scaled = *logFont;
    scaled.lfHeight = -std::abs(points[1].y - points[0].y);
    return CreateFontIndirect(&scaled);
}

int CFont::GetLogFont(LOGFONT* logFont) const
{
    return GetObject(sizeof(LOGFONT), logFont);
}
