#include "widgets/ToolBarButton.h"

#include "framework/BitmapDrawing.h"

BEGIN_MESSAGE_MAP(CToolBarButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kTextColour = 0xFF0000; // blue

// A one-pixel line through three points.
void Line3(CDC& dc, COLORREF colour, POINT a, POINT b, POINT c)
{
    CPen pen(PS_SOLID, 1, colour);
    CPen* previous = dc.SelectObject(&pen);
    dc.MoveTo(a);
    dc.LineTo(b);
    dc.LineTo(c);
    dc.SelectObject(previous);
}

} // namespace

CToolBarButton::~CToolBarButton()
{
    m_face.DeleteObject();
    m_disabledFace.DeleteObject();
    DestroyWindow();
}

BOOL CToolBarButton::LoadBitmaps(UINT face, UINT disabledFace)
{
    m_face.DeleteObject();
    m_disabledFace.DeleteObject();
    if (!m_face.LoadBitmap(face))
        return FALSE;
    if (disabledFace != 0 && !m_disabledFace.LoadBitmap(disabledFace))
        return FALSE;
    return TRUE;
}

void CToolBarButton::DrawItem(LPDRAWITEMSTRUCT drawItem)
{
    CDC* dc = CDC::FromHandle(drawItem->hDC);
    const CRect item(drawItem->rcItem);
    const UINT state = drawItem->itemState;
    if (m_face.GetSafeHandle() != nullptr) {
        const bool disabled = (state & ODS_DISABLED) != 0;
        CBitmap& face = disabled && m_disabledFace.GetSafeHandle() != nullptr ? m_disabledFace : m_face;
        kq::CopyBitmapTo(*dc, face, item.Width(), item.Height());
    }
    if (m_textMode == 0)
        DrawFrame(*dc, state, item);
    else
        DrawCaption(*dc, state, item);
}

void CToolBarButton::DrawFrame(CDC& dc, UINT itemState, const CRect& item) const
{
    if (m_frameStyle != kRaisedFrames)
        return;
    const int l = item.left, t = item.top, r = item.right, b = item.bottom;
    if (itemState & ODS_SELECTED) {
        Line3(dc, ::GetSysColor(COLOR_BTNSHADOW), {l, b - 1}, {l, t}, {r, t});
        Line3(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT), {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
    } else if (m_hover.IsHovering()) {
        Line3(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT), {l, b - 1}, {l, t}, {r, t});
        Line3(dc, ::GetSysColor(COLOR_BTNSHADOW), {l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1});
    }
}

void CToolBarButton::DrawCaption(CDC& dc, UINT itemState, const CRect& item)
{
    CString text;
    GetWindowText(text);
    if (text.IsEmpty())
        return;
    dc.SetTextColor(kTextColour);
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    CRect measured(0, 0, 0, 0);
    dc.DrawText(text, &measured, DT_CALCRECT | DT_SINGLELINE);
    const int x = item.left + (item.Width() - measured.Width()) / 2;
    const int y = item.top + (item.Height() - measured.Height()) / 2;
    const UINT flags = DST_PREFIXTEXT | ((itemState & ODS_DISABLED) ? DSS_DISABLED : DSS_NORMAL);
    ::DrawStateA(dc.m_hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(text.GetString()), text.GetLength(), x, y,
                 measured.Width(), measured.Height(), flags);
    dc.SetBkMode(previousMode);
}

void CToolBarButton::OnMouseMove(UINT flags, CPoint point)
{
    CButton::OnMouseMove(flags, point);
    if (m_textMode == 0)
        m_hover.OnMouseMove(*this, flags, point, true);
}

void CToolBarButton::OnKillFocus(CWnd* newFocus)
{
    CButton::OnKillFocus(newFocus);
    if (m_textMode == 0)
        m_hover.Stop(*this);
}
