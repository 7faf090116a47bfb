#include "framework/Pen.h"

IMPLEMENT_DYNAMIC(CPen, CGdiObject)

CPen::CPen(int style, int width, COLORREF color)
{
    CreatePen(style, width, color);
}

CPen::CPen(int style, int width, const LOGBRUSH* brush, int styleCount, const DWORD* styles)
{
    CreatePen(style, width, brush, styleCount, styles);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color)
{
    return Attach(::CreatePen(style, width, color));
}

BOOL CPen::CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount, const DWORD* styles)
{
    return Attach(::ExtCreatePen(style, width, brush, styleCount, styles));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* logPen)
{
    return Attach(::CreatePenIndirect(logPen));
}

int CPen::GetLogPen(LOGPEN* logPen) const
{
    return GetObject(sizeof(LOGPEN), logPen);
}

int CPen::GetExtLogPen(EXTLOGPEN* logPen) const
{
    return GetObject(sizeof(EXTLOGPEN), logPen);
}
