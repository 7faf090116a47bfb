#include "framework/Brush.h"

#include "framework/Bitmap.h"

IMPLEMENT_DYNAMIC(CBrush, CGdiObject)

CBrush::CBrush(COLORREF color)
{
    CreateSolidBrush(color);
}

CBrush::CBrush(int hatchStyle, COLORREF color)
{
    CreateHatchBrush(hatchStyle, color);
}

CBrush::CBrush(CBitmap* pattern)
{
    CreatePatternBrush(pattern);
}

BOOL CBrush::CreateSolidBrush(COLORREF color)
{
    return Attach(::CreateSolidBrush(color));
}

BOOL CBrush::CreateHatchBrush(int hatchStyle, COLORREF color)
{
    return Attach(::CreateHatchBrush(hatchStyle, color));
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush)
{
    return Attach(::CreateBrushIndirect(logBrush));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pattern)
{
    if (pattern == nullptr || pattern->m_hObject == nullptr)
        return FALSE;
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pattern->m_hObject)));
}

BOOL CBrush::CreateSysColorBrush(int colorIndex)
{
    // System colour brushes belong to the system: wrap a solid copy so that
    // deleting ours never touches theirs.
    return CreateSolidBrush(::GetSysColor(colorIndex));
}

int CBrush::GetLogBrush(LOGBRUSH* logBrush) const
{
    return GetObject(sizeof(LOGBRUSH), logBrush);
}
