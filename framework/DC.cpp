#include "framework/DC.h"

#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/Font.h"
#include "framework/Pen.h"
#include "framework/Rgn.h"
#include "framework/Wnd.h"

namespace {

using DcMap = kq::GdiHandleMap<HDC, CDC>;

bool IsLiveDC(HDC hdc)
{
    const DWORD kind = ::GetObjectType(hdc);
    return kind == OBJ_DC || kind == OBJ_MEMDC || kind == OBJ_METADC || kind == OBJ_ENHMETADC;
}

void ReleaseTemporaryDC(CDC& dc)
{
    dc.ReleaseTemporary();
}

DcMap& Map()
{
    return DcMap::Instance(IsLiveDC, ReleaseTemporaryDC);
}

HBRUSH BrushOf(const CBrush* brush)
{
    return brush == nullptr ? nullptr : static_cast<HBRUSH>(brush->m_hObject);
}

HRGN RegionOf(const CRgn* region)
{
    return region == nullptr ? nullptr : static_cast<HRGN>(region->m_hObject);
}

HDC OutputOf(const CDC* dc)
{
    return dc == nullptr ? nullptr : dc->m_hDC;
}

} // namespace

IMPLEMENT_DYNAMIC(CDC, CObject)

// ---- Handle, ownership, creation ----------------------------------------

CDC::~CDC()
{
    DeleteDC();
}

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

CDC* CDC::FromHandle(HDC hdc)
{
    return Map().FromHandle<CDC>(hdc);
}

void CDC::DeleteTempMap()
{
    Map().DeleteTemporaries();
}

BOOL CDC::Attach(HDC hdc)
{
    if (hdc == nullptr)
        return FALSE;
    if (m_hDC == hdc)
        return TRUE;
    DeleteDC();
    m_hDC = m_hAttribDC = hdc;
    Map().AddPermanent(hdc, this);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hdc = m_hDC;
    if (hdc != nullptr)
        Map().RemovePermanent(hdc, this);
    m_hDC = m_hAttribDC = nullptr;
    return hdc;
}

void CDC::SetAttribDC(HDC hdc)
{
    m_hAttribDC = hdc;
}

void CDC::SetOutputDC(HDC hdc)
{
    if (m_hDC != nullptr)
        Map().RemovePermanent(m_hDC, this);
    m_hDC = hdc;
    if (hdc != nullptr)
        Map().AddPermanent(hdc, this);
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = nullptr;
}

void CDC::ReleaseOutputDC()
{
    SetOutputDC(nullptr);
}

BOOL CDC::CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init)
{
    return Attach(::CreateDCA(driver, device, output, init));
}

