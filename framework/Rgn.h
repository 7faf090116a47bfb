#pragma once
// CRgn: an owned GDI region.
//
// Ownership and SetWindowRgn: once SetWindowRgn has succeeded, the system
// owns the region and frees it with the window. The caller must then Detach
// it from its CRgn and never delete it; a CRgn that still holds the handle
// would delete the window's region when it is destroyed. When SetWindowRgn
// fails the region stays the caller's.
//
//     CRgn shape;
//     shape.CreateRoundRectRgn(0, 0, w + 1, h + 1, 20, 24);
//     if (::SetWindowRgn(hwnd, shape, TRUE))
//         shape.Detach();          // the window's now

#include "framework/GdiObject.h"

class CRgn : public CGdiObject {
    DECLARE_DYNAMIC(CRgn)
public:
    static CRgn* FromHandle(HRGN handle) { return FromHandleAs<CRgn>(handle); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }

    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(LPCRECT rect);
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
    BOOL CreateEllipticRgnIndirect(LPCRECT rect);
    BOOL CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode);
    BOOL CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode);
    BOOL CreateFromData(const XFORM* transform, int size, const RGNDATA* data);

    // This region (which must exist) becomes the combination of the two
    // sources; `second` may be null for RGN_COPY. Returns the region kind
    // (NULLREGION, SIMPLEREGION, COMPLEXREGION) or ERROR.
    int CombineRgn(const CRgn* first, const CRgn* second, int mode);
    int CopyRgn(const CRgn* source);
    BOOL EqualRgn(const CRgn* other) const;

    int OffsetRgn(int dx, int dy);
    int OffsetRgn(POINT offset);
    void SetRectRgn(int left, int top, int right, int bottom);
    void SetRectRgn(LPCRECT rect);
    int GetRgnBox(LPRECT rect) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL PtInRegion(POINT point) const;
    BOOL RectInRegion(LPCRECT rect) const;
    int GetRegionData(LPRGNDATA data, int size) const;
};
