#pragma once
// CGroupNameDlg: names the groups that have on-line members and picks one
// member of each, for the group teaching command. The opener gives it the
// seat map (through its lookup), a copy of the seat grid and the grid's
// counts; on IDOK it sends the six records and the members' seat numbers.

#include "common/CommandBlock.h"
#include "common/GroupRecord.h"
#include "teacher/SeatLookup.h"
#include "teacher/SeatRecord.h"
#include "widgets/SkinDialog.h"

#include <array>
#include <cstdint>

class CGroupNameDlg : public CSkinDialog {
public:
    CGroupNameDlg(UINT templateId, int closeX, int closeY, UINT backgroundId, CWnd* parent);

    void SetSeats(const kq::SeatLookup* seats, const kq::SeatGrid& grid, uint16_t columnCount, uint16_t rowCount);

    // After IDOK: record k for group k + 1.
    const std::array<kq::GroupRecord, kq::kGroupCount>& Records() const { return m_records; }
    // The seat numbers of every on-line member, group 1's first, zero-filled
    // after the last; SeatNumberCount of them are set.
    const uint8_t* SeatNumbers() const { return m_seatNumbers; }
    uint16_t SeatNumberCount() const { return m_seatNumberCount; }

    BOOL OnInitDialog() override;

    static constexpr UINT kFirstNameId = 814;
    static constexpr UINT kFirstMemberBoxId = 820;
    static constexpr UINT kCancelId = 705;
    static constexpr UINT kConfirmId = 706;

protected:
    DECLARE_MESSAGE_MAP()
    void OnOK() override;
    afx_msg void OnConfirm();

private:
    uint8_t m_seatNumbers[kq::kMaxTargetSeats] = {};
    uint16_t m_seatNumberCount = 0;
    const kq::SeatLookup* m_seats = nullptr;
    std::array<kq::GroupRecord, kq::kGroupCount> m_records{};
    uint16_t m_columnCount = 0;
    uint16_t m_rowCount = 0;
    kq::SeatGrid m_grid{};
    CFont m_font;
    CEdit m_names[kq::kGroupCount];
    CComboBox m_memberBoxes[kq::kGroupCount];
    CBitmapButton m_cancel;
    CBitmapButton m_confirm;
};
