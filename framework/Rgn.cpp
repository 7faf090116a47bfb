#include "framework/Rgn.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

HRGN HandleOf(const CRgn* region)
{
    return region == nullptr ? nullptr : static_cast<HRGN>(region->m_hObject);
}

} // namespace

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom)
{
    return Attach(::CreateRectRgn(left, top, right, bottom));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect)
{
    return Attach(::CreateRectRgnIndirect(rect));
}

BOOL CRgn::CreateEllipticRgn(int left, int top, int right, int bottom)
{
    return Attach(::CreateEllipticRgn(left, top, right, bottom));
}

BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT rect)
{
    return Attach(::CreateEllipticRgnIndirect(rect));
}

BOOL CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    return Attach(::CreateRoundRectRgn(left, top, right, bottom, ellipseWidth, ellipseHeight));
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    return Attach(::CreatePolygonRgn(points, count, fillMode));
}

BOOL CRgn::CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode)
{
    return Attach(::CreatePolyPolygonRgn(points, counts, polygons, fillMode));
}

BOOL CRgn::CreateFromData(const XFORM* transform, int size, const RGNDATA* data)
{
    return Attach(::ExtCreateRegion(transform, size, data));
}

int CRgn::CombineRgn(const CRgn* first, const CRgn* second, int mode)
{
    if (m_hObject == nullptr)
        return ERROR;
    return ::CombineRgn(static_cast<HRGN>(m_hObject), HandleOf(first), HandleOf(second), mode);
}

int CRgn::CopyRgn(const CRgn* source)
{
    return CombineRgn(source, nullptr, RGN_COPY);
}

BOOL CRgn::EqualRgn(const CRgn* other) const
{
    return ::EqualRgn(static_cast<HRGN>(m_hObject), HandleOf(other));
}

int CRgn::OffsetRgn(int dx, int dy)
{
    return ::OffsetRgn(static_cast<HRGN>(m_hObject), dx, dy);
}

int CRgn::OffsetRgn(POINT offset)
{
    return OffsetRgn(offset.x, offset.y);
}

void CRgn::SetRectRgn(int left, int top, int right, int bottom)
{
    ::SetRectRgn(static_cast<HRGN>(m_hObject), left, top, right, bottom);
}

void CRgn::SetRectRgn(LPCRECT rect)
{
    SetRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CRgn::GetRgnBox(LPRECT rect) const
{
    return ::GetRgnBox(static_cast<HRGN>(m_hObject), rect);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y);
}

BOOL CRgn::PtInRegion(POINT point) const
{
    return PtInRegion(point.x, point.y);
}

BOOL CRgn::RectInRegion(LPCRECT rect) const
{
    return ::RectInRegion(static_cast<HRGN>(m_hObject), rect);
}

int CRgn::GetRegionData(LPRGNDATA data, int size) const
{
    return static_cast<int>(::GetRegionData(static_cast<HRGN>(m_hObject), size, data));
}
