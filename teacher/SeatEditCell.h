#pragma once
// CSeatEditCell: one cell of the seat editor's grid, a 31 x 21 window of the
// system's static class whose text is the seat name standing there (empty:
// no seat). Its id tells its place: the low byte is the row + 1, the high
// byte the column + 1. It paints itself; clicks fall through to the grid.

#include "framework/Framework.h"

#include <string>

class CSeatEditCell : public CWnd {
public:
    CSeatEditCell() = default;
    ~CSeatEditCell() override;

    static constexpr int kWidth = 31;
    static constexpr int kHeight = 21;

    static UINT IdOf(int row, int column) { return static_cast<UINT>((column + 1) * kPlaceBase + row + 1); }
    static int RowOfId(UINT id) { return static_cast<int>(id % kPlaceBase) - 1; }
    static int ColumnOfId(UINT id) { return static_cast<int>(id / kPlaceBase) - 1; }

    // The cell at `row`, `column` (0-based) of `grid`, at its place in the
    // grid's extent, showing `name`.
    BOOL CreateCell(CWnd* grid, int row, int column, const std::string& name, HFONT font);

    std::string GetName() const;
    // Repaints when the name changes.
    void SetName(const std::string& name);
    int IsSelected() const { return m_selected; }
    // Repaints only when the flag changes.
    void SetSelected(int flag);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr int kPlaceBase = 256;
    void Paint(HDC dc);

    int m_selected = 0;
    HFONT m_font = nullptr; // the grid's
};
