#pragma once
// CSeatGridWnd: the seat editor's grid, a child window holding the 20 x 20
// cells (CSeatEditCell) on an extent of 620 x 420 pixels with scroll bars.
// A click on a seat selects it and tells the dialog (message 0x432 with the
// name and the cell's id); dragging a seat onto another cell swaps the two
// names. The dialog posts it mouse wheel messages as 0x432.

#include "framework/Framework.h"

#include "teacher/SeatEditCell.h"
#include "teacher/SeatEditRules.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CSeatGridWnd : public CWnd {
public:
    CSeatGridWnd() = default;
    ~CSeatGridWnd() override;

    // Sent to the dialog: wParam the clicked seat's name (const char*),
    // lParam its cell's id.
    static constexpr UINT kCellClickedMessage = 0x432;
    // Posted by the dialog: a mouse wheel message over the grid.
    static constexpr UINT kWheelMessage = 0x432;
    static constexpr int kExtentWidth = kq::kSeatGridColumns * CSeatEditCell::kWidth;
    static constexpr int kExtentHeight = kq::kSeatGridRows * CSeatEditCell::kHeight;

    // The seat map's grid and the counts whose part of it the cells show at
    // creation.
    void SetSource(const kq::SeatGrid* grid, const int* seatCount, const int* rowCount, const int* columnCount);
    BOOL CreateGrid(CWnd* dialog, UINT id, const RECT& rect);

    kq::SeatNames Names() const;
    // Shows the names; cells whose name changed repaint.
    void ShowNames(const kq::SeatNames& names);
    // The cell last selected by a click; null before the first.
    const kq::SeatCell* CurrentCell() const { return m_current ? &*m_current : nullptr; }
    CSeatEditCell* CellAt(int row, int column) const;
    // Destroys every cell window (the names go with them).
    void DestroyCells();
    bool HasCells() const { return !m_cells.empty(); }

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg int OnCreate(LPCREATESTRUCT createStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg LRESULT OnWheel(WPARAM wParam, LPARAM lParam);

private:
    // The cell under a point of the client area (visible, enabled), or null.
    CSeatEditCell* CellUnder(CPoint point) const;
    void Select(CSeatEditCell* cell);
    void ScrollBy(int bar, int amount);
    void DrawBand(const RECT& band);

    const kq::SeatGrid* m_grid = nullptr;
    const int* m_seatCount = nullptr;
    const int* m_rowCount = nullptr;
    const int* m_columnCount = nullptr;
    std::optional<kq::SeatCell> m_current;
    std::string m_dragName;
    CSeatEditCell* m_dragSource = nullptr;
    RECT m_band{};
    POINT m_anchor{};
    bool m_dragging = false;
    HFONT m_font = nullptr;
    std::vector<std::unique_ptr<CSeatEditCell>> m_cells; // row-major
};
