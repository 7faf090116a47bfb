#pragma once
// CDC: a device context and the drawing calls made on it.
//
// m_hDC receives the output; m_hAttribDC answers the queries (text extents,
// metrics, device capabilities). Both are the same handle unless a caller
// sets them apart. A CDC deletes the context it holds when destroyed, so a
// borrowed context (WM_DRAWITEM, WM_CTLCOLOR) is wrapped with FromHandle or
// Attach ... Detach.
//
// FromHandle returns a temporary wrapper owned by nothing but the calling
// thread's map: it never deletes the context, and it is valid only while the
// current message is handled (DeleteTempMap frees it).

#include "framework/GdiObject.h"
#include "framework/Object.h"
#include "framework/Point.h"
#include "framework/Size.h"
#include "framework/String.h"

class CBitmap;
class CBrush;
class CFont;
class CPen;
class CRgn;
class CWnd;

class CDC : public CObject {
    DECLARE_DYNAMIC(CDC)
public:
    CDC() = default;
    ~CDC() override;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return kq::IsNullThis(this) ? nullptr : m_hDC; }
    CWnd* GetWindow() const;

    static CDC* FromHandle(HDC hdc);
    // Frees the calling thread's temporary wrappers.
    static void DeleteTempMap();

    // Takes `hdc` as both the output and the attribute context and owns it
    // from then on (Detach gives it back); a context this object held
    // before is deleted first.
    BOOL Attach(HDC hdc);
    HDC Detach();
    virtual void SetAttribDC(HDC hdc);
    virtual void SetOutputDC(HDC hdc);
    virtual void ReleaseAttribDC();
    virtual void ReleaseOutputDC();

    BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init);
    BOOL CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const DEVMODEA* init);
    // A memory context compatible with `dc`, or with the screen for null.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    int SaveDC();
    BOOL RestoreDC(int savedDC);
    int GetDeviceCaps(int index) const;

    // Selection: each returns what was selected before, as the object that
    // owns it or a temporary wrapper.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectObject(CGdiObject* object);
    // Selecting a region sets the clipping region; returns its kind or ERROR.
    int SelectObject(CRgn* region);
    HGDIOBJ SelectObject(HGDIOBJ object);
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    // Attributes.
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    UINT SetTextAlign(UINT flags);
    int SetROP2(int mode);
    int SetStretchBltMode(int mode);
    int SetPolyFillMode(int mode);
    int SetMapMode(int mode);
    int GetMapMode() const;
    CPoint SetViewportOrg(int x, int y);
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint GetWindowOrg() const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;

    // Clipping.
    int SelectClipRgn(CRgn* region);
    int SelectClipRgn(CRgn* region, int mode);
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect);
    int ExcludeClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(LPCRECT rect);
    int OffsetClipRgn(int dx, int dy);
    int GetClipBox(LPRECT rect) const;
    BOOL PtVisible(int x, int y) const;
    BOOL RectVisible(LPCRECT rect) const;

    // Lines and shapes.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point);
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point);
    CPoint GetCurrentPosition() const;
    BOOL Polyline(const POINT* points, int count);
    BOOL Polygon(const POINT* points, int count);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect);
    BOOL RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    BOOL RoundRect(LPCRECT rect, POINT ellipse);
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(LPCRECT rect);
    BOOL Arc(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);
    BOOL Pie(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4);

    // Rectangles, icons and edges.
    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void InvertRect(LPCRECT rect);
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int width, int height, COLORREF color);
    // A one-pixel frame: top and left in one colour, bottom and right in the other.
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight);
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags);
    void DrawFocusRect(LPCRECT rect);
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIcon(POINT point, HICON icon);
    BOOL DrawState(POINT point, SIZE size, LPCSTR text, UINT flags, BOOL prefixText = TRUE, int textLength = 0,
                   CBrush* brush = nullptr);
    BOOL DrawState(POINT point, SIZE size, HBITMAP bitmap, UINT flags, CBrush* brush = nullptr);
    BOOL DrawState(POINT point, SIZE size, HICON icon, UINT flags, CBrush* brush = nullptr);

    // Regions.
    BOOL FillRgn(CRgn* region, CBrush* brush);
    BOOL FrameRgn(CRgn* region, CBrush* brush, int width, int height);
    BOOL InvertRgn(CRgn* region);
    BOOL PaintRgn(CRgn* region);

    // Bitmaps and pixels.
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, int sourceWidth,
                    int sourceHeight, DWORD rop);
    // Copies leaving the pixels of colour `transparent` out.
    BOOL TransparentBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                        int sourceWidth, int sourceHeight, UINT transparent);
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const;
    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF SetPixel(POINT point, COLORREF color);
    BOOL SetPixelV(int x, int y, COLORREF color);
    BOOL FloodFill(int x, int y, COLORREF border);
    BOOL ExtFloodFill(int x, int y, COLORREF color, UINT type);

    // Text.
    BOOL TextOut(int x, int y, LPCSTR text, int length);
    BOOL TextOut(int x, int y, const CString& text);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT length, const INT* widths);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const INT* widths);
    // A length of -1 draws up to the terminator.
    int DrawText(LPCSTR text, int length, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    CSize GetTextExtent(LPCSTR text, int length) const;
    CSize GetTextExtent(const CString& text) const;
    CSize GetOutputTextExtent(LPCSTR text, int length) const;
    CSize GetOutputTextExtent(const CString& text) const;
    BOOL GetTextMetrics(LPTEXTMETRICA metrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRICA metrics) const;
    int GetTextFace(int count, LPSTR faceName) const;
    int GetTextFace(CString& faceName) const;

    // Used by the handle map for its temporary wrappers.
    void AttachTemporary(HDC hdc) { m_hDC = m_hAttribDC = hdc; }
    void ReleaseTemporary() { m_hDC = m_hAttribDC = nullptr; }
};

// The window device contexts, declared here too since code written against
// the class library expects them beside CDC.
#include "framework/ClientDC.h"
#include "framework/PaintDC.h"
#include "framework/WindowDC.h"