BOOL CDC::CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init)
{
    return Attach(::CreateICA(driver, device, output, init));
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    return Attach(::CreateCompatibleDC(OutputOf(dc)));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

int CDC::SaveDC()
{
    return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int savedDC)
{
    return ::RestoreDC(m_hDC, savedDC);
}

int CDC::GetDeviceCaps(int index) const
{
    return ::GetDeviceCaps(m_hAttribDC, index);
}

// ---- Selection ------------------------------------------------------------

CPen* CDC::SelectObject(CPen* pen)
{
    return pen == nullptr ? nullptr : CPen::FromHandle(static_cast<HPEN>(SelectObject(pen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return brush == nullptr ? nullptr : CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(brush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* font)
{
    return font == nullptr ? nullptr : CFont::FromHandle(static_cast<HFONT>(SelectObject(font->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return bitmap == nullptr ? nullptr
                             : CBitmap::FromHandle(static_cast<HBITMAP>(SelectObject(bitmap->m_hObject)));
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    return object == nullptr ? nullptr : CGdiObject::FromHandle(SelectObject(object->m_hObject));
}

int CDC::SelectObject(CRgn* region)
{
    return SelectClipRgn(region);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object)
{
    if (object == nullptr)
        return nullptr;
    HGDIOBJ previous = nullptr;
    if (m_hDC != nullptr)
        previous = ::SelectObject(m_hDC, object);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        previous = ::SelectObject(m_hAttribDC, object);
    return previous;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(index)));
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

// ---- Attributes -----------------------------------------------------------
// Setters change both contexts so that queries and output agree.

COLORREF CDC::SetBkColor(COLORREF color)
{
    COLORREF previous = CLR_INVALID;
    if (m_hDC != nullptr)
        previous = ::SetBkColor(m_hDC, color);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        previous = ::SetBkColor(m_hAttribDC, color);
    return previous;
}

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(m_hAttribDC);
}

int CDC::SetBkMode(int mode)
{
    int previous = 0;
    if (m_hDC != nullptr)
        previous = ::SetBkMode(m_hDC, mode);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        previous = ::SetBkMode(m_hAttribDC, mode);
    return previous;
}

int CDC::GetBkMode() const
{
    return ::GetBkMode(m_hAttribDC);
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    COLORREF previous = CLR_INVALID;
    if (m_hDC != nullptr)
        previous = ::SetTextColor(m_hDC, color);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        previous = ::SetTextColor(m_hAttribDC, color);
    return previous;
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(m_hAttribDC);
}

UINT CDC::SetTextAlign(UINT flags)
{
    UINT previous = GDI_ERROR;
    if (m_hDC != nullptr)
        previous = ::SetTextAlign(m_hDC, flags);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        previous = ::SetTextAlign(m_hAttribDC, flags);
    return previous;
}

int CDC::SetROP2(int mode)
{
    int previous = 0;
    if (m_hDC != nullptr)
        previous = ::SetROP2(m_hDC, mode);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        previous = ::SetROP2(m_hAttribDC, mode);
    return previous;
}

int CDC::SetStretchBltMode(int mode)
{
    int previous = 0;
    if (m_hDC != nullptr)
        previous = ::SetStretchBltMode(m_hDC, mode);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        previous = ::SetStretchBltMode(m_hAttribDC, mode);
    return previous;
}

int CDC::SetPolyFillMode(int mode)
{
    int previous = 0;
    if (m_hDC != nullptr)
        previous = ::SetPolyFillMode(m_hDC, mode);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        previous = ::SetPolyFillMode(m_hAttribDC, mode);
    return previous;
}

int CDC::SetMapMode(int mode)
{
    int previous = 0;
    if (m_hDC != nullptr)
        previous = ::SetMapMode(m_hDC, mode);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        previous = ::SetMapMode(m_hAttribDC, mode);
    return previous;
}

int CDC::GetMapMode() const
{
    return ::GetMapMode(m_hAttribDC);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT previous = {0, 0};
    if (m_hDC != nullptr)
        ::SetViewportOrgEx(m_hDC, x, y, &previous);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::SetViewportOrgEx(m_hAttribDC, x, y, &previous);
    return CPoint(previous);
}

CPoint CDC::GetViewportOrg() const
{
    POINT origin = {0, 0};
    ::GetViewportOrgEx(m_hAttribDC, &origin);
    return CPoint(origin);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT previous = {0, 0};
    if (m_hDC != nullptr)
        ::SetWindowOrgEx(m_hDC, x, y, &previous);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::SetWindowOrgEx(m_hAttribDC, x, y, &previous);
    return CPoint(previous);
}

CPoint CDC::GetWindowOrg() const
{
    POINT origin = {0, 0};
    ::GetWindowOrgEx(m_hAttribDC, &origin);
    return CPoint(origin);
}

void CDC::DPtoLP(LPPOINT points, int count) const
{
    ::DPtoLP(m_hAttribDC, points, count);
}

void CDC::DPtoLP(LPRECT rect) const
{
    ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(rect), 2);
}

void CDC::LPtoDP(LPPOINT points, int count) const
{
    ::LPtoDP(m_hAttribDC, points, count);
}

void CDC::LPtoDP(LPRECT rect) const
{
    ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(rect), 2);
}

// ---- Clipping -------------------------------------------------------------

int CDC::SelectClipRgn(CRgn* region)
{
    return ::SelectClipRgn(m_hDC, RegionOf(region));
}

int CDC::SelectClipRgn(CRgn* region, int mode)
{
    return ::ExtSelectClipRgn(m_hDC, RegionOf(region), mode);
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    return ::IntersectClipRect(m_hDC, left, top, right, bottom);
}

int CDC::IntersectClipRect(LPCRECT rect)
{
    return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    return ::ExcludeClipRect(m_hDC, left, top, right, bottom);
}

int CDC::ExcludeClipRect(LPCRECT rect)
{
    return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom);
}

int CDC::OffsetClipRgn(int dx, int dy)
{
    return ::OffsetClipRgn(m_hDC, dx, dy);
}

int CDC::GetClipBox(LPRECT rect) const
{
    return ::GetClipBox(m_hDC, rect);
}

BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}

BOOL CDC::RectVisible(LPCRECT rect) const
{
    return ::RectVisible(m_hDC, rect);
}

// ---- Lines and shapes -----------------------------------------------------

CPoint CDC::MoveTo(int x, int y)
{
    POINT previous = {0, 0};
    if (m_hDC != nullptr)
        ::MoveToEx(m_hDC, x, y, &previous);
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, &previous);
    return CPoint(previous);
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y)
{
    if (m_hAttribDC != nullptr && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, nullptr);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}

CPoint CDC::GetCurrentPosition() const
{
    POINT point = {0, 0};
    ::GetCurrentPositionEx(m_hAttribDC, &point);
    return CPoint(point);
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    return ::Polyline(m_hDC, points, count);
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    return ::Polygon(m_hDC, points, count);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    return ::Rectangle(m_hDC, left, top, right, bottom);
}

BOOL CDC::Rectangle(LPCRECT rect)
{
    return Rectangle(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    return ::RoundRect(m_hDC, left, top, right, bottom, ellipseWidth, ellipseHeight);
}

BOOL CDC::RoundRect(LPCRECT rect, POINT ellipse)
{
    return RoundRect(rect->left, rect->top, rect->right, rect->bottom, ellipse.x, ellipse.y);
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    return ::Ellipse(m_hDC, left, top, right, bottom);
}

BOOL CDC::Ellipse(LPCRECT rect)
{
    return Ellipse(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL CDC::Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4)
{
    return ::Arc(m_hDC, left, top, right, bottom, x3, y3, x4, y4);
}

BOOL CDC::Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4)
{
    return ::Pie(m_hDC, left, top, right, bottom, x3, y3, x4, y4);
}

// ---- Rectangles, icons and edges ------------------------------------------

void CDC::FillRect(LPCRECT rect, CBrush* brush)
{
    ::FillRect(m_hDC, rect, BrushOf(brush));
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush)
{
    ::FrameRect(m_hDC, rect, BrushOf(brush));
}

void CDC::InvertRect(LPCRECT rect)
{
    ::InvertRect(m_hDC, rect);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    // An opaque ExtTextOut of no text fills with the background colour and
    // needs no brush; the context's background colour is put back after.
    const COLORREF previous = ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, previous);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color)
{
    const RECT rect = {x, y, x + width, y + height};
    FillSolidRect(&rect, color);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, width - 1, 1, topLeft);
    FillSolidRect(x, y, 1, height - 1, topLeft);
    FillSolidRect(x + width - 1, y, 1, height, bottomRight);
    FillSolidRect(x, y + height - 1, width, 1, bottomRight);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags)
{
    return ::DrawEdge(m_hDC, rect, edge, flags);
}

