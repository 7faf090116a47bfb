#pragma once
// CSeatEditDlg: the seat editor, in which the teacher arranges the
// classroom. Its grid shows the seat names at their places; the teacher
// fills the grid from a seat count and a column count, places, renames and
// clears single seats, drags a seat onto another cell, and applies or keeps
// the arrangement. OK and apply write the names into the seat map's grid;
// the seat map then saves and lays its seats out.

#include "teacher/SeatGridWnd.h"
#include "widgets/ButtonList.h"
#include "widgets/NumEdit.h"
#include "widgets/NumSpinCtrl.h"
#include "widgets/SkinDialog.h"

class CSeatEditDlg : public CSkinDialog {
public:
    // `grid` is the seat map's own; `seatMap` receives the applied counts.
    CSeatEditDlg(int seatCount, int rowCount, int columnCount, kq::SeatGrid* grid, CWnd* seatMap);

    // The counts the dialog was opened with, rewritten by OK and apply.
    int SeatCount() const { return m_seatCount; }
    int RowCount() const { return m_rowCount; }
    int ColumnCount() const { return m_columnCount; }

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Controls.
    static constexpr UINT kSeatCountId = 1;
    static constexpr UINT kColumnCountId = 3;
    static constexpr UINT kRowId = 5;
    static constexpr UINT kColumnId = 7;
    static constexpr UINT kNameId = 9;
    static constexpr UINT kGridId = 10;
    static constexpr UINT kFillId = 719;
    static constexpr UINT kPlaceId = 707;
    static constexpr UINT kRenameId = 709;
    static constexpr UINT kClearId = 711;
    static constexpr UINT kApplyId = 716;
    static constexpr UINT kOkId = 706;
    static constexpr UINT kCancelId = 705;
    // The seat map's message for applied counts: wParam the seat count,
    // lParam MAKELONG(row count, column count).
    static constexpr UINT kApplyMessage = 0x463;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnDestroy();
    afx_msg void OnFill();
    afx_msg void OnPlace();
    afx_msg void OnRename();
    afx_msg void OnClear();
    afx_msg void OnApply();
    afx_msg LRESULT OnCellClicked(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSpinStepped(WPARAM wParam, LPARAM lParam);

private:
    bool CreateControls();
    void OnNameChanged();
    void EditSeat(kq::SeatEditAction action);
    // The grid's names into the seat map's grid; the counts follow them.
    kq::SeatNameCounts WriteBack(kq::SeatGrouping grouping);
    // The value of a numeric field, 1 when it is empty.
    int FieldOrOne(CNumEdit& field) const;
    void ShowBox(UINT stringId);

    int m_rowCount;
    int m_columnCount;
    int m_seatCount;
    CWnd* m_seatMap;
    kq::SeatGrid* m_grid;
    CSeatGridWnd m_gridWnd;
    CButtonList m_buttons;
    CEdit m_name;
    CNumSpinCtrl m_seatSpin;
    CNumSpinCtrl m_columnCountSpin;
    CNumSpinCtrl m_rowSpin;
    CNumSpinCtrl m_columnSpin;
    CNumEdit m_seatField;
    CNumEdit m_columnCountField;
    CNumEdit m_rowField;
    CNumEdit m_columnField;
};
