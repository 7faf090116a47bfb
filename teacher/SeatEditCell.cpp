#include "teacher/SeatEditCell.h"

namespace {

constexpr char kStaticClass[] = "STATIC";
constexpr COLORREF kCellBackground = 0xFFFFFF;
constexpr int kMaxName = 64;

} // namespace

CSeatEditCell::~CSeatEditCell()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CSeatEditCell::CreateCell(CWnd* grid, int row, int column, const std::string& name, HFONT font)
{
    m_font = font;
    const CRect place(column * kWidth, row * kHeight, (column + 1) * kWidth, (row + 1) * kHeight);
    // The text is the seat name from the start: an empty cell reads back empty.
    return Create(kStaticClass, name.c_str(), WS_CHILD | WS_VISIBLE, place, grid, IdOf(row, column));
}

std::string CSeatEditCell::GetName() const
{
    char text[kMaxName] = {};
    GetWindowText(text, kMaxName);
    return text;
}

void CSeatEditCell::SetName(const std::string& name)
{
    if (GetName() == name)
        return;
    SetWindowText(name.c_str());
    Invalidate();
}

void CSeatEditCell::SetSelected(int flag)
{
    if ((flag != 0) == (m_selected != 0))
        return;
    m_selected = flag != 0;
    Invalidate();
}

void CSeatEditCell::Paint(HDC dc)
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    HBRUSH white = ::CreateSolidBrush(kCellBackground);
    ::FillRect(dc, &client, white);
    ::DeleteObject(white);
    const std::string name = GetName();
    if (name.empty())
        return;
    HGDIOBJ oldFont = m_font != nullptr ? ::SelectObject(dc, m_font) : nullptr;
    COLORREF oldColour;
    int oldMode;
    if (m_selected) {
        oldMode = ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, ::GetSysColor(COLOR_HIGHLIGHT));
        oldColour = ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
        oldMode = ::SetBkMode(dc, TRANSPARENT);
        oldColour = ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    }
    ::DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &client, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
    if (oldFont != nullptr)
        ::SelectObject(dc, oldFont);
}

LRESULT CSeatEditCell::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        Paint(dc);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1; // painted whole in WM_PAINT
    return CWnd::WindowProc(message, wParam, lParam);
}