void CDC::DrawFocusRect(LPCRECT rect)
{
    ::DrawFocusRect(m_hDC, rect);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon)
{
    return ::DrawIcon(m_hDC, x, y, icon);
}

BOOL CDC::DrawIcon(POINT point, HICON icon)
{
    return DrawIcon(point.x, point.y, icon);
}

BOOL CDC::DrawState(POINT point, SIZE size, LPCSTR text, UINT flags, BOOL prefixText, int textLength,
                    CBrush* brush)
{
    const UINT kind = prefixText ? DST_PREFIXTEXT : DST_TEXT;
    return ::DrawStateA(m_hDC, BrushOf(brush), nullptr, reinterpret_cast<LPARAM>(text),
                        static_cast<WPARAM>(textLength), point.x, point.y, size.cx, size.cy, flags | kind);
}

BOOL CDC::DrawState(POINT point, SIZE size, HBITMAP bitmap, UINT flags, CBrush* brush)
{
    return ::DrawStateA(m_hDC, BrushOf(brush), nullptr, reinterpret_cast<LPARAM>(bitmap), 0, point.x, point.y,
                        size.cx, size.cy, flags | DST_BITMAP);
}

BOOL CDC::DrawState(POINT point, SIZE size, HICON icon, UINT flags, CBrush* brush)
{
    return ::DrawStateA(m_hDC, BrushOf(brush), nullptr, reinterpret_cast<LPARAM>(icon), 0, point.x, point.y,
                        size.cx, size.cy, flags | DST_ICON);
}

