#include "widgets/PaintedLabel.h"

#include "widgets/CellLineBreaking.h"

#include <string_view>

BEGIN_MESSAGE_MAP(CPaintedLabel, CStatic)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

namespace {

constexpr const char* kFontFace = "宋体";

} // namespace

CPaintedLabel::CPaintedLabel(COLORREF background, kq::LabelAlign align, kq::LineBreaking breaking)
    : m_background(background), m_align(align), m_breaking(breaking)
{
}

CPaintedLabel::~CPaintedLabel()
{
    DestroyWindow();
    m_font.DeleteObject();
}

int CPaintedLabel::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CStatic::OnCreate(createStruct) == -1)
        return -1;
    m_font.CreatePointFont(kFontPoints, kFontFace);
    return 0;
}

CString CPaintedLabel::BreakLines(CDC& dc, const CString& text, const CRect& client)
{
    if (m_breaking != kq::LineBreaking::Cp936Cells || text.IsEmpty())
        return text;
    const std::string_view bytes(text.GetString(), static_cast<size_t>(text.GetLength()));
    const size_t firstBytes = kq::FirstCharacterBytes(bytes);
    const int firstWidth = dc.GetTextExtent(text.GetString(), static_cast<int>(firstBytes)).cx;
    const int textWidth = dc.GetTextExtent(text.GetString(), text.GetLength()).cx;
    const std::string broken =
        kq::BreakIntoCells(bytes, kq::CellWidth(firstWidth, firstBytes), textWidth, client.Width());
    return CString(broken.c_str(), static_cast<int>(broken.size()));
}

UINT CPaintedLabel::AlignmentFormat() const
{
    switch (m_align) {
    case kq::LabelAlign::Centre:
        return DT_CENTER;
    case kq::LabelAlign::Left:
        return DT_LEFT;
    case kq::LabelAlign::ByStyle:
        break;
    }
    switch (GetStyle() & SS_TYPEMASK) {
    case SS_CENTER:
        return DT_CENTER;
    case SS_RIGHT:
        return DT_RIGHT;
    default:
        return DT_LEFT;
    }
}

void CPaintedLabel::Paint(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    CBrush background(m_background);
    dc.FillRect(&client, &background);
    dc.SetBkMode(TRANSPARENT);
    CFont* previous = m_font.GetSafeHandle() != nullptr ? dc.SelectObject(&m_font) : nullptr;

    CString text;
    GetWindowText(text);
    const CString lines = BreakLines(dc, text, client);
    dc.DrawText(lines, &client, AlignmentFormat() | DT_WORDBREAK);

    if (previous != nullptr)
        dc.SelectObject(previous);
}

void CPaintedLabel::OnPaint()
{
    CPaintDC dc(this);
    Paint(dc);
}

LRESULT CPaintedLabel::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* dc = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    if (dc != nullptr)
        Paint(*dc);
    return 0;
}
