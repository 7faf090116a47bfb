#include "widgets/HoverButton.h"

#include "framework/BitmapDrawing.h"

BEGIN_MESSAGE_MAP(CHoverButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_KILLFOCUS()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

// The focus rectangle of the classic style lies this far inside the button.
constexpr int kFocusInset = 3;

// A one-pixel line through three points.
void Polyline3(CDC& dc, COLORREF colour, POINT a, POINT b, POINT c)
{
    CPen pen(PS_SOLID, 1, colour);
    CPen* previous = dc.SelectObject(&pen);
    dc.MoveTo(a);
    dc.LineTo(b);
    dc.LineTo(c);
    dc.SelectObject(previous);
}

} // namespace

CHoverButton::~CHoverButton()
{
    DestroyWindow();
    if (m_cursor != nullptr)
        ::DestroyCursor(m_cursor);
}

BOOL CHoverButton::SetFaces(int style, UINT releasedFace, UINT pressedFace, UINT hoverFace, UINT cursorId,
                            UINT disabledFace)
{
    m_style = style;
    m_faces = {releasedFace, pressedFace, hoverFace, disabledFace};
    if (cursorId == 0)
        return TRUE;
    if (m_cursor != nullptr) {
        ::DestroyCursor(m_cursor);
        m_cursor = nullptr;
    }
    m_cursor = static_cast<HCURSOR>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(cursorId), IMAGE_CURSOR,
                                                 0, 0, LR_DEFAULTSIZE));
    return m_cursor != nullptr;
}

void CHoverButton::SetFrames(int hoverFrame, int pressedFrame)
{
    m_hoverFrame = hoverFrame;
    m_pressedFrame = pressedFrame;
}

void CHoverButton::SetAlternateFaces(UINT pressedFace, UINT hoverFace, UINT, UINT releasedFace)
{
    m_alternate = {releasedFace, pressedFace, hoverFace, m_faces.disabled};
}

// ---------------------------------------------------------------- drawing

UINT CHoverButton::ChooseFace(UINT itemState) const
{
    UINT face = m_faces.released;
    if (itemState & ODS_SELECTED)
        face = m_faces.pressed;
    else if (m_hover.IsHovering())
        face = m_faces.hover;
    else if (itemState & ODS_DISABLED)
        face = m_faces.disabled;
    return face != 0 ? face : m_faces.released;
}

void CHoverButton::DrawFrame(CDC& dc, UINT itemState, const CRect& item) const
{
    const int l = item.left, t = item.top, r = item.right, b = item.bottom;
    const bool pressed = (itemState & ODS_SELECTED) != 0;
    if (pressed) {
        if (m_style == kClassicStyle) {
            CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
            dc.FrameRect(&item, &shadow);
        } else if (m_pressedFrame) {
            // Sunken.
            Polyline3(dc, ::GetSysColor(COLOR_BTNSHADOW), {l, b - 1}, {l, t}, {r, t});
            Polyline3(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT), {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
        }
        return;
    }
    if (m_style == kHoverStyle) {
        if (m_hover.IsHovering() && m_hoverFrame) {
            // Raised, while lit.
            Polyline3(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT), {l, b - 1}, {l, t}, {r, t});
            Polyline3(dc, ::GetSysColor(COLOR_BTNSHADOW), {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
        }
        return;
    }
    // The classic raised 3-D frame, two lines deep.
    Polyline3(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT), {l, b - 1}, {l, t}, {r, t});
    Polyline3(dc, ::GetSysColor(COLOR_3DLIGHT), {l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1});
    Polyline3(dc, ::GetSysColor(COLOR_3DDKSHADOW), {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
    Polyline3(dc, ::GetSysColor(COLOR_BTNSHADOW), {l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t});
}

void CHoverButton::DrawCaption(CDC& dc, UINT itemState, const CRect& item)
{
    CString text;
    GetWindowText(text);
    if (text.IsEmpty())
        return;
    const bool pressed = (itemState & ODS_SELECTED) != 0;
    CRect area = item;
    if (pressed)
        area.OffsetRect(1, 1);
    dc.SetTextColor(::GetSysColor(m_hover.IsHovering() || pressed ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    dc.SetBkMode(TRANSPARENT);

    CRect measured = area;
    dc.DrawText(text, &measured, DT_CALCRECT | DT_SINGLELINE);
    const CPoint at(area.left + (area.Width() - measured.Width()) / 2,
                    area.top + (area.Height() - measured.Height()) / 2);
    const UINT state = (itemState & ODS_DISABLED) ? DSS_DISABLED : DSS_NORMAL;
    dc.DrawState(at, measured.Size(), text, state, TRUE, text.GetLength(), nullptr);
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    CDC* dc = CDC::FromHandle(drawItem->hDC);
    const CRect item(drawItem->rcItem);
    const UINT state = drawItem->itemState;
    kq::DrawBitmapResource(*dc, ChooseFace(state), item.Width(), item.Height());
    DrawFrame(*dc, state, item);
    DrawCaption(*dc, state, item);
    if (m_style == kClassicStyle && (state & ODS_FOCUS)) {
        CRect focus = item;
        focus.DeflateRect(kFocusInset, kFocusInset);
        dc->DrawFocusRect(&focus);
    }
}

// ---------------------------------------------------------------- mouse tracking

void CHoverButton::OnMouseMove(UINT flags, CPoint point)
{
    CButton::OnMouseMove(flags, point);
    if (m_style == kClassicStyle)
        return;
    const bool mayStart = ::GetActiveWindow() != nullptr && (GetOwner() != nullptr || GetParent() != nullptr);
    m_hover.OnMouseMove(*this, flags, point, mayStart);
}

void CHoverButton::OnKillFocus(CWnd* newFocus)
{
    CButton::OnKillFocus(newFocus);
    if (m_style != kClassicStyle)
        m_hover.Stop(*this);
}

BOOL CHoverButton::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_cursor == nullptr)
        return CButton::OnSetCursor(wnd, hitTest, message);
    ::SetCursor(m_cursor);
    return TRUE;
}
