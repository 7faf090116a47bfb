#include "teacher/SeatGridWnd.h"

#include "teacher/ScrollBars.h"

namespace {

constexpr char kWindowName[] = "WNDLISTCTRL";
// The band that follows the pointer while a seat is dragged.
constexpr int kBandHalfWidth = 15;
constexpr int kBandHalfHeight = 10;
// One wheel notch scrolls one row of cells.
constexpr int kWheelRow = CSeatEditCell::kHeight;
constexpr int kFontHeight = 12;

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

} // namespace

BEGIN_MESSAGE_MAP(CSeatGridWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_MESSAGE(CSeatGridWnd::kWheelMessage, OnWheel)
END_MESSAGE_MAP()

CSeatGridWnd::~CSeatGridWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    DestroyCells();
    if (m_font != nullptr)
        ::DeleteObject(m_font);
}

void CSeatGridWnd::SetSource(const kq::SeatGrid* grid, const int* seatCount, const int* rowCount,
                             const int* columnCount)
{
    m_grid = grid;
    m_seatCount = seatCount;
    m_rowCount = rowCount;
    m_columnCount = columnCount;
}

BOOL CSeatGridWnd::CreateGrid(CWnd* dialog, UINT id, const RECT& rect)
{
    LPCSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_WINDOW));
    return Create(cls, kWindowName, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL, rect, dialog,
                  id);
}

int CSeatGridWnd::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1 || m_grid == nullptr)
        return -1;
    m_font = ::CreateFontA(kFontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "宋体");
    const kq::SeatNames names = kq::SeatNamesOfGrid(*m_grid, *m_seatCount, *m_rowCount, *m_columnCount);
    for (int r = 0; r < kq::kSeatGridRows; ++r)
        for (int c = 0; c < kq::kSeatGridColumns; ++c) {
            auto cell = std::make_unique<CSeatEditCell>();
            if (!cell->CreateCell(this, r, c, names[r][c], m_font))
                return -1;
            m_cells.push_back(std::move(cell));
        }
    kq::FitScrollBars(m_hWnd, kExtentWidth, kExtentHeight);
    return 0;
}

void CSeatGridWnd::OnDestroy()
{
    DestroyCells();
    CWnd::OnDestroy();
}

void CSeatGridWnd::DestroyCells()
{
    m_cells.clear(); // each cell destroys its window
    m_current.reset();
    m_dragSource = nullptr;
}

void CSeatGridWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    kq::FitScrollBars(m_hWnd, kExtentWidth, kExtentHeight);
}

CSeatEditCell* CSeatGridWnd::CellAt(int row, int column) const
{
    if (row < 0 || row >= kq::kSeatGridRows || column < 0 || column >= kq::kSeatGridColumns || m_cells.empty())
        return nullptr;
    return m_cells[static_cast<size_t>(row * kq::kSeatGridColumns + column)].get();
}

kq::SeatNames CSeatGridWnd::Names() const
{
    kq::SeatNames names;
    for (int r = 0; r < kq::kSeatGridRows; ++r)
        for (int c = 0; c < kq::kSeatGridColumns; ++c)
            if (CSeatEditCell* cell = CellAt(r, c))
                names[r][c] = cell->GetName();
    return names;
}

void CSeatGridWnd::ShowNames(const kq::SeatNames& names)
{
    for (int r = 0; r < kq::kSeatGridRows; ++r)
        for (int c = 0; c < kq::kSeatGridColumns; ++c)
            if (CSeatEditCell* cell = CellAt(r, c))
                cell->SetName(names[r][c]);
}

CSeatEditCell* CSeatGridWnd::CellUnder(CPoint point) const
{
    HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    if (child == nullptr || child == m_hWnd)
        return nullptr;
    const UINT id = static_cast<UINT>(::GetDlgCtrlID(child));
    CSeatEditCell* cell = CellAt(CSeatEditCell::RowOfId(id), CSeatEditCell::ColumnOfId(id));
    return cell != nullptr && cell->m_hWnd == child ? cell : nullptr;
}

void CSeatGridWnd::Select(CSeatEditCell* chosen)
{
    for (const auto& cell : m_cells)
        cell->SetSelected(cell.get() == chosen);
    const UINT id = static_cast<UINT>(chosen->GetDlgCtrlID());
    m_current = kq::SeatCell{CSeatEditCell::RowOfId(id), CSeatEditCell::ColumnOfId(id)};
}

void CSeatGridWnd::OnLButtonDown(UINT, CPoint point)
{
    CSeatEditCell* cell = CellUnder(point);
    const std::string name = cell != nullptr ? cell->GetName() : std::string();
    if (name.empty())
        return;
    m_dragSource = cell;
    m_dragName = name;
    m_anchor = point;
    m_dragging = true;
    m_band = RECT{};
    ::SetCapture(m_hWnd);
    if (CWnd* dialog = GetParent())
        dialog->SendMessage(kCellClickedMessage, reinterpret_cast<WPARAM>(name.c_str()), cell->GetDlgCtrlID());
    // A box that the dialog showed meanwhile took the mouse: no drag.
    if (::GetCapture() != m_hWnd)
        m_dragging = false;
    Select(cell);
}

void CSeatGridWnd::DrawBand(const RECT& band)
{
    if (IsEmpty(band))
        return;
    HDC dc = ::GetDC(m_hWnd);
    ::DrawFocusRect(dc, &band);
    ::ReleaseDC(m_hWnd, dc);
}

void CSeatGridWnd::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging)
        return;
    DrawBand(m_band); // a focus rectangle drawn twice is gone
    m_band = RECT{point.x - kBandHalfWidth, point.y - kBandHalfHeight, point.x + kBandHalfWidth,
                  point.y + kBandHalfHeight};
    DrawBand(m_band);
}

void CSeatGridWnd::OnLButtonUp(UINT, CPoint point)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    ::ReleaseCapture();
    DrawBand(m_band);
    m_band = RECT{};
    CSeatEditCell* source = m_dragSource;
    m_dragSource = nullptr;
    if (source == nullptr || source->m_hWnd == nullptr)
        return;
    RECT sourceRect;
    ::GetWindowRect(source->m_hWnd, &sourceRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&sourceRect), 2);
    if (::PtInRect(&sourceRect, point))
        return;
    CSeatEditCell* target = CellUnder(point);
    if (target == nullptr)
        return;
    // Onto an empty cell this moves the seat.
    source->SetName(target->GetName());
    target->SetName(m_dragName);
}

void CSeatGridWnd::ScrollBy(int bar, int amount)
{
    const int moved = kq::ScrollContentsBy(m_hWnd, bar, amount);
    if (moved == 0)
        return;
    if (bar == SB_HORZ)
        m_anchor.x -= moved;
    else
        m_anchor.y -= moved;
    ::UpdateWindow(m_hWnd);
}

void CSeatGridWnd::OnHScroll(UINT code, UINT pos, CScrollBar*)
{
    ScrollBy(SB_HORZ, kq::SeatScrollAmount(m_hWnd, SB_HORZ, code, pos));
}

void CSeatGridWnd::OnVScroll(UINT code, UINT pos, CScrollBar*)
{
    ScrollBy(SB_VERT, kq::SeatScrollAmount(m_hWnd, SB_VERT, code, pos));
}

LRESULT CSeatGridWnd::OnWheel(WPARAM wParam, LPARAM)
{
    const int notches = static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA;
    ScrollBy(SB_VERT, -notches * kWheelRow);
    return 0;
}
