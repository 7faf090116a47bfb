#pragma once
// CStudentNumberDlg: the seat number alone, when the teacher reassigns the
// seat through the agent. Shows the current seat (backup copy, else working
// copy) and writes the new one to the backup copy, else the local copy.

#include "joiner/SeatEntryDlg.h"
#include "widgets/SkinLabel.h"

class CStudentNumberDlg : public CSeatEntryDlg {
public:
    static constexpr UINT kBackgroundId = 130;
    static constexpr UINT kCurrentSeatId = 138;

    CStudentNumberDlg();

    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CSkinLabel m_currentSeat;
};