// ---- Regions --------------------------------------------------------------

BOOL CDC::FillRgn(CRgn* region, CBrush* brush)
{
    return ::FillRgn(m_hDC, RegionOf(region), BrushOf(brush));
}

BOOL CDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height)
{
    return ::FrameRgn(m_hDC, RegionOf(region), BrushOf(brush), width, height);
}

BOOL CDC::InvertRgn(CRgn* region)
{
    return ::InvertRgn(m_hDC, RegionOf(region));
}

BOOL CDC::PaintRgn(CRgn* region)
{
    return ::PaintRgn(m_hDC, RegionOf(region));
}

// ---- Bitmaps and pixels ---------------------------------------------------

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    return ::PatBlt(m_hDC, x, y, width, height, rop);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, width, height, OutputOf(source), sourceX, sourceY, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                     int sourceWidth, int sourceHeight, DWORD rop)
{
    return ::StretchBlt(m_hDC, x, y, width, height, OutputOf(source), sourceX, sourceY, sourceWidth, sourceHeight,
                        rop);
}

BOOL CDC::TransparentBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                         int sourceWidth, int sourceHeight, UINT transparent)
{
    return ::TransparentBlt(m_hDC, x, y, width, height, OutputOf(source), sourceX, sourceY, sourceWidth,
                            sourceHeight, transparent);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::GetPixel(POINT point) const
{
    return GetPixel(point.x, point.y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    return ::SetPixel(m_hDC, x, y, color);
}

COLORREF CDC::SetPixel(POINT point, COLORREF color)
{
    return SetPixel(point.x, point.y, color);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF color)
{
    return ::SetPixelV(m_hDC, x, y, color);
}

BOOL CDC::FloodFill(int x, int y, COLORREF border)
{
    return ::FloodFill(m_hDC, x, y, border);
}

BOOL CDC::ExtFloodFill(int x, int y, COLORREF color, UINT type)
{
    return ::ExtFloodFill(m_hDC, x, y, color, type);
}

// ---- Text -----------------------------------------------------------------

BOOL CDC::TextOut(int x, int y, LPCSTR text, int length)
{
    return ::TextOutA(m_hDC, x, y, text, length);
}

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    return TextOut(x, y, text, text.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT length, const INT* widths)
{
    return ::ExtTextOutA(m_hDC, x, y, options, rect, text, length, widths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const INT* widths)
{
    return ExtTextOut(x, y, options, rect, text, static_cast<UINT>(text.GetLength()), widths);
}

int CDC::DrawText(LPCSTR text, int length, LPRECT rect, UINT format)
{
    return ::DrawTextA(m_hDC, text, length, rect, format);
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return DrawText(text, text.GetLength(), rect, format);
}

CSize CDC::GetTextExtent(LPCSTR text, int length) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hAttribDC, text, length, &size);
    return CSize(size);
}

CSize CDC::GetTextExtent(const CString& text) const
{
    return GetTextExtent(text, text.GetLength());
}

CSize CDC::GetOutputTextExtent(LPCSTR text, int length) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, length, &size);
    return CSize(size);
}

CSize CDC::GetOutputTextExtent(const CString& text) const
{
    return GetOutputTextExtent(text, text.GetLength());
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICA metrics) const
{
    return ::GetTextMetricsA(m_hAttribDC, metrics);
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRICA metrics) const
{
    return ::GetTextMetricsA(m_hDC, metrics);
}

int CDC::GetTextFace(int count, LPSTR faceName) const
{
    return ::GetTextFaceA(m_hAttribDC, count, faceName);
}

int CDC::GetTextFace(CString& faceName) const
{
    char buffer[LF_FACESIZE] = {};
    const int result = GetTextFace(LF_FACESIZE, buffer);
    faceName = buffer;
    return result;
}
