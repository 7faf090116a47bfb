#pragma once
// CClassroomSetupDlg: the seat and classroom numbers of the PC, behind the
// hot key Ctrl+Alt+Shift+O. Reads both from the backup copy when there is
// one, else from the local copy, and writes them back there on OK. The
// classroom number is 0 on a single-classroom installation (radio 145), 1
// to 99 otherwise (radio 144, the field and its spin control).

#include "framework/SpinButtonCtrl.h"
#include "joiner/SeatEntryDlg.h"

class CClassroomSetupDlg : public CSeatEntryDlg {
public:
    static constexpr UINT kBackgroundId = 143;
    static constexpr UINT kClassroomFieldId = 147;
    static constexpr UINT kSpinId = 146;
    static constexpr UINT kSingleRadioId = 145;
    static constexpr UINT kSeveralRadioId = 144;
    static constexpr int kClassroomFieldChars = 2;
    static constexpr int kLowestClassroom = 1;
    static constexpr int kHighestClassroom = 99;

    CClassroomSetupDlg();

    BOOL OnInitDialog() override;
    void OnOK() override;

protected:
    DECLARE_MESSAGE_MAP()
    afx_msg void OnSingleClassroom();
    afx_msg void OnSeveralClassrooms();
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind);

private:
    void EnableClassroom(BOOL enable);

    CEdit m_classroomField;
    CSpinButtonCtrl m_spin;
    CButton m_single;
    CButton m_several;
    CBrush m_radioBrush;
};
